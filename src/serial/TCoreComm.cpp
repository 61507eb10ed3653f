#include "serial/TCoreComm.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <system_error>

#include "serial/ECommError.h"
#include "serial/TCommEventThread.h"
#include "serial/TermiosBitRate.h"

namespace zo::serial {

namespace {

using Clock = std::chrono::steady_clock;

std::optional<speed_t> StandardSpeed(int rate) {
  switch (rate) {
    case 110:
      return B110;
    case 300:
      return B300;
    case 600:
      return B600;
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    default:
      return std::nullopt;
  }
}

tcflag_t SizeFlag(TDataBits bits) {
  switch (bits) {
    case TDataBits::da5:
      return CS5;
    case TDataBits::da6:
      return CS6;
    case TDataBits::da7:
      return CS7;
    case TDataBits::da8:
      return CS8;
    case TDataBits::da4:
      break;
  }
  // Terminals know no 4-bit characters.
  throw ECommError(ECommError::kDataControlBlock, EINVAL);
}

// Waits until `fd` is ready for `events` or `deadline` passes; false on time-out.
bool WaitReady(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() < 0) return false;
    pollfd p{fd, events, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(left.count()) + 1);
    // Hung up: no more data will come, and the descriptor stays "ready".
    if (ready > 0) return (p.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0;
    if (ready == 0) return false;
    if (errno != EINTR) return false;
  }
}

}  // namespace

TCoreComm::TCoreComm(PortRoots roots) : portMap_(std::move(roots)) {
  eventChars_.SetOnChange([this] { ApplyLineSettingsIfOpen(); });
}

TCoreComm::~TCoreComm() {
  Close();
}

bool TCoreComm::Enabled() const {
  std::lock_guard guard(lock_);
  return enabled_;
}

