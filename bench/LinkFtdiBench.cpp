// Full parameter read in real time through the stand-in FTDI library, which
// holds received bytes as the chip does: until its latency timer runs out or
// 62 bytes wait. The same read is timed twice against the lpgsim executable:
// through a library without FT_SetLatencyTimer, where the timer stays at the
// chip's 16 ms, and through one with it, where opening the adapter lowers it.
// Each figure is a ratio to the wire time of the same bytes at 4800 baud plus
// the simulator's turnaround for each reply.
// Usage: bench_link_ftdi [runs]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FullRead.h"
#include "LpgsimProcess.h"
#include "TempFolder.h"
#include "serial/TMyFtdi.h"

namespace {

constexpr int kFirstFtdiPort = 1024;

// The median ratio of `runs` full reads through `library`, or a negative
// value when the adapter cannot be opened or a read does not complete.
double MedianRatio(const char* library, const char* label, int runs, double idealMs) {
  zo::serial::TMyFtdi ftdi({library});
  if (!ftdi.Loaded() || ftdi.NumDevices() < 1 || !ftdi.Open(0)) {
    std::fprintf(stderr, "bench_link_ftdi: cannot open the stand-in adapter (%s)\n", library);
    return -1.0;
  }
  zo::bench::NoTransport com;
  std::vector<double> ratios;
  for (int run = 0; run < runs; ++run) {
    const auto ms = zo::bench::TimedFullRead(com, ftdi, kFirstFtdiPort);
    if (!ms) {
      std::fprintf(stderr, "bench_link_ftdi: %s, run %d did not complete the read\n", label,
                   run + 1);
      return -1.0;
    }
    const double ratio = *ms / idealMs;
    ratios.push_back(ratio);
    std::printf("%s, run %d: full read %.1f ms, ideal %.1f ms, ratio %.3f\n", label, run + 1, *ms,
                idealMs, ratio);
  }
  std::sort(ratios.begin(), ratios.end());
  return ratios[ratios.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

  zo::test::TempFolder folder;
  // Version 176: the read ends without the memory-page request, whose reply
  // is shorter than the wait for it and would measure the wait, not the link.
  zo::test::LpgsimProcess sim(LPGSIM_EXE, folder.Path(), {"--port", "91", "--version", "176"});
  if (!sim.Running()) {
    std::fprintf(stderr, "bench_link_ftdi: lpgsim did not start (%s)\n", LPGSIM_EXE);
    return 1;
  }
  ::setenv("ZO_FTDI_STANDIN_DEVICE", sim.Device().c_str(), 1);

  const double idealMs = zo::bench::kIdealReadMs;
  const double held = MedianRatio(FTDI_OLDER, "timer left at 16 ms", runs, idealMs);
  const double lowered = MedianRatio(FTDI_STANDIN, "timer as the program sets it", runs, idealMs);
  if (held < 0.0 || lowered < 0.0) {
    return 1;
  }
  std::printf(
      "full read through the FTDI stand-in: timer left at 16 ms %.3f x wire time, "
      "as the program sets it %.3f x wire time (target <= 1.10)\n",
      held, lowered);
  return lowered <= 1.10 ? 0 : 2;
}
