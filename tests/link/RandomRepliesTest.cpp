// Random and mutated replies through Transact: nothing crashes or reads out
// of bounds (the suite also runs under the sanitizers), and the link state
// only ever changes from a frame that passes its checks.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "ScriptedLink.h"

namespace zo::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct CommandCase {
  std::uint8_t command;
  int requestLength;
  int replyLength;  // checked length
};

constexpr CommandCase kCases[] = {
    {0x55, 2, 4},  {0x56, 2, 4},  {0xAA, 3, 2},  {0x33, 1, 16}, {0x35, 2, 16}, {0x5A, 2, 4},
    {0xAC, 1, 15}, {0xCA, 1, 14}, {0xC5, 2, 23}, {0x5C, 2, 20}, {0x3A, 3, 8},  {0x07, 19, 8},
};

// An independent statement of the frame checks, used as the oracle.
bool PassesChecks(const CommandCase& c, bool quillon, const Bytes& reply) {
  const std::uint8_t echo = c.command == 0x35 ? 0x33 : c.command;
  int length = c.replyLength;
  if (c.command == 0xAA && quillon) length = 4;
  const bool isRead = c.command == 0x55 || c.command == 0x56;
  if (isRead && !reply.empty() && reply[0] == 0x3A) {
    if (reply.size() < 8) return false;
    unsigned sum = 0;
    for (int i = 0; i < 7; ++i)
      sum += reply[static_cast<std::size_t>(i)];
    return reply[7] == (sum & 0xFF) && reply[6] != 0xFF;
  }
  if (reply.size() < static_cast<std::size_t>(length) || reply[0] != echo) return false;
  unsigned sum = 0;
  for (int i = 0; i < length - 1; ++i)
    sum += reply[static_cast<std::size_t>(i)];
  if (reply[static_cast<std::size_t>(length - 1)] != (sum & 0xFF)) return false;
  return c.command != 0x07 || reply[1] == 1;
}

Bytes ValidReply(const CommandCase& c, bool quillon, std::mt19937& rng) {
  std::uniform_int_distribution<int> byte(0, 255);
  int length = c.replyLength;
  if (c.command == 0xAA) {
    if (!quillon) return {0xAA, 0xAA};
    length = 4;
  }
  Bytes r(static_cast<std::size_t>(length - 1));
  for (auto& b : r)
    b = static_cast<std::uint8_t>(byte(rng));
  r.front() = c.command == 0x35 ? std::uint8_t{0x33} : c.command;
  if (c.command == 0x07) r.at(1) = 1;
  return WithSum(r);
}

Bytes Mutate(Bytes r, std::mt19937& rng) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> kind(0, 4);
  switch (kind(rng)) {
    case 0:  // one byte changed
      if (!r.empty())
        r[static_cast<std::size_t>(rng() % r.size())] ^= static_cast<std::uint8_t>(1 + rng() % 255);
      break;
    case 1:  // truncated
      r.resize(rng() % (r.size() + 1));
      break;
    case 2:  // extra bytes
      for (auto i = rng() % 8; i > 0; --i)
        r.push_back(static_cast<std::uint8_t>(byte(rng)));
      break;
    case 3:  // several bytes changed
      for (auto i = 1 + rng() % 3; i > 0 && !r.empty(); --i) {
        r[static_cast<std::size_t>(rng() % r.size())] = static_cast<std::uint8_t>(byte(rng));
      }
      break;
    default:  // entirely random
      r.resize(rng() % 40);
      for (auto& b : r)
        b = static_cast<std::uint8_t>(byte(rng));
      break;
  }
  return r;
}

struct Snapshot {
  link::ImageArea working;
  link::ImageArea controller;
  int status, fault, level, writeIndex;
  link::HistorySample current;
  std::array<std::int32_t, 16> counters;
  link::PollingMode mode;
  bool readInProgress;
  int rotating;
  link::ProgrammingState programming;

  explicit Snapshot(link::LinkState& s)
      : working(s.workingCopy),
        controller(s.controllerCopy),
        status(s.statusByte),
        fault(s.faultCode),
        level(s.levelReading),
        writeIndex(s.history.WriteIndex()),
        current(s.history.Current()),
        counters(s.counterBlock),
        mode(s.pollingMode),
        readInProgress(s.readInProgress),
        rotating(s.rotatingIndex),
        programming(s.programming) {}

  bool operator==(const Snapshot& o) const {
    return working == o.working && controller == o.controller && status == o.status &&
           fault == o.fault && level == o.level && writeIndex == o.writeIndex &&
           current == o.current && counters == o.counters && mode == o.mode &&
           readInProgress == o.readInProgress && rotating == o.rotating &&
           std::memcmp(&programming, &o.programming, sizeof programming) == 0;
  }
};

TEST(RandomReplies, OnlyFramesThatPassTheChecksChangeTheState) {
  std::mt19937 rng(20261206);
  ScriptedLink t;
  t.state.workingCopy[0] = 100;
  t.state.controllerCopy[0] = 100;
  int valid = 0;
  std::array<std::uint8_t, 4096> scratch{};
  int invalid = 0;
  for (int iteration = 0; iteration < 100000; ++iteration) {
    // Let whatever is still on the wire from the last round arrive and go.
    t.port.responder = nullptr;
    t.clock.Advance(std::chrono::milliseconds(200));
    t.port.ReadAvailable(std::span(scratch));
    const CommandCase& c = kCases[rng() % std::size(kCases)];
    t.state.quillon = rng() % 8 == 0;
    t.state.activePage = static_cast<link::Page>(1 + rng() % 7);
    t.state.scopeRunning = rng() % 4 != 0;
    t.state.serviceMode = rng() % 4 == 0;
    t.state.workingCopy[6] = rng() % 2 ? 0xFF : 0xFE;
    t.state.controllerCopy[6] = t.state.workingCopy[6];
    t.state.failureCounter = static_cast<int>(rng() % 20);

    Bytes reply = ValidReply(c, t.state.quillon, rng);
    if (rng() % 4 != 0) reply = Mutate(reply, rng);
    const bool passes = PassesChecks(c, t.state.quillon, reply);

    bool first = true;
    t.port.responder = [&](auto) {
      const Bytes answer = first ? reply : Bytes{};
      first = false;
      return answer;
    };
    t.effects.log.clear();
    const Snapshot before(t.state);
    const int failuresBefore = t.state.failureCounter;
    std::array<std::uint8_t, 19> block{};
    block[0] = c.command;
    link::Request request{c.requestLength, c.command, static_cast<std::uint8_t>(rng()),
                          static_cast<std::uint8_t>(rng()), block};
    if (c.command == 0x35) request.b1 = 0x33;
    const int read = t.link.Transact(request);

    ASSERT_GE(read, 0);
    ASSERT_LE(read, link::ControllerLink::kBufferSize);
    ASSERT_FALSE(t.state.busy);
    if (passes) {
      ++valid;
      continue;
    }
    ++invalid;
    ASSERT_TRUE(Snapshot(t.state) == before)
        << "iteration " << iteration << " command " << int(c.command);
    ASSERT_EQ(t.state.failureCounter, failuresBefore + 1);
    ASSERT_TRUE(t.effects.log.empty());
  }
  EXPECT_GT(valid, 10000);
  EXPECT_GT(invalid, 50000);
}

}  // namespace
}  // namespace zo::test
