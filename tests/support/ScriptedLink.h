// The link with its scheduler on virtual time, talking to a scripted
// transport, with every effect recorded.
#pragma once

#include "RecordingEffects.h"
#include "ScriptedTransport.h"
#include "VirtualClock.h"
#include "VirtualPump.h"
#include "link/ControllerLink.h"
#include "link/LinkState.h"
#include "link/PollScheduler.h"

namespace zo::test {

struct ScriptedLink {
  lpgsim::VirtualClock clock;
  lpgsim::VirtualPump pump{clock};
  ScriptedTransport port{clock};
  RecordingEffects effects;
  link::LinkState state;
  link::ControllerLink link{state, port, port, pump, effects.parts, effects.consumers};
  link::PollScheduler scheduler{
      {state, state, state, state}, link, effects, effects, effects, effects.consumers, pump};

  ScriptedLink() {
    state.portNumber = 1;
    state.connected = true;
  }
};

// A live-data reply whose data bytes r1..r14 are `first`, first + 1, ...
inline std::vector<std::uint8_t> LiveReply(std::uint8_t first = 1) {
  std::vector<std::uint8_t> r{0x33};
  for (int i = 0; i < 14; ++i)
    r.push_back(static_cast<std::uint8_t>(first + i));
  return WithSum(r);
}

}  // namespace zo::test
