// The link trace: while it records, every frame sent to the controller and
// every reply (or its absence) becomes one line of text (TraceFormat) in a
// sink, with its time to the microsecond and a reply's delay since its
// request. The trace stops by itself, saying so in its last line, when the
// next line would take it past its size limit or when writing fails.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "ITraceSink.h"
#include "TraceFormat.h"

namespace zo::link {

class LinkTrace {
 public:
  enum class Status { Off, Recording, Full, Failed };
  using StatusHandler = std::function<void(Status)>;

  // 64 MiB: a live-data poll takes 160 bytes (a request line of 59, a reply
  // line of 101), 1600 bytes a second at ten polls a second: room for some
  // 41,900 seconds, eleven hours and a half of polling.
  static constexpr std::uint64_t kDefaultLimit = std::uint64_t{64} << 20;

  // Called when the trace stops by itself (full or failed).
  void SetStatusHandler(StatusHandler handler) { onStatus_ = std::move(handler); }

  // Starts recording into `sink` (closed with the trace), `path` naming it
  // for later use; `startedAt` is the local date and time, `now` the link's
  // clock. False, and nothing recorded, when the header cannot be written.
  bool Start(std::unique_ptr<ITraceSink> sink, std::string path, std::string_view startedAt,
             std::chrono::microseconds now, std::uint64_t limit = kDefaultLimit);
  // Ends the recording, with a closing line saying why.
  void Stop(std::string_view why = "stopped by the user");

  [[nodiscard]] bool Active() const { return status_ == Status::Recording; }
  [[nodiscard]] Status State() const { return status_; }
  // The file of the trace recorded last (or recording now); empty before the first.
  [[nodiscard]] const std::string& LastTracePath() const { return path_; }
  [[nodiscard]] std::uint64_t Size() const { return size_; }
  [[nodiscard]] std::uint64_t Limit() const { return limit_; }

  // The link's hooks, called only while Active().
  void Sent(std::span<const std::uint8_t> frame, std::chrono::microseconds now);
  // `command` is the request's; no bytes means no reply came.
  void Received(std::uint8_t command, std::span<const std::uint8_t> reply, bool valid,
                std::chrono::microseconds now);
  // Bytes found waiting before a request and thrown away.
  void Discarded(std::span<const std::uint8_t> bytes, std::chrono::microseconds now);

 private:
  void Write(const TraceEntry& entry);
  void Finish(Status status, std::string_view closing);

  std::unique_ptr<ITraceSink> sink_;
  Status status_ = Status::Off;
  StatusHandler onStatus_;
  std::string path_;
  std::uint64_t size_ = 0;
  std::uint64_t limit_ = kDefaultLimit;
  std::chrono::microseconds start_{0};
  std::chrono::microseconds lastSent_{0};
};

}  // namespace zo::link
