#include "app/MainCommands.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMainWindow>
#include <QMenuBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <system_error>

#include "ProgramVersion.h"
#include "app/FileCommands.h"
#include "app/MainPages.h"
#include "app/MainViews.h"
#include "app/QtText.h"
#include "app/rules/CellHint.h"
#include "app/rules/MainLayout.h"
#include "app/rules/ManualChoice.h"
#include "app/rules/WindowRules.h"
#include "app/views/ConfigurationPage.h"
#include "app/views/HintPanel.h"
#include "app/views/LowerPanels.h"
#include "app/views/MainMenus.h"
#include "app/views/ParameterGridView.h"
#include "app/views/ProcessorPages.h"
#include "app/views/ScopeView.h"
#include "app/views/SignalListView.h"
#include "app/views/SignalListWidgets.h"
#include "app/views/TopPanel.h"
#include "app/widgets/Splitter.h"
#include "app/widgets/StringGrid.h"
#include "app/windows/HelpTopics.h"
#include "app/windows/IndicatorWindows.h"
#include "app/windows/MessageDialog.h"
#include "app/windows/TFormMsg.h"
#include "app/windows/TFormZo.h"
#include "link/ConnectionManager.h"
#include "link/ControllerLink.h"
#include "link/ImageMap.h"
#include "link/LinkState.h"
#include "link/PollScheduler.h"
#include "model/ControllerInfo.h"
#include "model/ControllerModel.h"
#include "model/ControllerSession.h"
#include "model/ParameterEditor.h"
#include "platform/DataFolders.h"
#include "settings/Settings.h"
#include "texts/CatalogueTextSource.h"
#include "texts/LanguageRules.h"
#include "texts/TextCatalogue.h"
#include "texts/TextIds.h"

