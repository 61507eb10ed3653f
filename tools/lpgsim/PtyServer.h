// Serves a simulated controller on a pseudo-terminal in real time, at the pace
// of a 4800-baud line: each request byte reaches the controller one character
// time after the previous one, and each reply byte is handed to the tool when
// its stop bit would have arrived (or, unpaced, at once). The controller's
// clock is the wall clock or, when asked, one that follows the polls
// (PollClock); the server can hold after given numbers of polls, answering
// no poll until it is released. The server registers its terminal as
// COM<N> in the user's port folder, holding a lock beside it, and removes
// that entry when it ends.
#pragma once

#include <signal.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FaultInjector.h"
#include "PollClock.h"
#include "SimController.h"
#include "platform/UniqueFd.h"

namespace lpgsim {

struct PtyServerConfig {
  int port = 99;
  std::filesystem::path portFolder;              // where COM<port> is made
  std::optional<std::filesystem::path> logFile;  // one line per request
  // Where the parameter image is kept whenever it changes, so that a
  // simulator started again (after being killed) is the same controller.
  std::optional<std::filesystem::path> persistFile;
  // Silence switched on after this long and, when given, off again after
  // silentFor.
  std::optional<std::chrono::milliseconds> silentAfter;
  std::optional<std::chrono::milliseconds> silentFor;
  bool verbose = false;
  // Off: requests reach the controller and replies the tool at once.
  bool paced = true;
  // Set: the controller's clock moves on by this much with each poll and
  // stands otherwise, instead of following the wall clock.
  std::optional<std::chrono::microseconds> pollClock;
  // After each of these numbers of polls the server holds until SIGUSR2
  // releases it (SIGUSR2 also holds at any time): the tool gets no new live
  // values, as the replies to the polls are lost (a switch request still
  // acts) and the poll clock stands; other requests are answered.
  std::vector<std::uint64_t> holdAfter;
};

class PtyServer {
 public:
  static constexpr std::chrono::nanoseconds kCharacterTime{2083333};  // 10 bits at 4800 baud
  // Bytes taken from the terminal ahead of the line (about 8.5 s at 4800
  // baud). Beyond that the input waits in the terminal, and a writer that
  // does not stop is held up there, so the memory stays bounded.
  static constexpr std::size_t kInputAhead = 4096;

  PtyServer(SimController& controller, FaultInjector& faults, PtyServerConfig config);
  ~PtyServer();
  PtyServer(const PtyServer&) = delete;
  PtyServer& operator=(const PtyServer&) = delete;

  // Opens the terminal and registers the port; false with `error` set when
  // that fails.
  bool Start(std::string& error);
  // The signals the server takes through a descriptor: SIGINT, SIGTERM and
  // SIGHUP end it, SIGUSR1 toggles silence, SIGUSR2 holding. The caller
  // blocks them before anything else runs.
  static sigset_t Signals();

  // Serves until SIGINT, SIGTERM or SIGHUP. Returns the exit status.
  int Run();

  [[nodiscard]] const std::string& Device() const { return device_; }
  [[nodiscard]] const std::filesystem::path& PortLink() const { return link_; }

 private:
  struct TimedByte {
    std::chrono::nanoseconds at{0};
    std::uint8_t value = 0;
  };
  struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };

  [[nodiscard]] std::chrono::nanoseconds Now() const;
  bool TakePortLock(std::string& error);
  [[nodiscard]] std::filesystem::path EntryLeftBehind() const;
  bool Register(std::string& error);
  void Unregister();
  void TakeInput(std::chrono::nanoseconds now);
  void DeliverToController(std::chrono::nanoseconds now);
  void SendDue(std::chrono::nanoseconds now);
  void LogRequest();
  void Persist();
  bool HandleSignal();  // false: stop
  void SetSilence(bool on);
  void SetHeld(bool on);
  [[nodiscard]] std::optional<std::chrono::nanoseconds> NextWake() const;

  SimController& controller_;
  FaultInjector& faults_;
  PtyServerConfig config_;
  zo::platform::UniqueFd master_;
  zo::platform::UniqueFd slave_;  // held so the line survives the tool's reopening
  zo::platform::UniqueFd signals_;
  std::string device_;
  std::filesystem::path link_;
  bool registered_ = false;
  std::filesystem::path lockPath_;
  zo::platform::UniqueFd lock_;  // held while the server runs
  std::unique_ptr<std::FILE, FileCloser> log_;
  std::uint64_t logged_ = 0;
  std::optional<ParameterImage> persisted_;  // what the persist file holds

  std::chrono::steady_clock::time_point start_;
  std::deque<TimedByte> toController_;
  std::chrono::nanoseconds toControllerFree_{0};
  std::deque<TimedByte> toTool_;
  std::chrono::nanoseconds toToolFree_{0};
  std::optional<std::chrono::nanoseconds> silenceOn_;
  std::optional<std::chrono::nanoseconds> silenceOff_;
  PollClock polls_;
  bool held_ = false;
};

}  // namespace lpgsim
