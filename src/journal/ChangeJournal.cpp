#include "journal/ChangeJournal.h"

#include <algorithm>

#include "journal/JournalCodec.h"

namespace zo::journal {

ChangeJournal::ChangeJournal(IJournalFiles& files, std::size_t limit)
    : files_(files), limit_(limit) {}

void ChangeJournal::Open(const ControllerKey& key, SessionStart start) {
  key_ = key;
  session_ = Session{std::move(start), {}};
  open_ = true;
  started_ = false;
  sessionInFile_ = false;
  failing_ = false;
  unwritten_.clear();
  unwrittenCount_ = 0;
}

void ChangeJournal::Close() {
  open_ = false;
}

JournalWrite ChangeJournal::Record(const Change& change) {
  if (!open_) return JournalWrite::NoController;
  session_.changes.push_back(change);
  if (!started_) {
    unwritten_ += StartText();
    started_ = true;
  }
  unwritten_ += JournalCodec::Encode(change);
  ++unwrittenCount_;
  const bool overLimit = known_ && *known_ + unwritten_.size() > limit_;
  bool written = false;
  if (overLimit || failing_) {
    written = Rewrite(overLimit);
  } else if (files_.Append(key_.FileName(), unwritten_)) {
    known_ = known_.value_or(0) + unwritten_.size();
    written = true;
  }
  if (written) {
    unwritten_.clear();
    unwrittenCount_ = 0;
    failing_ = false;
    sessionInFile_ = true;
    return JournalWrite::Written;
  }
  if (failing_) return JournalWrite::StillFailing;
  failing_ = true;
  return JournalWrite::Failed;
}

// The session's start line, after the file's header when the file is new,
// after a line end when the file's last line was cut short by a kill.
std::string ChangeJournal::StartText() {
  const std::optional<std::string> text = files_.Read(key_.FileName());
  known_ = text ? std::optional(text->size()) : std::nullopt;
  const std::string start = JournalCodec::Encode(session_.start);
  if (!text || text->empty()) return std::string(JournalCodec::kHeader) + start;
  return (text->back() == '\n' ? "" : "\n") + start;
}

bool ChangeJournal::Rewrite(bool trim) {
  const std::string name = key_.FileName();
  const std::optional<std::string> text = files_.Read(name);
  if (!text) return false;
  std::string kept = text->substr(0, std::min(known_.value_or(text->size()), text->size()));
  if (trim) {
    std::vector<Session> sessions = JournalCodec::Decode(kept).sessions;
    // The session being written stays, whatever its size.
    const std::size_t keep = sessionInFile_ ? 1 : 0;
    std::size_t size = JournalCodec::EncodeAll(sessions).size();
    std::size_t drop = 0;
    while (sessions.size() - drop > keep && size + unwritten_.size() > limit_ * 3 / 4) {
      size -= JournalCodec::EncodeAll({sessions[drop]}).size() - JournalCodec::kHeader.size();
      ++drop;
    }
    sessions.erase(sessions.begin(), sessions.begin() + static_cast<std::ptrdiff_t>(drop));
    kept = JournalCodec::EncodeAll(sessions);
    if (unwritten_.starts_with(JournalCodec::kHeader))
      unwritten_.erase(0, JournalCodec::kHeader.size());
    if (unwritten_.starts_with('\n')) unwritten_.erase(0, 1);
  }
  const std::string whole = kept + unwritten_;
  if (!files_.Replace(name, whole)) return false;
  known_ = whole.size();
  return true;
}

std::vector<Session> ChangeJournal::Load(IJournalFiles& files, const std::string& name) {
  const std::optional<std::string> text = files.Read(name);
  if (!text) return {};
  return JournalCodec::Decode(*text).sessions;
}

}  // namespace zo::journal
