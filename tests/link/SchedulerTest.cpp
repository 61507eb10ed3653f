// The transmit-timer step: write-back, polls per mode, the interval rule and
// page selection, against scripted replies on virtual time.
#include <gtest/gtest.h>

#include <tuple>

#include "ScriptedLink.h"

namespace zo::test {
namespace {

using link::Page;
using link::PollingMode;
using Bytes = std::vector<std::uint8_t>;

// A link in polling mode with both image copies equal, a fully supported
// controller, and a controller that acknowledges every write.
struct Polling : ScriptedLink {
  explicit Polling(PollingMode mode = PollingMode::LiveData) {
    state.pollingMode = mode;
    for (auto* image : {&state.workingCopy, &state.controllerCopy}) {
      (*image)[0] = 100;
      (*image)[1] = 179;
      (*image)[6] = 0xFF;
    }
    port.responder = [](std::span<const std::uint8_t> request) -> Bytes {
      switch (request[0]) {
        case 0xAA:
          return {0xAA, 0xAA};
        case 0x33:
        case 0x35:
          return LiveReply();
        default:
          return {};
      }
    };
  }
  Bytes LastFrame() const { return port.written.back(); }
};

TEST(SchedulerPolls, WithNothingToWriteEachTickSendsOneLiveDataRequest) {
  Polling t;
  for (int i = 0; i < 5; ++i)
    t.scheduler.Step();
  ASSERT_EQ(t.port.written.size(), 5U);
  for (const auto& frame : t.port.written)
    EXPECT_EQ(frame, (Bytes{0x33, 0x33}));
  EXPECT_EQ(t.state.history.WriteIndex(), 5);
}

TEST(SchedulerPolls, NothingIsSentWhileDisconnectedReconnectingStoppedOrBusy) {
  Polling t;
  t.state.connected = false;
  t.scheduler.Step();
  t.state.connected = true;
  t.state.reconnectRequest = true;
  t.scheduler.Step();
  t.state.reconnectRequest = false;
  t.state.pollingMode = PollingMode::Stopped;
  t.state.workingCopy[40] = 1;  // not even write-back while stopped
  t.scheduler.Step();
  t.state.pollingMode = PollingMode::LiveData;
  t.state.busy = true;
  t.scheduler.Step();
  EXPECT_TRUE(t.port.written.empty());
}

TEST(SchedulerPolls, ModesPollTheirCommands) {
  Polling config(PollingMode::ConfigData);
  config.scheduler.Step();
  EXPECT_EQ(config.LastFrame(), (Bytes{0xAC, 0xAC}));
  EXPECT_EQ(config.effects.autoconfigSteps, 1);  // whatever the reply

  Polling inputs(PollingMode::ProcessorInputs);
  inputs.scheduler.Step();
  EXPECT_EQ(inputs.LastFrame(), (Bytes{0xCA, 0xCA}));

  for (PollingMode quiet : {PollingMode::Tester, PollingMode::Map}) {
    Polling t(quiet);
    t.scheduler.Step();
    EXPECT_TRUE(t.port.written.empty());
    t.state.workingCopy[50] = 3;  // write-back still runs
    t.scheduler.Step();
    EXPECT_EQ(t.LastFrame(), (Bytes{0xAA, 50, 3, 0xAA + 50 + 3}));
  }
}

TEST(SchedulerPolls, RamPagesAndEepromRowsRotateAndWrap) {
  Polling ram(PollingMode::RamPages);
  ram.state.rotatingIndex = 183;  // left over from the parameter read
  for (int i = 0; i < 41; ++i)
    ram.scheduler.Step();
  for (int i = 0; i < 41; ++i) {
    const int page = i % 39;
    EXPECT_EQ(ram.port.written[static_cast<std::size_t>(i)],
              WithSum({0xC5, static_cast<std::uint8_t>(page)}));
  }
  Polling rom(PollingMode::EepromRows);
  for (int i = 0; i < 35; ++i)
    rom.scheduler.Step();
  EXPECT_EQ(rom.port.written[32], WithSum({0x5C, 32}));
  EXPECT_EQ(rom.port.written[33], WithSum({0x5C, 0}));
  EXPECT_EQ(rom.port.written[34], WithSum({0x5C, 1}));
}

TEST(SchedulerPolls, ModeZeroWithoutAReadChoosesTheModeFromThePage) {
  const std::pair<Page, PollingMode> table[] = {
      {Page::Parameters, PollingMode::LiveData},
      {Page::Configuration, PollingMode::ConfigData},
      {Page::Map, PollingMode::Map},
      {Page::Port, PollingMode::ProcessorInputs},
      {Page::Ram, PollingMode::Read},
      {Page::Upgrade, PollingMode::Read},
  };
  for (auto [page, mode] : table) {
    Polling t(PollingMode::Read);
    t.state.activePage = page;
    t.scheduler.Step();
    EXPECT_EQ(t.state.pollingMode, mode);
    EXPECT_TRUE(t.port.written.empty());
  }
}

TEST(SchedulerWriteBack, OnlyAnExactTwoByteAcknowledgementConfirmsAWrite) {
  // None, a corrupted one, and a good one with a stray byte in the same burst.
  const Bytes replies[] = {{}, {0xAA, 0xAB}, {0xAA, 0xAA, 0x00}};
  for (const Bytes& reply : replies) {
    Polling t;
    t.port.byteTime = {};
    t.port.responder = [reply](auto) { return reply; };
    t.state.workingCopy[60] = 12;
    t.scheduler.Step();
    t.scheduler.Step();
    ASSERT_EQ(t.port.written.size(), 2U);
    EXPECT_EQ(t.port.written[1], WithSum({0xAA, 60, 12})) << reply.size();
    EXPECT_NE(t.state.controllerCopy[60], 12);
    EXPECT_EQ(t.effects.beeps, 0);
  }
}

TEST(SchedulerWriteBack, ConfirmedWritesBeepBelowByte168WithEitherAcknowledgement) {
  for (const bool quillon : {false, true}) {
    for (const auto& [index, beeps] : {std::pair{167, 1}, std::pair{168, 0}, std::pair{183, 0}}) {
      Polling t;
      t.state.quillon = quillon;
      if (quillon) {
        t.port.responder = [](std::span<const std::uint8_t> r) {
          return WithSum({r[0], r[1], r[2]});
        };
      }
      t.state.workingCopy[static_cast<std::size_t>(index)] = 7;
      t.scheduler.Step();
      EXPECT_EQ(t.state.controllerCopy[static_cast<std::size_t>(index)], 7);
      EXPECT_EQ(t.effects.beeps, beeps) << index << (quillon ? " four-byte echo" : "");
    }
  }
}

// Each confirmed write reports its cause and what the controller held: the
// mark of the part that changed it, a grid edit when unmarked or changed
// again since, with either acknowledgement.
TEST(SchedulerWriteBack, ConfirmedWritesReportTheirCauseAndTheValueBefore) {
  struct Log : link::IWriteConfirmations {
    std::vector<std::tuple<int, int, int, link::ChangeCause>> writes;
    void WriteConfirmed(int byte, std::uint8_t before, std::uint8_t after, link::ChangeCause cause,
                        std::uint32_t /*action*/) override {
      writes.emplace_back(byte, before, after, cause);
    }
  };
  using C = link::ChangeCause;
  for (const bool quillon : {false, true}) {
    Polling t;
    Log log;
    t.effects.consumers.writes = &log;
    t.state.quillon = quillon;
    if (quillon)
      t.port.responder = [](std::span<const std::uint8_t> r) {
        return WithSum({r[0], r[1], r[2]});
      };
    t.state.controllerCopy[60] = t.state.workingCopy[60] = 3;
    t.state.workingCopy[60] = 12;
    t.state.causes.Mark(60, 12, C::ParameterFile);
    t.state.workingCopy[61] = 5;
    t.state.causes.Mark(61, 4, C::Autoconfiguration);  // changed again since
    t.state.workingCopy[0] = 0;
    t.state.causes.Mark(0, 0, C::FactoryParameters, 100);
    t.state.controllerCopy[0] = 255;  // made to differ so that it is written
    for (int tick = 0; tick < 3; ++tick)
      t.scheduler.Step();
    using W = std::tuple<int, int, int, C>;
    EXPECT_EQ(log.writes, (std::vector{W{0, 100, 0, C::FactoryParameters},
                                       W{60, 3, 12, C::ParameterFile}, W{61, 255, 5, C::GridEdit}}))
        << (quillon ? "four-byte echo" : "two-byte acknowledgement");
  }
}

TEST(SchedulerWriteBack, TheValueSentIsWhatIsConfirmedEvenIfTheUserTypedDuringTheWait) {
  Polling t;
  t.state.workingCopy[60] = 12;
  t.clock.Schedule(t.clock.Now() + std::chrono::milliseconds(2),
                   [&] { t.state.workingCopy[60] = 13; });
  t.scheduler.Step();
  EXPECT_EQ(t.state.controllerCopy[60], 12);
  t.scheduler.Step();
  EXPECT_EQ(t.port.written.back(), WithSum({0xAA, 60, 13}));
  EXPECT_EQ(t.state.controllerCopy[60], 13);
}

TEST(SchedulerWriteBack, AfterTheLastWriteAPendingReadStartsOnTheNextTick) {
  Polling t;
  t.state.readInProgress = true;
  t.state.workingCopy[33] = 2;
  t.scheduler.Step();  // write
  t.scheduler.Step();  // nothing differs: back to mode 0
  EXPECT_EQ(t.state.pollingMode, PollingMode::Read);
  EXPECT_EQ(t.port.written.size(), 1U);
  t.scheduler.Step();
  EXPECT_EQ(t.port.written.back(), WithSum({0x55, 0}));
  EXPECT_EQ(t.effects.caption, "Zo Viz V1.79");
  EXPECT_EQ(t.effects.progressMax, 183);
}

TEST(SchedulerInterval, FollowsTheFailureCounter) {
  Polling t;
  t.port.responder = [](auto) { return Bytes{}; };
  for (int i = 0; i < 11; ++i)
    t.scheduler.Step();
  EXPECT_EQ(t.state.failureCounter, 11);
  EXPECT_EQ(t.state.txIntervalMs, 100);
  t.scheduler.Step();
  EXPECT_EQ(t.state.txIntervalMs, 333);
  for (int i = 0; i < 9; ++i)
    t.scheduler.Step();
  EXPECT_EQ(t.state.txIntervalMs, 333);
  t.scheduler.Step();  // 21 failures before this step
  EXPECT_EQ(t.state.txIntervalMs, 3000);
  t.port.responder = [](auto) { return LiveReply(); };
  t.scheduler.Step();  // answered
  EXPECT_EQ(t.state.failureCounter, 0);
  t.scheduler.Step();
  EXPECT_EQ(t.state.txIntervalMs, 100);
  EXPECT_EQ(t.effects.txIntervals, (std::vector<int>{333, 3000, 100}));
}

TEST(SchedulerSwitch, TheSwitchRequestReplacesTheNextPollOnce) {
  Polling t;
  t.scheduler.RequestSwitch(true);
  t.port.responder = [](auto) { return LiveReply(0x41); };
  t.scheduler.Step();
  EXPECT_EQ(t.state.statusByte, 0x41) << "answered and decoded as live data";
  t.scheduler.Step();
  EXPECT_EQ(t.port.written[0], (Bytes{0x35, 0x33, 0x68}));
  EXPECT_EQ(t.port.written[1], (Bytes{0x33, 0x33}));

  Polling config(PollingMode::ConfigData);
  config.scheduler.RequestSwitch(true);
  config.scheduler.Step();
  EXPECT_EQ(config.port.written[0], (Bytes{0x35, 0xAC, 0xE1}));
}

TEST(SchedulerSwitch, WithoutALiveLinkTheSwitchAsksForAReconnection) {
  Polling off;
  off.scheduler.RequestSwitch(false);
  EXPECT_TRUE(off.state.reconnectRequest);
  EXPECT_FALSE(off.state.switchRequest);
  Polling lost;
  lost.state.linkLossCounter = 6;
  lost.scheduler.RequestSwitch(true);
  EXPECT_TRUE(lost.state.reconnectRequest);
  Polling closed;
  closed.state.connected = false;
  closed.scheduler.RequestSwitch(true);
  EXPECT_TRUE(closed.state.reconnectRequest);
}

TEST(SchedulerPages, SelectingAPageSetsItsModeAndRebuildsTheGrid) {
  const std::pair<Page, PollingMode> table[] = {
      {Page::Parameters, PollingMode::LiveData},  {Page::Configuration, PollingMode::ConfigData},
      {Page::Port, PollingMode::ProcessorInputs}, {Page::Ram, PollingMode::RamPages},
      {Page::Eeprom, PollingMode::EepromRows},    {Page::Upgrade, PollingMode::Stopped},
  };
  for (auto [page, mode] : table) {
    Polling t;
    t.state.statusByte = 7;
    t.scheduler.SelectPage(page);
    EXPECT_EQ(t.state.activePage, page);
    EXPECT_EQ(t.state.pollingMode, mode);
    EXPECT_EQ(t.effects.gridRebuilds, 1);
    EXPECT_EQ(t.effects.autoconfigResets, page == Page::Configuration ? 1 : 0);
    EXPECT_EQ(t.state.statusByte, page == Page::Upgrade ? 255 : 7);
  }
}

}  // namespace
}  // namespace zo::test
