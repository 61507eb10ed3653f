#include "app/TForm1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <system_error>

#include "ProgramVersion.h"
#include "app/FileCommands.h"
#include "app/MainEffects.h"
#include "app/QtKeys.h"
#include "app/QtText.h"
#include "app/rules/MainLayout.h"
#include "app/rules/ManualChoice.h"
#include "app/rules/SignalListRows.h"
#include "app/views/AreaPlacement.h"
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
#include "app/views/UpgradePage.h"
#include "app/widgets/Splitter.h"
#include "app/widgets/StringGrid.h"
#include "app/windows/HelpTopics.h"
#include "app/windows/IndicatorWindows.h"
#include "app/windows/TFormZo.h"
#include "app/windows/UploadWindow.h"
#include "link/ImageMap.h"
#include "model/ControllerInfo.h"
#include "platform/DataFolders.h"
#include "texts/LanguageRules.h"
#include "texts/TextIds.h"

namespace zo::app {

using link::Page;

TForm1::TForm1(ProgramPaths paths, QWidget* parent)
    : QMainWindow(parent), paths_(std::move(paths)) {
  effects_ = std::make_unique<MainEffects>(
      MainWindowParts{*this, progress_, messages_, texts_, state_, timerTx_}, views_,
      EffectSteps());
  link_ = std::make_unique<link::ControllerLink>(state_, com_, ftdi_, pump_, *effects_, replies_);
  scheduler_ = std::make_unique<link::PollScheduler>(state_, *link_, *effects_, replies_, pump_);
  connection_ = std::make_unique<link::ConnectionManager>(state_, com_, ftdi_, ports_, pump_,
                                                          *effects_, *effects_);
  editor_ = std::make_unique<model::ParameterEditor>(state_, *effects_, clock_);
  editor_->SetOutcomeHandler([this](const model::EditOutcome& outcome) {
    if (outcome.lampLayout) SetLampLayout(*outcome.lampLayout);
    RebuildGrid();
    if (outcome.rebuildSignalList) RebuildSignalList();
  });
  uploadWindow_ = std::make_unique<UploadWindow>(texts_);
  upload_ = std::make_unique<firmware::FirmwareUpload>(
      state_, *link_, *effects_, pump_, *uploadWindow_,
      [random = std::mt19937(std::random_device{}())]() mutable {
        return static_cast<std::uint8_t>(random() & 0xFFu);
      });
  replies_.bootLoader = upload_.get();
  upgrade_ = std::make_unique<UpgradePage>(
      UpgradePage::FirmwareFolders(DataFolders(paths_.executable).Candidates()), messages_);
  placement_ = std::make_unique<AreaPlacement>(views_, *upgrade_, texts_);

  setWindowTitle(
      QString::fromUtf8(model::ControllerModel::kProgramCaption.data(),
                        static_cast<qsizetype>(model::ControllerModel::kProgramCaption.size())));
  WindowLifecycle::Run(WindowLifecycle::kStartUp,
                       [this](StartUpStep step) { RunStartUpStep(step); });

  timerTx_.setInterval(kTxInterval);
  timerInfo_.setInterval(kInfoInterval);
  connect(&timerTx_, &QTimer::timeout, this, &TForm1::TimerTxTimer);
  connect(&timerInfo_, &QTimer::timeout, this, &TForm1::TimerInfoTimer);
  qApp->installEventFilter(this);
}

TForm1::~TForm1() {
  FormDestroy();
  // The views refer to the editor and the link state: they go first.
  replies_ = {};
  delete client_;
  delete views_.menus;
}

MainWindowSteps TForm1::EffectSteps() {
  return {
      .connectionStateChanged =
          [this](link::ConnectionState state) {
            // A read or a loss of the link: the counter block is the read's again.
            session_.LinkChanged();
            views_.config->ConnectionStateChanged(state, state_.controllerCopy);
            ModelHandling(state);
          },
      .rebuildGrid = [this] { RebuildGrid(); },
      .showSample = [this](int index) { ShowSample(index); },
      .showPage = [this](Page page) { ShowPage(page); },
      .checkPlausibility = [this] { editor_->CheckPlausibility(model::PlausibilityMode::Full); },
      .uploadLost = [this] { upload_->Lost(); },
  };
}

void TForm1::BuildWindow() {
  setMinimumSize(kMinWidth, kMinHeight);
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("Client"));
  setCentralWidget(client_);
  views_.menus = new MainMenus(menuBar(), this);
  views_.top = new TopPanel(client_);
  BuildScope();
  views_.memo1 = new QTextEdit(client_);
  views_.memo1->setObjectName(QStringLiteral("Memo1"));
  views_.memo1->setReadOnly(true);
  views_.memo1->hide();
  for (std::size_t i = 0; i < views_.pageButtons.size(); ++i) {
    auto* button = new QPushButton(client_);
    button->setObjectName(QStringLiteral("Btn%1").arg(i + 1));
    button->resize(80, 26);
    button->hide();
    const int index = static_cast<int>(i);
    connect(button, &QPushButton::clicked, this, [this, index] { PageButtonNClick(index); });
    views_.pageButtons[i] = button;
  }
  views_.splitter = new Splitter(client_);
  views_.lower = new LowerPanels(client_);
  views_.signalView = new SignalListView(client_, textSource_);
  views_.listWidgets =
      new SignalListWidgets(client_, *views_.signalView, settings_, state_.ramWatchText);
  views_.gridView = new ParameterGridView(client_, *editor_, state_.workingCopy, textSource_);
  processor_ = std::make_unique<ProcessorPages>(*views_.gridView, *views_.signalView,
                                                state_.workingCopy, textSource_);
  views_.processor = processor_.get();
  replies_.processor = processor_.get();
  views_.hint = new HintPanel(client_);
  views_.config = new ConfigurationPage(
      client_, *views_.memo1, *views_.gridView, messages_, texts_, state_.workingCopy,
      {[this] { scheduler_->RequestSwitch(timerTx_.isActive()); }, [this] { RebuildGrid(); },
       [this] { ModelHandling(link::ConnectionState::ControllerRead); }});
  replies_.wizard = views_.config;
  views_.indicators = new IndicatorWindows(*this, texts_, state_.workingCopy);
  views_.files = new FileCommands(
      {*this,
       *views_.menus,
       *views_.lower,
       *views_.scope,
       texts_,
       textSource_,
       {settings_.dirOpen, settings_.dirSave},
       state_,
       messages_,
       timerTx_,
       [this](std::string_view path) { ModelHandling(state_.connectionState, path); },
       [this] { RebuildGrid(); },
       [this] { RebuildSignalList(); }});
  help_ = std::make_unique<HelpTopics>(
      HelpHost{*this, *client_, *views_.top, views_.signalView->Grid(), *views_.gridView}, texts_,
      settings_, messages_, state_.workingCopy, paths_.executable);
  views_.help = help_.get();
  upload_->SetBackup([this] { return views_.files->SaveBackup(); });
}

