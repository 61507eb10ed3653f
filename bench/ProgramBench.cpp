// The program itself, offscreen in a profile of its own, against the lpgsim
// executable over a pseudo-terminal: (a) from launch to the whole image read,
// start-up included, and the read alone as lpgsim saw it (from the request
// for byte 0 to the request for byte 183), each as a ratio to the
// wire time of those transactions at 4800 baud with the simulator's
// turnaround; (b) the program's processor time while it polls live data; (c)
// its peak resident memory; (d) in a second run, its processor time while it
// polls with all eight traces on the oscilloscope and four indicator windows
// open. Each figure is printed as a ratio to its limit.
// Usage: bench_program [path to ZoLpgWin] [path to lpgsim] [seconds of polling]
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "LpgsimProcess.h"
#include "ProgramProcess.h"

namespace {

using namespace std::chrono_literals;

constexpr double kCharacterMs = 10.0 * 1000.0 / 4800.0;
constexpr double kTurnaroundMs = 2.0;  // lpgsim's default
constexpr int kRequestBytes = 3;
constexpr int kReplyBytes = 4;
constexpr int kReadParam = 0x55;
constexpr int kLiveData = 0x33;
constexpr double kReadLimit = 1.2;
constexpr double kProcessorLimit = 0.03;  // of one core
constexpr double kMemoryLimitMb = 80.0;
constexpr double kVisualLimit = 0.05;  // of one core, scope and four indicators

// Processor time of a process so far, user and system, in seconds.
double ProcessorSeconds(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  // Fields after the command name, which ends with the last ')': state is
  // field 3, utime and stime are fields 14 and 15.
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  double ticks = 0;
  for (int n = 3; n <= 15 && fields >> field; ++n) {
    if (n >= 14) ticks += std::stod(field);
  }
  return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

std::optional<double> PeakResidentMb(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(file, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  }
  return std::nullopt;
}

// The read as lpgsim logged it: milliseconds from the request for byte 0 to
// the request for byte 183, and how many transactions lie between them.
std::optional<std::pair<double, int>> ReadSpan(const std::vector<zo::test::LoggedRequest>& log) {
  const auto last = std::find_if(log.begin(), log.end(), [](const zo::test::LoggedRequest& r) {
    return r.command == kReadParam && r.frame.size() > 1 && r.frame[1] == 183;
  });
  if (last == log.end()) return std::nullopt;
  for (auto first = last; first != log.begin();) {
    --first;
    if (first->command == kReadParam && first->frame.size() > 1 && first->frame[1] == 0)
      return std::pair{last->timeMs - first->timeMs, static_cast<int>(last - first)};
  }
  return std::nullopt;
}

bool Polling(const zo::test::LpgsimProcess& sim) {
  const auto log = sim.Requests();
  return std::any_of(log.begin(), log.end(),
                     [](const zo::test::LoggedRequest& r) { return r.command == kLiveData; });
}

// Processor share of one core over `seconds` of the running process.
double ProcessorShare(pid_t pid, int seconds) {
  const double before = ProcessorSeconds(pid);
  const auto from = std::chrono::steady_clock::now();
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
  const double wallS =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
  return (ProcessorSeconds(pid) - before) / wallS;
}

// The second run: every trace on, RPM as a dial, LAM and MOT as vertical bars
// and TPS as a horizontal bar. Nothing when the program did not poll.
std::optional<double> VisualShare(const std::string& program, const std::string& lpgsim,
                                  int seconds) {
  zo::test::ProgramProfile profile;
  zo::test::LpgsimProcess sim(lpgsim, profile.Config(), {"--port", "92"});
  if (!sim.Running()) return std::nullopt;
  zo::settings::Settings settings{profile.Folder().string()};
  settings.comm = sim.Port();
  settings.bounds = zo::settings::WindowBounds{0, 0, 1280, 800};  // read before the indicator slots
  for (bool* line : {&settings.lineRPM, &settings.lineLAM, &settings.lineSIM, &settings.lineTPS,
                     &settings.lineMOT, &settings.linePSI, &settings.lineDEF, &settings.lineRAM})
    *line = true;
  const std::array<std::pair<int, int>, 4> windows{{{3, 1}, {4, 3}, {8, 5}, {10, 3}}};
  int left = 0;
  for (const auto& [kind, state] : windows) {
    settings.indicators[static_cast<std::size_t>(kind)] = {left, 500, 240, state};
    left += 300;
  }
  static_cast<void>(zo::settings::SettingsFile(profile.SettingsPath())
                        .Save(settings, profile.Folder().string(), true));
  zo::test::ProgramProcess process(program, profile);
  if (process.Pid() <= 0 || !zo::test::WaitFor([&sim] { return Polling(sim); }, 60s, 10ms))
    return std::nullopt;
  const double share = ProcessorShare(process.Pid(), seconds);
  static_cast<void>(process.Stop(SIGTERM));
  // The windows were open: the program stored them as open at exit.
  const zo::settings::Settings stored =
      zo::settings::SettingsFile(profile.SettingsPath()).Load(profile.Folder().string());
  for (const auto& [kind, state] : windows) {
    if ((stored.indicators[static_cast<std::size_t>(kind)].state & 1) == 0) return std::nullopt;
  }
  return share;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string program = argc > 1 ? argv[1] : ZOLPGWIN_EXE;
  const std::string lpgsim = argc > 2 ? argv[2] : LPGSIM_EXE;
  const int pollSeconds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 10;

  zo::test::ProgramProfile profile;
  zo::test::LpgsimProcess sim(lpgsim, profile.Config(), {"--port", "91"});
  if (!sim.Running()) {
    std::fprintf(stderr, "bench_program: lpgsim did not start (%s)\n", lpgsim.c_str());
    return 1;
  }
  profile.SelectPort(sim.Port());
  const auto launch = std::chrono::steady_clock::now();
  zo::test::ProgramProcess process(program, profile);
  // Start to the whole image read: launch until lpgsim is asked for byte
  // 183, plus that one transaction, against the wire time of all 184.
  const auto lastByteAsked = [&sim] {
    const auto log = sim.Requests();
    return std::any_of(log.begin(), log.end(), [](const zo::test::LoggedRequest& r) {
      return r.command == kReadParam && r.frame.size() > 1 && r.frame[1] == 183;
    });
  };
  if (process.Pid() <= 0 || !zo::test::WaitFor(lastByteAsked, 60s, 2ms)) {
    std::fprintf(stderr, "bench_program: the program did not read the controller\n");
    return 1;
  }
  const double transactionMs = (kRequestBytes + kReplyBytes) * kCharacterMs + kTurnaroundMs;
  const double startToImageMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - launch).count() +
      transactionMs;
  const double startRatio = startToImageMs / (184 * transactionMs);
  if (process.Pid() <= 0 || !zo::test::WaitFor([&sim] { return Polling(sim); }, 60s, 10ms)) {
    std::fprintf(stderr, "bench_program: the program did not read the controller\n");
    return 1;
  }
  const double launchToReadS =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - launch).count();
  const auto span = ReadSpan(sim.Requests());
  if (!span) {
    std::fprintf(stderr, "bench_program: no complete read in lpgsim's log\n");
    return 1;
  }
  const double idealMs =
      span->second * ((kRequestBytes + kReplyBytes) * kCharacterMs + kTurnaroundMs);
  const double readRatio = span->first / idealMs;

