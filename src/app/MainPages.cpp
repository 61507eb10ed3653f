#include "app/MainPages.h"

#include <QMainWindow>
#include <QTextEdit>
#include <QTimer>

#include "app/MainViews.h"
#include "app/QtText.h"
#include "app/rules/MainLayout.h"
#include "app/rules/SignalListRows.h"
#include "app/views/AreaPlacement.h"
#include "app/views/ConfigurationPage.h"
#include "app/views/LowerPanels.h"
#include "app/views/MainMenus.h"
#include "app/views/ParameterGridView.h"
#include "app/views/ProcessorPages.h"
#include "app/views/ScopeView.h"
#include "app/views/SignalListView.h"
#include "app/views/SignalListWidgets.h"
#include "app/views/TopPanel.h"
#include "app/views/UpgradePage.h"
#include "app/widgets/StringGrid.h"
#include "app/windows/IndicatorWindows.h"
#include "app/windows/MessageDialog.h"
#include "app/windows/TFormMsg.h"
#include "autoconfig/Autoconfig.h"
#include "firmware/FirmwareUpload.h"
#include "link/ConnectionManager.h"
#include "link/ImageMap.h"
#include "link/LinkState.h"
#include "link/PollScheduler.h"
#include "model/ControllerSession.h"
#include "model/LiveSignals.h"
#include "model/ParameterEditor.h"
#include "settings/Settings.h"
#include "texts/CatalogueTextSource.h"
#include "texts/TextCatalogue.h"
#include "texts/TextIds.h"