void TForm1::ConnectCommands() {
  connect(views_.top, &TopPanel::PageButtonClicked, this, &TForm1::TabClick);
  connect(views_.top, &TopPanel::SwitchClicked, this, &TForm1::SwitchClick);
  connect(views_.lower, &LowerPanels::InfoClicked, this, &TForm1::SwitchClick);
  connect(views_.top->BtnWindow, &QToolButton::clicked, this, &TForm1::BtnWindowClick);
  connect(views_.top->BtnHelp, &QToolButton::clicked, this,
          [this] { views_.menus->PopupMenuHelp->popup(QCursor::pos()); });
  connect(views_.top->BtnInd, &QToolButton::clicked, this,
          [this] { views_.menus->PopupMenuInd->popup(QCursor::pos()); });
  connect(views_.top->BtnPort, &QToolButton::clicked, this,
          [this] { views_.menus->PopupMenuCom->popup(QCursor::pos()); });
  connect(views_.lower->BtnRefPar, &QToolButton::clicked, this, [this] { editor_->ReadAgain(); });
  connect(views_.lower->BtnManPar, &QToolButton::clicked, this,
          [this] { editor_->FactoryParameters(); });
  connect(views_.gridView, &ParameterGridView::PointerMoved, this, [this](QPoint position) {
    if (!CellHint::ParameterGridHints(state_.activePage)) return;
    const auto resetCause = [this](PointerCell cell) {
      return processor_->ResetCauseHint(state_.activePage, grid_, cell);
    };
    if (views_.hint->PointerMoved(views_.gridView->Grid(), HintPanel::Source::ParameterGrid,
                                  position, resetCause))
      connection_->SetHintPanelTimedOut();
  });
  connect(views_.signalView, &SignalListView::PointerMoved, this, [this](QPoint position) {
    if (views_.hint->PointerMoved(views_.signalView->Grid(), HintPanel::Source::SignalList,
                                  position))
      connection_->SetHintPanelTimedOut();
  });
  connect(views_.hint, &HintPanel::ClickedAway, this, [this](HintPanel::Source source, int row) {
    if (source == HintPanel::Source::ParameterGrid) views_.gridView->SelectRow(row);
  });
  // A cell chosen while the help window stays on top: the next connection
  // tick finds the parameter in the help.
  connect(&views_.gridView->Grid(), &QTableWidget::currentCellChanged, this, [this] {
    if (help_->FollowsGrid(state_.activePage)) connection_->RequestHelpRefresh();
  });
  connect(views_.signalView, &SignalListView::RowClicked, this,
          [this](model::SignalKind kind) { views_.indicators->Open(kind); });
  connect(views_.listWidgets, &SignalListWidgets::TraceSettingsChanged, this,
          &TForm1::TraceSettingsChanged);
  connect(views_.listWidgets, &SignalListWidgets::ColoursChanged, this, &TForm1::RebuildGrid);
  connect(views_.splitter, &Splitter::Moved, this, [this](int top) {
    settings_.wGrid = client_->height() - top - kSplitterHeight;
    Layout();
  });
}

