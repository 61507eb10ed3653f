// Layout routine of the main window, without a window. Expected numbers are
// worked out by hand for the designed client of 628 x 430 with a 68-pixel
// top panel, a 188-pixel lower area and a 10-point font unless a case says
// otherwise.
#include <gtest/gtest.h>

#include "app/rules/MainLayout.h"

namespace zo::app {
namespace {

using link::Page;

LayoutResult LayOut(Page page, int layout = 0, int cw = 628) {
  LayoutInput in;
  in.activePage = page;
  in.windowLayout = layout;
  in.clientWidth = cw;
  return MainLayout::Compute(in);
}

TEST(MainLayout, RightColumnAndColumnWidthsFollowTheClientWidth) {
  struct Case {
    int cw, k, r, listColumn, paramColumn;
  };
  // 618 and 613 show the division truncating toward zero.
  for (const Case c : {Case{628, 1, 244, 88, 111}, Case{1019, 66, 374, 153, 176},
                       Case{618, 0, 242, 87, 110}, Case{613, -1, 240, 86, 109}}) {
    const LayoutResult out = LayOut(Page::Parameters, 0, c.cw);
    EXPECT_EQ(out.k, c.k) << c.cw;
    EXPECT_EQ(out.rightColumnWidth, c.r) << c.cw;
    EXPECT_EQ(out.signalListColumnWidth, c.listColumn) << c.cw;
    EXPECT_EQ(out.paramColumnWidth, c.paramColumn) << c.cw;
    EXPECT_EQ(out.paramGrid.x, c.cw - c.r) << c.cw;
    EXPECT_EQ(out.signalList.rect.w, c.cw - c.r - 4) << c.cw;
  }
}

TEST(MainLayout, LowerAreaLeavesRoomForTheMiddleArea) {
  struct Case {
    Page page;
    int ch, lower, expected;
  };
  for (const Case c :
       {Case{Page::Parameters, 430, 400, 312}, Case{Page::Configuration, 430, 400, 182},
        Case{Page::Parameters, 430, 188, 188}, Case{Page::Upgrade, 430, 400, 312},
        Case{Page::Parameters, 100, 188, 0}}) {
    LayoutInput in;
    in.activePage = c.page;
    in.clientHeight = c.ch;
    in.lowerAreaHeight = c.lower;
    const LayoutResult out = MainLayout::Compute(in);
    EXPECT_EQ(out.lowerAreaHeight, c.expected) << c.lower << " on page " << int(c.page);
    EXPECT_EQ(out.lowerArea, (Rect{0, c.ch - c.expected, 628, c.expected}));
    EXPECT_EQ(out.splitter.rect, (Rect{0, c.ch - c.expected - 8, 628, 8}));
  }
}

TEST(MainLayout, PageButtonsWrapBesideTheSwitchPanel) {
  LayoutInput in;
  in.clientWidth = 500;  // U = 500 - 175 = 325
  in.tabCfg.visible = in.tabUpg.visible = in.tabPro.visible = true;
  LayoutResult out = MainLayout::Compute(in);
  EXPECT_EQ(out.tabPar.at, (Point{0, 7}));
  EXPECT_EQ(out.tabCfg.at, (Point{112, 7}));
  EXPECT_EQ(out.tabUpg.at, (Point{0, 36}));
  EXPECT_EQ(out.tabPro.at, (Point{112, 36}));
  EXPECT_EQ(out.toolBarT.at, (Point{0, 63}));
  EXPECT_EQ(out.switchPanel.rect, (Rect{325, 0, 175, 64}));

  in.activePage = Page::Upgrade;  // no switch panel: all four on the first row
  out = MainLayout::Compute(in);
  EXPECT_EQ(out.tabPro.at, (Point{336, 7}));
  EXPECT_EQ(out.toolBarT.at, (Point{0, 34}));

  in.activePage = Page::Parameters;
  in.tabCfg.visible = in.tabUpg.visible = false;  // a hidden button takes no room
  out = MainLayout::Compute(in);
  EXPECT_FALSE(out.tabCfg.visible || out.tabUpg.visible);
  EXPECT_EQ(out.tabPro.at, (Point{112, 7}));
  in.tabPro.visible = false;
  EXPECT_EQ(MainLayout::Compute(in).toolBarT.at, (Point{0, 34}));

  in.tabCfg.visible = true;  // two buttons exactly as wide as U = 399 - 175 = 224
  in.clientWidth = 399;
  EXPECT_EQ(MainLayout::Compute(in).tabCfg.at, (Point{112, 7}));
}

TEST(MainLayout, SwitchPanelShownForSwitchModelsOnTheScopePages) {
  struct Case {
    std::uint8_t model, variant;
    bool shownBefore;
    Page page;
    bool expected;
  };
  for (const Case c :
       {Case{100, 255, false, Page::Parameters, true},
        Case{151, 255, false, Page::Configuration, true},
        Case{80, 255, false, Page::Parameters, false},
        Case{100, 254, false, Page::Parameters, false},
        Case{0, 0, true, Page::Parameters, true},  // the picture before identification
        Case{100, 255, true, Page::Upgrade, false}, Case{51, 255, true, Page::Port, false}}) {
    LayoutInput in;
    in.activePage = c.page;
    in.modelCode = c.model;
    in.variantByte = c.variant;
    in.switchPanelShown = c.shownBefore;
    EXPECT_EQ(MainLayout::Compute(in).switchPanel.visible, c.expected)
        << int(c.model) << "/" << int(c.variant) << " page " << int(c.page);
  }
}

TEST(MainLayout, ControlsShownPerPage) {
  struct Case {
    Page page;
    int layout;
    bool scopePage, parameterControls, leftPanel, list, wizard, frame;
    PageButtonCaptions captions;
    int buttons;
  };
  using C = PageButtonCaptions;
  for (const Case c :
       {Case{Page::Parameters, 0, true, true, true, true, false, true, C::None, 0},
        Case{Page::Parameters, 2, true, true, false, true, false, false, C::None, 0},
        Case{Page::Configuration, 0, true, false, false, true, true, true, C::None, 0},
        Case{Page::Map, 0, false, false, false, false, false, false, C::None, 0},
        Case{Page::Port, 0, false, false, false, true, false, false, C::Processor, 3},
        Case{Page::Eeprom, 1, false, false, false, false, false, false, C::Processor, 3},
        Case{Page::Upgrade, 0, false, false, false, false, false, false, C::Upload, 1}}) {
    LayoutInput in;
    in.activePage = c.page;
    in.windowLayout = c.layout;
    in.autoSave = true;
    const LayoutResult out = MainLayout::Compute(in);
    const int page = int(c.page);
    for (const bool shown :
         {out.splitter.visible, out.helpButtonVisible, out.indicatorButtonVisible})
      EXPECT_EQ(shown, c.scopePage) << page;
    for (const bool shown :
         {out.fileButtonsVisible, out.windowButtonVisible, out.statePanelsVisible,
          out.rightGridPanel.visible, out.toolBarR.visible, out.autoSaveMarkerVisible})
      EXPECT_EQ(shown, c.parameterControls) << page;
    EXPECT_EQ(out.leftGridPanel.visible, c.leftPanel) << page;
    EXPECT_EQ(out.signalList.visible, c.list) << page;
    for (const bool shown : {out.diagnosticPane.visible, out.wizardPlaced, out.startButtonsVisible})
      EXPECT_EQ(shown, c.wizard) << page;
    for (const bool shown : {out.scopeFrame.visible, out.scopeStrip.visible, out.requestFullRedraw})
      EXPECT_EQ(shown, c.frame) << page;
    EXPECT_EQ(out.scrollBarMinimum.has_value(), c.frame) << page;
    EXPECT_EQ(out.btnCaptions, c.captions) << page;
    EXPECT_EQ(int(out.btn1.visible) + int(out.btn2.visible) + int(out.btn3.visible), c.buttons)
        << page;
  }
  EXPECT_FALSE(LayOut(Page::Parameters).autoSaveMarkerVisible);  // automatic saving off
  const LayoutResult port = LayOut(Page::Port);
  EXPECT_EQ(port.btn1.at, (Point{0, 68}));
  EXPECT_EQ(port.btn3.at, (Point{164, 68}));
}

TEST(MainLayout, OscilloscopeFillsTheMiddleArea) {
  // Splitter top 430 - 188 - 8 = 234, so the frame is 166 high.
  LayoutInput in;
  in.timeBase = 5;
  in.scopeRunning = false;
  LayoutResult out = MainLayout::Compute(in);
  EXPECT_EQ(out.scopeFrame.rect, (Rect{0, 68, 628, 166}));
  EXPECT_EQ(out.scopeStrip.rect, (Rect{2, 70, 623, 24}));
  EXPECT_TRUE(out.scrollBar.visible);
  EXPECT_EQ(out.scrollBar.rect, (Rect{2, 217, 623, 16}));
  EXPECT_EQ(out.scrollBarMinimum, 125);
  in.scopeRunning = true;
  in.windowLayout = 1;
  in.timeBase = 0;  // read as 1
  out = MainLayout::Compute(in);
  EXPECT_FALSE(out.scrollBar.visible);
  EXPECT_EQ(out.scopeFrame.rect.w, 380);
  EXPECT_EQ(out.scrollBarMinimum, 380);
}

TEST(MainLayout, ConfigurationPageNarrowsTheScopeForTheWizard) {
  // Lower area limited to 182: splitter top 240, middle area 172 high.
  const LayoutResult out = LayOut(Page::Configuration);
  EXPECT_EQ(out.scopeFrame.rect, (Rect{0, 68, 284, 172}));
  EXPECT_EQ(out.conBen, (Point{294, 68}));
  EXPECT_EQ(out.conGas, (Point{294, 95}));
  EXPECT_EQ(out.next, (Point{294, 122}));
  EXPECT_EQ(out.ok, (Point{294, 149}));
  EXPECT_EQ(out.cancel, (Point{294, 176}));
  EXPECT_EQ(out.gaugePanel, (Point{294, 176}));
  EXPECT_EQ(out.diagnosticPane.rect, (Rect{384, 68, 244, 172}));
  // Both grids below the splitter without a toolbar strip: h = 182, 8 rows of 21.
  EXPECT_EQ(out.signalList.rect, (Rect{0, 258, 380, 172}));
  EXPECT_EQ(out.paramGrid, (Rect{384, 258, 244, 172}));
}

TEST(MainLayout, GridsFitWholeRowsPerLayout) {
  struct Case {
    Page page;
    int layout;
    Rect list;
    int listRows;
    Rect grid;
    int gridRows;
  };
  // Layout 0: both below the splitter, h = 430 - 242 - 24 = 164, 7 rows.
  // Layouts 1, 2: the grid from the top panel, h = 430 - 68 - 24 = 338, 15 rows.
  // Layout 2: list rows of 41, h = 362, 8 rows. PORT: h = 430 - 68 - 26 = 336.
  for (const Case c : {Case{Page::Parameters, 0, {0, 279, 380, 151}, 7, {384, 279, 244, 151}, 7},
                       Case{Page::Parameters, 1, {0, 279, 380, 151}, 7, {384, 111, 244, 319}, 15},
                       Case{Page::Parameters, 2, {0, 90, 380, 340}, 8, {384, 111, 244, 319}, 15},
                       Case{Page::Port, 0, {0, 111, 380, 319}, 15, {384, 111, 244, 319}, 15}}) {
    const LayoutResult out = LayOut(c.page, c.layout);
    EXPECT_EQ(out.signalList.rect, c.list) << c.layout;
    EXPECT_EQ(out.signalListRows, c.listRows) << c.layout;
    EXPECT_EQ(out.leftGridPanel.rect, (Rect{0, c.list.y - 24, 380, 24})) << c.layout;
    EXPECT_EQ(out.paramGrid, c.grid) << c.layout;
    EXPECT_EQ(out.paramGridRows, c.gridRows) << c.layout;
    EXPECT_EQ(out.rightGridPanel.rect, (Rect{384, c.grid.y - 24, 244, 24})) << c.layout;
    EXPECT_EQ(out.toolBarR.at, (Point{384, c.grid.y - 24})) << c.layout;
  }
  const LayoutResult big = LayOut(Page::Parameters, 2);
  EXPECT_EQ(big.signalListRowHeight, 41);
  EXPECT_EQ(big.signalListColumns, 3);
  EXPECT_EQ(big.listFontSize, 18);
  // 380 - 3 x 89 - 4 - 16 = 93 spare pixels for the name and value columns.
  EXPECT_EQ(big.signalListNameWidth, 88 + 46);
  EXPECT_EQ(big.signalListValueWidth, 88 + 47);
  EXPECT_EQ(big.optionFontSize + big.probeFontSize + big.infoFontSize, 3 * 14);
  const LayoutResult normal = LayOut(Page::Parameters, 0);
  EXPECT_EQ(normal.signalListColumns, 4);
  EXPECT_EQ(normal.signalListNameWidth, 88);
  EXPECT_EQ(normal.listFontSize + normal.infoFontSize, 2 * 10);
}

TEST(MainLayout, ParameterGridShapePerPage) {
  struct Case {
    Page page;
    int fontSize, columns, fixed;
    bool rowSelect;
    Rect grid;
    int columnWidth, column1Width, rowHeight, rowCount;
    std::uint32_t fixedColour;  // 0: the signal list's colours
  };
  // EEPROM at 9 points: column 22 (22.5 truncated), rows of 19, 332 / 19 = 17.
  for (const Case c :
       {Case{Page::Port, 10, 2, 1, false, {384, 111, 244, 319}, 111, 111, 20, 25, 0},
        Case{Page::Ram, 10, 40, 1, false, {0, 111, 628, 319}, 25, 25, 20, 17, 0x00DDDD00},
        Case{Page::Eeprom, 9, 34, 1, false, {0, 103, 628, 327}, 22, 22, 18, 17, 0x00DDDD00},
        Case{Page::Upgrade, 10, 2, 0, true, {0, 111, 628, 319}, 111, 495, 20, 0, 0x00AEAE00}}) {
    LayoutInput in;
    in.activePage = c.page;
    in.fontSize = c.fontSize;
    const LayoutResult out = MainLayout::Compute(in);
    const int page = int(c.page);
    EXPECT_EQ(out.paramColumns, c.columns) << page;
    EXPECT_EQ(out.paramFixedColumns, c.fixed) << page;
    EXPECT_EQ(out.paramRowSelect, c.rowSelect) << page;
    EXPECT_EQ(out.paramGrid, c.grid) << page;
    EXPECT_EQ(out.paramColumnWidth, c.columnWidth) << page;
    EXPECT_EQ(out.paramColumn1Width, c.column1Width) << page;
    EXPECT_EQ(out.paramRowHeight, c.rowHeight) << page;
    EXPECT_EQ(out.paramRowCount, c.rowCount) << page;
    EXPECT_EQ(out.paramColoursOfSignalList, c.fixedColour == 0) << page;
    if (c.fixedColour != 0) {
      EXPECT_EQ(out.paramBackground, 0x00FFFFFFu) << page;
      EXPECT_EQ(out.paramFixedColour, c.fixedColour) << page;
    }
  }
}

TEST(MainLayout, SelectedRowKeptInView) {
  // Layout 0 shows 7 rows: a top row from selected - 5 to selected keeps it.
  struct Case {
    int selected, top, expected;
  };
  for (const Case c : {Case{10, 1, 10}, Case{10, 4, 10}, Case{10, 5, 5}, Case{10, 10, 10},
                       Case{10, 11, 10}, Case{3, 1, 1}}) {
    LayoutInput in;
    in.selectedRow = c.selected;
    in.topRow = c.top;
    EXPECT_EQ(MainLayout::Compute(in).topRow, c.expected) << c.selected << "/" << c.top;
  }
}

TEST(MainLayout, TinyClientGivesNoNegativeSizes) {
  for (const Page page : {Page::Parameters, Page::Configuration, Page::Map, Page::Port, Page::Ram,
                          Page::Eeprom, Page::Upgrade}) {
    for (const int layout : {0, 1, 2}) {
      for (const int cw : {0, 50, 200}) {
        LayoutInput in;
        in.activePage = page;
        in.windowLayout = layout;
        in.clientWidth = cw;
        in.clientHeight = 60;
        const LayoutResult out = MainLayout::Compute(in);
        for (const Rect& r : {out.lowerArea, out.scopeFrame.rect, out.scopeStrip.rect,
                              out.scrollBar.rect, out.diagnosticPane.rect, out.signalList.rect,
                              out.leftGridPanel.rect, out.paramGrid, out.rightGridPanel.rect})
          EXPECT_TRUE(r.w >= 0 && r.h >= 0) << int(page) << "/" << layout << "/" << cw;
        EXPECT_TRUE(out.signalListColumnWidth >= 0 && out.paramColumnWidth >= 0 &&
                    out.paramColumn1Width >= 0 && out.signalListRows >= 0 &&
                    out.paramGridRows >= 0 && out.scrollBarMinimum.value_or(0) >= 0)
            << int(page) << "/" << layout << "/" << cw;
      }
    }
  }
  // Client width 50: k = -94, R = 54; the list would be -8 wide with
  // columns of -7, the Configuration scope -104 wide.
  const LayoutResult out = LayOut(Page::Configuration, 0, 50);
  EXPECT_EQ(out.signalList.rect.w, 0);
  EXPECT_EQ(out.signalListColumnWidth, 0);
  EXPECT_EQ(out.scopeFrame.rect.w, 0);
  EXPECT_EQ(out.scrollBarMinimum, 0);
  EXPECT_EQ(out.paramColumnWidth, 16);
}

}  // namespace
}  // namespace zo::app
