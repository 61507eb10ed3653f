// The link against the simulated controller: whole reads for each kind of
// controller, write-back into the controller's EEPROM, live data, and
// replies lost or late on the line.
#include <gtest/gtest.h>

#include <algorithm>

#include "SimLink.h"

namespace zo::test {
namespace {

using link::Page;
using link::PollingMode;
using lpgsim::Fault;
using lpgsim::SimConfig;
using Bytes = std::vector<std::uint8_t>;

// Index of every parameter-read frame sent, in order.
std::vector<int> ReadIndexes(const lpgsim::SimTransport& port, std::uint8_t command = 0x55) {
  std::vector<int> indexes;
  for (const auto& frame : port.Written()) {
    if (frame.bytes[0] == command) indexes.push_back(frame.bytes[1]);
  }
  return indexes;
}

bool Sent(const lpgsim::SimTransport& port, const Bytes& frame) {
  return std::any_of(port.Written().begin(), port.Written().end(),
                     [&](const auto& w) { return w.bytes == frame; });
}

TEST(SimRead, ACompleteReadFillsBothCopiesAndEndsInLiveDataAfterPage6) {
  SimLink t;  // version 179
  t.Tick();   // the whole read runs as one chain inside this tick
  EXPECT_FALSE(t.state.readInProgress);
  EXPECT_EQ(t.state.pollingMode, PollingMode::LiveData);
  const auto image = t.controller.Image();
  for (std::size_t i = 0; i < link::kImageSize; ++i) {
    ASSERT_EQ(t.state.workingCopy[i], image[i]) << i;
    ASSERT_EQ(t.state.controllerCopy[i], image[i]) << i;
  }
  std::vector<int> expected(184);
  for (int i = 0; i < 184; ++i)
    expected[static_cast<std::size_t>(i)] = i;
  EXPECT_EQ(ReadIndexes(t.port), expected);
  EXPECT_TRUE(Sent(t.port, {0xC5, 6, 0xCB}));
  EXPECT_EQ(t.effects.connectionStates,
            (std::vector<link::ConnectionState>{link::ConnectionState::ControllerRead}));
  EXPECT_EQ(t.effects.txIntervals, (std::vector<int>{1000}));
  EXPECT_TRUE(t.state.plausibilityRequest);
  EXPECT_TRUE(t.state.identifiedOnce);
  EXPECT_EQ(t.effects.indicatorsAuxState, 2);
  EXPECT_EQ(t.effects.connectCaptions, 954);
  EXPECT_FALSE(t.effects.progressShown);
  EXPECT_EQ(t.effects.caption, "Zo Viz V1.79");
  EXPECT_EQ(t.effects.progressPosition, 183);
  EXPECT_EQ(t.state.failureCounter, 0);
  // The production date of the counter block came with page 6.
  const auto& ram = t.controller.Ram();
  for (std::size_t i = 0; i < 16; ++i) {
    EXPECT_EQ(t.state.counterBlock[i], ram[lpgsim::SimController::kRamCounterBlock + i]);
  }
  // The next tick is back to 100 ms, with live data.
  t.Tick();
  EXPECT_EQ(t.state.txIntervalMs, 100);
  EXPECT_EQ(t.port.Written().back().bytes, (Bytes{0x33, 0x33}));
}

TEST(SimRead, TheK3010TesterIsReadUpToIndex4Only) {
  SimConfig config;
  config.modelCode = 203;
  SimLink t(config);
  t.Tick();
  EXPECT_EQ(ReadIndexes(t.port), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(t.state.pollingMode, PollingMode::Tester);
  EXPECT_EQ(t.effects.connectionStates,
            (std::vector<link::ConnectionState>{link::ConnectionState::Tester}));
  EXPECT_FALSE(t.state.readInProgress);
  const auto before = t.port.Written().size();
  t.Ticks(5);  // nothing is polled afterwards
  EXPECT_EQ(t.port.Written().size(), before);
}

TEST(SimRead, TheQuillonVariantNeedsTheVariantProtocol) {
  SimConfig config;
  config.modelCode = 80;
  config.variant = 254;
  SimLink plain(config);
  plain.Tick();
  EXPECT_EQ(ReadIndexes(plain.port), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(plain.state.pollingMode, PollingMode::Stopped);
  EXPECT_EQ(plain.effects.connectionStates,
            (std::vector<link::ConnectionState>{link::ConnectionState::UploadOnly}));

  SimLink quillon(config);
  quillon.state.quillon = true;
  quillon.Tick();
  EXPECT_EQ(ReadIndexes(quillon.port).size(), 7U);
  EXPECT_EQ(ReadIndexes(quillon.port, 0x56).size(), 184U - 7U);
  EXPECT_EQ(quillon.state.pollingMode, PollingMode::LiveData);
  EXPECT_EQ(quillon.state.workingCopy[100], quillon.controller.Image()[100]);
  // Writes are confirmed by the four-byte echo.
  quillon.state.workingCopy[60] = static_cast<std::uint8_t>(quillon.state.workingCopy[60] + 1);
  quillon.Tick();
  EXPECT_EQ(quillon.controller.Image()[60], quillon.state.workingCopy[60]);
  EXPECT_EQ(quillon.state.controllerCopy[60], quillon.state.workingCopy[60]);
  EXPECT_EQ(quillon.effects.beeps, 1);
}

TEST(SimRead, ADroppedReplyInterruptsTheReadWhichResumesAtItsIndex) {
  SimLink t;
  t.Tick();  // read fully first, so the drop can be placed exactly
  SimLink r;
  r.port.Faults().Script(Fault::None, 40);
  r.port.Faults().Script(Fault::Drop, 1);
  r.Tick();
  EXPECT_TRUE(r.state.readInProgress);
  EXPECT_EQ(r.state.rotatingIndex, 40);
  EXPECT_EQ(r.state.failureCounter, 1);
  r.Tick();
  EXPECT_FALSE(r.state.readInProgress);
  const auto indexes = ReadIndexes(r.port);
  EXPECT_EQ(std::count(indexes.begin(), indexes.end(), 40), 2);
  EXPECT_EQ(std::count(indexes.begin(), indexes.end(), 39), 1);
  for (std::size_t i = 0; i < link::kImageSize; ++i) {
    ASSERT_EQ(r.state.workingCopy[i], t.state.workingCopy[i]) << i;
  }
}

TEST(SimRead, MigrationDefaultsAreWrittenAfterAnUpgradeThatCrossedTheirVersion) {
  SimConfig config;
  config.firmwareVersion = 180;
  lpgsim::ParameterImage image{};
  {
    SimLink probe;
    std::copy(probe.controller.Image().begin(), probe.controller.Image().end(), image.begin());
  }
  image[1] = 180;
  image[101] = 255;
  image[91] = 255;
  config.initialImage = image;
  SimLink t(config);
  t.state.programming.oldVersion = 170;
  t.state.programming.newVersion = 180;
  t.Tick();
  EXPECT_EQ(t.state.workingCopy[101], 200);
  EXPECT_EQ(t.state.controllerCopy[101], 255);
  EXPECT_EQ(t.state.workingCopy[91], 255);  // its threshold 163 was not crossed
  t.Tick();
  EXPECT_EQ(t.controller.Image()[101], 200);
}

TEST(SimWriteBack, EditsReachTheControllerOneBytePerTickLowestFirst) {
  SimLink t;
  t.Tick();
  const auto sentBefore = t.port.Written().size();
  t.state.workingCopy[170] = static_cast<std::uint8_t>(t.state.workingCopy[170] + 1);
  t.state.workingCopy[58] = 30;
  t.state.workingCopy[41] = static_cast<std::uint8_t>(t.state.workingCopy[41] - 1);
  t.Tick();
  EXPECT_EQ(t.controller.Image()[41], t.state.workingCopy[41]);
  EXPECT_NE(t.controller.Image()[58], 30);
  t.Tick();
  EXPECT_EQ(t.controller.Image()[58], 30);
  t.Tick();
  EXPECT_EQ(t.controller.Image()[170], t.state.workingCopy[170]);
  t.Tick();
  const auto& written = t.port.Written();
  ASSERT_EQ(written.size(), sentBefore + 4);
  EXPECT_EQ(written[sentBefore].bytes[1], 41);
  EXPECT_EQ(written[sentBefore + 1].bytes[1], 58);
  EXPECT_EQ(written[sentBefore + 2].bytes[1], 170);
  EXPECT_EQ(written[sentBefore + 3].bytes, (Bytes{0x33, 0x33}));
  EXPECT_EQ(t.effects.beeps, 2);
  EXPECT_EQ(t.state.controllerCopy, t.state.workingCopy);
}

TEST(SimFaults, ALateReplyIsTakenByTheNextPollOfTheSameKind) {
  // Live data carry no sequence number: a reply that misses its wait lands
  // in the next wait and is as good as any.
  SimLink t;
  t.Tick();
  t.Tick();
  t.port.Faults().Script(Fault::Late, 1);
  t.Tick();
  EXPECT_EQ(t.state.failureCounter, 1);
  const int index = t.state.history.WriteIndex();
  t.Tick();
  EXPECT_EQ(t.state.failureCounter, 0);
  EXPECT_EQ(t.state.history.WriteIndex(), index + 1);
}

}  // namespace
}  // namespace zo::test