void TForm1::ConnectMenus() {
  MainMenus& m = *views_.menus;
  for (QAction* action : {m.MenuHelpTema, m.PopMenTama})
    connect(action, &QAction::triggered, help_.get(), &HelpTopics::ShowHelp);
  for (QAction* action : {m.MenuHelpDoc, m.PopMenDoc})
    connect(action, &QAction::triggered, this, &TForm1::OpenManual);
  for (QAction* action : {m.MenuHelpAbout, m.PopMenAbout})
    connect(action, &QAction::triggered, this, &TForm1::ShowAbout);
  for (QAction* action : {m.MenuHelpControl, m.PopMenControl})
    connect(action, &QAction::triggered, this, &TForm1::ShowControllerInfo);
  for (const auto& [item, kind] : {std::pair{m.PopupMenuIndLAM, model::SignalKind::Lam},
                                   std::pair{m.PopupMenuIndRPM, model::SignalKind::Rpm},
                                   std::pair{m.PopupMenuIndTPS, model::SignalKind::Tps},
                                   std::pair{m.PopupMenuIndACT, model::SignalKind::Mot}})
    connect(item, &QAction::triggered, this, [this, k = kind] { views_.indicators->Open(k); });
  for (QAction* item : {m.PopupMenuIndTop, m.PopupMenuIndBot, m.PopupMenuIndHome}) {
    using A = visual::IndicatorArrangement;
    const A arrangement =
        item == m.PopupMenuIndTop ? A::Top : (item == m.PopupMenuIndBot ? A::Bottom : A::Home);
    connect(item, &QAction::triggered, this,
            [this, arrangement] { IndicatorArrangement(arrangement); });
  }
  connect(m.MenuFileExit, &QAction::triggered, this, &TForm1::close);
  connect(m.MenuPortNone, &QAction::triggered, this, &TForm1::ConnectClick);
  connect(m.MenuCommNone, &QAction::triggered, this, &TForm1::ConnectClick);
  connect(&m, &MainMenus::PortMenuOpening, this, [this] { connection_->DiscoverPorts(); });
  connect(&m, &MainMenus::PortChosen, this, [this](int tag) { connection_->PortEntryClick(tag); });
  for (QAction* item : m.MenuFontSizes)
    connect(item, &QAction::triggered, this, [this, item] { SetFontSize(item->data().toInt()); });
  for (QAction* item : m.MenuLangs)
    connect(item, &QAction::triggered, this, [this, item] { SetLanguage(item->data().toInt()); });
}

std::string TForm1::ProgramFolder() const {
  return paths_.executable.parent_path().string();
}

std::string TForm1::FileFolder() const {
  return paths_.fileFolder.empty() ? ProgramFolder() : paths_.fileFolder;
}

