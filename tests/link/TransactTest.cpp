// Transact: frames on the wire, waiting, checks and the busy flag, on
// virtual time against scripted replies.
#include <gtest/gtest.h>

#include "ScriptedLink.h"

namespace zo::test {
namespace {

using link::Command;
using link::Request;
using std::chrono::milliseconds;
using Bytes = std::vector<std::uint8_t>;

TEST(TransactFrames, EachDataLengthPutsItsFrameOnTheWire) {
  ScriptedLink t;
  t.link.Transact(1, 0x33, 0x99, 0x98);
  t.link.Transact(2, 0x55, 0x05, 0x98);
  t.link.Transact(3, 0xAA, 0x14, 0x07);
  std::array<std::uint8_t, 19> block{};
  for (std::size_t i = 0; i < block.size(); ++i)
    block[i] = static_cast<std::uint8_t>(i * 20);
  block[0] = 0x07;
  t.link.Transact(Request::Block(block));

  ASSERT_EQ(t.port.written.size(), 4U);
  EXPECT_EQ(t.port.written[0], (Bytes{0x33, 0x33}));
  EXPECT_EQ(t.port.written[1], (Bytes{0x55, 0x05, 0x5A}));
  EXPECT_EQ(t.port.written[2], (Bytes{0xAA, 0x14, 0x07, 0xC5}));
  Bytes expected(block.begin(), block.end());
  unsigned sum = 0;
  for (auto b : block)
    sum += b;
  expected.push_back(static_cast<std::uint8_t>(sum & 0xFF));
  EXPECT_EQ(t.port.written[3], expected);
  EXPECT_EQ(t.state.failureCounter, 4);
}

TEST(TransactFrames, UnsupportedLengthShowsTheMessageAndSendsNothing) {
  ScriptedLink t;
  EXPECT_EQ(t.link.Transact(4, 0x33, 0, 0), 0);
  EXPECT_TRUE(t.port.written.empty());
  ASSERT_EQ(t.effects.systemMessages.size(), 1U);
  EXPECT_EQ(t.effects.systemMessages[0].first, "Nie obsługiwana długość");
  EXPECT_EQ(t.effects.systemMessages[0].second, "Błąd Comm");
  EXPECT_FALSE(t.state.busy);
  EXPECT_EQ(t.state.failureCounter, 0);
}

TEST(TransactWaiting, CompleteReplyIsTakenWithin2msOfItsLastByte) {
  ScriptedLink t;
  t.port.responder = [](auto) { return LiveReply(); };
  const auto start = t.clock.Now();
  EXPECT_EQ(t.link.Transact(1, 0x33, 0, 0), 16);
  EXPECT_LE(t.clock.Now() - t.port.LastArrival(), milliseconds(2));
  EXPECT_LT(t.clock.Now() - start, milliseconds(50));  // 2 + 16 bytes on the wire
  EXPECT_EQ(t.state.failureCounter, 0);
}

TEST(TransactWaiting, SilenceCostsTheWholeBudget2_7sForBootStartOrAfter20Failures) {
  struct Case {
    int failuresBefore;
    Bytes frame;
    milliseconds wait;
  };
  const Case cases[] = {
      {0, {0x33, 0x33}, milliseconds(150)},
      {19, {0x33, 0x33}, milliseconds(150)},
      {20, {0x33, 0x33}, milliseconds(2700)},
      {30, {0x33, 0x33}, milliseconds(2700)},
      {0, {0x3A, 0x75, 0x70, 0x1F}, milliseconds(2700)},
  };
  for (const Case& c : cases) {
    ScriptedLink t;
    t.state.failureCounter = c.failuresBefore;
    const auto start = t.clock.Now();
    const int length = static_cast<int>(c.frame.size()) - 1;
    EXPECT_EQ(t.link.Transact(length, c.frame[0], length > 1 ? c.frame[1] : 0,
                              length > 2 ? c.frame[2] : 0),
              0);
    EXPECT_EQ(t.port.written.back(), c.frame);
    EXPECT_EQ(t.clock.Now() - start, c.wait) << c.failuresBefore << " " << int{c.frame[0]};
    EXPECT_EQ(t.state.failureCounter, c.failuresBefore + 1);
    EXPECT_FALSE(t.state.busy);
  }
}

// A transport at which the program is held up (a busy machine) each time it
// looks at the queue with `partial` bytes or more, but not all, waiting.
struct HeldUp : ScriptedTransport {
  HeldUp(lpgsim::VirtualClock& c, int partialBytes, milliseconds holdFor, int times)
      : ScriptedTransport(c), clock(c), partial(partialBytes), hold(holdFor), timesLeft(times) {}
  int InQueCount() override {
    const int n = ScriptedTransport::InQueCount();
    if (n >= partial && n < 16 && timesLeft > 0) {
      --timesLeft;
      clock.Advance(hold);
    }
    return n;
  }
  lpgsim::VirtualClock& clock;
  int partial;
  milliseconds hold;
  int timesLeft;
};

TEST(TransactWaiting, AReplyInByTheDeadlineIsTakenHoweverLateTheProgramLooks) {
  // Held up just after finding half of the reply; the rest arrives
  // meanwhile, well within the 150 ms.
  ScriptedLink t;
  HeldUp port(t.clock, 1, milliseconds(400), 1);
  port.responder = [](auto) { return LiveReply(); };
  link::ControllerLink link(t.state, port, port, t.pump, t.effects.parts, t.effects.consumers);
  EXPECT_EQ(link.Transact(1, 0x33, 0, 0), 16);
  EXPECT_EQ(port.timesLeft, 0);
  EXPECT_EQ(t.state.failureCounter, 0);

  // Held up 100 ms at every look on a silent line: the wait still ends
  // after four budgets (600 ms), not after ten rounds of 115 ms.
  HeldUp always(t.clock, 0, milliseconds(100), 1000);
  link::ControllerLink held(t.state, always, always, t.pump, t.effects.parts, t.effects.consumers);
  const auto start = t.clock.Now();
  EXPECT_EQ(held.Transact(1, 0x33, 0, 0), 0);
  EXPECT_LT(t.clock.Now() - start, milliseconds(900));
}

TEST(TransactWaiting, TimeTheProgramSpendsElsewhereDoesNotCountAgainstTheController) {
  // A handler run by the pump keeps the program busy for 100 ms (a busy
  // machine); the reply is complete 157 ms after the request, within the
  // 150 ms the program spent waiting for it.
  ScriptedLink t;
  t.port.turnaround = milliseconds(120);
  t.port.responder = [](auto) { return LiveReply(); };
  t.clock.Schedule(t.clock.Now() + milliseconds(5),
                   [&t] { t.clock.AdvanceTo(t.clock.Now() + milliseconds(100)); });
  EXPECT_EQ(t.link.Transact(1, 0x33, 0, 0), 16);
  EXPECT_EQ(t.state.failureCounter, 0);

  // Silent, the line still costs the whole budget on top of the busy time.
  t.port.responder = nullptr;
  t.clock.Schedule(t.clock.Now() + milliseconds(5),
                   [&t] { t.clock.AdvanceTo(t.clock.Now() + milliseconds(100)); });
  const auto start = t.clock.Now();
  EXPECT_EQ(t.link.Transact(1, 0x33, 0, 0), 0);
  EXPECT_EQ(t.clock.Now() - start, milliseconds(250));
}

TEST(TransactWaiting, TheUserInterfaceIsPumpedAtLeastEvery15ms) {
  ScriptedLink t;
  t.state.failureCounter = 30;
  t.pump.ResetStatistics();
  t.link.Transact(1, 0x33, 0, 0);
  EXPECT_LE(t.pump.MaxGap(), milliseconds(15));
  EXPECT_GE(t.pump.ProcessCount(), 180);
}

TEST(TransactWaiting, ATimerFiringDuringTheWaitIsTurnedAwayByTheBusyFlag) {
  ScriptedLink t;
  t.port.responder = [](auto) { return LiveReply(); };
  int nested = 0;
  t.clock.Schedule(t.clock.Now() + milliseconds(5), [&] {
    nested = t.link.Transact(1, 0x33, 0, 0);
    t.scheduler.Step();
  });
  EXPECT_EQ(t.link.Transact(1, 0x33, 0, 0), 16);
  EXPECT_EQ(nested, -1);
  EXPECT_EQ(t.port.written.size(), 1U);
  EXPECT_FALSE(t.state.busy);
}

TEST(TransactWaiting, StaleInputIsFlushedBeforeSending) {
  ScriptedLink t;
  t.port.Arrive({0x33, 0x99, 0x98});
  t.clock.Advance(milliseconds(20));
  t.port.responder = [](auto) { return LiveReply(7); };
  t.state.activePage = link::Page::Parameters;
  EXPECT_EQ(t.link.Transact(1, 0x33, 0, 0), 16);
  EXPECT_EQ(t.state.statusByte, 7);
}

TEST(TransactWaiting, InputBeyondTheBufferIsReadOnceAndTheRestFlushedNextTime) {
  ScriptedLink t;
  t.port.responder = [](auto) { return Bytes(1500, 0x33); };
  EXPECT_EQ(t.link.Transact(1, 0x33, 0, 0), 16);  // the wait stops at 16
  ScriptedLink big;
  big.port.Arrive(Bytes(1500, 0x11));
  big.clock.Advance(milliseconds(4000));
  big.port.responder = [](auto) { return LiveReply(3); };
  EXPECT_EQ(big.link.Transact(1, 0x33, 0, 0), 16);
  EXPECT_EQ(big.state.statusByte, 3);
}

// A line that never stops delivering bytes (a device at another speed).
class EndlessNoise : public link::ITransport {
 public:
  int InQueCount() override { return 512; }
  int ReadAvailable(std::span<std::uint8_t> buffer) override {
    for (auto& b : buffer)
      b = 0x5A;
    return static_cast<int>(buffer.size());
  }
  int Write(std::span<const std::uint8_t> data) override { return static_cast<int>(data.size()); }
};

TEST(TransactWaiting, AStreamingLineCannotHoldTheTransactionInTheFlush) {
  lpgsim::VirtualClock clock;
  lpgsim::VirtualPump pump(clock);
  EndlessNoise noise;
  RecordingEffects effects;
  link::LinkState state;
  link::ControllerLink link(state, noise, noise, pump, effects.parts, effects.consumers);
  EXPECT_EQ(link.Transact(1, 0x33, 0, 0), 512);
  EXPECT_EQ(state.failureCounter, 1);
  EXPECT_FALSE(state.busy);
}

TEST(TransactChecks, EachReplyIsCountedGoodDamagedOrMissingInTheLinkQuality) {
  ScriptedLink t;
  t.port.responder = [](auto) { return LiveReply(); };
  t.link.Transact(1, 0x33, 0, 0);
  t.port.responder = [](auto) {
    Bytes damaged = LiveReply();
    damaged.back() ^= 0xFF;
    return damaged;
  };
  t.link.Transact(1, 0x33, 0, 0);
  t.port.responder = [](auto) { return Bytes{}; };
  t.link.Transact(1, 0x33, 0, 0);
  EXPECT_EQ(t.state.quality.LastMinute(t.clock.Now()), (link::ReplyCounts{1, 1, 1}));
}

TEST(TransactChecks, TheWriteToA50B1ControllerCountsAsAcknowledgedWhateverArrivesButNothing) {
  for (const Bytes& reply : {Bytes{}, Bytes{1, 2, 3}, Bytes{0xAA, 0xAB}}) {
    ScriptedLink t;
    t.state.workingCopy[0] = 0x50;
    t.state.workingCopy[1] = 0xB1;
    t.state.workingCopy[6] = 0xFF;
    t.state.failureCounter = 5;
    t.port.responder = [reply](auto) { return reply; };
    const int read = t.link.Transact(3, 0xAA, 40, 1);
    EXPECT_EQ(read, reply.empty() ? 0 : 2);
    EXPECT_EQ(t.link.LastReplyValid(), !reply.empty());
    EXPECT_EQ(t.state.failureCounter, reply.empty() ? 6 : 0);
  }
}

TEST(TransactChecks, BootStatusAnsweringAReadIsToppedUpOnTheComPort) {
  ScriptedLink t;
  // The status reply arrives slowly: 4 bytes, a pause, then the rest.
  const Bytes status = WithSum({0x3A, 100, 179, 0, 32, 7, 2});
  t.port.responder = [&](auto) {
    t.port.Arrive(Bytes(status.begin(), status.begin() + 4), milliseconds(3));
    t.port.Arrive(Bytes(status.begin() + 4, status.end()), milliseconds(14));
    return Bytes{};
  };
  t.state.readInProgress = true;
  EXPECT_EQ(t.link.Transact(2, 0x55, 0, 0), 8);
  EXPECT_EQ(t.state.pollingMode, link::PollingMode::Stopped);
  EXPECT_EQ(t.state.workingCopy[0], 100);
  EXPECT_EQ(t.state.controllerCopy[1], 179);
  EXPECT_FALSE(t.state.readInProgress);
}

}  // namespace
}  // namespace zo::test
