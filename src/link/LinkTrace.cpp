#include "LinkTrace.h"

#include <utility>

namespace zo::link {

namespace {

// Room kept below the limit for the line that says the trace is full.
constexpr std::uint64_t kClosingRoom = 128;

std::string LimitText(std::uint64_t limit) {
  if (limit % (std::uint64_t{1} << 20) == 0) return std::to_string(limit >> 20) + " MiB";
  return std::to_string(limit) + " bytes";
}

TraceEntry Entry(std::chrono::microseconds time, TraceDirection direction, TraceCheck check,
                 std::span<const std::uint8_t> bytes) {
  TraceEntry entry;
  entry.time = time;
  entry.direction = direction;
  entry.check = check;
  entry.bytes.assign(bytes.begin(), bytes.end());
  return entry;
}

}  // namespace

bool LinkTrace::Start(std::unique_ptr<ITraceSink> sink, std::string path,
                      std::string_view startedAt, std::chrono::microseconds now,
                      std::uint64_t limit) {
  if (Active()) Stop();
  const std::string header = TraceFormat::Header(startedAt);
  if (!sink || !sink->Append(header)) return false;
  sink_ = std::move(sink);
  path_ = std::move(path);
  size_ = header.size();
  limit_ = std::max(limit, size_ + kClosingRoom);
  start_ = now;
  lastSent_ = now;
  status_ = Status::Recording;
  return true;
}

void LinkTrace::Stop(std::string_view why) {
  if (Active()) Finish(Status::Off, why);
}

void LinkTrace::Finish(Status status, std::string_view closing) {
  // A closing line that cannot be written changes nothing: the trace ends.
  if (!closing.empty()) static_cast<void>(sink_->Append(TraceFormat::Comment(closing)));
  sink_.reset();
  status_ = status;
  if (status != Status::Off && onStatus_) onStatus_(status);
}

void LinkTrace::Write(const TraceEntry& entry) {
  if (!Active()) return;
  const std::string line = TraceFormat::Line(entry);
  if (size_ + line.size() + kClosingRoom > limit_) {
    Finish(Status::Full, "stopped: the size limit of " + LimitText(limit_) + " is reached");
    return;
  }
  if (!sink_->Append(line)) {
    Finish(Status::Failed, {});
    return;
  }
  size_ += line.size();
}

void LinkTrace::Sent(std::span<const std::uint8_t> frame, std::chrono::microseconds now) {
  lastSent_ = now;
  TraceEntry entry = Entry(now - start_, TraceDirection::Sent, TraceCheck::None, frame);
  if (!frame.empty()) entry.command = frame[0];
  Write(entry);
}

void LinkTrace::Received(std::uint8_t command, std::span<const std::uint8_t> reply, bool valid,
                         std::chrono::microseconds now) {
  const TraceCheck check = reply.empty() ? TraceCheck::Missing
                           : valid       ? TraceCheck::Ok
                                         : TraceCheck::Bad;
  TraceEntry entry = Entry(now - start_, TraceDirection::Received, check, reply);
  entry.command = command;
  entry.delay = now - lastSent_;
  Write(entry);
}

void LinkTrace::Discarded(std::span<const std::uint8_t> bytes, std::chrono::microseconds now) {
  Write(Entry(now - start_, TraceDirection::Received, TraceCheck::Stale, bytes));
}

}  // namespace zo::link
