#include "visual/ScopeLayout.h"

#include <gtest/gtest.h>

#include "visual/ScopeGeometry.h"

namespace zo::visual {
namespace {

using model::SignalKind;

TraceSwitches Without(bool TraceSwitches::*a, bool TraceSwitches::*b = nullptr) {
  TraceSwitches s;
  s.*a = false;
  if (b != nullptr) s.*b = false;
  return s;
}

TEST(ScopeLayoutTest, BandCountAndBasesFollowHeightSettingAndSwitches) {
  struct Case {
    int height;
    int bandCount;
    TraceSwitches switches;
    int bands, mainBase, probeBase, actuatorBase;
    double scale;
  };
  const Case cases[] = {
      {300, 0, {}, 3, 180, 90, 270, 0.3125},
      {200, 0, {}, 2, 180, 80, 180, 0.3125},
      {100, 0, {}, 1, 90, 90, 90, 0.3125},
      {119, 0, {}, 1, 107, 107, 107, 119 / 256.0 * 0.8},
      {120, 0, {}, 2, 108, 48, 108, 120 / 512.0 * 0.8},
      {220, 0, {}, 3, 132, 66, 198, 220 / 768.0 * 0.8},
      {100, 2, {}, 2, 90, 40, 90, 100 / 512.0 * 0.8},
      {300, 3, Without(&TraceSwitches::mot), 2, 270, 120, 270, 0.46875},
      {300, 3, Without(&TraceSwitches::lam, &TraceSwitches::sim), 1, 270, 270, 270, 0.9375},
      {300, 0,
       [] {
         TraceSwitches s;
         s.rpm = s.tps = s.mot = false;
         return s;
       }(),
       1, 270, 270, 270, 0.9375},
  };
  for (const auto& c : cases) {
    const ScopeLayout layout(400, c.height, 1, c.bandCount, c.switches, {});
    const Bands& b = layout.GetBands();
    SCOPED_TRACE(c.height * 10 + c.bandCount);
    EXPECT_EQ(b.count, c.bands);
    EXPECT_EQ(b.mainBase, c.mainBase);
    EXPECT_EQ(b.probeBase, c.probeBase);
    EXPECT_EQ(b.actuatorBase, c.actuatorBase);
    EXPECT_DOUBLE_EQ(b.scale, c.scale);
  }
}

TEST(ScopeLayoutTest, OffsetsScaleAndCapPerKind) {
  // One band of 300 pixels: s = 0.9375, band top 255 s = 239.06.
  struct Case {
    SignalKind kind;
    TypeParams types;
    int previous, current;
    SegmentOffsets expected;
  };
  const Case cases[] = {
      {SignalKind::Rpm, {}, 10, 63, {36, 236, false}},
      {SignalKind::Rpm, {}, 10, 64, {239, 239, true}},  // 6400 rpm: over range
      {SignalKind::Lam, {0, 0}, 50, 51, {230, 235, false}},
      {SignalKind::Lam, {0, 0}, 10, 52, {239, 239, true}},
      {SignalKind::Sim, {3, 0}, 80, 85, {225, 237, false}},
      {SignalKind::Lam, {1, 0}, 0, 255, {0, 239, false}},
      {SignalKind::Tps, {0, 1}, 0, 255, {239, 0, false}},  // inverted characteristic
      {SignalKind::Tps, {0, 4}, 0, 255, {0, 239, false}},
      {SignalKind::Mot, {}, 100, 255, {93, 239, false}},
  };
  TraceSwitches s;
  for (const auto& c : cases) {
    const ScopeLayout layout(400, 300, 1, 1, s, c.types);
    const SegmentOffsets o = layout.Offsets(c.kind, static_cast<std::uint8_t>(c.previous),
                                            static_cast<std::uint8_t>(c.current));
    SCOPED_TRACE(static_cast<int>(model::IndexOf(c.kind)) * 1000 + c.current);
    EXPECT_EQ(o.previous, c.expected.previous);
    EXPECT_EQ(o.current, c.expected.current);
    EXPECT_EQ(o.overRange, c.expected.overRange);
  }
  // A probe trace with two bands is capped at its own band's top.
  const ScopeLayout two(400, 300, 1, 2, s, {0, 0});
  EXPECT_EQ(two.Offsets(SignalKind::Lam, 50, 50).current, 115);
  EXPECT_EQ(two.Offsets(SignalKind::Lam, 50, 52).current, 119);
  EXPECT_EQ(two.Y(SignalKind::Lam, 119), 1);
}

TEST(ScopeLayoutTest, RowsDrawTracesOnlyWhenSwitchedOnAndPresent) {
  TraceSwitches s;
  s.def = false;
  const ScopeLayout none(400, 300, 1, 0, s, {kProbeTypeNone, kTpsTypeNone});
  EXPECT_EQ(none.TraceOfRow(SignalKind::Lam, false), std::nullopt);
  EXPECT_EQ(none.TraceOfRow(SignalKind::Tps, false), std::nullopt);
  EXPECT_EQ(none.TraceOfRow(SignalKind::Sim, false), SignalKind::Sim);
  EXPECT_EQ(none.TraceOfRow(SignalKind::Def, false), std::nullopt);
  EXPECT_EQ(none.TraceOfRow(SignalKind::Level, false), std::nullopt);
  const ScopeLayout present(400, 300, 1, 0, s, {0, 5});
  EXPECT_EQ(present.TraceOfRow(SignalKind::Lam, false), SignalKind::Lam);
  EXPECT_EQ(present.TraceOfRow(SignalKind::Tps, false), SignalKind::Tps);
  EXPECT_EQ(present.TraceOfRow(SignalKind::Ram, false), std::nullopt);
  EXPECT_EQ(present.TraceOfRow(SignalKind::Ram, true), SignalKind::Ram);
}

TEST(ScopeLayoutTest, TraceColoursDimTpsAndWhitenMot) {
  const Rgb c{201, 100, 51};
  link::HistorySample sample{};
  sample[1] = 0x20;
  EXPECT_EQ(ScopeLayout::TraceColour(SignalKind::Tps, c, sample), (Rgb{100, 50, 25}));
  EXPECT_EQ(ScopeLayout::TraceColour(SignalKind::Mot, c, sample), c);
  sample[2] = 0x04;
  EXPECT_EQ(ScopeLayout::TraceColour(SignalKind::Mot, c, sample), (Rgb{255, 255, 255}));
  sample[2] = 0xC3;
  EXPECT_EQ(ScopeLayout::TraceColour(SignalKind::Mot, c, sample), c);
  EXPECT_EQ(ScopeLayout::TraceColour(SignalKind::Rpm, c, sample), c);
}

TEST(ScopeLayoutTest, StatusStripCoding) {
  const Rgb last{1, 2, 3};
  const Rgb green{0, 193, 0}, red{193, 0, 0}, yellow{193, 193, 0};
  struct Case {
    int status, index;
    Rgb colour;
    bool drawn;
  };
  const Case cases[] = {
      {0x00, 2, last, false}, {0x01, 0, {193, 193, 193}, true},
      {0xC4, 0, green, true}, {0xC8, 0, {193, 0, 193}, true},
      {0xD0, 1, red, true},   {0xD8, 0, yellow, true},
      {0x81, 2, green, true}, {0x81, 1, green, false},
      {0x82, 7, red, true},   {0x83, 4, yellow, false},
      {0x80, 0, last, true},  {0xC0, 0, last, true},
      {0xE4, 0, green, true},  // the TPS marker does not change the coding
  };
  for (const auto& c : cases) {
    const StatusCell cell =
        ScopeLayout::StatusColour(static_cast<std::uint8_t>(c.status), c.index, last);
    SCOPED_TRACE(c.status * 10 + c.index);
    EXPECT_EQ(cell.colour, c.colour);
    EXPECT_EQ(cell.drawn, c.drawn);
  }
}

TEST(ScopeLayoutTest, BackgroundBandsAndStripPositions) {
  const TraceSwitches s;
  EXPECT_FALSE(ScopeLayout(400, 300, 2, 0, s, {}).BackgroundBands(1).has_value());
  EXPECT_FALSE(ScopeLayout(400, 300, 2, 1, s, {}).BackgroundBands(3).has_value());
  const auto three = ScopeLayout(400, 300, 2, 0, s, {0, 0}).BackgroundBands(2);
  ASSERT_TRUE(three.has_value());
  EXPECT_EQ(three->actuatorBand, (std::pair{270, 190}));
  EXPECT_EQ(three->mainBand, (std::pair{180, 100}));
  EXPECT_EQ(three->probeLean, 90);
  EXPECT_EQ(three->probeRich, 11);
  EXPECT_EQ(three->probeMiddle, 50);
  const auto reversed = ScopeLayout(400, 300, 2, 0, s, {2, 0}).BackgroundBands(2);
  EXPECT_EQ(reversed->probeLean, 10);
  EXPECT_EQ(reversed->probeRich, 90);
  const auto narrow = ScopeLayout(400, 300, 2, 0, s, {3, 0}).BackgroundBands(2);
  EXPECT_EQ(narrow->probeLean, 55);
  EXPECT_EQ(narrow->probeMiddle, 33);
  const auto two = ScopeLayout(400, 200, 2, 0, s, {1, 0}).BackgroundBands(2);
  EXPECT_FALSE(two->actuatorBand.has_value());

  const ScopeLayout layout(400, 300, 2, 0, s, {});
  EXPECT_EQ(layout.X(100, 100), 399);
  EXPECT_EQ(layout.X(100, 99), 397);
  EXPECT_EQ(layout.StatusColumns(100, 99), (std::pair{396, 398}));
  EXPECT_EQ(layout.StatusRows(), (std::pair{279, 291}));
  EXPECT_EQ(ScopeLayout(400, 100, 2, 0, s, {}).StatusRows(), (std::pair{97, 100}));
}

TEST(ScopeGeometryTest, PartsOfTheFrameAndDivisionMarks) {
  const ScopeGeometry running(405, 328, 30, false);
  EXPECT_EQ(running.Image(), (Rect{2, 56, 400, 300}));
  EXPECT_EQ(running.ControlStrip(), (Rect{2, 32, 400, 24}));
  EXPECT_EQ(running.ScrollBar(), (Rect{2, 341, 400, 16}));
  EXPECT_EQ(ScopeGeometry(405, 328, 30, true).Image().height, 284);

  const std::vector<Line> ticks{{2, 56, 401, 56},
                                {300, 56, 300, 66},
                                {200, 56, 200, 66},
                                {350, 56, 350, 60},
                                {250, 56, 250, 60}};
  EXPECT_EQ(running.DivisionMarks(250, 2), ticks);
  const auto grid = running.DivisionMarks(250, 1);
  EXPECT_EQ(grid[1], (Line{300, 56, 300, 356}));
}

}  // namespace
}  // namespace zo::visual
