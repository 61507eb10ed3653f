// Meanings, conversions and texts of the live sample bytes, which signals a
// controller lists, and the status and flag bits.
#include <gtest/gtest.h>

#include <vector>

#include "FakeTexts.h"
#include "TestImages.h"
#include "model/LiveSignals.h"

namespace zo::model {
namespace {

using test::FakeTexts;
using test::Image;
using test::Set;
using K = SignalKind;

struct TextCase {
  SignalKind kind;
  int raw;
  int sensorType;
  const char* text;
};

class SignalText : public testing::TestWithParam<TextCase> {};

TEST_P(SignalText, ConvertsAndFormatsWithUnit) {
  const TextCase c = GetParam();
  const FakeTexts texts;
  EXPECT_EQ(LiveSignals::Text(c.kind, static_cast<std::uint8_t>(c.raw),
                              static_cast<std::uint8_t>(c.sensorType), texts),
            c.text);
}

INSTANTIATE_TEST_SUITE_P(
    SampleBytes, SignalText,
    testing::Values(
        TextCase{K::Rpm, 255, 0, "25500 [obr/min]"}, TextCase{K::Rpm, 8, 0, "800 [obr/min]"},
        TextCase{K::Lam, 50, 0, "1.00 [V]"}, TextCase{K::Psi, 255, 0, "5.10 [V]"},
        TextCase{K::Sim, 0, 0, "0.00 [V]"}, TextCase{K::Tps, 114, 0, "2.28 [V]"},
        TextCase{K::Level, 13, 0, "0.26 [V]"}, TextCase{K::Mot, 120, 0, "120 [poz]"},
        TextCase{K::Def, 255, 0, "25.50 [ms]"}, TextCase{K::Def, 37, 0, "3.70 [ms]"},
        TextCase{K::Temperature, 101, 0, "+35 ['C]"}, TextCase{K::Temperature, 30, 1, "+35 ['C]"},
        TextCase{K::Temperature, 230, 0, "-20 ['C]"}, TextCase{K::Temperature, 254, 0, "Błąd"},
        TextCase{K::Temperature, 255, 1, "Błąd"}, TextCase{K::Ram, 37, 0, "0010:0101  37"},
        TextCase{K::Ram, 5, 0, "0000:0101   5"}, TextCase{K::Ram, 255, 0, "1111:1111  255"},
        TextCase{K::Ram, 0, 0, "0000:0000   0"}));

TEST(LiveSignals, AFaultyTemperatureGivesTheGaugeValue255MinusTheReading) {
  EXPECT_EQ(LiveSignals::Value(K::Temperature, 254, 0), 1.0);
  EXPECT_EQ(LiveSignals::Value(K::Temperature, 255, 1), 0.0);
  EXPECT_EQ(LiveSignals::Value(K::Temperature, 101, 0), 35.0);
}

TEST(LiveSignals, AStoredNumberNamesAKindOnlyWhenOneHasIt) {
  EXPECT_EQ(SignalKindOf(13), K::Level);
  EXPECT_EQ(SignalKindOf(20), K::Ram);
  for (const int number : {-1, 0, 1, 7, 9, 12, 15, 16, 21})
    EXPECT_EQ(SignalKindOf(number), std::nullopt) << number;
  EXPECT_EQ(SampleByteOf(K::Ram), 15U);
}

TEST(LiveSignals, ListedModelsGetByte4ForcedTo29) {
  for (int model : {50, 51, 100, 101, 150, 151}) {
    Image image{};
    Set(image, {{0, model}, {4, 0}});
    EXPECT_TRUE(LiveSignals::ForceSignalFlags(image)) << model;
    EXPECT_EQ(image[4], 29);
    EXPECT_FALSE(LiveSignals::ForceSignalFlags(image)) << "already 29";
  }
  for (int model : {80, 81, 203, 255, 77}) {
    Image image{};
    Set(image, {{0, model}, {4, 0}});
    EXPECT_FALSE(LiveSignals::ForceSignalFlags(image)) << model;
    EXPECT_EQ(image[4], 0);
  }
}

TEST(LiveSignals, Model100ReportingNoSignalsStillListsLamRpmTpsMot) {
  Image image{};
  Set(image, {{0, 100}, {2, 0}, {4, 0}});
  LiveSignals::ForceSignalFlags(image);
  EXPECT_EQ(LiveSignals::Listed(image, false, link::Page::Parameters),
            (std::vector<SignalKind>{K::Lam, K::Rpm, K::Tps, K::Mot}));
}

TEST(LiveSignals, AvailabilityFollowsFlagBytesAndSensorTypes) {
  Image image{};
  Set(image, {{0, 80}, {2, 0x6D}, {4, 0x1D}, {34, 0}, {33, 0}, {81, 1}});
  EXPECT_EQ(LiveSignals::Listed(image, false, link::Page::Parameters),
            (std::vector<SignalKind>{K::Lam, K::Sim, K::Rpm, K::Tps, K::Psi, K::Def, K::Mot,
                                     K::Level, K::Temperature}));
  Set(image, {{33, 4}, {34, 4}, {81, 0}});
  EXPECT_EQ(LiveSignals::Listed(image, false, link::Page::Parameters),
            (std::vector<SignalKind>{K::Sim, K::Rpm, K::Def, K::Mot, K::Level, K::Temperature}));
}

TEST(LiveSignals, ServiceModeListsEverySignalAndTheRamWatch) {
  Image image{};
  Set(image, {{0, 77}, {33, 4}});
  EXPECT_TRUE(LiveSignals::Listed(image, false, link::Page::Parameters).empty());
  const std::vector<SignalKind> all{K::Lam, K::Sim, K::Rpm,   K::Tps,         K::Psi,
                                    K::Def, K::Mot, K::Level, K::Temperature, K::Ram};
  EXPECT_EQ(LiveSignals::Listed(image, true, link::Page::Parameters), all);
  std::vector<SignalKind> withoutRam(all.begin(), all.end() - 1);
  EXPECT_EQ(LiveSignals::Listed(image, true, link::Page::Port), withoutRam);
}

TEST(LiveSignals, StatusByteBits) {
  const StatusInfo gas = LiveSignals::DecodeStatus(0xC0 | 4 | 3);
  EXPECT_TRUE(gas.ignition);
  EXPECT_TRUE(gas.running);
  EXPECT_EQ(gas.fuel, 4);
  EXPECT_EQ(gas.selectedMode, 3);
  EXPECT_FALSE(gas.noData);
  EXPECT_EQ(LiveSignals::DecodeStatus(0xC0 | 24).fuel, 24);
  EXPECT_TRUE(LiveSignals::DecodeStatus(255).noData);
  EXPECT_FALSE(LiveSignals::DecodeStatus(0x02).ignition);
}

TEST(LiveSignals, FlagByteMeaningsSwitchWithSecondFlagByteBit2) {
  const RegulationFlags plain = LiveSignals::DecodeFlags(0xFF, 0);
  EXPECT_TRUE(plain.lambdaCold && plain.lambdaError && plain.cutOff && plain.tpsRegulation &&
              plain.lean && plain.rich);
  EXPECT_TRUE(plain.rpmRegulation);
  EXPECT_TRUE(plain.opening);
  EXPECT_FALSE(plain.injectionPulses);
  EXPECT_FALSE(plain.turbo);
  const RegulationFlags alternative = LiveSignals::DecodeFlags(0x14, 0x04);
  EXPECT_TRUE(alternative.injectionPulses);
  EXPECT_TRUE(alternative.turbo);
  EXPECT_FALSE(alternative.rpmRegulation);
  EXPECT_FALSE(alternative.opening);
  EXPECT_FALSE(alternative.cutOff);
}

TEST(LiveSignals, AwaitedSwitchOverCondition) {
  EXPECT_EQ(LiveSignals::AwaitedTextId(8), 483);
  EXPECT_EQ(LiveSignals::AwaitedTextId(65), 483);
  EXPECT_EQ(LiveSignals::AwaitedTextId(16), 481);
  EXPECT_EQ(LiveSignals::AwaitedTextId(0x30), 481);
  EXPECT_EQ(LiveSignals::AwaitedTextId(33), 436);
  EXPECT_EQ(LiveSignals::AwaitedTextId(136), 484);
  EXPECT_EQ(LiveSignals::AwaitedTextId(0), std::nullopt);
  EXPECT_EQ(LiveSignals::AwaitedTextId(7), std::nullopt);
}

}  // namespace
}  // namespace zo::model