void TForm1::ApplySettings() {
  state_.portNumber = settings_.comm;
  state_.ramWatchText = std::to_string(settings_.ramIndex);
  texts_.SetLanguage(settings_.lang);
  SetFontSize(settings_.fontSize);
  views_.menus->CheckArrangement(static_cast<visual::IndicatorArrangement>(settings_.w0State));
  views_.indicators->Load(settings_);
  views_.indicators->SetStayOnTop(settings_.w0State ==
                                  static_cast<int>(visual::IndicatorArrangement::Top));
  if (settings_.bounds) {
    const WindowBounds b = settings_.bounds->Limited();
    // The stored bounds are the whole window's; the frame is the system's.
    resize(b.width, b.height);
    move(b.left, b.top);
  } else {
    resize(800, 600);
  }
  if (settings_.wState == Settings::kMaximised) setWindowState(Qt::WindowMaximized);
  if (settings_.wState == Settings::kMinimised) setWindowState(Qt::WindowMinimized);
}

void TForm1::ApplyLanguage() {
  const int language = LanguageRules::Normalised(texts_.Language());
  texts_.SetLanguage(language);
  settings_.lang = language;
  views_.menus->CheckLanguage(language);
  views_.menus->ApplyLanguage(texts_, state_.connected);
  views_.files->ApplyLanguage();
  views_.top->ApplyLanguage(texts_);
  views_.lower->ApplyLanguage(texts_);
  views_.scope->ApplyLanguage(texts_);
  views_.top->PanelBut->setToolTip(session_.Identified() ? Q(texts_.Text(txt::kOperationModeHint))
                                                         : QString());
  views_.memo1->clear();
  views_.config->ApplyLanguage();
  views_.indicators->RequestAll(visual::IndicatorRequest::Redraw);
}

void TForm1::SetLanguage(int language) {
  texts_.SetLanguage(language);
  ApplyLanguage();
  RebuildGrid();
  Layout();
}

void TForm1::SetFontSize(int points) {
  texts_.SetFontSize(points);
  settings_.fontSize = texts_.FontSize();
  QFont font = QApplication::font();
  font.setPointSize(settings_.fontSize);
  setFont(font);
  menuBar()->setFont(QApplication::font());
  views_.menus->CheckFontSize(settings_.fontSize);
  views_.top->FitPageButtons();
  if (shown_) {
    RebuildGrid();
    Layout();
  }
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shown_) FormShow();
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (shown_ && !closing_) Layout();
}

void TForm1::TimerTxTimer() {
  scheduler_->Step();
}

void TForm1::TimerInfoTimer() {
  connection_->Tick();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  // The session's end asks the program to quit, and the windows may close in
  // any order: the indicator windows are still wanted at the next start.
  if (event->type() == QEvent::Quit && watched == qApp) views_.indicators->Quitting();
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(watched);
  // A key is seen once, at its first receiver (the focused control, else the
  // window), and only when it belongs to this window; it is not consumed.
  const QWidget* first = QApplication::focusWidget();
  if (widget != (first != nullptr ? first : this) || widget->window() != this) return false;
  const auto& key = static_cast<const QKeyEvent&>(*event);
  FormKeyDown(KeyCode(key), (key.modifiers() & Qt::ControlModifier) != 0);
  return false;
}

void TForm1::FormKeyDown(int key, bool ctrlHeld) {
  const PageButtonVisibility tabs = views_.top->VisibleButtons();
  const KeyContext context{ctrlHeld,
                           state_.activePage,
                           tabs.parameters,
                           tabs.configuration,
                           tabs.upgrade,
                           views_.gridView->Grid().isVisible(),
                           state_.connectionState,
                           state_.serviceMode};
  RunKeyCommand(keys_.KeyDown(key, context));
}

void TForm1::RunKeyCommand(KeyCommand command) {
  switch (command) {
    case KeyCommand::ShowParameters:
      return TabClick(PageButton::Parameters);
    case KeyCommand::ShowConfiguration:
      return TabClick(PageButton::Configuration);
    case KeyCommand::ShowUpgrade:
      return TabClick(PageButton::Upgrade);
    case KeyCommand::FocusGrid:
      return views_.gridView->FocusGrid();
    case KeyCommand::Switch:
      return SwitchClick();
    case KeyCommand::CycleLayout:
      return BtnWindowClick();
    case KeyCommand::Reconnect:
      state_.reconnectRequest = true;
      return;
    case KeyCommand::NextLanguage:
      return SetLanguage(LanguageRules::NextLanguage(texts_.Language()));
    case KeyCommand::NextFontSize:
      return SetFontSize(LanguageRules::NextFontSize(settings_.fontSize));
    case KeyCommand::Window800x600:
      return MoveWindow(800, 600);
    case KeyCommand::Window640x480:
      return MoveWindow(640, 480);
    case KeyCommand::StopLink:
      return StopLinkCommand();
    case KeyCommand::ResetColours:
      return ResetColours();
    case KeyCommand::ToggleServiceMode:
      return ToggleServiceMode();
    case KeyCommand::ToggleQuillon:
      return ToggleQuillon();
    default:
      return RunDataKeyCommand(command);
  }
}

