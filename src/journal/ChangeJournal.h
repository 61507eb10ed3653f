// The change journal of the connected controller: every byte the controller
// confirmed, appended to that controller's file as it comes, one session a
// connection. A session's start is written with its first change, so a
// connection that changed nothing leaves no trace. A journal that would grow
// past its limit drops its oldest sessions (never the one being written),
// down to three quarters of the limit, and is replaced whole.
//
// Writing never holds up the link: a failed write is reported once, the
// changes not written are kept, and they go to the file with the next
// change that can be written. As a failed append may have left a part of
// its text, the file is then replaced whole: what was known to be written,
// then the changes kept.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "journal/ControllerKey.h"
#include "journal/IJournalFiles.h"
#include "journal/JournalRecord.h"

namespace zo::journal {

enum class JournalWrite {
  Written,
  Failed,        // the first failure since the last success: tell the user
  StillFailing,  // kept, already told
  NoController,  // no session open: nothing recorded
};

class ChangeJournal {
 public:
  static constexpr std::size_t kLimit = std::size_t{1024} * 1024;  // bytes a journal file keeps

  explicit ChangeJournal(IJournalFiles& files, std::size_t limit = kLimit);

  // A controller connected: what follows is a new session of its journal.
  void Open(const ControllerKey& key, SessionStart start);
  // The controller is gone; its session's changes stay readable.
  void Close();
  JournalWrite Record(const Change& change);

  [[nodiscard]] bool IsOpen() const { return open_; }
  [[nodiscard]] const ControllerKey& Key() const { return key_; }
  [[nodiscard]] const Session& CurrentSession() const { return session_; }
  // Changes recorded but not yet on the disk.
  [[nodiscard]] std::size_t Unwritten() const { return unwrittenCount_; }

  // A journal's sessions, oldest first; none when it cannot be read.
  static std::vector<Session> Load(IJournalFiles& files, const std::string& name);

 private:
  std::string StartText();
  // The file replaced by what is known to be written (less its oldest
  // sessions when `trim`) and then `unwritten_`.
  bool Rewrite(bool trim);

  IJournalFiles& files_;
  std::size_t limit_;
  ControllerKey key_;
  Session session_;
  bool open_ = false;
  bool started_ = false;  // the session's start is in the file or in unwritten_
  bool failing_ = false;
  bool sessionInFile_ = false;        // the session's start is on the disk
  std::optional<std::size_t> known_;  // the file's size as last written or read
  std::string unwritten_;
  std::size_t unwrittenCount_ = 0;
};

}  // namespace zo::journal
