#include "PtyServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace lpgsim {

namespace {

namespace fs = std::filesystem;
using std::chrono::nanoseconds;

timespec ToTimespec(nanoseconds d) {
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(d);
  return timespec{static_cast<time_t>(seconds.count()), static_cast<long>((d - seconds).count())};
}

}  // namespace

PtyServer::PtyServer(SimController& controller, FaultInjector& faults, PtyServerConfig config)
    : controller_(controller),
      faults_(faults),
      config_(std::move(config)),
      polls_(config_.pollClock.value_or(std::chrono::microseconds(0)), config_.holdAfter) {}

PtyServer::~PtyServer() {
  Unregister();
}

nanoseconds PtyServer::Now() const {
  return std::chrono::duration_cast<nanoseconds>(std::chrono::steady_clock::now() - start_);
}

bool PtyServer::Start(std::string& error) {
  master_.Reset(::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (!master_ || ::grantpt(master_.Get()) != 0 || ::unlockpt(master_.Get()) != 0) {
    error = std::string("no pseudo-terminal: ") + std::strerror(errno);
    return false;
  }
  std::array<char, 128> name{};
  if (::ptsname_r(master_.Get(), name.data(), name.size()) != 0) {
    error = "no pseudo-terminal name";
    return false;
  }
  device_ = name.data();
  slave_.Reset(::open(device_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (!slave_) {
    error = "cannot open " + device_ + ": " + std::strerror(errno);
    return false;
  }
  // Raw from the start, so that nothing is echoed or translated before the
  // tool sets its line up.
  termios t{};
  ::tcgetattr(slave_.Get(), &t);
  ::cfmakeraw(&t);
  ::cfsetispeed(&t, B4800);
  ::cfsetospeed(&t, B4800);
  ::tcsetattr(slave_.Get(), TCSANOW, &t);

  const sigset_t set = Signals();
  signals_.Reset(::signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK));
  if (!signals_) {
    error = std::string("no signal descriptor: ") + std::strerror(errno);
    return false;
  }
  if (config_.logFile) {
    log_.reset(std::fopen(config_.logFile->c_str(), "w"));
    if (!log_) {
      error = "cannot write " + config_.logFile->string() + ": " + std::strerror(errno);
      return false;
    }
  }
  Persist();
  start_ = std::chrono::steady_clock::now();
  if (config_.silentAfter) {
    silenceOn_ = *config_.silentAfter;
    if (config_.silentFor) silenceOff_ = *silenceOn_ + *config_.silentFor;
  }
  return Register(error);
}

sigset_t PtyServer::Signals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  sigaddset(&set, SIGUSR1);
  sigaddset(&set, SIGUSR2);
  return set;
}

// Beside each entry it makes, the server holds a lock on ".COM<N>.lock",
// which names the device that entry leads to. The system frees the lock when
// the server ends, even when it is killed; an entry whose lock is free and
// names it is a server's left-over, whatever device its terminal's name leads
// to now (another program may have been given the same terminal since).
// The program leaves such an entry out of its port list as well.
bool PtyServer::TakePortLock(std::string& error) {
  lockPath_ = config_.portFolder / (".COM" + std::to_string(config_.port) + ".lock");
  // A server that ends removes its lock file while it holds it: a lock taken
  // on a file that is no longer the one at the path is taken again.
  for (int attempt = 0; attempt < 8; ++attempt) {
    lock_.Reset(::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!lock_) {
      error = "cannot make " + lockPath_.string() + ": " + std::strerror(errno);
      return false;
    }
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    if (::fcntl(lock_.Get(), F_OFD_SETLK, &whole) != 0) {
      error = "COM" + std::to_string(config_.port) +
              " is served by another simulator: choose another --port";
      lock_.Reset();
      return false;
    }
    struct stat held {
    }, named{};
    if (::fstat(lock_.Get(), &held) == 0 && ::stat(lockPath_.c_str(), &named) == 0 &&
        held.st_ino == named.st_ino && held.st_dev == named.st_dev)
      return true;
  }
  error = "cannot lock " + lockPath_.string();
  lock_.Reset();
  return false;
}

fs::path PtyServer::EntryLeftBehind() const {
  std::array<char, 256> text{};
  const ssize_t n = ::pread(lock_.Get(), text.data(), text.size() - 1, 0);
  return n > 0 ? fs::path(std::string(text.data(), static_cast<std::size_t>(n))) : fs::path();
}

bool PtyServer::Register(std::string& error) {
  std::error_code ec;
  fs::create_directories(config_.portFolder, ec);
  link_ = config_.portFolder / ("COM" + std::to_string(config_.port));
  if (!TakePortLock(error)) return false;
  const auto status = fs::symlink_status(link_, ec);
  if (fs::exists(status) && !fs::is_symlink(status)) {
    error = link_.string() + " exists and is not a link";
    return false;
  }
  // A link left behind by a server that was killed (its terminal is gone, is
  // the one just opened, or is named by the free lock) is replaced. A link to
  // a device that is present is someone's port: it stays, and so does the
  // server away.
  if (fs::is_symlink(status)) {
    const fs::path target = fs::read_symlink(link_, ec);
    std::error_code present;
    if (target != fs::path(device_) && target != EntryLeftBehind() && fs::exists(link_, present)) {
      error = link_.string() + " leads to " + target.string() +
              ", which is present: choose another --port or remove that entry";
      return false;
    }
    fs::remove(link_, ec);
  }
  fs::create_symlink(device_, link_, ec);
  if (ec) {
    error = "cannot make " + link_.string() + ": " + ec.message();
    return false;
  }
  if (::ftruncate(lock_.Get(), 0) != 0 || ::pwrite(lock_.Get(), device_.data(), device_.size(),
                                                   0) != static_cast<ssize_t>(device_.size())) {
    error = "cannot write " + lockPath_.string() + ": " + std::strerror(errno);
    fs::remove(link_, ec);
    return false;
  }
  registered_ = true;
  return true;
}

void PtyServer::Unregister() {
  if (registered_) {
    registered_ = false;
    std::error_code ec;
    // Only our own entry: another simulator may have taken the number since.
    if (fs::read_symlink(link_, ec) == fs::path(device_)) fs::remove(link_, ec);
  }
  if (!lock_) return;
  // Removed while held, so no other server takes a lock on this file.
  std::error_code ec;
  fs::remove(lockPath_, ec);
  lock_.Reset();
}

int PtyServer::Run() {
  for (;;) {
    const nanoseconds now = Now();
    if (silenceOn_ && now >= *silenceOn_) {
      silenceOn_.reset();
      SetSilence(true);
    }
    if (silenceOff_ && now >= *silenceOff_ && !silenceOn_) {
      silenceOff_.reset();
      SetSilence(false);
    }
    DeliverToController(now);
    SendDue(now);

    const short input = toController_.size() < kInputAhead ? short{POLLIN} : short{0};
    std::array<pollfd, 2> fds = {pollfd{master_.Get(), input, 0},
                                 pollfd{signals_.Get(), POLLIN, 0}};
    const std::optional<nanoseconds> wake = NextWake();
    timespec timeout{};
    if (wake) timeout = ToTimespec(std::max(nanoseconds(0), *wake - Now()));
    const int ready = ::ppoll(fds.data(), fds.size(), wake ? &timeout : nullptr, nullptr);
    if (ready < 0 && errno != EINTR) return 1;
    if (fds[1].revents & POLLIN) {
      if (!HandleSignal()) return 0;
    }
    if (fds[0].revents & POLLIN) TakeInput(Now());
  }
}

std::optional<nanoseconds> PtyServer::NextWake() const {
  std::optional<nanoseconds> wake;
  const auto consider = [&wake](nanoseconds at) { wake = wake ? std::min(*wake, at) : at; };
  if (!toController_.empty()) consider(toController_.front().at);
  if (!toTool_.empty()) consider(toTool_.front().at);
  if (silenceOn_) consider(*silenceOn_);
  if (silenceOff_) consider(*silenceOff_);
  return wake;
}

void PtyServer::TakeInput(nanoseconds now) {
  std::array<std::uint8_t, 256> buffer{};
  while (toController_.size() < kInputAhead) {
    const std::size_t room = std::min(buffer.size(), kInputAhead - toController_.size());
    const ssize_t n = ::read(master_.Get(), buffer.data(), room);
    if (n <= 0) return;
    // Each byte reaches the controller one character time after the previous.
    const nanoseconds pace = config_.paced ? kCharacterTime : nanoseconds(0);
    for (ssize_t i = 0; i < n; ++i) {
      toControllerFree_ = std::max(now, toControllerFree_) + pace;
      toController_.push_back(TimedByte{toControllerFree_, buffer[static_cast<std::size_t>(i)]});
    }
  }
}

void PtyServer::DeliverToController(nanoseconds now) {
  while (!toController_.empty() && toController_.front().at <= now) {
    const TimedByte b = toController_.front();
    toController_.pop_front();
    const bool held = held_;
    const auto arrival = config_.pollClock
                             ? polls_.Now()
                             : std::chrono::duration_cast<std::chrono::microseconds>(b.at);
    const std::uint64_t before = controller_.Log().Total();
    std::optional<std::vector<std::uint8_t>> reply = controller_.Receive(b.value, arrival);
    bool withheld = false;
    if (controller_.Log().Total() != before) {
      LogRequest();
      Persist();
      // While held the polls go unanswered and the clock stands; held after
      // this poll, its reply still goes out.
      const std::uint8_t command = controller_.Log().Entries().back().command;
      if (held)
        withheld = PollClock::IsPoll(command);
      else if (polls_.Taken(command))
        SetHeld(true);
    }
    if (!reply || withheld) continue;
    FaultedReply out = faults_.Apply(std::move(*reply));
    if (out.bytes.empty()) continue;
    const nanoseconds turnaround = config_.paced ? controller_.Turnaround() : nanoseconds(0);
    const nanoseconds pace = config_.paced ? kCharacterTime : nanoseconds(0);
    nanoseconds at = std::max(b.at + turnaround + out.extraDelay, toToolFree_);
    for (const std::uint8_t v : out.bytes) {
      at += pace;
      toTool_.push_back(TimedByte{at, v});
    }
    toToolFree_ = at;
  }
}

void PtyServer::SendDue(nanoseconds now) {
  std::array<std::uint8_t, 256> due{};
  std::size_t n = 0;
  while (!toTool_.empty() && toTool_.front().at <= now && n < due.size()) {
    due[n++] = toTool_.front().value;
    toTool_.pop_front();
  }
  if (n == 0) return;
  // The terminal's input queue holds 4 KB; a tool that does not read loses
  // the excess, as a real line would.
  [[maybe_unused]] const ssize_t written = ::write(master_.Get(), due.data(), n);
}

void PtyServer::LogRequest() {
  const LoggedRequest& request = controller_.Log().Entries().back();
  ++logged_;
  if (config_.verbose) {
    std::printf("request %02X (%zu bytes) at %.3f s\n", request.command, request.frame.size(),
                static_cast<double>(request.time.count()) / 1e6);
    std::fflush(stdout);
  }
  if (!log_) return;
  std::fprintf(log_.get(), "%.3f %02X", static_cast<double>(request.time.count()) / 1e3,
               request.command);
  for (const std::uint8_t b : request.frame)
    std::fprintf(log_.get(), " %02X", b);
  std::fputc('\n', log_.get());
  std::fflush(log_.get());
}

// Written beside and renamed over the file, so that a simulator killed at
// any moment leaves either the old image or the new one.
void PtyServer::Persist() {
  if (!config_.persistFile) return;
  const auto image = controller_.Image();
  if (persisted_ && std::equal(image.begin(), image.end(), persisted_->begin())) return;
  const fs::path temporary = config_.persistFile->string() + ".new";
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(temporary.c_str(), "wb"));
  if (!file || std::fwrite(image.data(), 1, image.size(), file.get()) != image.size() ||
      std::fflush(file.get()) != 0) {
    std::fprintf(stderr, "lpgsim: cannot write %s\n", temporary.c_str());
    return;
  }
  file.reset();
  std::error_code ec;
  fs::rename(temporary, *config_.persistFile, ec);
  if (ec) return;
  persisted_.emplace();
  std::copy(image.begin(), image.end(), persisted_->begin());
}

bool PtyServer::HandleSignal() {
  signalfd_siginfo info{};
  while (::read(signals_.Get(), &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
    if (info.ssi_signo == SIGUSR1) {
      SetSilence(!faults_.Silence());
    } else if (info.ssi_signo == SIGUSR2) {
      SetHeld(!held_);
    } else {
      std::printf("lpgsim: stopping after %llu requests\n",
                  static_cast<unsigned long long>(logged_));
      std::fflush(stdout);
      return false;
    }
  }
  return true;
}

void PtyServer::SetSilence(bool on) {
  faults_.SetSilence(on);
  std::printf("lpgsim: %s\n", on ? "silent" : "answering");
  std::fflush(stdout);
}

void PtyServer::SetHeld(bool on) {
  held_ = on;
  std::printf("lpgsim: %s after %llu polls\n", on ? "held" : "released",
              static_cast<unsigned long long>(polls_.Polls()));
  std::fflush(stdout);
}

}  // namespace lpgsim
