#include "PollClock.h"

#include <algorithm>
#include <utility>

namespace lpgsim {

PollClock::PollClock(std::chrono::microseconds perPoll, std::vector<std::uint64_t> holdAfter)
    : perPoll_(perPoll), holdAfter_(std::move(holdAfter)) {}

bool PollClock::IsPoll(std::uint8_t command) {
  return command == 0x33 || command == 0x35 || command == 0xAC;
}

bool PollClock::Taken(std::uint8_t command) {
  if (!IsPoll(command)) return false;
  ++polls_;
  return std::find(holdAfter_.begin(), holdAfter_.end(), polls_) != holdAfter_.end();
}

}  // namespace lpgsim
