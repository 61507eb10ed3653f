// The journals there are, as the history window offers them: each with a
// title people recognise (model, production and installation dates, the
// time of its newest session), newest first, the connected controller's
// journal at the top whatever its age.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "journal/ChangeTable.h"
#include "journal/IJournalFiles.h"

namespace zo::journal {

struct JournalEntry {
  std::string name;  // the file's name
  std::string title;
  std::vector<Session> sessions;
};

class JournalIndex {
 public:
  // Journals that cannot be read or hold no change are left out; so is
  // `current` unless it holds one.
  static std::vector<JournalEntry> List(IJournalFiles& files, const std::string& current,
                                        const model::ITextSource& texts,
                                        const ChangeTable::TimeText& timeText);
  // The title of a journal of these sessions.
  static std::string Title(const std::string& name, const std::vector<Session>& sessions,
                           const model::ITextSource& texts, const ChangeTable::TimeText& timeText);
};

}  // namespace zo::journal
