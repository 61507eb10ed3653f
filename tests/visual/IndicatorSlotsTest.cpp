// Indicator slots: opening, start, requests, the Home arrangement, closing,
// visibility per page, and the refresh that skips unchanged readings.
#include <gtest/gtest.h>

#include <ostream>

#include "visual/IndicatorRefresh.h"
#include "visual/IndicatorSlots.h"

namespace zo::visual {
namespace {

using model::SignalKind;
constexpr auto kRpm = SignalKind::Rpm, kLam = SignalKind::Lam, kPsi = SignalKind::Psi,
               kTps = SignalKind::Tps, kMot = SignalKind::Mot;
using R = IndicatorRect;

TEST(IndicatorSlots, OpenCreatesThenBringsToFront) {
  IndicatorSlots slots;
  slots.Slot(kLam) = {30, 40, 600, 2, IndicatorRequest::None};
  const OpenResult first = slots.Open(kLam);
  EXPECT_EQ(first.action, OpenAction::Create);
  EXPECT_EQ(first.shape, IndicatorShape::VerticalBar);
  EXPECT_EQ(first.rect, (R{30, 40, 240, 480}));
  EXPECT_EQ(slots.Slot(kLam).flags, 3);

  slots.MarkPlaced(kLam);
  EXPECT_EQ(slots.Open(kLam).action, OpenAction::BringToFront);
  EXPECT_EQ(slots.TakeRequest(kLam), IndicatorRequest::BringToFront);
  EXPECT_EQ(slots.TakeRequest(kLam), IndicatorRequest::None);  // one-shot
}

TEST(IndicatorSlots, ClosingABarAndReopeningGivesADial) {
  IndicatorSlots slots;
  slots.Slot(kTps).flags = 1 | 2 | 16;
  slots.Close(kTps, R{11, 12, 120, 240});
  EXPECT_EQ(slots.Slot(kTps), (IndicatorSlot{11, 12, 240, 0, IndicatorRequest::None}));
  const OpenResult again = slots.Open(kTps);
  EXPECT_EQ(again.action, OpenAction::Create);
  EXPECT_EQ(again.rect, (R{11, 12, 240, 240}));
}

TEST(IndicatorSlots, ANewShapeReplacesTheOldOne) {
  IndicatorSlots slots;
  slots.Slot(kMot).flags = 1 | 4 | 16;  // a placed horizontal bar
  slots.Record(kMot, R{5, 6, 120, 120}, IndicatorShape::Dial);
  EXPECT_EQ(slots.Slot(kMot), (IndicatorSlot{5, 6, 120, 1 | 16, IndicatorRequest::None}));
  slots.Record(kMot, R{5, 6, 60, 120}, IndicatorShape::VerticalBar);
  EXPECT_EQ(slots.Slot(kMot).flags, 1 | 2 | 16);
}

TEST(IndicatorSlots, StartDropsThePlacedMarkAndReopensTheRest) {
  IndicatorSlots slots;
  slots.Slot(kRpm).flags = 1 | 16;
  slots.Slot(kPsi).flags = 16;  // placed only: nothing left to open
  slots.Slot(kMot).flags = 4;
  slots.Slot(kLam).flags = 32 | 64;  // only bits above the placed mark
  slots.Slot(kTps).flags = 1 | 128;
  EXPECT_EQ(slots.StartUp(), (std::vector<SignalKind>{kRpm, kTps, kMot}));
  EXPECT_EQ(slots.Slot(kRpm).flags, 1);
  EXPECT_EQ(slots.Slot(kPsi).flags, 0);
  EXPECT_EQ(slots.Slot(kTps).flags, 1);
}

TEST(IndicatorSlots, HomeArrangesFourWindowsAndClosesPsi) {
  IndicatorSlots slots;
  slots.Slot(kPsi).flags = 1 | 16;
  slots.RequestAll(IndicatorRequest::Arrange);
  EXPECT_EQ(slots.TakeRequest(kPsi), IndicatorRequest::Arrange);
  EXPECT_EQ(slots.Home(), (std::vector<SignalKind>{kRpm, kLam, kTps, kMot}));
  EXPECT_EQ(slots.Slot(kRpm).flags, 1);
  EXPECT_EQ(slots.Slot(kMot).flags, 3);

  const ArrangeGeometry g{10, 500, 200};
  EXPECT_EQ(slots.ArrangedPlace(kRpm, g), (R{10, 500, 200, 200}));
  EXPECT_EQ(slots.ArrangedPlace(kLam, g), (R{212, 500, 100, 200}));
  EXPECT_EQ(slots.ArrangedPlace(kTps, g), (R{314, 500, 100, 200}));
  EXPECT_EQ(slots.ArrangedPlace(kMot, g), (R{416, 500, 100, 200}));
  EXPECT_EQ(slots.Slot(kTps).left, 314);
  EXPECT_EQ(slots.Slot(kTps).size, 200);
  EXPECT_FALSE(slots.ArrangedPlace(kPsi, g));
}

struct ArrangeCase {
  const char* what;
  ArrangeInputs in;
  ArrangeGeometry out;
};

void PrintTo(const ArrangeCase& c, std::ostream* os) {
  *os << c.what;
}

class Arrangement : public testing::TestWithParam<ArrangeCase> {};

TEST_P(Arrangement, PlacesTheRow) {
  const ArrangeCase c = GetParam();
  EXPECT_EQ(IndicatorSlots::Arrange(c.in), c.out) << c.what;
}

// Main window at (100, 50), 600 high, 30 non-client, 68 top panel.
ArrangeInputs Main(bool scope, int scopeW, int scopeH, int listW, int listH, int freeBelow,
                   bool config) {
  return {100, 50, 600, 30, 68, scope, scopeW, scopeH, listW, listH, 20, freeBelow, config};
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, Arrangement,
    testing::Values(
        ArrangeCase{"along the scope", Main(true, 800, 250, 300, 180, 0, false), {107, 143, 250}},
        ArrangeCase{"scope too flat", Main(true, 500, 250, 300, 180, 0, false), {107, 143, 198}},
        ArrangeCase{"list below", Main(false, 800, 250, 600, 180, 0, false), {107, 545, 100}},
        ArrangeCase{"free height", Main(false, 800, 250, 600, 180, 130, false), {107, 515, 130}},
        ArrangeCase{"configuration page", Main(true, 800, 250, 300, 180, 0, true), {107, 545, 100}},
        ArrangeCase{"list narrow", Main(false, 0, 0, 300, 400, 0, false), {107, 527, 118}}));

TEST(IndicatorSlots, VisibilityPerPage) {
  for (const SignalKind kind : {kRpm, kLam, kPsi, SignalKind::Def, SignalKind::Temperature}) {
    EXPECT_TRUE(IndicatorSlots::Visible(kind, 1));
    EXPECT_FALSE(IndicatorSlots::Visible(kind, 4)) << "PORT page";
  }
  EXPECT_TRUE(IndicatorSlots::Visible(kMot, 2));
  EXPECT_FALSE(IndicatorSlots::Visible(kPsi, 2));
  EXPECT_FALSE(IndicatorSlots::Visible(kTps, 3));
}

TEST(IndicatorRefresh, SkipsUnchangedReadingsUntilInvalidated) {
  IndicatorRefresh refresh;
  EXPECT_TRUE(refresh.Take(255));
  EXPECT_FALSE(refresh.Take(255));
  EXPECT_TRUE(refresh.Take(0));
  EXPECT_EQ(refresh.LastDrawn(), 0);
  refresh.Invalidate();
  EXPECT_TRUE(refresh.Take(0));
}

}  // namespace
}  // namespace zo::visual
