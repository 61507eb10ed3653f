#include "RequestLog.h"

namespace lpgsim {

void RequestLog::Add(std::chrono::microseconds time, std::span<const std::uint8_t> frame) {
  if (frame.empty()) return;
  ++counts_[frame[0]];
  ++total_;
  if (capacity_ == 0) return;
  while (entries_.size() >= capacity_)
    entries_.pop_front();
  entries_.push_back(LoggedRequest{time, frame[0], {frame.begin(), frame.end()}});
}

void RequestLog::Clear() {
  counts_.fill(0);
  total_ = 0;
  entries_.clear();
}

}  // namespace lpgsim
