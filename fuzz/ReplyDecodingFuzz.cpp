// Feeds arbitrary bytes to Transact as controller replies. The first input
// byte chooses the command and the state the reply meets (page, scope,
// service mode, protocol variant); the rest is a series of replies, each
// prefixed by its length, answering the request and whatever it chains.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "RecordingEffects.h"
#include "ScriptedTransport.h"
#include "VirtualClock.h"
#include "VirtualPump.h"
#include "link/ControllerLink.h"

namespace {

constexpr std::uint8_t kCommands[] = {0x55, 0x56, 0xAA, 0x33, 0x35, 0x5A,
                                      0xAC, 0xCA, 0xC5, 0x5C, 0x3A, 0x07};
constexpr int kLengths[] = {2, 2, 3, 1, 2, 2, 1, 1, 2, 2, 3, 19};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::span<const std::uint8_t> input(data, size);
  const std::uint8_t setup = input[0];
  const std::uint8_t pick = input[1];

  lpgsim::VirtualClock clock;
  lpgsim::VirtualPump pump(clock);
  zo::test::ScriptedTransport port(clock);
  zo::test::RecordingEffects effects;
  zo::link::LinkState state;
  state.portNumber = 1;
  state.connected = true;
  state.activePage = static_cast<zo::link::Page>(1 + setup % 7);
  state.scopeRunning = (setup & 0x08) != 0;
  state.serviceMode = (setup & 0x10) != 0;
  state.quillon = (setup & 0x20) != 0;
  state.workingCopy[6] = (setup & 0x40) != 0 ? 0xFF : 0xFE;
  state.controllerCopy[6] = state.workingCopy[6];
  state.programming.oldVersion = (setup & 0x80) != 0 ? 150 : 0;
  state.programming.newVersion = 180;
  state.ramWatchText = "17";
  state.history.SetWriteIndex(pick % 2 == 0 ? 3599 : 0);

  // Replies for the request and each chained one, in order.
  std::size_t at = 2;
  port.responder = [&](std::span<const std::uint8_t>) {
    if (at >= input.size()) return std::vector<std::uint8_t>{};
    const std::size_t length = input[at++];
    const std::size_t end = std::min(input.size(), at + length);
    std::vector<std::uint8_t> reply(input.begin() + static_cast<std::ptrdiff_t>(at),
                                    input.begin() + static_cast<std::ptrdiff_t>(end));
    at = end;
    return reply;
  };
  effects.onBootStatus = [](auto) {
    std::array<std::uint8_t, 19> block{};
    block[0] = 0x07;
    return std::optional<zo::link::Request>(zo::link::Request::Block(block));
  };

  const std::size_t which = pick % std::size(kCommands);
  zo::link::ControllerLink link(state, port, port, pump, effects.parts, effects.consumers);
  zo::link::Request request{kLengths[which], kCommands[which], pick, 0x33, {}};
  request.block[0] = kCommands[which];
  link.Transact(request);
  return 0;
}
