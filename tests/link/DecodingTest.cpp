// Reply decoding: where each valid reply's fields land, which pages and modes
// gate them, the chained requests and the boot loader's status reply.
#include <gtest/gtest.h>

#include "ScriptedLink.h"
#include "link/MigrationDefaults.h"

namespace zo::test {
namespace {

using link::Page;
using link::PollingMode;
using texts::TextPiece;
using Bytes = std::vector<std::uint8_t>;

struct Decoding : ScriptedLink {
  // Answers the next frame with `reply`.
  int Exchange(const Bytes& request, const Bytes& reply) {
    port.responder = [reply](auto) { return reply; };
    const int length = static_cast<int>(request.size());
    return link.Transact(length, request[0], length > 1 ? request[1] : 0,
                         length > 2 ? request[2] : 0);
  }
};

Bytes Block(std::uint8_t command, std::uint8_t status, std::uint8_t index, int tail = 0) {
  Bytes r{command, status, index};
  for (int i = 0; i < 16; ++i)
    r.push_back(static_cast<std::uint8_t>(100 + i));
  for (int i = 0; i < tail; ++i)
    r.push_back(0);
  return WithSum(r);
}

TEST(LiveDataDecoding, FillsStatusFaultLevelAndTheSampleThenAdvances) {
  Decoding t;
  t.state.history.Current()[0] = 77;
  t.Exchange({0x33}, LiveReply(10));
  EXPECT_EQ(t.state.statusByte, 10);
  EXPECT_EQ(t.state.faultCode, 16);     // r7
  EXPECT_EQ(t.state.levelReading, 22);  // r13
  const auto& sample = t.state.history.At(0);
  for (std::size_t i = 1; i <= 14; ++i)
    EXPECT_EQ(sample[i], 9 + i);
  EXPECT_EQ(sample[0], 77);  // the RAM watch bytes are not touched
  EXPECT_EQ(t.state.history.WriteIndex(), 1);
  EXPECT_EQ(t.effects.drawnSamples, (std::vector<int>{0}));
  EXPECT_EQ(t.effects.timeCaptions, (std::vector<int>{1}));
}

TEST(LiveDataDecoding, IsDroppedWhileTheScopeIsStoppedOrAnotherPageIsShown) {
  for (bool otherPage : {false, true}) {
    Decoding t;
    if (otherPage) {
      t.state.activePage = Page::Configuration;
    } else {
      t.state.scopeRunning = false;
    }
    t.state.failureCounter = 3;
    t.Exchange({0x33}, LiveReply(10));
    EXPECT_EQ(t.state.failureCounter, 0);  // the reply was good
    EXPECT_EQ(t.state.statusByte, 255);
    EXPECT_EQ(t.state.history.At(0), link::HistorySample{});
    EXPECT_EQ(t.state.history.WriteIndex(), 0);
    EXPECT_TRUE(t.effects.drawnSamples.empty());
  }
}

TEST(LiveDataDecoding, InServiceModeTheRamWatchCompletesTheSample) {
  Decoding t;
  t.state.serviceMode = true;
  t.state.ramWatchText = "300";  // sent as its low byte
  int calls = 0;
  t.port.responder = [&](std::span<const std::uint8_t> request) -> Bytes {
    ++calls;
    if (request[0] == 0x33) return LiveReply(1);
    EXPECT_EQ(Bytes(request.begin(), request.end()), WithSum({0x5A, 44}));
    return WithSum({0x5A, 0, 0xBE});
  };
  EXPECT_EQ(t.link.Transact(1, 0x33, 0, 0), 4);
  EXPECT_EQ(calls, 2);
  const auto& sample = t.state.history.At(0);
  EXPECT_EQ(sample[15], 0xBE);
  EXPECT_EQ(sample[0], 44);
  EXPECT_EQ(sample[1], 1);
  EXPECT_EQ(t.state.history.WriteIndex(), 1);
  EXPECT_EQ(t.state.failureCounter, 0);
}

TEST(LiveDataDecoding, TheRamWatchAddressReadsAsZeroWhenNotANumber) {
  EXPECT_EQ(link::ReplyDecoder::ParseRamWatchAddress("12"), 12);
  EXPECT_EQ(link::ReplyDecoder::ParseRamWatchAddress(""), 0);
  EXPECT_EQ(link::ReplyDecoder::ParseRamWatchAddress("1a"), 0);
  EXPECT_EQ(link::ReplyDecoder::ParseRamWatchAddress("abc"), 0);
}

TEST(LiveDataDecoding, WrappingTheHistoryAutoSavesOnlyWhenSwitchedOn) {
  for (bool autoSave : {false, true}) {
    Decoding t;
    t.state.autoSave = autoSave;
    t.state.history.SetWriteIndex(3599);
    t.Exchange({0x33}, LiveReply(5));
    EXPECT_EQ(t.state.history.WriteIndex(), 0);
    EXPECT_EQ(t.effects.autoSaves, autoSave ? 1 : 0);
    EXPECT_EQ(t.state.history.At(3599)[1], 5);
    EXPECT_EQ(t.state.history.At(0), link::HistorySample{});  // cleared for the next cycle
  }
}

TEST(ConfigDataDecoding, StoresItsBytesInTheSampleAndFeedsTheAutoconfiguration) {
  Decoding t;
  t.state.activePage = Page::Configuration;
  t.state.faultCode = 9;
  t.Exchange({0xAC}, WithSum({0xAC, 0xC6, 2, 8, 23, 40, 30, 7, 7, 7, 7, 7, 7, 7}));
  const auto& sample = t.state.history.At(0);
  EXPECT_EQ(sample[1], 0xC6);
  EXPECT_EQ(sample[2], 2);
  EXPECT_EQ(sample[3], 8);
  EXPECT_EQ(sample[4], 23);
  EXPECT_EQ(sample[8], 30);
  EXPECT_EQ(sample[10], 40);
  EXPECT_EQ(sample[5], 0);
  EXPECT_EQ(t.state.statusByte, 0xC6);
  EXPECT_EQ(t.state.faultCode, 0);
  EXPECT_EQ(t.effects.configShown, 1);
  EXPECT_EQ(t.effects.autoconfigSamples, 1);
  EXPECT_EQ(t.state.history.WriteIndex(), 1);

  Decoding wrongPage;
  wrongPage.Exchange({0xAC}, WithSum({0xAC, 0xC6, 2, 8, 23, 40, 30, 7, 7, 7, 7, 7, 7, 7}));
  EXPECT_EQ(wrongPage.effects.autoconfigSamples, 0);
  EXPECT_EQ(wrongPage.state.statusByte, 255);
}

TEST(ProcessorDecoding, InputsAreShownOnThePortPageOnly) {
  const Bytes reply = WithSum({0xCA, 1, 2, 3, 4, 5, 6, 7, 8, 0x81, 0x42, 0x24, 0x30});
  Decoding t;
  t.state.activePage = Page::Port;
  t.Exchange({0xCA}, reply);
  ASSERT_EQ(t.effects.processorInputs.size(), 1U);
  EXPECT_EQ(t.effects.processorInputs[0], (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 0x81, 0x42, 0x24}));
  EXPECT_EQ(t.state.statusByte, 0x30);

