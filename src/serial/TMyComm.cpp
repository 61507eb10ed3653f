#include "serial/TMyComm.h"

#include <sys/epoll.h>

#include <algorithm>
#include <cerrno>

#include "serial/ECommError.h"

namespace zo::serial {

namespace {

using Clock = std::chrono::steady_clock;

// Watches a descriptor for arrivals. Edge-triggered, so each arrival wakes
// the wait even while earlier bytes are still waiting unread (a plain poll
// would report those at once, every time).
class ArrivalWatch {
 public:
  explicit ArrivalWatch(int fd) : epoll_(::epoll_create1(EPOLL_CLOEXEC)) {
    epoll_event e{};
    e.events = EPOLLIN | EPOLLET;
    if (epoll_ && ::epoll_ctl(epoll_.Get(), EPOLL_CTL_ADD, fd, &e) != 0) epoll_.Reset();
  }
  [[nodiscard]] bool Valid() const { return epoll_.Valid(); }

  // Waits until new input arrives or `timeout` passes; false when the line
  // has hung up (the descriptor then reports that at once, every time).
  bool Wait(std::chrono::nanoseconds timeout) {
    // Whole milliseconds, rounded up, so that no wait ends before its time.
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(timeout).count();
    epoll_event e{};
    if (::epoll_wait(epoll_.Get(), &e, 1, static_cast<int>(ms)) <= 0) return true;
    return (e.events & (EPOLLHUP | EPOLLERR)) == 0;
  }

 private:
  platform::UniqueFd epoll_;
};

}  // namespace

int TMyComm::ReadAvailable(std::span<std::uint8_t> buffer) {
  const int waiting = TCoreComm::InQueCount();
  if (waiting <= 0) return 0;
  const auto n = std::min(buffer.size(), static_cast<std::size_t>(waiting));
  return std::max(0, TCoreComm::Read(buffer.first(n)));
}

bool TMyComm::WaitForInput(int count, std::chrono::microseconds timeout) {
  if (!Enabled()) return false;
  const auto deadline = Clock::now() + timeout;
  ArrivalWatch watch(Descriptor());
  if (!watch.Valid()) return false;
  for (;;) {
    const int waiting = TCoreComm::InQueCount();
    if (waiting < 0) return false;
    if (waiting >= count) return true;
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero()) return true;
    // Once part of the reply is in, each wait is capped as well, should a
    // driver not report every arrival. A line that hung up cannot be waited
    // on: the caller sleeps instead of spinning here.
    const auto wait = waiting == 0 ? left : std::min<Clock::duration>(left, kPartialCap);
    if (!watch.Wait(wait)) return false;
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

}  // namespace zo::serial
