// Indicator scales: values and positions of readings, ticks and labels, zones
// and marks from the parameter image, and the window geometry.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <ostream>
#include <utility>

#include "visual/IndicatorGeometry.h"
#include "visual/IndicatorScale.h"

namespace zo::visual {
namespace {

using model::SignalKind;
constexpr auto kRpm = SignalKind::Rpm, kLam = SignalKind::Lam, kSim = SignalKind::Sim,
               kTps = SignalKind::Tps, kMot = SignalKind::Mot, kDef = SignalKind::Def,
               kLevel = SignalKind::Level, kTem = SignalKind::Temperature;

link::ImageArea Image(std::initializer_list<std::pair<int, int>> bytes) {
  link::ImageArea image{};
  for (const auto& [index, value] : bytes)
    image[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(value);
  return image;
}

// The labelled ticks as (p, label) pairs.
std::vector<std::pair<int, int>> Labels(SignalKind kind, const IndicatorInputs& in) {
  std::vector<std::pair<int, int>> labels;
  for (const ScaleTick& t : IndicatorScale::Ticks(kind, in)) {
    if (t.label) labels.emplace_back(t.p, *t.label);
  }
  return labels;
}

struct ReadingCase {
  SignalKind kind;
  int reading;
  int tpsType;
  bool levelFalling;
  int p;
  const char* text;  // value with a comma separator and the literal unit
};

void PrintTo(const ReadingCase& c, std::ostream* os) {
  *os << "kind " << model::IndexOf(c.kind) << " reading " << c.reading;
}

class IndicatorReading : public testing::TestWithParam<ReadingCase> {};

TEST_P(IndicatorReading, GivesPositionAndText) {
  const ReadingCase c = GetParam();
  const auto image = Image({{link::ImageMap::kTpsType, c.tpsType}});
  const IndicatorInputs in{image, c.levelFalling};
  const auto raw = static_cast<std::uint8_t>(c.reading);
  EXPECT_EQ(IndicatorScale::Position(c.kind, raw, in), c.p);
  EXPECT_EQ(IndicatorScale::ValueText(IndicatorScale::ShownValue(c.kind, raw, in), ',',
                                      IndicatorScale::Info(c.kind)->unitText),
            c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, IndicatorReading,
    testing::Values(ReadingCase{kRpm, 25, 0, false, 100, "2500"},  // between labels 2 and 3
                    ReadingCase{kRpm, 255, 0, false, 1020, "25500"},
                    ReadingCase{kTem, 0, 0, false, 245, "185['C]"},  // beyond the last label
                    ReadingCase{kLam, 125, 0, false, 125, "2,5[V]"},
                    ReadingCase{kTps, 40, 1, false, 215, "0,8[V]"},
                    ReadingCase{kTps, 40, 2, false, 40, "0,8[V]"},
                    ReadingCase{kLevel, 200, 0, true, 55, "4[V]"},
                    ReadingCase{kDef, 37, 0, false, 37, "3,7[ms]"},
                    ReadingCase{kMot, 180, 0, false, 180, "180"}));

TEST(IndicatorScale, OnlyTheListedKindsHaveWindows) {
  for (const SignalKind kind : model::kIndicatorKinds)
    EXPECT_TRUE(IndicatorScale::Info(kind)) << model::IndexOf(kind);
  EXPECT_FALSE(IndicatorScale::Info(SignalKind::Header));
  EXPECT_FALSE(IndicatorScale::Info(SignalKind::Ram));
  EXPECT_EQ(IndicatorScale::Info(kMot)->unitTextId, 151);
}

TEST(IndicatorScale, LabelsPerKind) {
  const auto plain = Image({});
  const IndicatorInputs in{plain};
  using L = std::vector<std::pair<int, int>>;
  EXPECT_EQ(Labels(kRpm, in),
            (L{{0, 0}, {40, 1}, {80, 2}, {120, 3}, {160, 4}, {200, 5}, {240, 6}}));
  EXPECT_EQ(Labels(kMot, in),
            (L{{0, 0}, {50, 50}, {100, 100}, {150, 150}, {200, 200}, {250, 250}}));
  EXPECT_EQ(Labels(kDef, in), (L{{0, 0}, {100, 10}, {200, 20}}));
  EXPECT_EQ(Labels(kTem, in), (L{{10, -50}, {60, 0}, {110, 50}, {160, 100}, {210, 150}}));
  EXPECT_EQ(Labels(kLam, in), (L{{0, 0}, {50, 1}, {100, 2}, {150, 3}, {200, 4}, {250, 5}}));

  const auto inverted = Image({{link::ImageMap::kTpsType, 1}});
  EXPECT_EQ(Labels(kTps, {inverted}), (L{{255, 0}, {205, 1}, {155, 2}, {105, 3}, {55, 4}, {5, 5}}));
  EXPECT_EQ(Labels(kLevel, {plain, true}), Labels(kTps, {inverted}));
}

TEST(IndicatorScale, UnlabelledTicksRunToTheEndInclusive) {
  const auto plain = Image({});
  const auto ticks = IndicatorScale::Ticks(kRpm, {plain});
  // 65 of step 4 (0..256), 13 of step 20, 7 labelled of step 40.
  ASSERT_EQ(ticks.size(), 85u);
  EXPECT_EQ(ticks[64].p, 256);
  EXPECT_EQ(ticks[64].length, 4);
  EXPECT_EQ(ticks[77].p, 240);
  EXPECT_EQ(ticks[78].penWidth, 4);
}

TEST(IndicatorScale, LambdaZonesSwapColoursWithTheProbe) {
  const auto g = ZoneColour::Green, r = ZoneColour::Red;
  const auto low = Image({{link::ImageMap::kLambdaType, 1}, {58, 90}});
  EXPECT_EQ(
      IndicatorScale::Zones(kLam, {low}),
      (std::vector<ScaleZone>{{0, 50, g, 3}, {200, 250, r, 3}, {50, 125, g, 2}, {125, 200, r, 2}}));
  EXPECT_EQ(IndicatorScale::Marks(kSim, {low}),
            (std::vector<ScaleMark>{{0, 1}, {250, 1}, {90, 2}}));
  const auto falling = Image({{link::ImageMap::kLambdaType, 2}});
  EXPECT_EQ(IndicatorScale::Zones(kLam, {falling})[0], (ScaleZone{0, 50, r, 3}));
  EXPECT_EQ(IndicatorScale::Zones(kLam, {falling})[1], (ScaleZone{200, 250, g, 3}));
  EXPECT_TRUE(IndicatorScale::Zones(kLam, {Image({{link::ImageMap::kLambdaType, 4}})}).empty());
}

TEST(IndicatorScale, ZonesAndMarksFromTheImage) {
  const auto s = ZoneColour::Signal;
  const auto image = Image({{62, 20}, {63, 40}, {57, 50}, {41, 200}, {42, 30}, {64, 60}, {65, 90}});
  EXPECT_EQ(IndicatorScale::Zones(kRpm, {image}), (std::vector<ScaleZone>{{80, 160, s, 3}}));
  EXPECT_EQ(IndicatorScale::Marks(kRpm, {image}), (std::vector<ScaleMark>{{80, 2}, {160, 1}}));
  EXPECT_EQ(IndicatorScale::Zones(kMot, {image}),
            (std::vector<ScaleZone>{{30, 200, s, 2}, {60, 90, s, 4}}));
  // Actuator marks: idle (41), opened (42), and the positions at idle and
  // at 3000 rpm (64, 65).
  EXPECT_EQ(IndicatorScale::Marks(kMot, {image}),
            (std::vector<ScaleMark>{{200, 2}, {30, 2}, {60, 1}, {90, 1}}));
  EXPECT_EQ(IndicatorScale::Zones(kTps, {image}), (std::vector<ScaleZone>{{50, 255, s, 3}}));

  auto inverted = image;
  inverted[link::ImageMap::kTpsType] = 3;
  EXPECT_EQ(IndicatorScale::Zones(kTps, {inverted}), (std::vector<ScaleZone>{{205, 255, s, 3}}));
  EXPECT_EQ(IndicatorScale::Marks(kTps, {inverted}), (std::vector<ScaleMark>{{205, 2}}));

  // A TPS or probe type of 5 or more draws neither zones nor marks.
  for (int byte : {link::ImageMap::kTpsType, link::ImageMap::kLambdaType}) {
    auto off = image;
    off[static_cast<std::size_t>(byte)] = 5;
    EXPECT_TRUE(IndicatorScale::Zones(kRpm, {off}).empty());
    EXPECT_TRUE(IndicatorScale::Marks(kMot, {off}).empty());
  }
}

TEST(IndicatorScale, LevelAndTemperatureMarks) {
  const auto four = Image({{11, 0x10}, {69, 120}, {70, 90}, {71, 60}, {72, 30}});
  EXPECT_EQ(IndicatorScale::Marks(kLevel, {four, true}),
            (std::vector<ScaleMark>{{135, 2}, {165, 1}, {195, 1}, {225, 1}}));
  const auto one = Image({{11, 0xEF}, {69, 50}});
  EXPECT_EQ(IndicatorScale::Marks(kLevel, {one}), (std::vector<ScaleMark>{{50, 2}}));

  EXPECT_TRUE(IndicatorScale::Marks(kTem, {Image({{56, 0}})}).empty());
  EXPECT_EQ(IndicatorScale::Marks(kTem, {Image({{55, 1}, {56, 0}})}),
            (std::vector<ScaleMark>{{245, 2}}));
}

TEST(IndicatorGeometry, DialRunsClockwiseFromLowerLeftOverTheTop) {
  const DialPoint start = IndicatorGeometry::DialAt(200, 0, 100);
  const DialPoint top = IndicatorGeometry::DialAt(200, 128, 100);
  const DialPoint end = IndicatorGeometry::DialAt(200, 255, 100);
  EXPECT_TRUE(start.x < 100 && start.y > 100);
  EXPECT_TRUE(end.x > 100 && end.y > 100);
  EXPECT_NEAR(top.x, 100, 0.5);
  EXPECT_NEAR(top.y, 0, 0.5);
}

TEST(IndicatorGeometry, BarsAndWindowParts) {
  EXPECT_EQ(IndicatorGeometry::BarY(0, 100, 10), 90);
  EXPECT_EQ(IndicatorGeometry::BarY(255, 100, 10), 31);
  EXPECT_EQ(IndicatorGeometry::BarX(0, 286), 15);
  EXPECT_EQ(IndicatorGeometry::BarX(255, 286), 270);
  EXPECT_EQ(IndicatorGeometry::FontSize(IndicatorShape::Dial, 240, 240), 18);
  EXPECT_EQ(IndicatorGeometry::FontSize(IndicatorShape::VerticalBar, 120, 240), 12);
  EXPECT_EQ(IndicatorGeometry::FontSize(IndicatorShape::HorizontalBar, 480, 240), 24);
  EXPECT_EQ(IndicatorGeometry::ToolStripTop(IndicatorShape::HorizontalBar, 240), 214);
}

struct RectCase {
  const char* what;
  IndicatorShape shape;
  IndicatorRect before;
  std::optional<IndicatorRect> smaller;
  std::optional<IndicatorRect> larger;
};

void PrintTo(const RectCase& c, std::ostream* os) {
  *os << c.what;
}

class SizeButtons : public testing::TestWithParam<RectCase> {};

TEST_P(SizeButtons, StepByEightOrRefuse) {
  const RectCase c = GetParam();
  EXPECT_EQ(IndicatorGeometry::Smaller(c.shape, c.before), c.smaller) << c.what;
  EXPECT_EQ(IndicatorGeometry::Larger(c.shape, c.before), c.larger) << c.what;
}

using R = IndicatorRect;
constexpr auto kDial = IndicatorShape::Dial, kVert = IndicatorShape::VerticalBar,
               kHorz = IndicatorShape::HorizontalBar;

INSTANTIATE_TEST_SUITE_P(
    Shapes, SizeButtons,
    testing::Values(
        RectCase{"dial", kDial, R{50, 50, 243, 243}, R{54, 58, 232, 232}, R{46, 42, 248, 248}},
        RectCase{"dial small", kDial, R{0, 0, 100, 100}, std::nullopt, R{-4, -8, 104, 104}},
        RectCase{"dial large", kDial, R{0, 0, 480, 480}, R{4, 8, 472, 472}, std::nullopt},
        RectCase{"dial floor", kDial, R{0, 0, 101, 101}, R{4, 8, 100, 100}, R{-4, -8, 104, 104}},
        RectCase{"vertical", kVert, R{50, 50, 120, 240}, R{54, 66, 112, 224}, R{46, 34, 128, 256}},
        RectCase{"vertical limits", kVert, R{0, 0, 100, 480}, std::nullopt, std::nullopt},
        RectCase{"horizontal", kHorz, R{50, 50, 400, 200}, R{58, 58, 384, 192},
                 R{42, 42, 416, 208}},
        RectCase{"horizontal limit", kHorz, R{0, 0, 480, 240}, R{8, 8, 464, 232}, std::nullopt}));

TEST(IndicatorGeometry, OpeningClampsTheSizeAndKeepsTheMinimum) {
  EXPECT_EQ(IndicatorGeometry::Opened(kDial, 5, 6, 90), (R{5, 6, 128, 128}));
  EXPECT_EQ(IndicatorGeometry::Opened(kDial, 5, 6, 999), (R{5, 6, 480, 480}));
  EXPECT_EQ(IndicatorGeometry::Opened(kVert, 5, 6, 240), (R{5, 6, 120, 240}));
  EXPECT_EQ(IndicatorGeometry::Opened(kVert, 5, 6, 128), (R{5, 6, 100, 128}));
  EXPECT_EQ(IndicatorGeometry::Opened(kHorz, 5, 6, 240), (R{5, 6, 480, 240}));
  EXPECT_EQ(IndicatorGeometry::ShapeOf(1 | 2 | 16), kVert);
  EXPECT_EQ(IndicatorGeometry::ShapeOf(6), kDial);
}

TEST(IndicatorGeometry, ShapeButtonCyclesThroughTheThreeShapes) {
  EXPECT_EQ(IndicatorGeometry::Reshaped(kDial, R{100, 100, 240, 240}), (R{160, 90, 120, 240}));
  EXPECT_EQ(IndicatorGeometry::Reshaped(kVert, R{100, 100, 120, 240}), (R{40, 220, 240, 120}));
  EXPECT_EQ(IndicatorGeometry::Reshaped(kHorz, R{100, 100, 240, 120}), (R{100, -10, 240, 240}));
  EXPECT_EQ(IndicatorGeometry::NextShape(kDial), kVert);
  EXPECT_EQ(IndicatorGeometry::NextShape(kVert), kHorz);
  EXPECT_EQ(IndicatorGeometry::NextShape(kHorz), kDial);
  EXPECT_EQ(IndicatorGeometry::ShapeButtonPicture(kHorz), 2);
}

}  // namespace
}  // namespace zo::visual