bool TCoreComm::HungUp() const {
  std::lock_guard guard(lock_);
  if (!enabled_) return false;
  pollfd p{fd_.Get(), 0, 0};
  return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

bool TCoreComm::EventThreadRunning() const {
  std::lock_guard guard(lock_);
  return eventThread_ && eventThread_->Running();
}

void TCoreComm::Open() {
  std::optional<ECommError> error;
  {
    std::lock_guard guard(lock_);
    if (enabled_) {
      error.emplace(ECommError::kPortAssigned, -1);
    } else if (CreateHandle(deviceName_)) {
      try {
        ApplyTimeouts();
        ApplyLineSettings();
        // The driver's queues have fixed sizes here; the sizes are kept.
        ::tcflush(fd_.Get(), TCIOFLUSH);
        eventThread_ = std::make_unique<TCommEventThread>(
            fd_.Get(), monitorEvents_, [this](std::uint32_t mask) { QueueEvent(mask); });
        eventThread_->Start();
      } catch (const ECommError& e) {
        CloseUnlocked();
        error.emplace(e);
      } catch (const std::system_error& e) {
        // No event thread: the port is not usable as a component.
        CloseUnlocked();
        lastError_ = e.code().value();
      }
    }
  }
  if (error) throw *error;
}

void TCoreComm::RequestLowLatency(int fd) {
  // USB-serial adapters hold received bytes up to a latency timer (16 ms on
  // FTDI's) before passing them on; asked for low latency, the kernel's
  // driver lowers it to 1 ms. A device without the setting (a
  // pseudo-terminal, an on-board UART) refuses, and works as it is.
  constexpr int kLowLatency = static_cast<int>(ASYNC_LOW_LATENCY);
  serial_struct serial{};
  if (::ioctl(fd, TIOCGSERIAL, &serial) != 0 || (serial.flags & kLowLatency) != 0) return;
  serial.flags |= kLowLatency;
  static_cast<void>(::ioctl(fd, TIOCSSERIAL, &serial));
}

bool TCoreComm::CreateHandle(const std::string& name) {
  const std::optional<std::string> path = portMap_.Resolve(name);
  devicePath_ = path.value_or(std::string());
  if (!path) {
    lastError_ = ENOENT;
    return false;
  }
  platform::UniqueFd fd(::open(path->c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (!fd) {
    lastError_ = errno;
    return false;
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0 || !S_ISCHR(info.st_mode)) {
    lastError_ = ENOTTY;
    return false;
  }
  // Exclusive: an advisory lock that every cooperating program honours, and
  // the terminal's own exclusive mode against further opens.
  if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
    lastError_ = (errno == EWOULDBLOCK) ? EBUSY : errno;
    return false;
  }
  if (::ioctl(fd.Get(), TIOCEXCL) != 0) {
    lastError_ = errno;  // ENOTTY: a character device that is not a terminal
    return false;
  }
  RequestLowLatency(fd.Get());
  fd_ = std::move(fd);
  enabled_ = true;
  lastError_ = 0;
  outputSuspended_ = false;
  errorCounts_.fill(0);
  serial_icounter_struct icount{};
  if (::ioctl(fd_.Get(), TIOCGICOUNT, &icount) == 0)
    errorCounts_ = {icount.frame, icount.overrun, icount.parity, icount.brk, icount.buf_overrun};
  return true;
}

std::uint32_t TCoreComm::WriteTotalMultiplier() const {
  // 3840 ms per byte at 4800 bit/s; the first rate must not divide by zero.
  const auto position = static_cast<std::uint32_t>(baudRate_);
  return 19200u / std::max(1u, position);
}

std::chrono::milliseconds TCoreComm::WriteBudget(std::size_t bytes) const {
  // The total time-out, but no longer than the line needs for the bytes at
  // the configured rate, twice over: a device that takes nothing (gone, or
  // held by its handshake) must not hold the caller, the user interface, for
  // seconds per byte.
  constexpr std::uint64_t kBitsPerByte = 12;  // start, 8 data, parity, 2 stop at the most
  constexpr std::chrono::milliseconds kSlack{50};
  const auto rate = static_cast<std::uint64_t>(std::max(1, BitRate(baudRate_)));
  const std::chrono::milliseconds line{(2 * kBitsPerByte * bytes * 1000 + rate - 1) / rate};
  const std::chrono::milliseconds total{std::uint64_t{writeMultiplier_} * bytes};
  return std::min(total, line + kSlack);
}

void TCoreComm::ApplyTimeouts() {
  // Reads wait at most kReadTotalConstant; a write at most the multiplier per
  // byte. Nothing of this is kept by the driver, so it cannot fail here.
  writeMultiplier_ = WriteTotalMultiplier();
}

void TCoreComm::ApplyLineSettings() {
  termios t{};
  if (::tcgetattr(fd_.Get(), &t) != 0) throw ECommError(ECommError::kDataControlBlock, errno);
  t = ComposeLineSettings(t);
  if (::tcsetattr(fd_.Get(), TCSANOW, &t) != 0)
    throw ECommError(ECommError::kDataControlBlock, errno);
  const int rate = BitRate(baudRate_);
  if (!StandardSpeed(rate)) {
    if (const int error = SetArbitraryBitRate(fd_.Get(), rate); error != 0)
      throw ECommError(ECommError::kDataControlBlock, error);
  }
}

termios TCoreComm::ComposeLineSettings(termios t) const {
  // Raw bytes in both directions: no line editing, echo, signals or
  // translation of carriage returns.
  t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                      IXANY | INPCK | IGNPAR);
  t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  t.c_cflag |= CLOCAL | CREAD;

  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE);
  t.c_cflag |= SizeFlag(dataBits_);

  t.c_cflag &= ~static_cast<tcflag_t>(PARENB | PARODD | CMSPAR);
  switch (parity_) {
    case TParity::paNone:
      break;
    case TParity::paOdd:
      t.c_cflag |= PARENB | PARODD;
      break;
    case TParity::paEven:
      t.c_cflag |= PARENB;
      break;
    case TParity::paMark:
      t.c_cflag |= PARENB | CMSPAR | PARODD;
      break;
    case TParity::paSpace:
      t.c_cflag |= PARENB | CMSPAR;
      break;
  }
  // 1.5 stop bits exist only with 5-bit characters, where the UART sends them
  // when two are asked for.
  if (stopBits_ == TStopBits::sb10)
    t.c_cflag &= ~static_cast<tcflag_t>(CSTOPB);
  else
    t.c_cflag |= CSTOPB;

  t.c_cc[VSTART] = eventChars_.XOnChar();
  t.c_cc[VSTOP] = eventChars_.XOffChar();
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;

  // Parity errors: checked only when asked; a byte that fails is replaced
  // (by NUL, the only replacement terminals offer) or, without the error
  // character option, dropped.
  if (options_.Has(TCommOption::coParityCheck)) {
    t.c_iflag |= INPCK;
    if (!options_.Has(TCommOption::coErrorChar)) t.c_iflag |= IGNPAR;
  }

  switch (flowControl_) {
    case TFlowControl::fcNone:
    case TFlowControl::fcDTR:  // terminals have no DTR/DSR handshake
      t.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
      t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF);
      break;
    case TFlowControl::fcCTS:
      t.c_cflag |= CRTSCTS;
      t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF);
      break;
    case TFlowControl::fcSoftware:
      t.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
      t.c_iflag |= IXOFF;
      // Continue sending after XOFF: do not obey received XON/XOFF.
      if (options_.Has(TCommOption::coIgnoreXOff))
        t.c_iflag &= ~static_cast<tcflag_t>(IXON);
      else
        t.c_iflag |= IXON;
      break;
    case TFlowControl::fcDefault:
      // The driver's own hardware handshake stays. Its software handshake
      // does not: a terminal starts with IXON on, which would take every
      // 0x11 and 0x13 out of the controller's binary replies and stop the
      // output at each 0x13 until a 0x11 came.
      t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF);
      break;
  }

  // Rates without a constant are set afterwards through termios2.
  if (const std::optional<speed_t> speed = StandardSpeed(BitRate(baudRate_))) {
    ::cfsetispeed(&t, *speed);
    ::cfsetospeed(&t, *speed);
  }
  return t;
}

