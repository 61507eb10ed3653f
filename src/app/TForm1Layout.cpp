// The main window's layout: asks the layout routine for the geometry of
// every area and applies it to the widgets.
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <algorithm>

#include "app/QtText.h"
#include "app/TForm1.h"
#include "app/rules/MainLayout.h"
#include "app/views/ConfigurationPage.h"
#include "app/views/LowerPanels.h"
#include "app/views/MainMenus.h"
#include "app/views/ParameterGridView.h"
#include "app/views/ProcessorPages.h"
#include "app/views/ScopeView.h"
#include "app/views/SignalListView.h"
#include "app/views/TopPanel.h"
#include "app/views/UpgradePage.h"
#include "app/widgets/GridGeometry.h"
#include "app/widgets/Splitter.h"
#include "app/widgets/StringGrid.h"
#include "app/windows/IndicatorWindows.h"
#include "link/ImageMap.h"

namespace zo::app {

namespace {

QRect ToQt(const Rect& r) {
  return QRect(r.x, r.y, r.w, r.h);
}

void Apply(QWidget* widget, const Area& area) {
  widget->setVisible(area.visible);
  if (area.visible) widget->setGeometry(ToQt(area.rect));
}

void Apply(QWidget* widget, const Placed& placed) {
  widget->setVisible(placed.visible);
  if (placed.visible) widget->move(placed.at.x, placed.at.y);
}

TabButton Tab(const QWidget* button, const QWidget* panel) {
  return TabButton{button->isVisibleTo(panel), button->width()};
}

}  // namespace

void TForm1::Layout() {
  if (!shown_ || closing_) return;
  setUpdatesEnabled(false);
  LayoutInput in;
  in.clientWidth = client_->width();
  in.clientHeight = client_->height();
  in.topPanelHeight = TopPanel::kHeight;
  in.lowerAreaHeight = settings_.wGrid;
  in.activePage = state_.activePage;
  in.windowLayout = settings_.visuSco;
  in.fontSize = settings_.fontSize;
  in.modelCode = state_.workingCopy[link::ImageMap::kModel];
  in.variantByte = state_.workingCopy[link::ImageMap::kVariant];
  in.switchPanelShown = switchPanelShown_;
  in.switchPanelWidth = top_->PanelBut->width();
  in.switchPanelHeight = top_->PanelBut->height();
  in.tabPar = Tab(top_->Tab(PageButton::Parameters), top_);
  in.tabCfg = Tab(top_->Tab(PageButton::Configuration), top_);
  in.tabUpg = Tab(top_->Tab(PageButton::Upgrade), top_);
  in.tabPro = Tab(top_->Tab(PageButton::Processor), top_);
  in.toolBarWidth = top_->ToolBarT()->width();
  in.scopeRunning = state_.scopeRunning;
  in.timeBase = scope_->State().TimeBase();
  in.autoSave = state_.autoSave;
  in.selectedRow = gridView_->SelectedRow();
  in.topRow = gridView_->TopRow();
  const LayoutResult r = MainLayout::Compute(in);
  settings_.wGrid = r.lowerAreaHeight;

  top_->setGeometry(0, 0, in.clientWidth, TopPanel::kHeight);
  Apply(top_->Tab(PageButton::Parameters), r.tabPar);
  Apply(top_->Tab(PageButton::Configuration), r.tabCfg);
  Apply(top_->Tab(PageButton::Upgrade), r.tabUpg);
  Apply(top_->Tab(PageButton::Processor), r.tabPro);
  Apply(top_->ToolBarT(), r.toolBarT);
  Apply(top_->PanelBut, r.switchPanel);
  top_->BtnHelp->setVisible(r.helpButtonVisible);
  top_->BtnInd->setVisible(r.indicatorButtonVisible);
  top_->BtnWindow->setVisible(r.windowButtonVisible);

  ApplyPageButtons(r);
  Apply(splitter_, r.splitter);
  scope_->setVisible(r.scopeFrame.visible);
  if (r.scopeFrame.visible) scope_->Place(ToQt(r.scopeFrame.rect));
  scope_->SetAutoSaveMarker(r.autoSaveMarkerVisible);
  Apply(memo1_, r.diagnosticPane);
  config_->Place(r, settings_.fontSize);

  lower_->PlaceLeft(r.leftGridPanel.visible, r.leftGridPanel.rect.x, r.leftGridPanel.rect.y,
                    r.leftGridPanel.rect.w, r.fileButtonsVisible);
  lower_->SetStatePanelsVisible(r.statePanelsVisible);
  lower_->SetStatePanelFont(r.listFontSize, r.optionFontSize, r.probeFontSize, r.infoFontSize);
  lower_->PlaceRight(r.rightGridPanel.visible, r.rightGridPanel.rect.x, r.rightGridPanel.rect.y,
                     r.rightGridPanel.rect.w, r.fileButtonsVisible);

  signalView_->ApplyGeometry(ToQt(r.signalList.rect), r.signalListColumnWidth, r.signalListColumns,
                             r.signalListRowHeight, r.listFontSize);
  signalView_->Grid().SetColumnWidth(0, r.signalListNameWidth);
  signalView_->Grid().SetColumnWidth(1, r.signalListValueWidth);
  signalView_->SetVisible(r.signalList.visible);
  GridGeometry grid;
  grid.rect = ToQt(r.paramGrid);
  grid.columnCount = r.paramColumns;
  grid.fixedColumns = r.paramFixedColumns;
  grid.rowSelect = r.paramRowSelect;
  grid.columnWidth = processor_->ColumnWidth(state_.activePage, r.paramColumnWidth);
  grid.column1Width = r.paramColumn1Width != r.paramColumnWidth ? r.paramColumn1Width : -1;
  grid.rowHeight = r.paramRowHeight;
  if (r.paramRowCount > 0) grid.rowCount = r.paramRowCount;
  if (state_.activePage == link::Page::Upgrade) grid.rowCount = upgrade_->RowCount();
  if (!r.paramColoursOfSignalList) {
    grid.background = FromStored(r.paramBackground);
    grid.fixedColour = FromStored(r.paramFixedColour);
  }
  gridView_->ApplyGeometry(grid);
  gridView_->SetTopRow(r.topRow);
  RebuildGrid();
  RebuildSignalList();
  setUpdatesEnabled(true);
  if (menus_->PopupMenuIndHome->isChecked()) indicators_->ArrangeFrom(IndicatorArrangeInputs());
}

// The main window's measures in screen pixels for the arranged indicator row.
visual::ArrangeInputs TForm1::IndicatorArrangeInputs() const {
  const QRect frame = frameGeometry();
  const StringGrid& list = signalView_->Grid();
  visual::ArrangeInputs in;
  in.mainLeft = frame.left();
  in.mainTop = frame.top();
  in.mainHeight = frame.height();
  in.nonClientHeight = client_->mapToGlobal(QPoint(0, 0)).y() - frame.top();
  in.topPanelHeight = TopPanel::kHeight;
  in.scopeShown = scope_->isVisible();
  in.scopeWidth = scope_->width();
  in.scopeHeight = scope_->height();
  in.listWidth = list.width();
  in.listHeight = list.height();
  in.listRowHeight = list.RowHeight();
  in.freeBelowRows = std::max(0, list.height() - list.RowCount() * (list.RowHeight() + 1));
  in.configurationPage = state_.activePage == link::Page::Configuration;
  return in;
}

void TForm1::ApplyPageButtons(const LayoutResult& r) {
  const std::array<const Placed*, 3> placed{&r.btn1, &r.btn2, &r.btn3};
  for (std::size_t i = 0; i < pageButtons_.size(); ++i) {
    auto* button = static_cast<QPushButton*>(pageButtons_[i]);
    Apply(button, *placed[i]);
    if (r.btnCaptions == PageButtonCaptions::Upload) {
      button->setText(Q(texts_.Text(138)));
    } else if (r.btnCaptions == PageButtonCaptions::Processor) {
      static constexpr std::array<const char*, 3> kNames{"PORT", "RAM", "EEPROM"};
      button->setText(QString::fromLatin1(kNames[i]));
    }
  }
}

}  // namespace zo::app
