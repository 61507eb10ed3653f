// When to offer the connection check: after a port failed to open, and once
// the link has been lost on three connection ticks in a row. Each such
// trouble offers it once; only a link that then answers steadily for a while
// (a reconnection, not a cable that comes and goes) ends it, so a later
// trouble is offered again.
#pragma once

#include <chrono>
#include <optional>

namespace zo::link {

class CheckOffer {
 public:
  static constexpr int kLostTicksBeforeOffer = 3;
  static constexpr std::chrono::seconds kSteadyLink{10};

  // A port could not be opened. Returns whether to offer the check now.
  bool OpenFailed();
  // One more connection tick with the link lost. Returns whether to offer
  // the check now.
  bool LinkLost();
  // The link answered on a connection tick at `now` (the link's monotonic time).
  void LinkAnswering(std::chrono::microseconds now);

 private:
  bool Offer();

  bool offered_ = false;
  int lostInARow_ = 0;
  std::optional<std::chrono::microseconds> answeringSince_;
};

}  // namespace zo::link
