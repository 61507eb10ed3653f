// The event pump of the link on virtual time: processing messages runs the
// clock's due callbacks (the emulated timers), sleeping moves the clock.
#pragma once

#include <chrono>
#include <optional>

#include "VirtualClock.h"
#include "link/IEventPump.h"

namespace lpgsim {

class VirtualPump : public zo::link::IEventPump {
 public:
  explicit VirtualPump(VirtualClock& clock) : clock_(clock) {}

  void ProcessMessages() override;
  void Sleep(std::chrono::microseconds duration) override;
  [[nodiscard]] std::chrono::microseconds Now() const override { return clock_.Now(); }

  // How often the link kept the user interface alive, and the longest stretch
  // of virtual time between two consecutive ProcessMessages calls.
  [[nodiscard]] long ProcessCount() const { return processCount_; }
  [[nodiscard]] std::chrono::microseconds MaxGap() const { return maxGap_; }
  [[nodiscard]] std::optional<std::chrono::microseconds> LastProcessTime() const {
    return lastProcess_;
  }
  [[nodiscard]] long SleepCount() const { return sleepCount_; }

  // Starts counting afresh, e.g. after the set-up phase of a test.
  void ResetStatistics();

 private:
  VirtualClock& clock_;
  long processCount_ = 0;
  long sleepCount_ = 0;
  std::chrono::microseconds maxGap_{0};
  std::optional<std::chrono::microseconds> lastProcess_;
};

}  // namespace lpgsim
