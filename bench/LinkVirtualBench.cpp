// How close the link comes to the line's own speed: a whole parameter read
// (184 ReadParam round trips) and the write-back of 20 edited bytes against
// the simulated controller at 4800 baud on virtual time, compared with the
// ideal (wire time of the same bytes plus the controller's turnaround for
// each reply). The same runs with the plain 15 ms polling wait show what the
// early end of the wait gains.
#include <chrono>
#include <cstdio>
#include <memory>

#include "RecordingEffects.h"
#include "SimController.h"
#include "SimTransport.h"
#include "VirtualClock.h"
#include "VirtualPump.h"
#include "link/ControllerLink.h"
#include "link/PollScheduler.h"

namespace {

using std::chrono::duration;
using std::chrono::microseconds;
using std::chrono::nanoseconds;

// Hides the transport's wait, so the link falls back on sleeping 15 ms
// between looks at the input queue.
class PollingOnly : public zo::link::ITransport {
 public:
  explicit PollingOnly(zo::link::ITransport& inner) : inner_(inner) {}
  int InQueCount() override { return inner_.InQueCount(); }
  int ReadAvailable(std::span<std::uint8_t> buffer) override {
    return inner_.ReadAvailable(buffer);
  }
  int Write(std::span<const std::uint8_t> data) override { return inner_.Write(data); }

 private:
  zo::link::ITransport& inner_;
};

struct Rig {
  explicit Rig(bool earlyEnd) : controller(Config()), port(clock, controller) {
    zo::link::ITransport& transport = earlyEnd ? static_cast<zo::link::ITransport&>(port) : polling;
    link = std::make_unique<zo::link::ControllerLink>(state, transport, transport, pump,
                                                      effects.parts, effects.consumers);
    scheduler = std::make_unique<zo::link::PollScheduler>(
        zo::link::SchedulerParts{state, state, state, state}, *link, effects, effects, effects,
        effects.consumers, pump);
    state.portNumber = 1;
    state.connected = true;
    state.pollingMode = zo::link::PollingMode::Read;
    state.readInProgress = true;
  }
  static lpgsim::SimConfig Config() {
    lpgsim::SimConfig config;
    config.firmwareVersion = 170;  // no memory-page read after the parameters
    return config;
  }

  lpgsim::VirtualClock clock;
  lpgsim::VirtualPump pump{clock};
  lpgsim::SimController controller;
  lpgsim::SimTransport port;
  PollingOnly polling{port};
  zo::test::RecordingEffects effects;
  zo::link::LinkState state;
  std::unique_ptr<zo::link::ControllerLink> link;
  std::unique_ptr<zo::link::PollScheduler> scheduler;
};

struct Figures {
  double readRatio;
  double writeRatio;
  double readMs;
  double writeMs;
};

Figures Measure(bool earlyEnd) {
  Rig rig(earlyEnd);
  // The whole read runs inside one scheduler step, chained reply by reply.
  auto start = rig.clock.Now();
  rig.scheduler->Step();
  const auto readTime = rig.clock.Now() - start;
  const nanoseconds readIdeal = 184 * rig.port.IdealExchangeTime(3, 4);

  // Twenty edited bytes, one write per tick; the ticks' idle time between
  // transactions does not count.
  for (int i = 0; i < 20; ++i) {
    auto& b = rig.state.workingCopy[static_cast<std::size_t>(40 + i)];
    b = static_cast<std::uint8_t>(b + 1);
  }
  microseconds writeTime{0};
  for (int i = 0; i < 20; ++i) {
    rig.clock.Advance(std::chrono::milliseconds(100));
    start = rig.clock.Now();
    rig.scheduler->Step();
    writeTime += rig.clock.Now() - start;
  }
  const nanoseconds writeIdeal = 20 * rig.port.IdealExchangeTime(4, 2);
  if (rig.state.workingCopy != rig.state.controllerCopy || rig.state.readInProgress) {
    std::fprintf(stderr, "benchmark run did not complete its read and writes\n");
  }
  return Figures{duration<double>(readTime) / duration<double>(readIdeal),
                 duration<double>(writeTime) / duration<double>(writeIdeal),
                 duration<double, std::milli>(readTime).count(),
                 duration<double, std::milli>(writeTime).count()};
}

}  // namespace

int main() {
  const auto cpuStart = std::chrono::steady_clock::now();
  const Figures early = Measure(true);
  const auto cpu = std::chrono::steady_clock::now() - cpuStart;
  const Figures polled = Measure(false);
  std::printf("link over the simulated 4800-baud line (virtual time, ideal = wire + turnaround)\n");
  std::printf("  full read, 184 ReadParam:  %8.1f ms  ratio %.3f  (target <= 1.10)\n", early.readMs,
              early.readRatio);
  std::printf("  write-back of 20 bytes:    %8.1f ms  ratio %.3f  (target <= 1.10)\n",
              early.writeMs, early.writeRatio);
  std::printf("  processor time for both runs: %.2f ms\n",
              duration<double, std::milli>(cpu).count());
  std::printf("  with plain 15 ms polling:  read ratio %.3f, write ratio %.3f\n", polled.readRatio,
              polled.writeRatio);
  return early.readRatio <= 1.10 && early.writeRatio <= 1.10 ? 0 : 1;
}
