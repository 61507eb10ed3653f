#include "app/rules/MainLayout.h"

#include <algorithm>
#include <array>

namespace zo::app {

namespace {

using link::Page;

// No client is larger than this; the clamp keeps every sum inside an int.
constexpr int kLargest = 100000;
constexpr int kLargestFont = 1000;

constexpr int kFirstRowY = 7;
constexpr int kSecondRowY = 36;
constexpr int kRowStep = 29;
constexpr int kWrappedX = 112;
constexpr int kToolBarRaise = 2;
constexpr int kWizardStep = 27;
constexpr int kGaugePanelOffset = 108;
constexpr int kPageButtonsRow = 26;  // `Btn1`..`Btn3` above the grids of the other pages
constexpr std::array<int, 3> kPageButtonLefts{0, 82, 164};

// The sizes every step uses, from the clamped inputs.
struct Basis {
  int cw = 0;
  int ch = 0;
  int t = 0;
  int s = 1;
  int layout = 0;
  Page page = Page::Parameters;
  int k = 0;
  int r = 0;
  int splitterTop = 0;
  int splitterBottom = 0;
  bool bigType = false;  // Parameters page in layout 2: no oscilloscope, large signal list
};

int Bounded(int value) {
  return std::clamp(value, 0, kLargest);
}

int NonNegative(int value) {
  return std::max(value, 0);
}

// The header row and the 24 pins B.0..D.7.
constexpr int kPortRows = 25;

bool IsProcessorPage(Page page) {
  return page == Page::Port || page == Page::Ram || page == Page::Eeprom;
}

bool OffersSwitch(std::uint8_t model, std::uint8_t variant) {
  if (variant != link::kVariantFull) return false;
  constexpr std::array<std::uint8_t, 6> kModels{50, 51, 100, 101, 150, 151};
  return std::find(kModels.begin(), kModels.end(), model) != kModels.end();
}

// Rows of one more pixel than the row height, plus 4 for the frame.
int RowsThatFit(int available, int rowHeight) {
  return NonNegative((available - 4) / (rowHeight + 1));
}

int GridHeight(int rows, int rowHeight) {
  return rows * (rowHeight + 1) + 4;
}

Basis MakeBasis(const LayoutInput& in, LayoutResult& out) {
  Basis b;
  b.cw = Bounded(in.clientWidth);
  b.ch = Bounded(in.clientHeight);
  b.t = Bounded(in.topPanelHeight);
  b.s = std::clamp(in.fontSize, 1, kLargestFont);
  b.layout = in.windowLayout;
  b.page = in.activePage;
  b.k = (b.cw - 619) / 6;
  b.r = 2 * b.k + 242;
  b.bigType = b.page == Page::Parameters && b.layout == 2;

  // The lower area leaves room for the middle area: more on the
  // Configuration page, where the wizard's buttons stand.
  const int reserve = b.page == Page::Configuration ? 180 : 50;
  int lower = Bounded(in.lowerAreaHeight);
  lower = NonNegative(std::min(lower, b.ch - b.t - reserve));
  b.splitterTop = b.ch - lower - kSplitterHeight;
  b.splitterBottom = b.ch - lower;

  out.k = b.k;
  out.rightColumnWidth = b.r;
  out.lowerAreaHeight = lower;
  out.lowerArea = {0, b.ch - lower, b.cw, lower};
  out.splitter.rect = {0, b.splitterTop, b.cw, kSplitterHeight};
  return b;
}

// Page buttons flow left to right and wrap below when they pass the usable
// width; the toolbar follows them, on the second row at the latest.
void PlaceTopPanel(const LayoutInput& in, const Basis& b, LayoutResult& out) {
  const bool scopePage = b.page == Page::Parameters || b.page == Page::Configuration;
  const bool switchShown =
      scopePage && (in.switchPanelShown || OffersSwitch(in.modelCode, in.variantByte));
  const int switchWidth = Bounded(in.switchPanelWidth);
  out.switchPanel.visible = switchShown;
  out.switchPanel.rect = {b.cw - switchWidth, kSwitchPanelTop, switchWidth,
                          Bounded(in.switchPanelHeight)};

  const int usable = b.cw - (switchShown ? switchWidth : 0);
  int x = 0;
  int y = kFirstRowY;
  auto flow = [&](int width) {
    int left = x;
    x += Bounded(width);
    if (x > usable) {
      x = kWrappedX;
      y += kRowStep;
      left = 0;
    }
    return Point{left, y};
  };
  const std::array<std::pair<const TabButton*, Placed*>, 4> tabs{{{&in.tabPar, &out.tabPar},
                                                                  {&in.tabCfg, &out.tabCfg},
                                                                  {&in.tabUpg, &out.tabUpg},
                                                                  {&in.tabPro, &out.tabPro}}};
  for (const auto& [tab, placed] : tabs) {
    if (!tab->visible) continue;
    placed->visible = true;
    placed->at = flow(tab->width);
  }
  if (y == kFirstRowY) {
    y = kSecondRowY;
    x = 0;
  }
  out.toolBarT.visible = true;
  out.toolBarT.at = flow(in.toolBarWidth);
  out.toolBarT.at.y -= kToolBarRaise;
}

// Visibility that follows from the page alone, and `Btn1`..`Btn3`.
void ShowPageControls(const LayoutInput& in, const Basis& b, LayoutResult& out) {
  const bool parameters = b.page == Page::Parameters;
  const bool scopePage = parameters || b.page == Page::Configuration;
  out.fileButtonsVisible = parameters;
  out.windowButtonVisible = parameters;
  out.statePanelsVisible = parameters;
  out.autoSaveMarkerVisible = parameters && in.autoSave;
  out.splitter.visible = scopePage;
  out.helpButtonVisible = scopePage;
  out.indicatorButtonVisible = scopePage;

  const std::array<Placed*, 3> buttons{&out.btn1, &out.btn2, &out.btn3};
  int shown = 0;
  if (b.page == Page::Upgrade) {
    shown = 1;
    out.btnCaptions = PageButtonCaptions::Upload;
  } else if (IsProcessorPage(b.page)) {
    shown = 3;
    out.btnCaptions = PageButtonCaptions::Processor;
  }
  for (int i = 0; i < 3; ++i) {
    const auto index = static_cast<std::size_t>(i);
    buttons[index]->visible = i < shown;
    buttons[index]->at = {kPageButtonLefts[index], b.t};
  }
}

// The oscilloscope frame fills the middle area down to the splitter; on the
// Configuration page the wizard's buttons and the diagnostic pane stand
// right of it.
void PlaceScope(const LayoutInput& in, const Basis& b, LayoutResult& out) {
  const int frameHeight = NonNegative(b.splitterTop - b.t);
  int frameWidth = b.cw;
  if (b.page == Page::Parameters && b.layout == 1) frameWidth = b.cw - b.r - 4;
  if (b.page == Page::Configuration) frameWidth = b.cw - b.r - 100;
  frameWidth = NonNegative(frameWidth);
  const bool scopePage = b.page == Page::Parameters || b.page == Page::Configuration;
  const bool shown = scopePage && !b.bigType;

  const int innerWidth = NonNegative(frameWidth - 5);
  out.scopeFrame = {shown, {0, b.t, frameWidth, frameHeight}};
  out.scopeStrip = {shown, {2, b.t + 2, innerWidth, kScopeStripHeight}};
  out.scrollBar = {shown && !in.scopeRunning,
                   {2, b.t + frameHeight - 17, innerWidth, kScrollBarHeight}};
  if (shown) out.scrollBarMinimum = frameWidth / std::max(in.timeBase, 1);
  out.requestFullRedraw = shown;

  const bool configuration = b.page == Page::Configuration;
  out.diagnosticPane = {configuration, {b.cw - b.r, b.t, NonNegative(b.r), frameHeight}};
  out.wizardPlaced = configuration;
  out.startButtonsVisible = configuration;
  const int x = b.cw - b.r - 90;
  const std::array<Point*, 5> wizard{&out.conBen, &out.conGas, &out.next, &out.ok, &out.cancel};
  for (std::size_t i = 0; i < wizard.size(); ++i)
    *wizard[i] = {x, b.t + kWizardStep * static_cast<int>(i)};
  out.gaugePanel = {x, b.t + kGaugePanelOffset};
}

// The signal list sits at the bottom left, as many whole rows high as fit.
void PlaceSignalList(const Basis& b, LayoutResult& out) {
  out.listFontSize = b.s;
  out.optionFontSize = b.s;
  out.probeFontSize = b.s;
  out.infoFontSize = b.s;
  const bool listed =
      b.page == Page::Parameters || b.page == Page::Configuration || b.page == Page::Port;
  if (!listed) return;

  const int width = NonNegative(b.cw - b.r - 4);
  out.signalListColumnWidth = NonNegative(b.k + 87);
  int available = 0;
  if (b.bigType) {
    out.listFontSize = b.s + 8;
    out.optionFontSize = b.s + 4;
    out.probeFontSize = b.s + 4;
    out.infoFontSize = b.s + 4;
    out.signalListRowHeight = 4 * b.s + 1;
    out.signalListColumns = 3;
    available = b.ch - b.t;
  } else {
    out.signalListRowHeight = 2 * b.s;
    out.signalListColumns = 4;
    available = b.ch - b.splitterBottom - (b.page == Page::Parameters ? kGridPanelHeight : 0);
  }
  if (b.page == Page::Port) available = b.ch - b.t - kPageButtonsRow;

  out.signalListRows = RowsThatFit(available, out.signalListRowHeight);
  const int height = GridHeight(out.signalListRows, out.signalListRowHeight);
  const int top = b.ch - height;
  out.signalList = {true, {0, top, width, height}};
  // In large type the three columns leave a strip unused at the right; the
  // name and value columns share it, so long names stay readable.
  out.signalListNameWidth = out.signalListValueWidth = out.signalListColumnWidth;
  if (b.bigType) {
    const int spare =
        NonNegative(width - 3 * (out.signalListColumnWidth + 1) - 4 - kScrollBarHeight);
    out.signalListNameWidth += spare / 2;
    out.signalListValueWidth += spare - spare / 2;
  }
  out.leftGridPanel = {b.page == Page::Parameters && b.layout != 2,
                       {0, top - kGridPanelHeight, width, kGridPanelHeight}};
}

// Columns, widths and colours of the parameter grid for the page.
int ShapeParamGrid(const Basis& b, LayoutResult& out) {
  int width = NonNegative(b.r);
  out.paramColumns = 2;
  out.paramFixedColumns = 1;
  out.paramRowSelect = false;
  out.paramColumnWidth = NonNegative(b.k + 110);
  out.paramRowHeight = 2 * b.s;
  out.paramRowCount = 0;
  out.paramColoursOfSignalList = true;
  if (b.page == Page::Ram || b.page == Page::Eeprom) {
    width = b.cw;
    // The label column and one column per block: 39 RAM pages, 33 EEPROM rows.
    out.paramColumns = b.page == Page::Ram ? 40 : 34;
    out.paramRowCount = 17;
    out.paramColumnWidth = 5 * b.s / 2;
    out.paramColoursOfSignalList = false;
    out.paramBackground = kColourWhite;
    out.paramFixedColour = kMemoryFixedColour;
  } else if (b.page == Page::Port) {
    out.paramRowCount = kPortRows;
  } else if (b.page == Page::Upgrade) {
    width = b.cw;
    out.paramFixedColumns = 0;
    out.paramRowSelect = true;
    out.paramColoursOfSignalList = false;
    out.paramBackground = kColourWhite;
    out.paramFixedColour = kFirmwareFixedColour;
  }
  out.paramColumn1Width = out.paramColumnWidth;
  if (b.page == Page::Upgrade)
    out.paramColumn1Width = NonNegative(width - out.paramColumnWidth - 22);
  return width;
}

// The parameter grid sits at the bottom right, as many whole rows high as
// fit, and keeps the selected row in view.
void PlaceParamGrid(const LayoutInput& in, const Basis& b, LayoutResult& out) {
  const int width = ShapeParamGrid(b, out);
  // The pages without the splitter, the Map page among them, leave room for
  // the row of `Btn1`..`Btn3`.
  int available = b.ch - b.t - kPageButtonsRow;
  if (b.page == Page::Parameters) {
    const bool fullHeight = b.layout == 1 || b.layout == 2;
    available = (fullHeight ? b.ch - b.t : b.ch - b.splitterBottom) - kGridPanelHeight;
  } else if (b.page == Page::Configuration) {
    available = b.ch - b.splitterBottom;
  }
  const int rows = RowsThatFit(available, out.paramRowHeight);
  out.paramGridRows = rows;

  // Scrolled past the selected row, or the selected row below the last
  // whole row shown: the selected row becomes the top row.
  const long long selected = in.selectedRow;
  const long long top = in.topRow;
  out.topRow = (top > selected || top < selected - rows + 2) ? in.selectedRow : in.topRow;

  const int height = GridHeight(rows, out.paramRowHeight);
  const int left = b.cw - width;
  const int gridTop = b.ch - height;
  const bool parameters = b.page == Page::Parameters;
  out.paramGrid = {left, gridTop, width, height};
  out.rightGridPanel = {parameters, {left, gridTop - kGridPanelHeight, width, kGridPanelHeight}};
  out.toolBarR = {parameters, {left, gridTop - kGridPanelHeight}};
}

}  // namespace

LayoutResult MainLayout::Compute(const LayoutInput& in) {
  LayoutResult out;
  const Basis b = MakeBasis(in, out);
  PlaceTopPanel(in, b, out);
  ShowPageControls(in, b, out);
  PlaceScope(in, b, out);
  PlaceSignalList(b, out);
  PlaceParamGrid(in, b, out);
  return out;
}

}  // namespace zo::app
