// The full parameter read the link benchmarks time in real time: 184 reads of
// a 3-byte request and a 4-byte reply at 4800 baud, each with the
// simulator's turnaround, chained from the first request as the program
// does it.
#pragma once

#include <chrono>
#include <optional>
#include <span>

#include "RealTimeLoop.h"
#include "RecordingEffects.h"
#include "link/ControllerLink.h"

namespace zo::bench {

inline constexpr double kCharacterMs = 10.0 * 1000.0 / 4800.0;
inline constexpr double kTurnaroundMs = 2.0;  // lpgsim's default
inline constexpr int kReads = 184;
inline constexpr int kRequestBytes = 3;
inline constexpr int kReplyBytes = 4;
// The wire time of the whole read with the simulator's turnarounds.
inline constexpr double kIdealReadMs =
    kReads * ((kRequestBytes + kReplyBytes) * kCharacterMs + kTurnaroundMs);

// The transport of the kind of port not in use.
struct NoTransport : link::ITransport {
  int InQueCount() override { return -1; }
  int ReadAvailable(std::span<std::uint8_t>) override { return 0; }
  int Write(std::span<const std::uint8_t>) override { return -1; }
};

// The milliseconds a whole read took through `com` (ports below 1024) or
// `ftdi` (1024 on); nothing when it did not complete.
inline std::optional<double> TimedFullRead(link::ITransport& com, link::ITransport& ftdi,
                                           int port) {
  test::RealTimeLoop loop;
  test::RecordingEffects effects;
  link::LinkState state;
  link::ControllerLink link(state, com, ftdi, loop, effects.parts, effects.consumers);
  state.portNumber = port;
  state.connected = true;
  state.readInProgress = true;
  const auto start = std::chrono::steady_clock::now();
  link.Transact(link::Request::WithByte(link::Command::ReadParam, 0));  // the whole read chains
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  if (state.readInProgress || state.failureCounter != 0) return std::nullopt;
  return ms;
}

}  // namespace zo::bench
