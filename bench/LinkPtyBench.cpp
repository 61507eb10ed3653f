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

#include "LpgsimProcess.h"
#include "RealTimeLoop.h"
#include "RecordingEffects.h"
#include "TempFolder.h"
#include "link/ControllerLink.h"
#include "serial/TMyComm.h"

namespace {

using namespace std::chrono_literals;
using zo::link::Command;
using zo::link::Request;

constexpr double kCharacterMs = 10.0 * 1000.0 / 4800.0;
constexpr double kTurnaroundMs = 2.0;  // lpgsim's default
constexpr int kReads = 184;
constexpr int kRequestBytes = 3;
constexpr int kReplyBytes = 4;

struct NoTransport : zo::link::ITransport {
  int InQueCount() override { return -1; }
  int ReadAvailable(std::span<std::uint8_t>) override { return 0; }
  int Write(std::span<const std::uint8_t>) override { return -1; }
};

}  // namespace

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

  const double idealMs = kReads * ((kRequestBytes + kReplyBytes) * kCharacterMs + kTurnaroundMs);
  std::vector<double> ratios;
  for (int run = 0; run < runs; ++run) {
    zo::test::RealTimeLoop loop;
    zo::test::RecordingEffects effects;
    zo::link::LinkState state;
    NoTransport ftdi;
    zo::link::ControllerLink link(state, comm, ftdi, loop, effects.parts, effects.consumers);
    state.portNumber = 90;
    state.connected = true;
    state.readInProgress = true;

    const auto start = std::chrono::steady_clock::now();
    link.Transact(Request::WithByte(Command::ReadParam, 0));  // the whole read chains
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (state.readInProgress || state.failureCounter != 0) {
      std::fprintf(stderr, "bench_link_pty: run %d did not complete the read\n", run + 1);
      return 1;
    }
    ratios.push_back(ms / idealMs);
    std::printf("run %d: full read %.1f ms, ideal %.1f ms, ratio %.3f\n", run + 1, ms, idealMs,
                ms / idealMs);
  }
  std::sort(ratios.begin(), ratios.end());
  const double median = ratios[ratios.size() / 2];
  std::printf("full read over the pseudo-terminal: median ratio %.3f x ideal (target <= 1.15)\n",
              median);
  return median <= 1.15 ? 0 : 2;
}
