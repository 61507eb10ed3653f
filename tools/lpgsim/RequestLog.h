// What the simulated controller was asked: a count per command byte and the
// latest requests with their arrival times, bounded so that hours of polling
// do not grow it without limit.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

namespace lpgsim {

struct LoggedRequest {
  std::chrono::microseconds time{0};  // arrival of the frame's last byte
  std::uint8_t command = 0;
  std::vector<std::uint8_t> frame;  // the whole request, check sum included
};

class RequestLog {
 public:
  explicit RequestLog(std::size_t capacity = 4096) : capacity_(capacity) {}

  void Add(std::chrono::microseconds time, std::span<const std::uint8_t> frame);
  void Clear();

  [[nodiscard]] std::uint64_t Count(std::uint8_t command) const { return counts_[command]; }
  [[nodiscard]] std::uint64_t Total() const { return total_; }
  [[nodiscard]] const std::deque<LoggedRequest>& Entries() const { return entries_; }
  [[nodiscard]] std::size_t Capacity() const { return capacity_; }

 private:
  std::size_t capacity_;
  std::array<std::uint64_t, 256> counts_{};
  std::uint64_t total_ = 0;
  std::deque<LoggedRequest> entries_;
};

}  // namespace lpgsim