// The commands on the controller's data and its views.
void TForm1::RunDataKeyCommand(KeyCommand command) {
  switch (command) {
    case KeyCommand::StepDown:
      return views_.gridView->StepSelected(false);
    case KeyCommand::StepUp:
      return views_.gridView->StepSelected(true);
    case KeyCommand::DatesTo255:
      editor_->SetDateBytes(255);
      return RebuildGrid();
    case KeyCommand::DatesTo0:
      editor_->SetDateBytes(0);
      return RebuildGrid();
    case KeyCommand::IndicatorsTop:
      return IndicatorArrangement(visual::IndicatorArrangement::Top);
    case KeyCommand::IndicatorsBottom:
      return IndicatorArrangement(visual::IndicatorArrangement::Bottom);
    case KeyCommand::IndicatorsHome:
      return IndicatorArrangement(visual::IndicatorArrangement::Home);
    case KeyCommand::ToggleScope:
      // Enter also ends typing in the value editor; only a plain Enter asks.
      if (qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr) return;
      return views_.scope->ToggleRunning();
    case KeyCommand::Help:
      return help_->ShowHelp();
    case KeyCommand::Upload:
      // After the key has been delivered: the upload runs for many seconds
      // with events processed, and the focus it leaves behind must not see
      // the same Enter again and start a second upload.
      QTimer::singleShot(0, this, &TForm1::StartUpload);
      return;
    default:  // the window's own commands, and None
      return;
  }
}

void TForm1::TabClick(PageButton button) {
  if (const auto page = rules_.PageFor(button, state_.activePage)) ShowPage(*page);
}

void TForm1::PageButtonNClick(int index) {
  if (state_.activePage == Page::Upgrade) return StartUpload();
  if (const auto page = rules_.ProcessorPage(index, state_.activePage)) ShowPage(*page);
}

void TForm1::LeavePage(link::Page from) {
  if (from == Page::Configuration) views_.config->Leave();
  if (from == Page::Configuration || from == Page::Upgrade) views_.memo1->clear();
}

void TForm1::ShowPage(link::Page page) {
  if (page != state_.activePage) LeavePage(state_.activePage);
  if (page == Page::Upgrade) upgrade_->List(state_.workingCopy[link::ImageMap::kModel]);
  scheduler_->SelectPage(page);
  views_.indicators->SetPage(page);
  views_.top->SetDown(WindowRules::ButtonOf(page));
  Layout();
  if (page != Page::Upgrade && views_.gridView->Grid().isVisible()) views_.gridView->FocusGrid();
}

void TForm1::BtnWindowClick() {
  const int next = WindowRules::NextLayout(settings_.visuSco, state_.activePage);
  if (next == settings_.visuSco) return;
  settings_.visuSco = next;
  views_.top->SetLayoutPicture(next);
  Layout();
}

void TForm1::SwitchClick() {
  scheduler_->RequestSwitch(timerTx_.isActive());
  // With the link down the click asks for a connection attempt instead.
  if (state_.reconnectRequest) views_.memo1->clear();
}

void TForm1::ConnectClick() {
  connection_->ConnectClick();
}

void TForm1::StopLinkCommand() {
  connection_->StopLink();
  views_.top->SetVisibleButtons(WindowRules::AfterStopLink(views_.top->VisibleButtons()));
  Layout();
}

void TForm1::ToggleServiceMode() {
  state_.serviceMode = !state_.serviceMode;
  views_.top->SetVisibleButtons(
      WindowRules::ServiceMode(state_.serviceMode, views_.top->VisibleButtons()));
  RebuildGrid();
  Layout();
}

