#include "LinkQuality.h"

#include <algorithm>

namespace zo::link {

namespace {

long long SecondOf(std::chrono::microseconds now) {
  return std::chrono::duration_cast<std::chrono::seconds>(now).count();
}

std::size_t Slot(long long second) {
  const long long n = LinkQuality::kSeconds;
  return static_cast<std::size_t>(((second % n) + n) % n);
}

}  // namespace

void LinkQuality::AdvanceTo(long long second) {
  if (!started_ || second - newest_ >= kSeconds) {
    buckets_.fill({});
  } else {
    for (long long s = newest_ + 1; s <= second; ++s)
      buckets_[Slot(s)] = {};
  }
  newest_ = second;
  started_ = true;
}

void LinkQuality::Record(Reply reply, std::chrono::microseconds now) {
  const long long second = SecondOf(now);
  // A time before the newest second (a clock that went back) counts there.
  if (!started_ || second > newest_) AdvanceTo(second);
  ReplyCounts& bucket = buckets_[Slot(newest_)];
  switch (reply) {
    case Reply::Good:
      ++bucket.good;
      break;
    case Reply::Damaged:
      ++bucket.damaged;
      break;
    case Reply::Missing:
      ++bucket.missing;
      break;
  }
}

ReplyCounts LinkQuality::LastMinute(std::chrono::microseconds now) const {
  ReplyCounts sum;
  if (!started_) return sum;
  const long long second = SecondOf(now);
  for (long long s = std::max(newest_ - kSeconds + 1, second - kSeconds + 1); s <= newest_; ++s) {
    const ReplyCounts& bucket = buckets_[Slot(s)];
    sum.good += bucket.good;
    sum.damaged += bucket.damaged;
    sum.missing += bucket.missing;
  }
  return sum;
}

}  // namespace zo::link
