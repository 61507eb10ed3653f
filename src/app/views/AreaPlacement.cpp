#include "app/views/AreaPlacement.h"

#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <algorithm>

#include "app/QtText.h"
#include "app/views/ConfigurationPage.h"
#include "app/views/LowerPanels.h"
#include "app/views/ParameterGridView.h"
#include "app/views/Placement.h"
#include "app/views/ProcessorPages.h"
#include "app/views/ScopeView.h"
#include "app/views/SignalListView.h"
#include "app/views/TopPanel.h"
#include "app/views/UpgradePage.h"
#include "app/widgets/GridGeometry.h"
#include "app/widgets/Splitter.h"
#include "app/widgets/StringGrid.h"
#include "texts/TextIds.h"

namespace zo::app {

void AreaPlacement::Measure(LayoutInput& in) const {
  in.topPanelHeight = TopPanel::kHeight;
  views_.top->Measure(in);
  in.timeBase = views_.scope->State().TimeBase();
  in.selectedRow = views_.gridView->SelectedRow();
  in.topRow = views_.gridView->TopRow();
}

void AreaPlacement::Apply(const LayoutInput& in, const LayoutResult& r) const {
  views_.top->Place(r, in.clientWidth);
  ApplyPageButtons(r);
  app::Apply(views_.splitter, r.splitter);
  views_.scope->setVisible(r.scopeFrame.visible);
  if (r.scopeFrame.visible) views_.scope->Place(ToQt(r.scopeFrame.rect));
  views_.scope->SetAutoSaveMarker(r.autoSaveMarkerVisible);
  app::Apply(views_.memo1, r.diagnosticPane);
  views_.config->Place(r, in.fontSize);
  ApplyLowerArea(r);
  ApplyParameterGrid(r, in.activePage);
}

void AreaPlacement::ApplyPageButtons(const LayoutResult& r) const {
  const std::array<const Placed*, 3> placed{&r.btn1, &r.btn2, &r.btn3};
  for (std::size_t i = 0; i < views_.pageButtons.size(); ++i) {
    auto* button = static_cast<QPushButton*>(views_.pageButtons[i]);
    app::Apply(button, *placed[i]);
    if (r.btnCaptions == PageButtonCaptions::Upload) {
      button->setText(Q(texts_.Text(txt::kButtonWrite)));
    } else if (r.btnCaptions == PageButtonCaptions::Processor) {
      static constexpr std::array<const char*, 3> kNames{"PORT", "RAM", "EEPROM"};
      button->setText(QString::fromLatin1(kNames[i]));
    }
  }
}

void AreaPlacement::ApplyLowerArea(const LayoutResult& r) const {
  LowerPanels* lower = views_.lower;
  lower->PlaceLeft(r.leftGridPanel.visible, r.leftGridPanel.rect.x, r.leftGridPanel.rect.y,
                   r.leftGridPanel.rect.w, r.fileButtonsVisible);
  lower->SetStatePanelsVisible(r.statePanelsVisible);
  lower->SetStatePanelFont(r.listFontSize, r.optionFontSize, r.probeFontSize, r.infoFontSize);
  lower->PlaceRight(r.rightGridPanel.visible, r.rightGridPanel.rect.x, r.rightGridPanel.rect.y,
                    r.rightGridPanel.rect.w, r.fileButtonsVisible);
  SignalListView* list = views_.signalView;
  list->ApplyGeometry(ToQt(r.signalList.rect), r.signalListColumnWidth, r.signalListColumns,
                      r.signalListRowHeight, r.listFontSize);
  list->Grid().SetColumnWidth(0, r.signalListNameWidth);
  list->Grid().SetColumnWidth(1, r.signalListValueWidth);
  list->SetVisible(r.signalList.visible);
}

void AreaPlacement::ApplyParameterGrid(const LayoutResult& r, link::Page page) const {
  GridGeometry grid;
  grid.rect = ToQt(r.paramGrid);
  grid.columnCount = r.paramColumns;
  grid.fixedColumns = r.paramFixedColumns;
  grid.rowSelect = r.paramRowSelect;
  grid.columnWidth = views_.processor->ColumnWidth(page, r.paramColumnWidth);
  grid.column1Width = r.paramColumn1Width != r.paramColumnWidth ? r.paramColumn1Width : -1;
  grid.rowHeight = r.paramRowHeight;
  if (r.paramRowCount > 0) grid.rowCount = r.paramRowCount;
  if (page == link::Page::Upgrade) grid.rowCount = upgrade_.RowCount();
  if (!r.paramColoursOfSignalList) {
    grid.background = FromStored(r.paramBackground);
    grid.fixedColour = FromStored(r.paramFixedColour);
  }
  views_.gridView->ApplyGeometry(grid);
  views_.gridView->SetTopRow(r.topRow);
}

visual::ArrangeInputs AreaPlacement::ArrangeInputs(const QRect& frame, int clientTop,
                                                   link::Page page) const {
  const StringGrid& list = views_.signalView->Grid();
  const ScopeView& scope = *views_.scope;
  visual::ArrangeInputs in;
  in.mainLeft = frame.left();
  in.mainTop = frame.top();
  in.mainHeight = frame.height();
  in.nonClientHeight = clientTop - frame.top();
  in.topPanelHeight = TopPanel::kHeight;
  in.scopeShown = scope.isVisible();
  in.scopeWidth = scope.width();
  in.scopeHeight = scope.height();
  in.listWidth = list.width();
  in.listHeight = list.height();
  in.listRowHeight = list.RowHeight();
  in.freeBelowRows = std::max(0, list.height() - list.RowCount() * (list.RowHeight() + 1));
  in.configurationPage = page == link::Page::Configuration;
  return in;
}

}  // namespace zo::app
