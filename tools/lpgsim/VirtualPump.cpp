#include "VirtualPump.h"

namespace lpgsim {

void VirtualPump::ProcessMessages() {
  const std::chrono::microseconds now = clock_.Now();
  if (lastProcess_ && now - *lastProcess_ > maxGap_) maxGap_ = now - *lastProcess_;
  lastProcess_ = now;
  ++processCount_;
  clock_.RunDue();
}

void VirtualPump::Sleep(std::chrono::microseconds duration) {
  ++sleepCount_;
  clock_.Advance(duration);
}

void VirtualPump::ResetStatistics() {
  processCount_ = 0;
  sleepCount_ = 0;
  maxGap_ = std::chrono::microseconds{0};
  lastProcess_.reset();
}

}  // namespace lpgsim