void TForm1::ToggleQuillon() {
  state_.quillon = !state_.quillon;
  const char* text = state_.quillon ? "Transmisja QUILLON" : "Transmisja Zo";
  messages_.ShowMessage(text, texts_.Text(txt::kTitleAttention), link::MsgIcon::Information,
                        link::MsgButtons::Ok);
}

void TForm1::ResetColours() {
  // The swatches, the gauges and the parameter grid's names follow.
  views_.listWidgets->ResetColours();
}

void TForm1::SetLampLayout(int layout) {
  connection_->SetLampLayout(layout);
  views_.top->PanelBut->SetLayout(static_cast<visual::LampLayout>(layout));
}

// `PopupMenuIndTop` (Ins), `PopupMenuIndBot` (Del), `PopupMenuIndHome` (Home).
void TForm1::IndicatorArrangement(visual::IndicatorArrangement arrangement) {
  using A = visual::IndicatorArrangement;
  views_.menus->CheckArrangement(arrangement);
  views_.indicators->SetStayOnTop(arrangement == A::Top);
  if (arrangement == A::Home) {
    views_.indicators->Home();
    return Layout();
  }
  views_.indicators->RequestAll(arrangement == A::Top ? visual::IndicatorRequest::StayOnTop
                                                      : visual::IndicatorRequest::NormalStacking);
}

void TForm1::MoveWindow(int width, int height) {
  setWindowState(Qt::WindowNoState);
  move(0, 0);
  resize(width, height);
}

// `MenuHelpDoc`, `PopMenDoc`: the controller's manual in the system's PDF
// viewer, or the folder of the manuals in the file browser.
void TForm1::OpenManual() {
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
      ManualChoice::Open(state_.workingCopy[link::ImageMap::kModel], texts_.Language(),
                         DataFolders(paths_.executable).Candidates(), kind, open);
  if (message)
    messages_.ShowMessage(*message, txt::kTitleAttention, link::MsgIcon::Information,
                          link::MsgButtons::Ok);
}

void TForm1::ShowAbout() {
  auto* window = new TFormZo(this);
  window->PrepareAbout(Q(model::ControllerInfo::AboutVersionLine(kProgramVersion, textSource_)),
                       Q(texts_.Text(txt::kLicences)), Q(texts_.Text(txt::kLibrariesIntro)));
  window->SetRussian(texts_.IsRussian());
  window->ShowOver(*this);
}

void TForm1::ShowControllerInfo() {
  // Asked for while a transaction waits for its reply: again once it is over.
  if (state_.busy) {
    QTimer::singleShot(link::ControllerLink::kRound, this, &TForm1::ShowControllerInfo);
    return;
  }
  const link::ImageArea& image = state_.workingCopy;
  if (model::ControllerModel::ReadsWorkingTimes(image) &&
      model::ControllerInfo::ReadWorkingTimes(*link_, state_) != model::CounterRead::Kept)
    session_.WorkingTimesRead();
  const model::InfoLines lines =
      model::ControllerInfo::Lines(image, state_.counterBlock, session_.Dates(), textSource_);
  std::array<QString, 6> labels;
  std::transform(lines.labels.begin(), lines.labels.end(), labels.begin(),
                 [](const std::string& text) { return Q(text); });
  auto* window = new TFormZo(this);
  window->PrepareControllerInfo(Q(lines.caption), labels, lines.workingTimes);
  window->SetRussian(texts_.IsRussian());
  window->ShowOver(*this);
}

void TForm1::StartUpload() {
  upload_->Start(upgrade_->PathAt(views_.gridView->SelectedRow()));
}

