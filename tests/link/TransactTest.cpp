// Transact: frames on the wire, waiting, checks and the busy flag, on
// virtual time against scripted replies.
#include <gtest/gtest.h>

#include "ScriptedLink.h"
#include "link/Frame.h"

namespace zo::test {
namespace {

using link::Command;
using link::Request;
using std::chrono::microseconds;
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

TEST(TransactFrames, ReplyChecksFollowTheCommand) {
  using link::Frame;
  EXPECT_TRUE(Frame::IsValidReply(0xAA, false, Bytes{0xAA, 0xAA}));
  EXPECT_FALSE(Frame::IsValidReply(0xAA, true, Bytes{0xAA, 0xAA}));
  EXPECT_TRUE(Frame::IsValidReply(0xAA, true, WithSum({0xAA, 20, 7})));
  // The memory page is checked on 23 bytes although 25 are awaited.
  Bytes page{0xC5, 0, 6};
  page.resize(22, 9);
  page = WithSum(page);
  EXPECT_EQ(Frame::ExpectedLength(0xC5, false), 25);
  EXPECT_TRUE(Frame::IsValidReply(0xC5, false, page));
  page.resize(22);
  EXPECT_FALSE(Frame::IsValidReply(0xC5, false, page));
  // A programming block reply carries 1 after its echo.
  EXPECT_TRUE(Frame::IsValidReply(0x07, false, WithSum({0x07, 1, 3, 0, 0, 0, 5})));
  EXPECT_FALSE(Frame::IsValidReply(0x07, false, WithSum({0x07, 2, 3, 0, 0, 0, 5})));
  EXPECT_EQ(Frame::ExpectedLength(0x42, false), 0);
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

TEST(TransactWaiting, SilenceCostsTheWholeBudgetAndKeepsTheFailure) {
  ScriptedLink t;
  const auto start = t.clock.Now();
  EXPECT_EQ(t.link.Transact(1, 0x33, 0, 0), 0);
  EXPECT_EQ(t.clock.Now() - start, milliseconds(150));
  EXPECT_EQ(t.state.failureCounter, 1);
  EXPECT_FALSE(t.state.busy);
}

TEST(TransactWaiting, AfterTwentyUnansweredFramesEachFrameWaits2_7s) {
  ScriptedLink t;
  t.state.failureCounter = 20;
  auto start = t.clock.Now();
  t.link.Transact(1, 0x33, 0, 0);
  EXPECT_EQ(t.clock.Now() - start, milliseconds(2700));
  start = t.clock.Now();
  t.link.Transact(1, 0x33, 0, 0);
  EXPECT_EQ(t.clock.Now() - start, milliseconds(2700));

  ScriptedLink fresh;
  fresh.state.failureCounter = 19;
  start = fresh.clock.Now();
  fresh.link.Transact(1, 0x33, 0, 0);
  EXPECT_EQ(fresh.clock.Now() - start, milliseconds(150));
}

TEST(TransactWaiting, BootStartGetsTheLongWait) {
  ScriptedLink t;
  const auto start = t.clock.Now();
  t.link.Transact(3, 0x3A, 0x75, 0x70);
  EXPECT_EQ(t.port.written.back(), (Bytes{0x3A, 0x75, 0x70, 0x1F}));
  EXPECT_EQ(t.clock.Now() - start, milliseconds(2700));
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
  link::ControllerLink link(state, noise, noise, pump, effects);
  EXPECT_EQ(link.Transact(1, 0x33, 0, 0), 512);
  EXPECT_EQ(state.failureCounter, 1);
  EXPECT_FALSE(state.busy);
}

TEST(TransactChecks, AReplyWhoseSumIsOffByOneIsIgnored) {
  ScriptedLink t;
  t.port.responder = [](auto) {
    auto r = LiveReply(9);
    r.back() = static_cast<std::uint8_t>(r.back() + 1);
    return r;
  };
  const auto before = t.state.history.Current();
  EXPECT_EQ(t.link.Transact(1, 0x33, 0, 0), 16);
  EXPECT_EQ(t.state.failureCounter, 1);
  EXPECT_EQ(t.state.statusByte, 255);
  EXPECT_EQ(t.state.history.Current(), before);
  EXPECT_FALSE(t.link.LastReplyValid());
}

TEST(TransactChecks, AReplyCorruptedInAnySingleByteIsNeverDecoded) {
  struct Case {
    Bytes request;
    Bytes reply;
    link::Page page;
  };
  Bytes memory{0xC5, 1, 6};
  memory.resize(22, 0x10);
  Bytes eeprom{0x5C, 1, 2};
  eeprom.resize(19, 0x20);
  const Case cases[] = {
      {{0x55, 9}, WithSum({0x55, 9, 42}), link::Page::Parameters},
      {{0x33}, LiveReply(3), link::Page::Parameters},
      {{0xAC},
       WithSum({0xAC, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}),
       link::Page::Configuration},
      {{0xCA}, WithSum({0xCA, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), link::Page::Port},
      {{0xC5, 6}, WithSum(memory), link::Page::Parameters},
      {{0x5C, 2}, WithSum(eeprom), link::Page::Eeprom},
  };
  for (const Case& c : cases) {
    for (std::size_t at = 0; at < c.reply.size(); ++at) {
      for (const int flip : {0x01, 0x80, 0xFF}) {
        ScriptedLink t;
        t.state.activePage = c.page;
        Bytes spoiled = c.reply;
        spoiled[at] = static_cast<std::uint8_t>(spoiled[at] ^ flip);
        t.port.responder = [spoiled](auto) { return spoiled; };
        const auto working = t.state.workingCopy;
        const int length = static_cast<int>(c.request.size());
        t.link.Transact(length, c.request[0], length > 1 ? c.request[1] : 0, 0);
        ASSERT_EQ(t.state.failureCounter, 1) << int(c.request[0]) << " byte " << at;
        ASSERT_EQ(t.state.statusByte, 255);
        ASSERT_EQ(t.state.workingCopy, working);
        ASSERT_EQ(t.state.history.WriteIndex(), 0);
        ASSERT_EQ(t.state.counterBlock[0], 0);
        ASSERT_EQ(t.port.written.size(), 1U);  // nothing chained
        ASSERT_TRUE(t.effects.log.empty());
        ASSERT_TRUE(t.effects.processorInputs.empty() && t.effects.eepromRows.empty());
      }
    }
  }
}

TEST(TransactChecks, SwitchRequestIsAnsweredAndDecodedAsLiveData) {
  ScriptedLink t;
  t.port.responder = [](auto) { return LiveReply(0x41); };
  EXPECT_EQ(t.link.Transact(2, 0x35, 0x33, 0), 16);
  EXPECT_EQ(t.port.written[0], (Bytes{0x35, 0x33, 0x68}));
  EXPECT_EQ(t.state.statusByte, 0x41);
  EXPECT_EQ(t.state.failureCounter, 0);
}

TEST(TransactChecks, TheWriteToA50B1ControllerCountsAsAcknowledgedWhateverArrives) {
  for (const Bytes& reply : {Bytes{}, Bytes{1, 2, 3}, Bytes{0xAA, 0xAB}}) {
    ScriptedLink t;
    t.state.workingCopy[0] = 0x50;
    t.state.workingCopy[1] = 0xB1;
    t.state.workingCopy[6] = 0xFF;
    t.state.failureCounter = 5;
    t.port.responder = [reply](auto) { return reply; };
    EXPECT_EQ(t.link.Transact(3, 0xAA, 40, 1), 2);
    EXPECT_EQ(t.state.failureCounter, 0);
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
