// How the controller answered over the last minute: the replies that passed
// their checks, the damaged ones (bytes came back but failed the checks) and
// the requests nothing answered. One bucket a second in a ring of 60, so a
// reply is counted in constant time on every poll and the oldest second
// falls out as time goes on.
#pragma once

#include <array>
#include <chrono>

namespace zo::link {

// Replies that passed their checks, that came back damaged, that never came.
struct ReplyCounts {
  int good = 0, damaged = 0, missing = 0;

  [[nodiscard]] int Total() const { return good + damaged + missing; }
  bool operator==(const ReplyCounts&) const = default;
};

class LinkQuality {
 public:
  static constexpr int kSeconds = 60;

  enum class Reply { Good, Damaged, Missing };

  // `now` is the link's monotonic time.
  void Record(Reply reply, std::chrono::microseconds now);
  // The counts of the last minute as seen at `now`.
  [[nodiscard]] ReplyCounts LastMinute(std::chrono::microseconds now) const;
  void Clear() { *this = LinkQuality{}; }

 private:
  // Empties the seconds between the newest bucket and `second`.
  void AdvanceTo(long long second);

  std::array<ReplyCounts, kSeconds> buckets_{};
  long long newest_ = 0;  // the second the newest bucket holds
  bool started_ = false;
};

}  // namespace zo::link