  Decoding other;
  other.Exchange({0xCA}, reply);
  EXPECT_TRUE(other.effects.processorInputs.empty());
  EXPECT_EQ(other.state.statusByte, 255);
}

TEST(MemoryDecoding, PagesGoToTheRamViewOrTheCounterBlock) {
  Decoding ram;
  ram.state.activePage = Page::Ram;
  ram.Exchange({0xC5, 12}, Block(0xC5, 0x40, 12, 3));
  ASSERT_EQ(ram.effects.memoryRows.size(), 1U);
  EXPECT_EQ(ram.effects.memoryRows[0].first, 12);
  EXPECT_EQ(ram.effects.memoryRows[0].second[15], 115);
  EXPECT_EQ(ram.state.statusByte, 0x40);
  EXPECT_EQ(ram.state.counterBlock[0], 0);

  Decoding info;
  info.state.faultCode = 4;
  info.Exchange({0xC5, 14}, Block(0xC5, 0x40, 14, 3));
  EXPECT_TRUE(info.effects.memoryRows.empty());
  EXPECT_EQ(info.state.counterBlock[13], 113);
  EXPECT_EQ(info.state.faultCode, 0);
  EXPECT_TRUE(info.effects.connectionStates.empty());  // only page 6 ends a read
}

TEST(MemoryDecoding, AShortPageWithAGoodSumIsAcceptedWithoutWaitingForMore) {
  Decoding t;
  t.state.activePage = Page::Ram;
  const auto start = t.clock.Now();
  EXPECT_EQ(t.Exchange({0xC5, 3}, Block(0xC5, 1, 3, 3)), 23);
  EXPECT_EQ(t.effects.memoryRows.size(), 1U);
  EXPECT_LE(t.clock.Now() - t.port.LastArrival(), std::chrono::milliseconds(2));
  EXPECT_LT(t.clock.Now() - start, std::chrono::milliseconds(150));
}

TEST(MemoryDecoding, EepromRowsAreShownOnTheEepromPage) {
  Decoding t;
  t.state.activePage = Page::Eeprom;
  t.Exchange({0x5C, 32}, Block(0x5C, 0x22, 32));
  ASSERT_EQ(t.effects.eepromRows.size(), 1U);
  EXPECT_EQ(t.effects.eepromRows[0].first, 32);
  EXPECT_EQ(t.state.statusByte, 0x22);

  Decoding other;
  other.Exchange({0x5C, 1}, Block(0x5C, 0x22, 1));
  EXPECT_TRUE(other.effects.eepromRows.empty());
  EXPECT_EQ(other.state.statusByte, 0x22);
}

TEST(ReadDecoding, TheLastIndexChainsTheCounterPageFromVersion177On) {
  for (const auto& [version, chains] : {std::pair{176, false}, std::pair{177, true}}) {
    Decoding t;
    t.state.readInProgress = true;
    t.state.controllerCopy[1] = static_cast<std::uint8_t>(version);
    t.state.controllerCopy[6] = 0xFF;
    t.port.responder = [](std::span<const std::uint8_t> request) -> Bytes {
      if (request[0] == 0x55) return WithSum({0x55, 183, 9});
      return {};  // the counter page goes unanswered
    };
    t.link.Transact(2, 0x55, 183, 0);
    const std::vector<Bytes> sent = {WithSum({0x55, 183}), WithSum({0xC5, 6})};
    EXPECT_EQ(t.port.written, std::vector<Bytes>(sent.begin(), sent.begin() + (chains ? 2 : 1)))
        << version;
    EXPECT_EQ(t.effects.connectionStates,
              chains ? std::vector<link::ConnectionState>{}
                     : std::vector<link::ConnectionState>{link::ConnectionState::ControllerRead});
    EXPECT_EQ(t.state.pollingMode, PollingMode::LiveData);
    if (!chains) continue;
    // The lost counter page is asked for again before live data, and its
    // reply ends the read even on the RAM page.
    t.state.activePage = Page::Ram;
    t.state.workingCopy = t.state.controllerCopy;  // nothing to write back
    t.port.responder = [](std::span<const std::uint8_t>) { return Block(0xC5, 0x40, 6, 3); };
    t.scheduler.Step();
    EXPECT_EQ(t.port.written.back(), WithSum({0xC5, 6}));
    EXPECT_EQ(t.effects.connectionStates,
              std::vector<link::ConnectionState>{link::ConnectionState::ControllerRead});
    EXPECT_TRUE(t.effects.memoryRows.empty());
    t.scheduler.Step();
    EXPECT_EQ(t.port.written.back(), (Bytes{0x33, 0x33})) << "then the mode's own poll";
  }
}

TEST(WriteDecoding, OnlyTheQuillonEchoUpdatesTheCopiesItself) {
  Decoding t;
  t.state.quillon = true;
  t.Exchange({0xAA, 40, 9}, WithSum({0xAA, 40, 9}));
  EXPECT_EQ(t.state.workingCopy[40], 9);
  EXPECT_EQ(t.state.controllerCopy[40], 9);
  // Without the variant the two-byte acknowledgement stores nothing itself.
  Decoding plain;
  EXPECT_EQ(plain.Exchange({0xAA, 40, 9}, {0xAA, 0xAA}), 2);
  EXPECT_EQ(plain.state.controllerCopy[40], 255);
  EXPECT_EQ(plain.effects.beeps, 0);
}

TEST(BootStatusDecoding, AReadAnsweredByTheBootLoaderReportsTheLastProgramming) {
  const std::pair<std::uint8_t, int> states[] = {{0, 921}, {1, 922}, {2, 923}, {3, 924}, {7, -1}};
  for (auto [bootState, text] : states) {
    Decoding t;
    t.state.readInProgress = true;
    t.state.reconnectRequest = true;
    t.effects.progressShown = true;
    t.Exchange({0x55, 0}, WithSum({0x3A, 80, 150, 0, 32, 5, bootState}));
    EXPECT_EQ(t.state.pollingMode, PollingMode::Stopped);
    EXPECT_EQ(t.state.workingCopy[0], 80);
    EXPECT_EQ(t.state.controllerCopy[1], 150);
    EXPECT_EQ(t.effects.connectionStates,
              (std::vector<link::ConnectionState>{link::ConnectionState::UploadOnly}));
    EXPECT_TRUE(t.state.identifiedOnce);
    EXPECT_FALSE(t.state.readInProgress);
    EXPECT_FALSE(t.state.reconnectRequest);
    EXPECT_EQ(t.effects.mainWindowEnabled, true);
    EXPECT_EQ(t.effects.connectCaptions, 954);
    EXPECT_FALSE(t.effects.progressShown);
    ASSERT_EQ(t.effects.messages.size(), 1U);
    const auto& message = t.effects.messages[0];
    texts::UserText expected{texts::TextPiece::Id(920)};
    if (text > 0) expected.push_back(texts::TextPiece::Id(text));
    EXPECT_EQ(message.text, expected);
    EXPECT_EQ(message.title, 700);
    EXPECT_EQ(message.icon, link::MsgIcon::Information);
  }
}

TEST(BootStatusDecoding, State255OrABadSumIsNotABootStatus) {
  for (const Bytes& reply :
       {WithSum({0x3A, 80, 150, 0, 32, 5, 0xFF}), Bytes{0x3A, 80, 150, 0, 32, 5, 0, 0}}) {
    Decoding t;
    t.state.readInProgress = true;
    t.Exchange({0x55, 0}, reply);
    EXPECT_TRUE(t.state.readInProgress);
    EXPECT_EQ(t.state.workingCopy[0], 0);
    EXPECT_TRUE(t.effects.messages.empty());
    EXPECT_EQ(t.state.failureCounter, 1);
  }
}

TEST(BootLoaderDecoding, StatusAndBlockRepliesReachTheUploadAndChain) {
  Decoding t;
  link::Request header = link::Request::Block({0x07, 0, 0, 0, 100});
  t.effects.onBootStatus = [&](auto) { return header; };
  int statusCalls = 0;
  t.port.responder = [&](std::span<const std::uint8_t> request) -> Bytes {
    ++statusCalls;
    if (request[0] == 0x3A) return WithSum({0x3A, 100, 179, 0x01, 0x00, 9, 0});
    return WithSum({0x07, 1, 5, 0, 2, 0, 17});
  };
  EXPECT_EQ(t.link.Transact(3, 0x3A, 0x75, 0x70), 8);
  EXPECT_EQ(statusCalls, 2);
  EXPECT_EQ(t.state.programming.bootModel, 100);
  EXPECT_EQ(t.state.programming.pageSizeWords, 256);
  EXPECT_EQ(t.state.programming.bootParameter, 9);
  ASSERT_EQ(t.effects.bootBlockReplies.size(), 1U);
  EXPECT_EQ(t.state.programming.blockState, 5);
  EXPECT_EQ(t.state.programming.pageNumber, 2);
  EXPECT_EQ(t.state.programming.blockNumber, 17);
  EXPECT_EQ(t.port.written[1].size(), 20U);
}

TEST(MigrationDefaultsRule, A255GetsItsDefaultOnlyWhenTheUploadCrossedTheThreshold) {
  link::ImageArea image = link::BlankImage();
  image[76] = 33;
  image[35] = 4;
  using link::MigrationDefaults;
  // Byte, its default, and its threshold version.
  const std::array<std::array<int, 3>, 8> table = {{{91, 120, 163},
                                                    {96, 33, 163},
                                                    {97, 100, 163},
                                                    {98, 4, 165},
                                                    {100, 0, 178},
                                                    {101, 200, 178},
                                                    {102, 160, 178},
                                                    {103, 250, 178}}};
  for (const auto& [byte, value, threshold] : table) {
    const auto before = static_cast<std::uint8_t>(threshold - 1);
    const auto at = static_cast<std::uint8_t>(threshold);
    EXPECT_EQ(MigrationDefaults::For(byte, 255, before, at, image), value) << byte;
    EXPECT_EQ(MigrationDefaults::For(byte, 255, at, 200, image), std::nullopt) << byte;
    EXPECT_EQ(MigrationDefaults::For(byte, 255, 150, before, image), std::nullopt) << byte;
    EXPECT_EQ(MigrationDefaults::For(byte, 254, before, at, image), std::nullopt) << byte;
    EXPECT_EQ(MigrationDefaults::For(byte, 255, 0, at, image), std::nullopt) << byte;
    EXPECT_EQ(MigrationDefaults::For(byte, 255, before, 0, image), std::nullopt) << byte;
  }
  EXPECT_EQ(MigrationDefaults::For(99, 255, 150, 190, image), std::nullopt);
}

}  // namespace
}  // namespace zo::test
