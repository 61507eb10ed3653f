// The link with its scheduler on virtual time, talking to the simulated
// controller through the in-process transport at 4800-baud wire timing.
#pragma once

#include <algorithm>
#include <chrono>

#include "RecordingEffects.h"
#include "SimController.h"
#include "SimTransport.h"
#include "VirtualClock.h"
#include "VirtualPump.h"
#include "link/ControllerLink.h"
#include "link/LinkState.h"
#include "link/PollScheduler.h"

namespace zo::test {

struct SimLink {
  explicit SimLink(lpgsim::SimConfig config = {}) : controller(config) {
    state.portNumber = 1;
    Connect();
  }

  // What opening the port does to the link: read the controller from index 0.
  void Connect() {
    state.connected = true;
    state.pollingMode = link::PollingMode::Read;
    state.failureCounter = 0;
    state.statusByte = 255;
    state.rotatingIndex = 0;
    state.readInProgress = true;
  }

  // One transmit-timer tick at the interval the scheduler last asked for,
  // counted from the previous tick like a toolkit timer.
  void Tick() {
    clock.AdvanceTo(
        std::max(clock.Now(), lastTick_ + std::chrono::milliseconds(state.txIntervalMs)));
    lastTick_ = clock.Now();
    pump.ProcessMessages();
    scheduler.Step();
  }
  void Ticks(int count) {
    for (int i = 0; i < count; ++i)
      Tick();
  }
  // Ticks until the read is over (or `limit` ticks have passed).
  void ReadController(int limit = 50) {
    for (int i = 0;
         i < limit && (state.readInProgress || state.pollingMode == link::PollingMode::Read); ++i) {
      Tick();
    }
  }

  lpgsim::VirtualClock clock;
  lpgsim::VirtualPump pump{clock};
  lpgsim::SimController controller;
  lpgsim::SimTransport port{clock, controller};
  RecordingEffects effects;
  link::LinkState state;
  link::ControllerLink link{state, port, port, pump, effects.parts, effects.consumers};
  link::PollScheduler scheduler{
      {state, state, state, state}, link, effects, effects, effects, effects.consumers, pump};

 private:
  std::chrono::microseconds lastTick_{0};
};

}  // namespace zo::test