namespace zo::app {

MainCommands::MainCommands(const MainParts& parts, std::filesystem::path executable)
    : p_(parts), executable_(std::move(executable)) {}

void MainCommands::Connect() {
  ConnectCommands();
  ConnectPointer();
  ConnectMenus();
}

void MainCommands::ConnectCommands() {
  const MainViews& v = p_.views;
  MainPages& pages = *p_.pages;
  connect(v.top, &TopPanel::PageButtonClicked, this,
          [&pages](PageButton button) { pages.TabClick(button); });
  connect(v.top, &TopPanel::SwitchClicked, this, &MainCommands::SwitchClick);
  connect(v.lower, &LowerPanels::InfoClicked, this, &MainCommands::SwitchClick);
  connect(v.top, &TopPanel::WindowClicked, this, &MainCommands::BtnWindowClick);
  connect(v.top, &TopPanel::HelpClicked, this, [&v] { v.menus->Popup(PopupMenu::Help); });
  connect(v.top, &TopPanel::IndicatorsClicked, this,
          [&v] { v.menus->Popup(PopupMenu::Indicators); });
  connect(v.top, &TopPanel::PortClicked, this, [&v] { v.menus->Popup(PopupMenu::Ports); });
  connect(v.lower, &LowerPanels::ReadAgainClicked, this, [this] { p_.editor->ReadAgain(); });
  connect(v.lower, &LowerPanels::FactoryParametersClicked, this,
          [this] { p_.editor->FactoryParameters(); });
  connect(v.signalView, &SignalListView::RowClicked, this,
          [&v](model::SignalKind kind) { v.indicators->Open(kind); });
  // A trace switched on or off or recoloured shows over the whole picture at
  // once, also while the scope is stopped.
  connect(v.listWidgets, &SignalListWidgets::TraceSettingsChanged, this,
          [&v] { v.scope->RequestFullRedraw(); });
  connect(v.listWidgets, &SignalListWidgets::ColoursChanged, this,
          [&pages] { pages.RebuildGrid(); });
  connect(v.splitter, &Splitter::Moved, this, [this, &pages](int top) {
    p_.settings.wGrid = p_.client->height() - top - kSplitterHeight;
    pages.Layout();
  });
}

// The hint panel follows the pointer over the grids; a cell chosen while the
// help window stays on top makes the next connection tick find the
// parameter in the help.
void MainCommands::ConnectPointer() {
  const MainViews& v = p_.views;
  connect(v.gridView, &ParameterGridView::PointerMoved, this, [this, &v](QPoint position) {
    if (!CellHint::ParameterGridHints(p_.state.activePage)) return;
    const auto resetCause = [this, &v](PointerCell cell) {
      return v.processor->ResetCauseHint(p_.state.activePage, p_.pages->Grid(), cell);
    };
    if (v.hint->PointerMoved(v.gridView->Grid(), HintPanel::Source::ParameterGrid, position,
                             resetCause))
      p_.connection->SetHintPanelTimedOut();
  });
  connect(v.signalView, &SignalListView::PointerMoved, this, [this, &v](QPoint position) {
    if (v.hint->PointerMoved(v.signalView->Grid(), HintPanel::Source::SignalList, position))
      p_.connection->SetHintPanelTimedOut();
  });
  connect(v.hint, &HintPanel::ClickedAway, this, [&v](HintPanel::Source source, int row) {
    if (source == HintPanel::Source::ParameterGrid) v.gridView->SelectRow(row);
  });
  connect(&v.gridView->Grid(), &QTableWidget::currentCellChanged, this, [this, &v] {
    if (v.help->FollowsGrid(p_.state.activePage)) p_.connection->RequestHelpRefresh();
  });
}

void MainCommands::ConnectMenus() {
  MainMenus& m = *p_.views.menus;
  connect(&m, &MainMenus::HelpCommandChosen, this, &MainCommands::RunHelpCommand);
  connect(&m, &MainMenus::IndicatorChosen, this,
          [this](model::SignalKind kind) { p_.views.indicators->Open(kind); });
  connect(&m, &MainMenus::ArrangementChosen, this, &MainCommands::IndicatorArrangement);
  link::ConnectionManager& connection = *p_.connection;
  connect(&m, &MainMenus::ExitChosen, &p_.window, &QWidget::close);
  connect(&m, &MainMenus::ConnectChosen, this, [&connection] { connection.ConnectClick(); });
  connect(&m, &MainMenus::PortMenuOpening, this, [&connection] { connection.DiscoverPorts(); });
  connect(&m, &MainMenus::PortChosen, this,
          [&connection](int tag) { connection.PortEntryClick(tag); });
  connect(&m, &MainMenus::FontSizeChosen, this, &MainCommands::SetFontSize);
  connect(&m, &MainMenus::LanguageChosen, this, &MainCommands::SetLanguage);
}

void MainCommands::RunHelpCommand(HelpCommand command) {
  switch (command) {
    case HelpCommand::Topics:
      p_.views.help->ShowHelp();
      return;
    case HelpCommand::Manual:
      OpenManual();
      return;
    case HelpCommand::About:
      ShowAbout();
      return;
    case HelpCommand::ControllerInfo:
      ShowControllerInfo();
      return;
  }
}

void MainCommands::BtnWindowClick() {
  settings::Settings& settings = p_.settings;
  const int next = WindowRules::NextLayout(settings.visuSco, p_.state.activePage);
  if (next == settings.visuSco) return;
  settings.visuSco = next;
  p_.views.top->SetLayoutPicture(next);
  p_.pages->Layout();
}

void MainCommands::SwitchClick() {
  p_.scheduler->RequestSwitch(p_.timerTx.isActive());
  // With the link down the click asks for a connection attempt instead.
  if (p_.state.reconnectRequest) p_.views.memo1->clear();
}

void MainCommands::StopLinkCommand() {
  p_.connection->StopLink();
  TopPanel& top = *p_.views.top;
  top.SetVisibleButtons(WindowRules::AfterStopLink(top.VisibleButtons()));
  p_.pages->Layout();
}

void MainCommands::ToggleServiceMode() {
  link::LinkState& state = p_.state;
  state.serviceMode = !state.serviceMode;
  TopPanel& top = *p_.views.top;
  top.SetVisibleButtons(WindowRules::ServiceMode(state.serviceMode, top.VisibleButtons()));
  p_.pages->RebuildGrid();
  p_.pages->Layout();
}

void MainCommands::ToggleQuillon() {
  p_.state.quillon = !p_.state.quillon;
  const char* text = p_.state.quillon ? "Transmisja QUILLON" : "Transmisja Zo";
  p_.messages.ShowMessage(text, p_.texts.Text(txt::kTitleAttention), link::MsgIcon::Information,
                          link::MsgButtons::Ok);
}

void MainCommands::ResetColours() {
  // The swatches, the gauges and the parameter grid's names follow.
  p_.views.listWidgets->ResetColours();
}

void MainCommands::IndicatorArrangement(visual::IndicatorArrangement arrangement) {
  using A = visual::IndicatorArrangement;
  IndicatorWindows& indicators = *p_.views.indicators;
  p_.views.menus->CheckArrangement(arrangement);
  indicators.SetStayOnTop(arrangement == A::Top);
  if (arrangement == A::Home) {
    indicators.Home();
    return p_.pages->Layout();
  }
  indicators.RequestAll(arrangement == A::Top ? visual::IndicatorRequest::StayOnTop
                                              : visual::IndicatorRequest::NormalStacking);
}

void MainCommands::MoveWindow(int width, int height) {
  p_.window.setWindowState(Qt::WindowNoState);
  p_.window.move(0, 0);
  p_.window.resize(width, height);
}

void MainCommands::ApplyLanguage() {
  texts::TextCatalogue& texts = p_.texts;
  const MainViews& v = p_.views;
  const int language = texts::LanguageRules::Normalised(texts.Language());
  texts.SetLanguage(language);
  p_.settings.lang = language;
  v.menus->CheckLanguage(language);
  v.menus->ApplyLanguage(texts, p_.state.connected);
  v.top->ApplyLanguage(texts);
  v.lower->ApplyLanguage(texts);
  v.scope->ApplyLanguage(texts);
  v.top->SetSwitchTip(p_.session.Identified() ? Q(texts.Text(txt::kOperationModeHint)) : QString());
  v.memo1->clear();
  v.config->ApplyLanguage();
  v.indicators->RequestAll(visual::IndicatorRequest::Redraw);
}

void MainCommands::SetLanguage(int language) {
  p_.texts.SetLanguage(language);
  ApplyLanguage();
  p_.pages->RebuildGrid();
  p_.pages->Layout();
}

void MainCommands::SetFontSize(int points) {
  settings::Settings& settings = p_.settings;
  p_.texts.SetFontSize(points);
  settings.fontSize = p_.texts.FontSize();
  QFont font = QApplication::font();
  font.setPointSize(settings.fontSize);
  p_.window.setFont(font);
  p_.window.menuBar()->setFont(QApplication::font());
  p_.views.menus->CheckFontSize(settings.fontSize);
  p_.views.top->FitPageButtons();
  if (p_.pages->Shown()) {
    p_.pages->RebuildGrid();
    p_.pages->Layout();
  }
}

// `MenuHelpDoc`, `PopMenDoc`: the controller's manual in the system's PDF
// viewer, or the folder of the manuals in the file browser.
void MainCommands::OpenManual() {
  const auto kind = [](const std::filesystem::path& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (std::filesystem::is_directory(status)) return PathKind::Folder;
    return std::filesystem::exists(status) ? PathKind::File : PathKind::Missing;
  };
  const auto open = [](const std::filesystem::path& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path.string())));
  };
  const auto message =
      ManualChoice::Open(p_.state.workingCopy[link::ImageMap::kModel], p_.texts.Language(),
                         platform::DataFolders(executable_).Candidates(), kind, open);
  if (message)
    p_.messages.ShowMessage(*message, txt::kTitleAttention, link::MsgIcon::Information,
                            link::MsgButtons::Ok);
}

