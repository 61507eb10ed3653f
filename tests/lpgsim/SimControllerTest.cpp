// The simulated controller answers every command byte-exact, frames requests
// the hard ways, keeps what is written and restores its factory parameters.
#include <gtest/gtest.h>

#include <vector>

#include "FactoryImage.h"
#include "SimController.h"
#include "SimTestSupport.h"

namespace lpgsim {
namespace {

using namespace std::chrono_literals;
using test::Feed;
using test::SumIsValid;
using test::WithSum;
using Bytes = std::vector<std::uint8_t>;

// ---- Known answers for the commands whose replies do not depend on the engine.

struct KnownAnswer {
  const char* what;
  Bytes request;
  Bytes reply;
};

TEST(SimControllerKnownAnswers, ImageAndAcknowledgementReplies) {
  const std::vector<KnownAnswer> table = {
      {"model code", {0x55, 0x00, 0x55}, {0x55, 0x00, 100, 0xB9}},
      {"firmware version", {0x55, 0x01, 0x56}, {0x55, 0x01, 179, 0x09}},
      {"signal availability byte 4", {0x55, 0x04, 0x59}, {0x55, 0x04, 29, 0x76}},
      {"variant byte", {0x55, 0x06, 0x5B}, {0x55, 0x06, 0xFF, 0x5A}},
      {"lambda threshold 0.46 V", {0x55, 0x3A, 0x8F}, {0x55, 0x3A, 23, 0xA6}},
      {"extended read of the coil type", {0x56, 0x20, 0x76}, {0x56, 0x20, 0, 0x76}},
      {"installation year", {0x55, 0xA8, 0xFD}, {0x55, 0xA8, 24, 0x15}},
      {"write acknowledged with two bytes", {0xAA, 0x3A, 0x14, 0xF8}, {0xAA, 0xAA}},
  };
  SimController controller;
  auto t = 0us;
  for (const KnownAnswer& row : table) {
    t += 100ms;
    const auto reply = Feed(controller, row.request, t);
    ASSERT_TRUE(reply.has_value()) << row.what;
    EXPECT_EQ(*reply, row.reply) << row.what;
  }
}

TEST(SimControllerKnownAnswers, QuillonVariantEchoesTheWrite) {
  SimConfig config;
  config.modelCode = 80;
  config.variant = 254;
  SimController controller(config);
  EXPECT_EQ(Feed(controller, {0xAA, 0x3A, 0x14, 0xF8}, 0us), (Bytes{0xAA, 0x3A, 0x14, 0xF8}));
  EXPECT_EQ(Feed(controller, {0x55, 0x06, 0x5B}, 100ms), (Bytes{0x55, 0x06, 254, 0x59}));
}

TEST(SimControllerKnownAnswers, BootStartRepliesWithTheBootStatus) {
  // ":", model 100, version 179, 32 words per page, parameter 0x11, state 0, sum.
  SimController controller;
  EXPECT_EQ(Feed(controller, {0x3A, 0x75, 0x70, 0x1F}, 0us),
            (Bytes{0x3A, 100, 179, 0x00, 0x20, 0x11, 0x00, 0x82}));
  EXPECT_TRUE(controller.InBootLoader());
}

TEST(SimControllerKnownAnswers, EepromRowCarriesTheImageBytes) {
  SimController controller;
  const auto reply = Feed(controller, {0x5C, 0x02, 0x5E}, 0us);
  ASSERT_TRUE(reply.has_value());
  ASSERT_EQ(reply->size(), 20u);
  EXPECT_EQ((*reply)[0], 0x5C);
  EXPECT_EQ((*reply)[1], controller.Engine().StatusByte());
  EXPECT_EQ((*reply)[2], 2);
  const auto& image = controller.Image();
  for (std::size_t i = 0; i < 16; ++i)
    EXPECT_EQ((*reply)[3 + i], image[32 + i]) << i;
  EXPECT_TRUE(SumIsValid(*reply));
}

TEST(SimControllerKnownAnswers, MemoryPageSixCarriesTheProductionDate) {
  SimController controller;
  const auto reply = Feed(controller, {0xC5, 0x06, 0xCB}, 0us);
  ASSERT_TRUE(reply.has_value());
  ASSERT_EQ(reply->size(), 23u);
  EXPECT_EQ((*reply)[0], 0xC5);
  EXPECT_EQ((*reply)[2], 6);
  EXPECT_EQ((*reply)[3 + 13], 23);  // year
  EXPECT_EQ((*reply)[3 + 14], 5);   // month
  EXPECT_EQ((*reply)[3 + 15], 17);  // day
  EXPECT_EQ((*reply)[19], 0x00);    // page start address 0x0060
  EXPECT_EQ((*reply)[20], 0x60);
  EXPECT_TRUE(SumIsValid(*reply));
}

TEST(SimControllerKnownAnswers, MemoryPageFourteenHoldsTheWorkingTimes) {
  SimController controller;
  const auto reply = Feed(controller, WithSum({0xC5, 14}), 0us);
  ASSERT_TRUE(reply.has_value());
  const auto& image = controller.Image();
  for (std::size_t i = 0; i < 8; ++i)
    EXPECT_EQ((*reply)[3 + i], image[176 + i]) << i;
}

TEST(SimControllerKnownAnswers, RamWatchReadsTheRamByte) {
  SimController controller;
  const auto reply = Feed(controller, WithSum({0x5A, 0x6D}), 0us);
  ASSERT_TRUE(reply.has_value());
  EXPECT_EQ(*reply, WithSum({0x5A, 0x6D, 23}));  // counter block entry 13, the year
}

// ---- Replies from the engine: layout and plausible fields.

TEST(SimControllerReplies, LiveDataHasSixteenBytesWithPlausibleSignals) {
  SimController controller;
  const auto reply = Feed(controller, {0x33, 0x33}, 5s);
  ASSERT_TRUE(reply.has_value());
  ASSERT_EQ(reply->size(), 16u);
  const Bytes& r = *reply;
  EXPECT_EQ(r[0], 0x33);
  EXPECT_TRUE(SumIsValid(r));
  EXPECT_EQ(r[1] & 0xC0, 0xC0) << "ignition on, engine running";
  EXPECT_EQ(r[1] & 0x03, 3) << "automatic selected";
  EXPECT_EQ(r[1] & 0x1C, 24) << "waiting for the switch-over";
  EXPECT_NEAR(r[3], 8, 1) << "idle speed in 100 rpm";
  EXPECT_NEAR(r[8], 30, 2) << "TPS about 0.6 V";
  EXPECT_GE(r[10], 10);
  EXPECT_LE(r[10], 200);
  EXPECT_GT(r[13], 0) << "gas level";
  EXPECT_GT(r[14], 0) << "temperature reading";
}

TEST(SimControllerReplies, ConfigDataProcessorInputsAndMemoryPageLengths) {
  SimController controller;
  const auto config = Feed(controller, {0xAC, 0xAC}, 1s);
  ASSERT_TRUE(config.has_value());
  EXPECT_EQ(config->size(), 15u);
  EXPECT_EQ((*config)[0], 0xAC);
  EXPECT_TRUE(SumIsValid(*config));
  EXPECT_NEAR((*config)[3], 8, 1);

  const auto inputs = Feed(controller, {0xCA, 0xCA}, 2s);
  ASSERT_TRUE(inputs.has_value());
  EXPECT_EQ(inputs->size(), 14u);
  EXPECT_EQ((*inputs)[0], 0xCA);
  EXPECT_EQ((*inputs)[12], controller.Engine().StatusByte());
  EXPECT_EQ((*inputs)[11] & 0x03, 0x03) << "RXD and TXD idle high";
  EXPECT_TRUE(SumIsValid(*inputs));

  for (std::uint8_t page = 0; page < 39; ++page) {
    const auto reply = Feed(controller, WithSum({0xC5, page}), 3s + page * 100ms);
    ASSERT_TRUE(reply.has_value()) << int{page};
    EXPECT_EQ(reply->size(), 23u);
    EXPECT_TRUE(SumIsValid(*reply));
  }
}

TEST(SimControllerReplies, SwitchRequestCyclesTheSelectedModeAndAnswersAsLiveData) {
  SimController controller;
  std::vector<int> selected;
  std::chrono::microseconds t = 1s;
  for (const std::uint8_t x : Bytes{0x33, 0xAC, 0x33}) {
    const auto reply = Feed(controller, WithSum({0x35, x}), t);
    t += 100ms;
    ASSERT_TRUE(reply.has_value());
    ASSERT_EQ(reply->size(), 16u);
    EXPECT_EQ((*reply)[0], 0x33);
    EXPECT_TRUE(SumIsValid(*reply));
    selected.push_back((*reply)[1] & 0x03);
  }
  EXPECT_EQ(selected, (std::vector<int>{2, 1, 3}));  // petrol, gas, automatic
}

// ---- Framing.

TEST(SimControllerFraming, NothingIsAnsweredBeforeTheLastByte) {
  SimController controller;
  EXPECT_FALSE(controller.Receive(0x55, 1ms));
  EXPECT_FALSE(controller.Receive(0x3A, 3ms));
  const auto reply = controller.Receive(0x8F, 5ms);
  ASSERT_TRUE(reply.has_value());
  EXPECT_EQ(*reply, (Bytes{0x55, 0x3A, 23, 0xA6}));
}

TEST(SimControllerFraming, GarbageBeforeAFrameIsSkipped) {
  SimController controller;
  EXPECT_EQ(Feed(controller, {0x00, 0x12, 0xFF, 0x55, 0x3A, 0x8F}, 0us),
            (Bytes{0x55, 0x3A, 23, 0xA6}));
}

TEST(SimControllerFraming, AKnownCommandByteInTheGarbageDoesNotSwallowTheFrame) {
  // 0x55 opens a three-byte frame whose sum fails; the search starts again at
  // the next byte and finds the live-data request.
  SimController controller;
  const auto reply = Feed(controller, {0x55, 0x33, 0x33}, 0us);
  ASSERT_TRUE(reply.has_value());
  EXPECT_EQ((*reply)[0], 0x33);
  EXPECT_EQ(reply->size(), 16u);
}

TEST(SimControllerFraming, EverySingleBitErrorInARequestGoesUnanswered) {
  const Bytes good = {0xAA, 0x3A, 0x14, 0xF8};
  SimController controller;
  auto t = 0us;
  for (std::size_t at = 0; at < good.size(); ++at) {
    for (int bit = 0; bit < 8; ++bit) {
      Bytes bad = good;
      bad[at] = static_cast<std::uint8_t>(bad[at] ^ (1u << bit));
      t += 100ms;
      EXPECT_FALSE(Feed(controller, bad, t).has_value()) << "byte " << at << " bit " << bit;
    }
  }
  EXPECT_EQ(controller.Image()[0x3A], 23) << "no corrupted write was stored";
}

TEST(SimControllerFraming, APauseInsideAFrameStartsAfresh) {
  SimController controller;
  EXPECT_FALSE(controller.Receive(0x55, 0ms));
  // 25 ms later the rest arrives: too late to belong to the 0x55.
  EXPECT_FALSE(controller.Receive(0x3A, 25ms));
  EXPECT_FALSE(controller.Receive(0x8F, 27ms));
  EXPECT_EQ(Feed(controller, {0x33, 0x33}, 100ms)->size(), 16u);
  EXPECT_EQ(controller.Framer().Timeouts(), 2u);  // the partial frame, then the stray ":"
}

TEST(SimControllerFraming, TwoRequestsBackToBackAreBothAnswered) {
  SimController controller;
  std::vector<Bytes> replies;
  auto t = 0us;
  for (const std::uint8_t b : Bytes{0x55, 0x00, 0x55, 0x55, 0x01, 0x56}) {
    t += test::kByteTime;
    if (auto r = controller.Receive(b, t)) replies.push_back(*r);
  }
  ASSERT_EQ(replies.size(), 2u);
  EXPECT_EQ(replies[0][2], 100);
  EXPECT_EQ(replies[1][2], 179);
}

TEST(SimControllerFraming, UnknownCommandsGetNoReply) {
  SimController controller;
  EXPECT_FALSE(Feed(controller, {0x07, 0x07}, 0us).has_value()) << "0x07 outside the boot loader";
  EXPECT_FALSE(Feed(controller, {0x3A, 0x75, 0x71, 0x20}, 100ms).has_value()) << "not \":up\"";
  EXPECT_FALSE(controller.InBootLoader());
}

// ---- Parameter writes and the factory reset.

TEST(SimControllerParameters, AWriteIsKeptAndReadBack) {
  SimController controller;
  ASSERT_EQ(Feed(controller, WithSum({0xAA, 64, 75}), 0us), (Bytes{0xAA, 0xAA}));
  EXPECT_EQ(Feed(controller, WithSum({0x55, 64}), 100ms), WithSum({0x55, 64, 75}));
  const auto row = Feed(controller, WithSum({0x5C, 4}), 200ms);
  ASSERT_TRUE(row.has_value());
  EXPECT_EQ((*row)[3 + 0], 75) << "EEPROM row 4 starts at byte 64";
}

TEST(SimControllerParameters, WritingZeroToAddressZeroRestoresTheFactoryParameters) {
  SimConfig config;
  config.firmwareVersion = 185;
  SimController controller(config);
  auto t = 0us;
  for (const auto& [index, value] : std::vector<std::pair<std::uint8_t, std::uint8_t>>{
           {58, 40}, {32, 3}, {41, 150}, {7, 0}, {170, 9}}) {
    t += 100ms;
    ASSERT_TRUE(Feed(controller, WithSum({0xAA, index, value}), t).has_value());
  }
  EXPECT_EQ(controller.Image()[58], 40);

  ASSERT_EQ(Feed(controller, {0xAA, 0x00, 0x00, 0xAA}, 1s), (Bytes{0xAA, 0xAA}));
  EXPECT_EQ(Feed(controller, WithSum({0x55, 58}), 2s), WithSum({0x55, 58, 23}));
  EXPECT_EQ(controller.Image()[32], 0);
  EXPECT_EQ(controller.Image()[41], 200);
  EXPECT_EQ(controller.Image()[7], controller.Factory()[7]) << "presence bitmap restored";
  EXPECT_EQ(controller.Image()[0], 100) << "model code kept";
  EXPECT_EQ(controller.Image()[1], 185) << "firmware version kept";
  EXPECT_EQ(controller.Image()[170], 9) << "dates are not factory parameters";
}

TEST(SimControllerParameters, InitialImageReplacesTheFactoryImage) {
  SimConfig config;
  ParameterImage image = FactoryImage::Build(config);
  image[58] = 30;
  config.initialImage = image;
  SimController controller(config);
  EXPECT_EQ(Feed(controller, WithSum({0x55, 58}), 0us), WithSum({0x55, 58, 30}));
}

TEST(SimControllerParameters, FactoryImageIsPlausible) {
  const ParameterImage image = FactoryImage::Build(100, 179, 255);
  EXPECT_EQ(image[3] & 0x02, 0x02) << "Configuration page offered";
  EXPECT_EQ(image[4], 29);
  for (const std::uint8_t index : FactoryImage::PresentParameters()) {
    EXPECT_TRUE(FactoryImage::IsPresent(image, index)) << int{index};
  }
  EXPECT_FALSE(FactoryImage::IsPresent(image, 75));
  EXPECT_FALSE(FactoryImage::IsPresent(image, 87));
  EXPECT_FALSE(FactoryImage::IsPresent(image, 35));
  // Actuator positions rise: minimum < 900 rpm < 3000 rpm < maximum.
  EXPECT_LT(image[42], image[64]);
  EXPECT_LT(image[64], image[65]);
  EXPECT_LT(image[65], image[41]);
  EXPECT_LT(image[62], image[63]) << "switch-over below the maximum gas speed";
  for (const int date : {168, 172}) {
    const auto d = static_cast<std::size_t>(date);
    EXPECT_GE(image[d], 1);
    EXPECT_LE(image[d + 1], 12);
    EXPECT_LE(image[d + 2], 31);
    EXPECT_EQ(image[d + 3], static_cast<std::uint8_t>(image[d] + image[d + 1] + image[d + 2]));
  }
}

// ---- The boot loader's status reply.

TEST(SimControllerBootState, ParameterReadsAreAnsweredWithTheBootStatus) {
  for (std::uint8_t state = 0; state <= 3; ++state) {
    SimConfig config;
    config.startInBootLoader = true;
    config.lastProgrammingState = state;
    SimController controller(config);
    const auto reply = Feed(controller, {0x55, 0x00, 0x55}, 0us);
    EXPECT_EQ(reply, WithSum({0x3A, 100, 179, 0x00, 0x20, 0x11, state}));
    EXPECT_EQ(Feed(controller, {0x56, 0x07, 0x5D}, 100ms), reply) << "the extended read too";
    EXPECT_FALSE(Feed(controller, {0x33, 0x33}, 200ms).has_value()) << "no live data";
  }
}

// ---- The request log.

TEST(SimControllerLog, CountsEveryCommandAndKeepsABoundedHistory) {
  SimConfig config;
  config.requestLogCapacity = 10;
  SimController controller(config);
  auto t = 0us;
  for (int i = 0; i < 25; ++i) {
    t += 100ms;
    Feed(controller, {0x33, 0x33}, t);
  }
  Feed(controller, {0x55, 0x3A, 0x8F}, t + 100ms);
  EXPECT_EQ(controller.Log().Count(0x33), 25u);
  EXPECT_EQ(controller.Log().Count(0x55), 1u);
  EXPECT_EQ(controller.Log().Total(), 26u);
  ASSERT_EQ(controller.Log().Entries().size(), 10u);
  EXPECT_EQ(controller.Log().Entries().back().command, 0x55);
  EXPECT_EQ(controller.Log().Entries().back().frame, (Bytes{0x55, 0x3A, 0x8F}));
}

}  // namespace
}  // namespace lpgsim
