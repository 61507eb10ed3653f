// Cuts the byte stream from the tool into request frames, as the controller
// does: the command byte fixes the frame length, a frame whose check sum is
// wrong is not answered, an unknown byte or a pause of more than 20 ms inside
// a frame starts the search for the next frame afresh.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace lpgsim {

class RequestFramer {
 public:
  static constexpr std::chrono::microseconds kMaxGap{20000};

  // Length of the request frame that starts with `command`, 0 when the
  // controller does not know it (in its application or in its boot loader).
  static std::size_t RequestLength(std::uint8_t command, bool bootLoader);

  // Takes one byte received at `now`; returns a complete frame with a good
  // check sum when this byte ends one.
  std::optional<std::vector<std::uint8_t>> Push(std::uint8_t byte, std::chrono::microseconds now,
                                                bool bootLoader);

  void Reset() { pending_.clear(); }
  [[nodiscard]] std::size_t Pending() const { return pending_.size(); }
  [[nodiscard]] std::uint64_t SkippedBytes() const { return skippedBytes_; }
  [[nodiscard]] std::uint64_t BadSums() const { return badSums_; }
  [[nodiscard]] std::uint64_t Timeouts() const { return timeouts_; }

 private:
  std::optional<std::vector<std::uint8_t>> Scan(bool bootLoader);

  std::vector<std::uint8_t> pending_;
  std::chrono::microseconds lastByte_{0};
  std::uint64_t skippedBytes_ = 0;
  std::uint64_t badSums_ = 0;
  std::uint64_t timeouts_ = 0;
};

}  // namespace lpgsim