void TCoreComm::ApplyLineSettingsIfOpen() {
  std::lock_guard guard(lock_);
  if (enabled_) ApplyLineSettings();
}

void TCoreComm::Close() {
  std::lock_guard guard(lock_);
  CloseUnlocked();
}

void TCoreComm::CloseUnlocked() {
  if (eventThread_) {
    eventThread_->Stop();
    eventThread_.reset();
  }
  if (fd_) {
    // Leave the terminal open to others again (the exclusive mode outlives
    // this descriptor when another one is open, as with a pseudo-terminal).
    ::ioctl(fd_.Get(), TIOCNXCL);
    fd_.Reset();
  }
  enabled_ = false;
  std::lock_guard events(eventsLock_);
  pendingEvents_.clear();
}

int TCoreComm::Write(std::span<const std::uint8_t> data) {
  std::lock_guard guard(lock_);
  if (!enabled_) return -1;
  const auto deadline = Clock::now() + WriteBudget(data.size());
  std::size_t written = 0;
  while (written < data.size()) {
    const ssize_t n = ::write(fd_.Get(), data.data() + written, data.size() - written);
    if (n > 0) {
      written += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) {
      TComStat ignored;
      ClearErrors(ignored);
      break;
    }
    if (!WaitReady(fd_.Get(), POLLOUT, deadline)) break;
  }
  if (written > 0 && eventThread_) eventThread_->OutputQueued();
  return static_cast<int>(written);
}

