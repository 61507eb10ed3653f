// A pseudo-terminal for tests of the serial port: the test plays the device
// on the master side, the port under test opens the slave by its path.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "platform/UniqueFd.h"

namespace zo::test {

class PtyPair {
 public:
  PtyPair() {
    master_.Reset(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!master_ || ::grantpt(master_.Get()) != 0 || ::unlockpt(master_.Get()) != 0)
      throw std::runtime_error("no pseudo-terminal");
    char name[128] = {};
    if (::ptsname_r(master_.Get(), name, sizeof name) != 0)
      throw std::runtime_error("no pseudo-terminal name");
    slavePath_ = name;
    // Hold the slave open so the master never sees a hang-up between opens,
    // and make it raw before anyone writes.
    slave_.Reset(::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC));
    termios t{};
    ::tcgetattr(slave_.Get(), &t);
    ::cfmakeraw(&t);
    ::tcsetattr(slave_.Get(), TCSANOW, &t);
  }

  [[nodiscard]] const std::string& SlavePath() const { return slavePath_; }
  [[nodiscard]] int Master() const { return master_.Get(); }

  void Send(const std::vector<std::uint8_t>& bytes) const {
    [[maybe_unused]] const auto n = ::write(master_.Get(), bytes.data(), bytes.size());
  }

  // Reads what the port sent, waiting up to `timeout` for `count` bytes.
  std::vector<std::uint8_t> Receive(
      std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(2)) const {
    std::vector<std::uint8_t> got;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
      pollfd p{master_.Get(), POLLIN, 0};
      if (::poll(&p, 1, 20) <= 0) continue;
      std::uint8_t buffer[256];
      const auto n = ::read(master_.Get(), buffer, sizeof buffer);
      if (n > 0) got.insert(got.end(), buffer, buffer + n);
    }
    return got;
  }

  // The terminal's settings, as the port left them.
  [[nodiscard]] termios Settings() const {
    termios t{};
    ::tcgetattr(slave_.Get(), &t);
    return t;
  }
  void SetSettings(const termios& t) const { ::tcsetattr(slave_.Get(), TCSANOW, &t); }

 private:
  platform::UniqueFd master_;
  platform::UniqueFd slave_;
  std::string slavePath_;
};

// Polls `condition` until it holds or `timeout` passes.
template <typename Condition>
bool Eventually(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(2)) {
  return WaitFor(condition, timeout);
}

}  // namespace zo::test