  const double share = ProcessorShare(process.Pid(), pollSeconds);
  const double peakMb = PeakResidentMb(process.Pid()).value_or(0.0);
  const int exitCode = process.Stop(SIGTERM);

  std::printf(
      "start to the whole image read: %.0f ms, ideal %.0f ms, ratio %.3f x ideal, %.2f x "
      "limit (%.2f)\n",
      startToImageMs, 184 * transactionMs, startRatio, startRatio / kReadLimit, kReadLimit);
  std::printf("launch to the first live-data poll: %.2f s (after the read's 1 s rest)\n",
              launchToReadS);
  std::printf(
      "parameter read: %.1f ms for %d transactions, ideal %.1f ms, ratio %.3f x ideal, "
      "%.2f x limit (%.2f)\n",
      span->first, span->second, idealMs, readRatio, readRatio / kReadLimit, kReadLimit);
  std::printf("processor while polling: %.2f %% of one core over %d s, %.2f x limit (3 %%)\n",
              100.0 * share, pollSeconds, share / kProcessorLimit);
  std::printf("peak resident memory: %.1f MB, %.2f x limit (%.0f MB)\n", peakMb,
              peakMb / kMemoryLimitMb, kMemoryLimitMb);
  std::printf("exit on SIGTERM: code %d\n", exitCode);
  const auto visual = VisualShare(program, lpgsim, pollSeconds);
  if (visual) {
    std::printf(
        "processor with eight traces and four indicator windows: %.2f %% of one core, %.2f x "
        "limit (5 %%)\n",
        100.0 * *visual, *visual / kVisualLimit);
  } else {
    std::fprintf(stderr, "bench_program: the second run did not poll or open its windows\n");
  }
  const bool met = readRatio <= kReadLimit && share < kProcessorLimit && peakMb > 0 &&
                   peakMb < kMemoryLimitMb && exitCode == 0 && visual && *visual < kVisualLimit;
  return met ? 0 : 2;
}
