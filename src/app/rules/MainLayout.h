// Layout routine of the main window as arithmetic: from the client size, the
// top panel, the lower area, the active page, the window layout and the font
// size to the place, size and visibility of every area of the window. The
// window runs it after every page, size, splitter, font, language, layout or
// service-mode change and after identification, and applies the result.
//
// All places are in client coordinates of the main window. Sizes are never
// negative: in a client too small for the arithmetic a width or height that
// would come out below zero is 0. Places may lie left of or above the client.
#pragma once

#include <cstdint>
#include <optional>

#include "link/LinkTypes.h"

namespace zo::app {

struct Rect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// An area the layout places and sizes.
struct Area {
  bool visible = false;
  Rect rect;
};

// A control the layout only moves; it keeps its own size.
struct Placed {
  bool visible = false;
  Point at;
};

// Colours as the settings hold them: red in the low byte (0x00BBGGRR).
inline constexpr std::uint32_t kColourWhite = 0x00FFFFFF;
inline constexpr std::uint32_t kGridBackground = 0x00DBDBDB;       // 14408667, light grey
inline constexpr std::uint32_t kMemoryFixedColour = 0x00DDDD00;    // red 0, green 221, blue 221
inline constexpr std::uint32_t kFirmwareFixedColour = 0x00AEAE00;  // red 0, green 174, blue 174

inline constexpr int kSplitterHeight = 8;
inline constexpr int kGridPanelHeight = 24;  // the strip above each grid holding its toolbar
inline constexpr int kScopeStripHeight = 24;
inline constexpr int kScrollBarHeight = 16;
inline constexpr int kSwitchPanelTop = 0;

// A page button of the top panel: whether it is shown and its width.
struct TabButton {
  bool visible = false;
  int width = 112;
};

struct LayoutInput {
  int clientWidth = 628;    // CW
  int clientHeight = 430;   // CH
  int topPanelHeight = 68;  // T, the height of `Panel1`
  // `Panel2`'s current height (setting `WGrid`). The splitter lies directly
  // above it, so its top is CH - this height - 8 once the limit is applied;
  // after a splitter move the window passes CH - (splitter top + 8).
  int lowerAreaHeight = 188;
  link::Page activePage = link::Page::Parameters;
  int windowLayout = 0;          // L, setting `VisuSco`; values other than 1 and 2 act as 0
  int fontSize = 10;             // S, the main window font in points
  std::uint8_t modelCode = 0;    // image model code
  std::uint8_t variantByte = 0;  // image variant byte
  // `PanelBut` as the model handling and the last layout left it shown.
  bool switchPanelShown = true;
  int switchPanelWidth = 175;
  int switchPanelHeight = 64;
  TabButton tabPar{true, 112};
  TabButton tabCfg;
  TabButton tabUpg;
  TabButton tabPro;
  int toolBarWidth = 224;    // `ToolBarT`
  bool scopeRunning = true;  // false while the oscilloscope is stopped
  int timeBase = 1;          // oscilloscope pixels per sample
  bool autoSave = false;     // automatic saving of recordings switched on
  int selectedRow = 1;       // `GridEx1`'s selected row
  int topRow = 1;            // `GridEx1`'s top visible row
};

// What `Btn1`..`Btn3` read.
enum class PageButtonCaptions {
  None,       // hidden
  Upload,     // `Btn1` alone, txt::kButtonWrite
  Processor,  // "PORT", "RAM", "EEPROM"
};

struct LayoutResult {
  int k = 0;                 // (CW - 619) / 6; negative below a client width of 619
  int rightColumnWidth = 0;  // R = 2 k + 242
  int lowerAreaHeight = 0;   // `Panel2` after the limit; the window keeps it as `WGrid`
  Rect lowerArea;            // `Panel2`, at the bottom of the client
  Area splitter;             // `Splitter`, directly above the lower area

  // Top panel.
  Placed tabPar;  // page buttons; a hidden one stays hidden
  Placed tabCfg;
  Placed tabUpg;
  Placed tabPro;
  Placed toolBarT;                      // already raised by 2
  Area switchPanel;                     // `PanelBut` at the right edge
  bool helpButtonVisible = false;       // `BtnHelp`
  bool indicatorButtonVisible = false;  // `BtnInd`
  bool windowButtonVisible = false;     // `BtnWindow`

  // Parameters-page controls.
  bool fileButtonsVisible = false;     // `BtnOpenVis`, `BtnSaveVis`, `BtnOpenPar`, `BtnSavePar`
  bool statePanelsVisible = false;     // `PanelSonda`, `PanelOpcje`, `PanelInfo`
  bool autoSaveMarkerVisible = false;  // `BtnAutoSave`

  // `Btn1`..`Btn3` at x 0, 82, 164.
  Placed btn1;
  Placed btn2;
  Placed btn3;
  PageButtonCaptions btnCaptions = PageButtonCaptions::None;

  // Oscilloscope. The frame spans the middle area, from the top panel down to
  // the splitter.
  Area scopeFrame;  // `Bevel1`
  Area scopeStrip;  // `PanelSc2`
  Area scrollBar;   // `ScrollBar1`, shown only while the oscilloscope is stopped
  std::optional<int> scrollBarMinimum;  // frame width / time base; nothing leaves it alone
  bool requestFullRedraw = false;       // ask the oscilloscope for a full redraw

  // Configuration page. The wizard keeps the visibility of `BitBtnNext`,
  // `BitBtnOk`, `BitBtnCancel` and the gauge panel; the layout only moves them.
  bool wizardPlaced = false;         // the places below hold: move the wizard's controls
  bool startButtonsVisible = false;  // `BitBtnConBen`, `BitBtnConGas`
  Point conBen;
  Point conGas;
  Point next;
  Point ok;
  Point cancel;
  Point gaugePanel;     // `PanelCG`
  Area diagnosticPane;  // `Memo1`, R wide at the right of the middle area

  // Signal list `Grid`. Visible also means: build the list with it shown.
  Area signalList;
  Area leftGridPanel;  // the strip above the list holding `ToolBarL`
  int signalListColumns = 4;
  int signalListColumnWidth = 0;
  int signalListNameWidth = 0;   // column 0; wider than the others in large type
  int signalListValueWidth = 0;  // column 1; likewise
  int signalListRowHeight = 0;
  int signalListRows = 0;  // rows that fit
  int listFontSize = 0;    // `Grid`
  int optionFontSize = 0;  // `PanelOpcje`
  int probeFontSize = 0;   // `PanelSonda`
  int infoFontSize = 0;    // `PanelInfo`

  // Parameter grid `GridEx1`, always shown.
  Rect paramGrid;
  Area rightGridPanel;  // the strip above the grid holding `ToolBarR`
  Placed toolBarR;      // `ToolBarR`, at the panel's top left
  int paramColumns = 2;
  int paramFixedColumns = 1;
  bool paramRowSelect = false;  // whole-row selection
  int paramColumnWidth = 0;     // every column
  int paramColumn1Width = 0;    // column 1; differs from the others on the Upgrade page
  int paramRowHeight = 0;
  int paramRowCount = 0;  // 17 on RAM and EEPROM, 25 on PORT; 0 leaves it to the contents
  bool paramColoursOfSignalList = true;             // take the signal list's colours
  std::uint32_t paramBackground = kGridBackground;  // otherwise these two
  std::uint32_t paramFixedColour = kGridBackground;
  int paramGridRows = 0;  // rows that fit
  int topRow = 1;         // the top visible row that keeps the selected row in view
};

class MainLayout {
 public:
  static LayoutResult Compute(const LayoutInput& in);
};

}  // namespace zo::app
