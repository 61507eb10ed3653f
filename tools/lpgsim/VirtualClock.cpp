#include "VirtualClock.h"

namespace lpgsim {

void VirtualClock::AdvanceTo(Duration t) {
  if (t > now_) now_ = t;
}

void VirtualClock::Advance(Duration d) {
  if (d > Duration{0}) now_ += d;
}

VirtualClock::TimerId VirtualClock::Schedule(Duration at, Callback callback) {
  const TimerId id = nextId_++;
  Insert(at, Entry{id, Duration{0}, std::move(callback)});
  return id;
}

VirtualClock::TimerId VirtualClock::SchedulePeriodic(Duration firstAt, Duration period,
                                                     Callback callback) {
  const TimerId id = nextId_++;
  const Duration step = period > Duration{0} ? period : Duration{1};
  Insert(firstAt, Entry{id, step, std::move(callback)});
  return id;
}

bool VirtualClock::Cancel(TimerId id) {
  const auto found = keys_.find(id);
  if (found == keys_.end()) return false;
  order_.erase(found->second);
  keys_.erase(found);
  return true;
}

int VirtualClock::RunDue() {
  int ran = 0;
  while (!order_.empty() && order_.begin()->first.first <= now_) {
    auto first = order_.begin();
    const Duration due = first->first.first;
    Entry entry = std::move(first->second);
    order_.erase(first);
    keys_.erase(entry.id);
    if (entry.period > Duration{0}) {
      // Re-arm before running, so that the callback may cancel its own timer.
      Duration next = due + entry.period;
      if (next <= now_) next += ((now_ - next) / entry.period + 1) * entry.period;
      Callback copy = entry.callback;
      Insert(next, std::move(entry));
      copy();
    } else {
      entry.callback();
    }
    ++ran;
  }
  return ran;
}

std::optional<VirtualClock::Duration> VirtualClock::NextDue() const {
  if (order_.empty()) return std::nullopt;
  return order_.begin()->first.first;
}

void VirtualClock::Insert(Duration at, Entry entry) {
  const Key key{at, nextSequence_++};
  keys_[entry.id] = key;
  order_.emplace(key, std::move(entry));
}

}  // namespace lpgsim