void MainCommands::ShowAbout() {
  auto* window = new TFormZo(&p_.window);
  window->PrepareAbout(Q(model::ControllerInfo::AboutVersionLine(kProgramVersion, p_.textSource)),
                       Q(p_.texts.Text(txt::kLicences)), Q(p_.texts.Text(txt::kLibrariesIntro)));
  window->SetRussian(p_.texts.IsRussian());
  window->ShowOver(p_.window);
}

void MainCommands::ShowControllerInfo() {
  link::LinkState& state = p_.state;
  // Asked for while a transaction waits for its reply: again once it is over.
  if (state.busy) {
    QTimer::singleShot(link::ControllerLink::kRound, this, &MainCommands::ShowControllerInfo);
    return;
  }
  const link::ImageArea& image = state.workingCopy;
  if (model::ControllerInfo::RefreshWorkingTimes(*p_.link, image, state))
    p_.session.WorkingTimesRead();
  const model::InfoLines lines =
      model::ControllerInfo::Lines(image, state.counterBlock, p_.session.Dates(), p_.textSource);
  std::array<QString, 6> labels;
  std::transform(lines.labels.begin(), lines.labels.end(), labels.begin(),
                 [](const std::string& text) { return Q(text); });
  auto* window = new TFormZo(&p_.window);
  window->PrepareControllerInfo(Q(lines.caption), labels, lines.workingTimes);
  window->SetRussian(p_.texts.IsRussian());
  window->ShowOver(p_.window);
}

}  // namespace zo::app
