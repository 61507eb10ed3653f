// The event pump of the link in real time, with the two timers of the main
// window: processing messages runs every timer that is due, except one whose
// handler is running already (as the toolkit does).
#pragma once

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include "link/IEventPump.h"

namespace zo::test {

class RealTimeLoop : public link::IEventPump {
 public:
  using Clock = std::chrono::steady_clock;

  struct Timer {
    std::function<bool()> enabled;
    std::function<int()> intervalMs;
    std::function<void()> fire;
    Clock::time_point next{};
    bool wasEnabled = false;
    bool running = false;
  };

  void AddTimer(Timer timer) { timers_.push_back(std::move(timer)); }

  void ProcessMessages() override { RunDue(); }
  void Sleep(std::chrono::microseconds duration) override { std::this_thread::sleep_for(duration); }
  [[nodiscard]] std::chrono::microseconds Now() const override {
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start_);
  }

  // Runs the timers until `done` holds or `timeout` passes; returns `done()`.
  template <typename Done>
  bool RunUntil(Done done, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!done() && Clock::now() < deadline) {
      RunDue();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
  }
  void RunFor(std::chrono::milliseconds duration) {
    RunUntil([] { return false; }, duration);
  }

 private:
  void RunDue() {
    for (auto& t : timers_) {
      const auto now = Clock::now();
      const bool enabled = t.enabled();
      if (!enabled) {
        t.wasEnabled = false;
        continue;
      }
      const auto interval = std::chrono::milliseconds(t.intervalMs());
      if (!t.wasEnabled) {  // (re)started: first tick one interval later
        t.wasEnabled = true;
        t.next = now + interval;
        continue;
      }
      if (t.running || now < t.next) continue;
      t.next = now + interval;
      t.running = true;
      t.fire();
      t.running = false;
    }
  }

  Clock::time_point start_ = Clock::now();
  std::vector<Timer> timers_;
};

}  // namespace zo::test
