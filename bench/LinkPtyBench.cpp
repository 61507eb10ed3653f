// Full parameter read in real time over a pseudo-terminal against the lpgsim
// executable, as a ratio to the ideal: the wire time of the same bytes at
// 4800 baud plus the simulator's turnaround for each reply.
// Usage: bench_link_pty [path to lpgsim] [runs]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FullRead.h"
#include "LpgsimProcess.h"
#include "TempFolder.h"
#include "serial/TMyComm.h"

int main(int argc, char** argv) {
  const std::string exe = argc > 1 ? argv[1] : LPGSIM_EXE;
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;

  zo::test::TempFolder folder;
  // Version 176: the read ends without the memory-page request, whose reply
  // is shorter than the wait for it and would measure the wait, not the link.
  zo::test::LpgsimProcess sim(exe, folder.Path(), {"--port", "90", "--version", "176"});
  if (!sim.Running()) {
    std::fprintf(stderr, "bench_link_pty: lpgsim did not start (%s)\n", exe.c_str());
    return 1;
  }
  zo::serial::PortRoots roots;
  roots.portFolder = folder.Path() / "Zo" / "ports";
  roots.dev = folder.Path() / "none";
  zo::serial::TMyComm comm(roots);
  if (comm.OpenPort("Com90") != 0) {
    std::fprintf(stderr, "bench_link_pty: cannot open the simulator's port\n");
    return 1;
  }

  zo::bench::NoTransport ftdi;
  std::vector<double> ratios;
  for (int run = 0; run < runs; ++run) {
    const auto ms = zo::bench::TimedFullRead(comm, ftdi, 90);
    if (!ms) {
      std::fprintf(stderr, "bench_link_pty: run %d did not complete the read\n", run + 1);
      return 1;
    }
    const double ratio = *ms / zo::bench::kIdealReadMs;
    ratios.push_back(ratio);
    std::printf("run %d: full read %.1f ms, ideal %.1f ms, ratio %.3f\n", run + 1, *ms,
                zo::bench::kIdealReadMs, ratio);
  }
  std::sort(ratios.begin(), ratios.end());
  const double median = ratios[ratios.size() / 2];
  std::printf("full read over the pseudo-terminal: median ratio %.3f x ideal (target <= 1.15)\n",
              median);
  return median <= 1.15 ? 0 : 2;
}