void TForm1::ModelHandling(link::ConnectionState connectionState, std::string_view filePath) {
  const model::SessionView view =
      session_.Enter(connectionState, {state_.workingCopy, state_.counterBlock, state_.serviceMode},
                     textSource_, filePath, [this] { editor_->FillInstallationDate(); });
  setWindowTitle(QString::fromStdString(view.caption));
  const model::PageButtons& pages = view.pages;
  views_.top->SetVisibleButtons(
      PageButtonVisibility{pages.parameters, pages.configuration, pages.upgrade, pages.processor});
  views_.menus->MenuHelpControl->setVisible(pages.controllerInfo);
  if (view.switchPanelShown) {
    const bool shown = *view.switchPanelShown;
    SetLampLayout(view.lampLayout);
    views_.top->PanelBut->setToolTip(shown ? Q(texts_.Text(txt::kOperationModeHint)) : QString());
    views_.top->PanelBut->setCursor(shown ? Qt::PointingHandCursor : Qt::ArrowCursor);
    // A controller with the switch gets the dashboard switch's smaller panel.
    if (shown) views_.top->PanelBut->resize(TopPanel::kSwitchWidth, TopPanel::kSwitchHeight);
  }
  if (pages.selected) {
    ShowPage(*pages.selected);
  } else {
    RebuildGrid();
    Layout();
  }
  if (view.versionMessage) {
    const bool running = timerTx_.isActive();
    timerTx_.stop();
    messages_.ShowMessage(*view.versionMessage, txt::kTitleAttention, link::MsgIcon::Information,
                          link::MsgButtons::Ok);
    if (running) timerTx_.start();
  }
}

void TForm1::RebuildGrid() {
  if (state_.activePage == Page::Upgrade)
    return upgrade_->Show(*views_.gridView, texts_.Text(txt::kHeaderSoftware),
                          texts_.Text(txt::kHeaderDescription));
  if (state_.activePage == Page::Configuration) return views_.config->FillGrid();
  if (ProcessorPages::IsProcessorPage(state_.activePage))
    return processor_->BuildGrid(state_.activePage);
  if (state_.activePage != Page::Parameters && state_.activePage != Page::Configuration) {
    views_.gridView->Clear();
    return;
  }
  grid_ = model::ParameterGrid::Build(
      state_.workingCopy, textSource_,
      visual::ColourChoice::ForParameterGrid(SignalListWidgets::Palette(settings_)));
  views_.listWidgets->SetLevelDirection(grid_.LevelSensorDirection());
  views_.gridView->Show(grid_);
  views_.indicators->SetColours(SignalListWidgets::Palette(settings_));
  views_.indicators->SetLevelFalling(views_.listWidgets->LevelDirection() ==
                                     model::LevelDirection::Falling);
}

void TForm1::RebuildSignalList() {
  model::LiveSignals::ForceSignalFlags(state_.workingCopy);
  if (state_.activePage == Page::Port)
    processor_->BuildInputList();
  else
    views_.signalView->Build(
        SignalListRows::For(state_.workingCopy, state_.serviceMode, state_.activePage));
  ShowSample(views_.scope->State().ShownSample(state_.history.WriteIndex()));
}

void TForm1::ShowSample(int index) {
  const auto sample = state_.history.At(index);
  views_.signalView->ShowSample(sample, state_.workingCopy[link::ImageMap::kTemperatureSensor]);
  views_.listWidgets->ShowSample(sample, state_.workingCopy);
  views_.lower->ShowRegulation(sample[model::LiveSignals::kFlagByte],
                               sample[model::LiveSignals::kSecondFlagByte], texts_);
  views_.indicators->SetReadings(sample);
}

void TForm1::Layout() {
  if (!shown_ || closing_) return;
  setUpdatesEnabled(false);
  LayoutInput in;
  in.clientWidth = client_->width();
  in.clientHeight = client_->height();
  in.lowerAreaHeight = settings_.wGrid;
  in.activePage = state_.activePage;
  in.windowLayout = settings_.visuSco;
  in.fontSize = settings_.fontSize;
  in.modelCode = state_.workingCopy[link::ImageMap::kModel];
  in.variantByte = state_.workingCopy[link::ImageMap::kVariant];
  in.switchPanelShown = session_.SwitchPanelShown();
  in.scopeRunning = state_.scopeRunning;
  in.autoSave = state_.autoSave;
  placement_->Measure(in);
  const LayoutResult r = MainLayout::Compute(in);
  settings_.wGrid = r.lowerAreaHeight;
  placement_->Apply(in, r);
  RebuildGrid();
  RebuildSignalList();
  setUpdatesEnabled(true);
  if (views_.menus->PopupMenuIndHome->isChecked())
    views_.indicators->ArrangeFrom(IndicatorArrangeInputs());
}

// The main window's measures in screen pixels for the arranged indicator row.
visual::ArrangeInputs TForm1::IndicatorArrangeInputs() const {
  return placement_->ArrangeInputs(frameGeometry(), client_->mapToGlobal(QPoint(0, 0)).y(),
                                   state_.activePage);
}

}  // namespace zo::app
