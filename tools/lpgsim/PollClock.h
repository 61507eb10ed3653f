// The simulated controller's clock when it follows the tool's polls rather
// than the wall: each poll of the live values moves it on by a fixed step,
// nothing else does. What the controller answers is then a fixed function of
// the number of polls, however fast or slow the tool and the machine are, so
// two runs of the same tool give the same data. It also tells the server
// when to hold: after given numbers of polls.
#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

namespace lpgsim {

class PollClock {
 public:
  // `perPoll` is the time between two polls; `holdAfter` the poll counts
  // after which the server holds.
  PollClock(std::chrono::microseconds perPoll, std::vector<std::uint64_t> holdAfter);

  // Live data, a switch request and configuration data: what the tool asks
  // for at its polling pace.
  static bool IsPoll(std::uint8_t command);

  // The controller's time for the request being received.
  [[nodiscard]] std::chrono::microseconds Now() const {
    return perPoll_ * static_cast<std::int64_t>(polls_);
  }
  [[nodiscard]] std::uint64_t Polls() const { return polls_; }

  // A request with `command` was taken; true when the server is to hold now.
  bool Taken(std::uint8_t command);

 private:
  std::chrono::microseconds perPoll_;
  std::vector<std::uint64_t> holdAfter_;
  std::uint64_t polls_ = 0;
};

}  // namespace lpgsim