int TCoreComm::Read(std::span<std::uint8_t> data) {
  std::lock_guard guard(lock_);
  if (!enabled_) return -1;
  TComStat ignored;
  ClearErrors(ignored);
  if (data.empty()) return 0;
  const auto deadline = Clock::now() + kReadTotalConstant;
  std::size_t got = 0;
  while (got < data.size()) {
    const ssize_t n = ::read(fd_.Get(), data.data() + got, data.size() - got);
    if (n > 0) {
      got += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    // Without a minimum count the terminal answers 0 when nothing waits.
    if (n < 0 && errno != EAGAIN) break;
    if (!WaitReady(fd_.Get(), POLLIN, deadline)) break;
  }
  return static_cast<int>(got);
}

int TCoreComm::InQueCount() const {
  std::lock_guard guard(lock_);
  if (!enabled_) return -1;
  int count = 0;
  if (::ioctl(fd_.Get(), FIONREAD, &count) != 0) return 0;
  return count;
}

int TCoreComm::OutQueCount() const {
  std::lock_guard guard(lock_);
  if (!enabled_) return -1;
  int count = 0;
  if (::ioctl(fd_.Get(), TIOCOUTQ, &count) != 0) return 0;
  return count;
}

void TCoreComm::PurgeIn() {
  std::lock_guard guard(lock_);
  if (enabled_) ::tcflush(fd_.Get(), TCIFLUSH);
}

void TCoreComm::PurgeOut() {
  std::lock_guard guard(lock_);
  if (enabled_) ::tcflush(fd_.Get(), TCOFLUSH);
}

bool TCoreComm::GetModemState(int line) const {
  std::lock_guard guard(lock_);
  if (!enabled_) return false;
  int bits = 0;
  if (::ioctl(fd_.Get(), TIOCMGET, &bits) != 0) return false;
  switch (line) {
    case 1:
      return (bits & TIOCM_CTS) != 0;
    case 2:
      return (bits & TIOCM_DSR) != 0;
    case 3:
      return (bits & TIOCM_RNG) != 0;
    case 4:
      return (bits & TIOCM_CD) != 0;
    default:
      return false;
  }
}

std::uint32_t TCoreComm::HoldFlags() const {
  std::uint32_t flags = 0;
  termios t{};
  int bits = 0;
  if (::tcgetattr(fd_.Get(), &t) == 0 && (t.c_cflag & CRTSCTS) &&
      ::ioctl(fd_.Get(), TIOCMGET, &bits) == 0 && !(bits & TIOCM_CTS))
    flags |= kHoldCts;
  if (outputSuspended_) flags |= kHoldXoff;
  return flags;
}

bool TCoreComm::GetComState(int flag) const {
  std::lock_guard guard(lock_);
  if (!enabled_) return false;
  const std::uint32_t flags = HoldFlags();
  switch (flag) {
    case 2:
      return (flags & kHoldDsr) != 0;
    case 3:
      return (flags & kHoldRlsd) != 0;
    case 4:
      return (flags & kHoldXoff) != 0;
    case 5:
      return (flags & kXoffSent) != 0;
    default:
      return (flags & kHoldCts) != 0;
  }
}

std::uint32_t TCoreComm::ClearErrors(TComStat& comStat) {
  std::uint32_t errors = 0;
  serial_icounter_struct icount{};
  if (::ioctl(fd_.Get(), TIOCGICOUNT, &icount) == 0) {
    const std::array<int, 5> now = {icount.frame, icount.overrun, icount.parity, icount.brk,
                                    icount.buf_overrun};
    if (now[0] != errorCounts_[0]) errors |= kCeFrame;
    if (now[1] != errorCounts_[1]) errors |= kCeOverrun;
    if (now[2] != errorCounts_[2]) errors |= kCeRxParity;
    if (now[3] != errorCounts_[3]) errors |= kCeBreak;
    if (now[4] != errorCounts_[4]) errors |= kCeRxOver;
    errorCounts_ = now;
  }
  int in = 0, out = 0;
  if (::ioctl(fd_.Get(), FIONREAD, &in) != 0) in = 0;
  if (::ioctl(fd_.Get(), TIOCOUTQ, &out) != 0) out = 0;
  comStat.inQue = static_cast<std::uint32_t>(std::max(0, in));
  comStat.outQue = static_cast<std::uint32_t>(std::max(0, out));
  comStat.flags = HoldFlags();
  return errors;
}

void TCoreComm::EscapeComm(TEscapeFunction function) {
  std::lock_guard guard(lock_);
  if (!enabled_) throw ECommError(ECommError::kNotOpen, -1);
  const int fd = fd_.Get();
  int result = 0;
  int line = 0;
  switch (function) {
    case TEscapeFunction::SetXOff:
      result = ::tcflow(fd, TCOOFF);
      if (result == 0) outputSuspended_ = true;
      break;
    case TEscapeFunction::SetXOn:
      result = ::tcflow(fd, TCOON);
      if (result == 0) outputSuspended_ = false;
      break;
    case TEscapeFunction::SetRts:
      line = TIOCM_RTS;
      result = ::ioctl(fd, TIOCMBIS, &line);
      break;
    case TEscapeFunction::ClrRts:
      line = TIOCM_RTS;
      result = ::ioctl(fd, TIOCMBIC, &line);
      break;
    case TEscapeFunction::SetDtr:
      line = TIOCM_DTR;
      result = ::ioctl(fd, TIOCMBIS, &line);
      break;
    case TEscapeFunction::ClrDtr:
      line = TIOCM_DTR;
      result = ::ioctl(fd, TIOCMBIC, &line);
      break;
    case TEscapeFunction::SetBreak:
      result = ::ioctl(fd, TIOCSBRK);
      break;
    case TEscapeFunction::ClrBreak:
      result = ::ioctl(fd, TIOCCBRK);
      break;
  }
  if (result != 0) throw ECommError(ECommError::kEscape, errno);
}

void TCoreComm::SetDTRState(bool on) {
  EscapeComm(on ? TEscapeFunction::SetDtr : TEscapeFunction::ClrDtr);
}

void TCoreComm::SetRTSState(bool on) {
  EscapeComm(on ? TEscapeFunction::SetRts : TEscapeFunction::ClrRts);
}

void TCoreComm::SetBREAKState(bool on) {
  EscapeComm(on ? TEscapeFunction::SetBreak : TEscapeFunction::ClrBreak);
  PurgeOut();
  PurgeIn();
}

void TCoreComm::SetXONState(bool on) {
  EscapeComm(on ? TEscapeFunction::SetXOn : TEscapeFunction::SetXOff);
}

void TCoreComm::SetDeviceName(std::string name) {
  std::lock_guard guard(lock_);
  if (!enabled_) deviceName_ = std::move(name);
}

void TCoreComm::SetReadBufSize(std::uint16_t size) {
  std::lock_guard guard(lock_);
  if (!enabled_) readBufSize_ = size;
}

void TCoreComm::SetWriteBufSize(std::uint16_t size) {
  std::lock_guard guard(lock_);
  if (!enabled_) writeBufSize_ = size;
}

void TCoreComm::SetSuspendTime(std::uint32_t time) {
  std::lock_guard guard(lock_);
  if (!enabled_) suspendTime_ = time;
}

void TCoreComm::SetMonitorEvents(TCommEventTypes events) {
  std::lock_guard guard(lock_);
  if (!enabled_) monitorEvents_ = events;
}

void TCoreComm::SetBaudRate(TBaudRate rate) {
  std::lock_guard guard(lock_);
  if (rate == baudRate_) return;
  baudRate_ = rate;
  writeMultiplier_ = WriteTotalMultiplier();
  ApplyLineSettingsIfOpen();
}

void TCoreComm::SetParity(TParity parity) {
  std::lock_guard guard(lock_);
  if (parity == parity_) return;
  parity_ = parity;
  ApplyLineSettingsIfOpen();
}

void TCoreComm::SetStopBits(TStopBits bits) {
  std::lock_guard guard(lock_);
  if (bits == stopBits_) return;
  stopBits_ = bits;
  ApplyLineSettingsIfOpen();
}

void TCoreComm::SetDataBits(TDataBits bits) {
  std::lock_guard guard(lock_);
  if (bits == dataBits_) return;
  dataBits_ = bits;
  ApplyLineSettingsIfOpen();
}

void TCoreComm::SetOptions(TCommOptions options) {
  std::lock_guard guard(lock_);
  if (options == options_) return;
  options_ = options;
  ApplyLineSettingsIfOpen();
}

void TCoreComm::SetFlowControl(TFlowControl flow) {
  std::lock_guard guard(lock_);
  if (flow == flowControl_) return;
  flowControl_ = flow;
  ApplyLineSettingsIfOpen();
}

void TCoreComm::SetEventNotifier(std::function<void()> notifier) {
  std::lock_guard events(eventsLock_);
  notifier_ = std::move(notifier);
}

void TCoreComm::QueueEvent(std::uint32_t mask) {
  std::function<void()> notify;
  {
    std::lock_guard events(eventsLock_);
    pendingEvents_.push_back(mask);
    // A user-interface thread that stops dispatching must not let the queue
    // grow without bound: merge into the newest entry.
    if (pendingEvents_.size() > 256) {
      const std::uint32_t last = pendingEvents_.back();
      pendingEvents_.pop_back();
      pendingEvents_.back() |= last;
    }
    notify = notifier_;
  }
  if (notify) notify();
}

int TCoreComm::DispatchPendingEvents() {
  int ran = 0;
  for (;;) {
    std::uint32_t mask = 0;
    {
      std::lock_guard events(eventsLock_);
      if (pendingEvents_.empty()) break;
      mask = pendingEvents_.front();
      pendingEvents_.pop_front();
    }
    HandleCommEvent(mask);
    ++ran;
  }
  return ran;
}

void TCoreComm::HandleCommEvent(std::uint32_t mask) {
  TComStat comStat;
  std::uint32_t errors = 0;
  {
    std::lock_guard guard(lock_);
    if (!enabled_) return;
    errors = ClearErrors(comStat);
  }
  const auto has = [mask](TCommEventType e) { return (mask & TCommEventTypes::Bit(e)) != 0; };
  if (has(TCommEventType::evBreak) && OnBreak) OnBreak(*this);
  if (has(TCommEventType::evCts) && OnCts) OnCts(*this);
  if (has(TCommEventType::evDsr) && OnDsr) OnDsr(*this);
  if (has(TCommEventType::evError) && OnError) OnError(*this, errors);
  if (has(TCommEventType::evRing) && OnRing) OnRing(*this);
  if (has(TCommEventType::evRlsd) && OnRlsd) OnRlsd(*this);
  if (has(TCommEventType::evRxChar) && OnRxChar) {
    const int count = InQueCount();
    if (count > 0) OnRxChar(*this, static_cast<std::uint32_t>(count));
  }
  if (has(TCommEventType::evRxFlag) && OnRxFlag) OnRxFlag(*this);
  if (has(TCommEventType::evTxEmpty) && OnTxEmpty) OnTxEmpty(*this);
  if (OnComStatEvent) OnComStatEvent(*this, mask, comStat);
}

}  // namespace zo::serial
