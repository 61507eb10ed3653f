// Virtual monotonic time for tests and the benchmark: time moves only when told
// to, and callbacks scheduled on it run when RunDue finds them due.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace lpgsim {

class VirtualClock {
 public:
  using Duration = std::chrono::microseconds;
  using Callback = std::function<void()>;
  using TimerId = std::uint64_t;

  [[nodiscard]] Duration Now() const { return now_; }

  // Moves time forward to `t`; an earlier `t` leaves it unchanged. No callback runs.
  void AdvanceTo(Duration t);
  void Advance(Duration d);

  // Runs `callback` once from the first RunDue at or after `at`.
  TimerId Schedule(Duration at, Callback callback);

  // Runs `callback` at `firstAt` and then every `period`. Like a toolkit timer,
  // ticks missed while nobody ran the due callbacks are not made up: after a
  // late tick the next one is the first period boundary after the present.
  TimerId SchedulePeriodic(Duration firstAt, Duration period, Callback callback);

  // Removes a pending callback; false when it had already run or was unknown.
  bool Cancel(TimerId id);

  // Runs every callback whose time has come, earliest first (scheduling order
  // for equal times), including those scheduled by callbacks while running.
  // Returns how many ran.
  int RunDue();

  [[nodiscard]] std::optional<Duration> NextDue() const;
  [[nodiscard]] std::size_t PendingCount() const { return order_.size(); }

 private:
  struct Entry {
    TimerId id = 0;
    Duration period{0};  // 0 for one-shot callbacks
    Callback callback;
  };
  using Key = std::pair<Duration, std::uint64_t>;  // due time, sequence

  void Insert(Duration at, Entry entry);

  Duration now_{0};
  std::uint64_t nextSequence_ = 0;
  TimerId nextId_ = 1;
  std::map<Key, Entry> order_;
  std::map<TimerId, Key> keys_;
};

}  // namespace lpgsim
