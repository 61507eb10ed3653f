// A journal as people read it: each change with its time, parameter, old
// and new value and cause in the current language, sessions newest first,
// and the same as CSV for a spreadsheet and as tab-separated lines for the
// clipboard. Times are formatted by the caller (in local time).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "journal/JournalRecord.h"
#include "model/ITextSource.h"

namespace zo::journal {

struct ChangeRow {
  std::string time;
  std::string parameter;  // the catalogue's name, or "#" and the byte
  std::string change;     // "old → new"
  std::string cause;

  friend bool operator==(const ChangeRow&, const ChangeRow&) = default;
};

struct SessionRows {
  std::string heading;  // "Session 2026-12-08 09:12, version 1.79"
  std::vector<ChangeRow> rows;
};

class ChangeTable {
 public:
  using TimeText = std::function<std::string(std::int64_t)>;

  ChangeTable(const model::ITextSource& texts, TimeText timeText);

  [[nodiscard]] std::string CauseText(ChangeCause cause) const;
  [[nodiscard]] ChangeRow Row(const Change& change) const;
  // Sessions that changed something, newest first.
  [[nodiscard]] std::vector<SessionRows> Sessions(const std::vector<Session>& sessions) const;
  // A header, then one line a change, oldest first, with the session's start,
  // the byte and its old and new values as numbers.
  [[nodiscard]] std::string Csv(const std::vector<Session>& sessions) const;
  // The rows as lines of tab-separated fields, for pasting.
  [[nodiscard]] static std::string Tabbed(const std::vector<ChangeRow>& rows);
  // A catalogue label as a heading: without its blanks and its " :".
  [[nodiscard]] static std::string Label(std::string text);

 private:
  const model::ITextSource& texts_;
  TimeText timeText_;
};

}  // namespace zo::journal
