#include "serial/TCommEventThread.h"

#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <termios.h>

#include <array>
#include <cerrno>
#include <system_error>

namespace zo::serial {

namespace {

constexpr std::uint32_t Bit(TCommEventType e) {
  return TCommEventTypes::Bit(e);
}

}  // namespace

TCommEventThread::TCommEventThread(int fd, TCommEventTypes events, Handler handler)
    : fd_(fd), events_(events), handler_(std::move(handler)) {}

TCommEventThread::~TCommEventThread() {
  Stop();
}

void TCommEventThread::Start() {
  wake_.Reset(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
  if (!wake_) throw std::system_error(errno, std::generic_category(), "eventfd");
  stop_ = false;
  thread_ = std::thread([this] { Run(); });
}

void TCommEventThread::Stop() {
  if (!thread_.joinable()) return;
  stop_ = true;
  Wake();
  thread_.join();
  wake_.Reset();
}

void TCommEventThread::OutputQueued() {
  outputPending_ = true;
  Wake();
}

void TCommEventThread::Wake() const {
  if (!wake_) return;
  const std::uint64_t one = 1;
  [[maybe_unused]] const auto written = ::write(wake_.Get(), &one, sizeof one);
}

void TCommEventThread::Run() {
  // Input already waiting when the thread starts is reported as arriving.
  int lastCount = 0;
  bool inputHeld = false;
  bool descriptorUsable = true;
  ModemLines lines;
  std::array<int, 5> counts{};
  bool countersKnown = false;
  // Terminals without modem lines or counters (pseudo-terminals) need no
  // periodic look at them.
  CheckModem(lines);
  const bool watchModem = lines.known;
  CheckCounters(counts, countersKnown);
  const bool watchCounters = countersKnown;

  while (!stop_) {
    const bool periodic =
        watchModem || watchCounters || inputHeld || outputPending_ || !descriptorUsable;
    std::array<pollfd, 2> fds{};
    fds[0] = pollfd{wake_.Get(), POLLIN, 0};
    // Input already reported and not yet read would make the descriptor
    // ready at once: look at the queue count periodically instead.
    const short portEvents = (descriptorUsable && !inputHeld) ? POLLIN : 0;
    // A hung-up descriptor would report its hang-up at once, every time.
    fds[1] = pollfd{descriptorUsable ? fd_ : -1, portEvents, 0};
    const int ready = ::poll(fds.data(), fds.size(), periodic ? kPollIntervalMs : -1);
    if (ready < 0 && errno != EINTR) break;
    if (fds[0].revents & POLLIN) {
      std::uint64_t value = 0;
      [[maybe_unused]] const auto got = ::read(wake_.Get(), &value, sizeof value);
    }
    if (stop_) break;

    std::uint32_t mask = 0;
    if (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) {
      // The device went away (unplugged, or the other end of a pseudo-terminal
      // closed): report it once and stop waiting on it.
      descriptorUsable = false;
      mask |= Bit(TCommEventType::evError);
    }
    mask |= CheckInput(lastCount, inputHeld);
    if (watchModem) mask |= CheckModem(lines);
    if (watchCounters) mask |= CheckCounters(counts, countersKnown);
    mask |= CheckOutput();
    mask &= events_.Bits();
    if (mask != 0 && handler_) handler_(mask);
  }
  // Nothing half-sent or half-read survives the thread.
  ::tcflush(fd_, TCIOFLUSH);
}

std::uint32_t TCommEventThread::CheckInput(int& lastCount, bool& held) const {
  int count = 0;
  if (::ioctl(fd_, FIONREAD, &count) != 0) count = 0;
  const bool arrived = count > lastCount;
  lastCount = count;
  held = count > 0;
  return arrived ? Bit(TCommEventType::evRxChar) : 0;
}

std::uint32_t TCommEventThread::CheckModem(ModemLines& lines) const {
  int bits = 0;
  if (::ioctl(fd_, TIOCMGET, &bits) != 0) {
    lines.known = false;
    return 0;
  }
  const int changed = lines.known ? (bits ^ lines.bits) : 0;
  lines.bits = bits;
  lines.known = true;
  std::uint32_t mask = 0;
  if (changed & TIOCM_CTS) mask |= Bit(TCommEventType::evCts);
  if (changed & TIOCM_DSR) mask |= Bit(TCommEventType::evDsr);
  // A ring is reported when the ring indicator goes off (trailing edge).
  if ((changed & TIOCM_RNG) && !(bits & TIOCM_RNG)) mask |= Bit(TCommEventType::evRing);
  if (changed & TIOCM_CD) mask |= Bit(TCommEventType::evRlsd);
  return mask;
}

std::uint32_t TCommEventThread::CheckCounters(std::array<int, 5>& counts, bool& known) const {
  serial_icounter_struct icount{};
  if (::ioctl(fd_, TIOCGICOUNT, &icount) != 0) {
    known = false;
    return 0;
  }
  const std::array<int, 5> now = {icount.frame, icount.overrun, icount.parity, icount.brk,
                                  icount.buf_overrun};
  std::uint32_t mask = 0;
  if (known) {
    if (now[3] != counts[3]) mask |= Bit(TCommEventType::evBreak);
    if (now[0] != counts[0] || now[1] != counts[1] || now[2] != counts[2] || now[4] != counts[4])
      mask |= Bit(TCommEventType::evError);
  }
  counts = now;
  known = true;
  return mask;
}

std::uint32_t TCommEventThread::CheckOutput() {
  if (!outputPending_) return 0;
  int count = 0;
  if (::ioctl(fd_, TIOCOUTQ, &count) != 0) count = 0;
  if (count > 0) return 0;
  outputPending_ = false;
  return Bit(TCommEventType::evTxEmpty);
}

}  // namespace zo::serial
