// Cell hint of the grids: the cell under the pointer and the hint panel's place.
#include <gtest/gtest.h>

#include "app/rules/CellHint.h"

namespace zo::app {
namespace {

TEST(CellHint, CellUnderThePointer) {
  struct Case {
    int x, y;
    PointerCell expected;
  };
  // First column 111 wide, rows of 20 plus a line, top visible row 5.
  for (const Case c : {Case{110, 0, {0, 4}}, Case{111, 21, {1, 5}}, Case{10, 41, {0, 5}},
                       Case{10, 42, {0, 6}}, Case{300, 200, {1, 13}}}) {
    EXPECT_EQ(CellHint::CellAt(c.x, c.y, 111, 5, 20), c.expected) << c.x << "," << c.y;
  }
}

TEST(CellHint, PanelCoversACellTooNarrowForItsText) {
  HintInput in;
  in.gridLeft = 384;
  in.gridTop = 279;
  in.cell = {0, 21, 111, 20};
  in.defaultRowHeight = 20;
  in.columnWidth = 111;

  in.textWidth = 110;  // more than 111 - 2
  HintPlacement hint = CellHint::Place(in);
  EXPECT_EQ(hint.action, HintAction::Show);
  EXPECT_EQ(hint.panel, (Rect{387, 302, 114, 20}));

  in.textWidth = 109;
  EXPECT_EQ(CellHint::Place(in).action, HintAction::Hide);

  in.alwaysTooWide = true;  // the reset-cause cell
  EXPECT_EQ(CellHint::Place(in).action, HintAction::Show);

  in.clickedAway = true;
  EXPECT_EQ(CellHint::Place(in).action, HintAction::None);
}

TEST(CellHint, ParameterGridHintsExceptOnMapRamAndEeprom) {
  using link::Page;
  for (const Page page : {Page::Parameters, Page::Configuration, Page::Port, Page::Upgrade})
    EXPECT_TRUE(CellHint::ParameterGridHints(page)) << int(page);
  for (const Page page : {Page::Map, Page::Ram, Page::Eeprom})
    EXPECT_FALSE(CellHint::ParameterGridHints(page)) << int(page);
}

}  // namespace
}  // namespace zo::app
