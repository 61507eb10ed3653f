#include "TMyComm.h"

#include <poll.h>
#include <signal.h>
#include <time.h>

#include <algorithm>
#include <cerrno>

#include "ECommError.h"

namespace zo::link {

namespace {

using Clock = std::chrono::steady_clock;

timespec ToTimespec(std::chrono::nanoseconds d) {
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(d);
  return timespec{static_cast<time_t>(seconds.count()), static_cast<long>((d - seconds).count())};
}

// Waits until `fd` has input or `timeout` passes; false when the line has
// hung up (the descriptor then reports that at once, every time).
bool WaitReadable(int fd, std::chrono::nanoseconds timeout) {
  pollfd p{fd, POLLIN, 0};
  const timespec ts = ToTimespec(timeout);
  if (::ppoll(&p, 1, &ts, nullptr) <= 0) return true;
  return (p.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0;
}

void Pause(std::chrono::nanoseconds d) {
  const timespec ts = ToTimespec(d);
  ::clock_nanosleep(CLOCK_MONOTONIC, 0, &ts, nullptr);
}

}  // namespace

int TMyComm::Read(std::span<std::uint8_t> buffer) {
  const int waiting = TCoreComm::InQueCount();
  if (waiting <= 0) return 0;
  const auto n = std::min(buffer.size(), static_cast<std::size_t>(waiting));
  return std::max(0, TCoreComm::Read(buffer.first(n)));
}

bool TMyComm::WaitForInput(int count, std::chrono::microseconds timeout) {
  if (!Enabled()) return false;
  const auto deadline = Clock::now() + timeout;
  const std::chrono::nanoseconds charTime = CharacterTime();
  for (;;) {
    const int waiting = TCoreComm::InQueCount();
    if (waiting < 0) return false;
    if (waiting >= count) return true;
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero()) return true;
    if (waiting == 0) {
      // Nothing yet: the descriptor wakes us on the first byte. A line that
      // hung up cannot: the caller sleeps instead of spinning here.
      if (!WaitReadable(Descriptor(), left)) return false;
      continue;
    }
    // Part of the reply is in; the rest follows at line speed.
    const int missing = count - waiting;
    const std::chrono::nanoseconds rest =
        missing > 1 ? charTime * (missing - 1) : std::chrono::nanoseconds(kFinalSlice);
    Pause(std::min<std::chrono::nanoseconds>(rest, left));
  }
}

int TMyComm::OpenPort(const std::string& deviceName) {
  Close();
  SetDeviceName(deviceName);
  SetBaudRate(TBaudRate::br4800);
  SetParity(TParity::paNone);
  SetStopBits(TStopBits::sb10);
  SetDataBits(TDataBits::da8);
  try {
    Open();
  } catch (const ECommError& e) {
    return e.Code() > 0 ? e.Code() : EIO;
  }
  return Enabled() ? 0 : (LastError() != 0 ? LastError() : EIO);
}

}  // namespace zo::link