namespace zo::app {

using link::Page;

void MainPages::TabClick(PageButton button) {
  if (const auto page = rules_.PageFor(button, p_.state.activePage)) ShowPage(*page);
}

void MainPages::PageButtonNClick(int index) {
  if (p_.state.activePage == Page::Upgrade) return StartUpload();
  if (const auto page = rules_.ProcessorPage(index, p_.state.activePage)) ShowPage(*page);
}

void MainPages::LeavePage(link::Page from) {
  if (from == Page::Configuration) p_.wizard->Leave();
  if (from == Page::Configuration || from == Page::Upgrade) p_.views.memo1->clear();
}

void MainPages::ShowPage(link::Page page) {
  const MainViews& v = p_.views;
  if (page != p_.state.activePage) LeavePage(p_.state.activePage);
  if (page == Page::Upgrade) p_.upgrade->List(p_.state.workingCopy[link::ImageMap::kModel]);
  p_.scheduler->SelectPage(page);
  v.indicators->SetPage(page);
  v.top->SetDown(WindowRules::ButtonOf(page));
  Layout();
  if (page != Page::Upgrade && v.gridView->Grid().isVisible()) v.gridView->FocusGrid();
}

void MainPages::StartUpload() {
  p_.upload->Start(p_.upgrade->PathAt(p_.views.gridView->SelectedRow()));
}

void MainPages::SetLampLayout(int layout) {
  p_.connection->SetLampLayout(layout);
  p_.views.top->SetLampLayout(static_cast<visual::LampLayout>(layout));
}

void MainPages::ModelHandling(link::ConnectionState connectionState, std::string_view filePath) {
  const link::LinkState& state = p_.state;
  const model::SessionView view =
      p_.session.Enter(connectionState, {state.workingCopy, state.counterBlock, state.serviceMode},
                       p_.textSource, filePath, [this] { p_.editor->FillInstallationDate(); });
  p_.window.setWindowTitle(QString::fromStdString(view.caption));
  const model::PageButtons& pages = view.pages;
  TopPanel& top = *p_.views.top;
  top.SetVisibleButtons(
      PageButtonVisibility{pages.parameters, pages.configuration, pages.upgrade, pages.processor});
  p_.views.menus->ShowControllerInfoEntry(pages.controllerInfo);
  if (view.switchPanelShown) {
    SetLampLayout(view.lampLayout);
    top.OfferSwitch(*view.switchPanelShown, Q(p_.texts.Text(txt::kOperationModeHint)));
  }
  if (pages.selected) {
    ShowPage(*pages.selected);
  } else {
    RebuildGrid();
    Layout();
  }
  if (view.versionMessage) {
    const bool running = p_.timerTx.isActive();
    p_.timerTx.stop();
    p_.messages.ShowMessage(*view.versionMessage, txt::kTitleAttention, link::MsgIcon::Information,
                            link::MsgButtons::Ok);
    if (running) p_.timerTx.start();
  }
}

void MainPages::RebuildGrid() {
  const MainViews& v = p_.views;
  const Page page = p_.state.activePage;
  if (page == Page::Upgrade)
    return p_.upgrade->Show(*v.gridView, p_.texts.Text(txt::kHeaderSoftware),
                            p_.texts.Text(txt::kHeaderDescription));
  if (page == Page::Configuration) return v.config->FillGrid();
  if (ProcessorPages::IsProcessorPage(page)) return v.processor->BuildGrid(page);
  if (page != Page::Parameters && page != Page::Configuration) {
    v.gridView->Clear();
    return;
  }
  grid_ = model::ParameterGrid::Build(
      p_.state.workingCopy, p_.textSource,
      visual::ColourChoice::ForParameterGrid(SignalListWidgets::Palette(p_.settings)));
  v.listWidgets->SetLevelDirection(grid_.LevelSensorDirection());
  v.gridView->Show(grid_);
  v.indicators->SetColours(SignalListWidgets::Palette(p_.settings));
  v.indicators->SetLevelFalling(v.listWidgets->LevelDirection() == model::LevelDirection::Falling);
}

void MainPages::RebuildSignalList() {
  link::LinkState& state = p_.state;
  model::LiveSignals::ForceSignalFlags(state.workingCopy);
  if (state.activePage == Page::Port)
    p_.views.processor->BuildInputList();
  else
    p_.views.signalView->Build(
        SignalListRows::For(state.workingCopy, state.serviceMode, state.activePage));
  ShowSample(p_.views.scope->State().ShownSample(state.history.WriteIndex()));
}

void MainPages::ShowSample(int index) {
  const MainViews& v = p_.views;
  const auto sample = p_.state.history.At(index);
  v.signalView->ShowSample(sample, p_.state.workingCopy[link::ImageMap::kTemperatureSensor]);
  v.listWidgets->ShowSample(sample, p_.state.workingCopy);
  v.lower->ShowRegulation(sample[model::LiveSignals::kFlagByte],
                          sample[model::LiveSignals::kSecondFlagByte], p_.texts);
  v.indicators->SetReadings(sample);
}

void MainPages::Layout() {
  if (!shown_ || closing_) return;
  p_.window.setUpdatesEnabled(false);
  LayoutInput in;
  in.clientWidth = p_.client->width();
  in.clientHeight = p_.client->height();
  in.lowerAreaHeight = p_.settings.wGrid;
  in.activePage = p_.state.activePage;
  in.windowLayout = p_.settings.visuSco;
  in.fontSize = p_.settings.fontSize;
  in.modelCode = p_.state.workingCopy[link::ImageMap::kModel];
  in.variantByte = p_.state.workingCopy[link::ImageMap::kVariant];
  in.switchPanelShown = p_.session.SwitchPanelShown();
  in.scopeRunning = p_.state.scopeRunning;
  in.autoSave = p_.state.autoSave;
  p_.placement->Measure(in);
  const LayoutResult r = MainLayout::Compute(in);
  p_.settings.wGrid = r.lowerAreaHeight;
  p_.placement->Apply(in, r);
  RebuildGrid();
  RebuildSignalList();
  p_.window.setUpdatesEnabled(true);
  if (p_.views.menus->Arrangement() == visual::IndicatorArrangement::Home)
    p_.views.indicators->ArrangeFrom(IndicatorArrangeInputs());
}

visual::ArrangeInputs MainPages::IndicatorArrangeInputs() const {
  return p_.placement->ArrangeInputs(p_.window.frameGeometry(),
                                     p_.client->mapToGlobal(QPoint(0, 0)).y(), p_.state.activePage);
}

}  // namespace zo::app
