#include "app/TForm1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QTextEdit>
#include <random>

#include "app/CheckCommands.h"
#include "app/FileCommands.h"
#include "app/JournalCommands.h"
#include "app/MainEffects.h"
#include "app/MainJournal.h"
#include "app/PackageCommands.h"
#include "app/QtKeys.h"
#include "app/ReportCommands.h"
#include "app/TraceCommands.h"
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
#include "app/windows/UploadWindow.h"
#include "model/ControllerModel.h"
#include "platform/DataFolders.h"

namespace zo::app {

using link::Page;

TForm1::TForm1(ProgramPaths paths, QWidget* parent)
    : QMainWindow(parent), paths_(std::move(paths)) {
  effects_ = std::make_unique<MainEffects>(
      MainWindowParts{*this, progress_, messages_, texts_, state_, timerTx_, wizard_}, views_,
      EffectSteps());
  link_ = std::make_unique<link::ControllerLink>(state_, com_, ftdi_, pump_, effects_->Link(),
                                                 replies_);
  link_->SetTrace(&trace_);
  parts_.link = link_.get();
  parts_.trace = &trace_;
  scheduler_ = std::make_unique<link::PollScheduler>(
      link::SchedulerParts{.port = state_, .image = state_, .live = state_, .scheduler = state_},
      *link_, effects_->Progress(), effects_->Messages(), effects_->Window(), replies_, pump_);
  parts_.scheduler = scheduler_.get();
  connection_ = std::make_unique<link::ConnectionManager>(
      link::ConnectionParts{.port = state_,
                            .live = state_,
                            .scheduler = state_,
                            .view = state_,
                            .programming = state_.programming},
      com_, ftdi_, ports_, pump_, effects_->Connection());
  parts_.connection = connection_.get();
  editor_ = std::make_unique<model::ParameterEditor>(
      model::EditorParts{.image = state_, .scheduler = state_, .view = state_},
      effects_->Messages(), clock_);
  parts_.editor = editor_.get();
  editor_->SetOutcomeHandler([this](const model::EditOutcome& outcome) {
    if (outcome.lampLayout) pages_.SetLampLayout(*outcome.lampLayout);
    pages_.RebuildGrid();
    if (outcome.rebuildSignalList) pages_.RebuildSignalList();
  });
  uploadWindow_ = std::make_unique<UploadWindow>(texts_);
  parts_.uploadWindow = uploadWindow_.get();
  upload_ = std::make_unique<firmware::FirmwareUpload>(
      firmware::UploadParts{
          .image = state_, .live = state_, .scheduler = state_, .programming = state_.programming},
      *link_, effects_->Messages(), effects_->Window(), pump_, *uploadWindow_,
      [random = std::mt19937(std::random_device{}())]() mutable {
        return static_cast<std::uint8_t>(random() & 0xFFu);
      });
  replies_.bootLoader = upload_.get();
  journal_ = std::make_unique<MainJournal>(this, paths_.journalFolder, state_, textSource_,
                                           effects_->Messages());
  replies_.writes = &journal_->Confirmations();
  parts_.journal = journal_.get();
  parts_.upload = upload_.get();
  upgrade_ = std::make_unique<UpgradePage>(
      UpgradePage::FirmwareFolders(platform::DataFolders(paths_.executable).Candidates()),
      messages_);
  parts_.upgrade = upgrade_.get();
  placement_ = std::make_unique<AreaPlacement>(views_, *upgrade_, texts_);
  parts_.placement = placement_.get();

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
  // The trace's last line says it ended with the program.
  trace_.Stop("stopped: the program ended");
  trace_.SetStatusHandler({});
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
            wizard_->ConnectionStateChanged(state, state_.controllerCopy);
            journal_->ConnectionStateChanged(state, state_.counterBlock);
            pages_.ModelHandling(state);
          },
      .rebuildGrid = [this] { pages_.RebuildGrid(); },
      .showSample = [this](int index) { pages_.ShowSample(index); },
      .showPage = [this](Page page) { pages_.ShowPage(page); },
      .checkPlausibility = [this] { editor_->CheckPlausibility(model::PlausibilityMode::Full); },
      .uploadLost = [this] { upload_->Lost(); },
  };
}

void TForm1::BuildWindow() {
  setMinimumSize(kMinWidth, kMinHeight);
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("Client"));
  setCentralWidget(client_);
  parts_.client = client_;
  views_.menus = new MainMenus(menuBar(), this);
  views_.top = new TopPanel(client_);
  scope_.Build();
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
    connect(button, &QPushButton::clicked, this, [this, index] { pages_.PageButtonNClick(index); });
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
      client_, *views_.memo1, *views_.gridView, messages_, texts_,
      {[this] { scheduler_->RequestSwitch(timerTx_.isActive()); }, [this] { pages_.RebuildGrid(); },
       [this] { pages_.ModelHandling(link::ConnectionState::ControllerRead); }});
  wizard_ =
      std::make_unique<autoconfig::Autoconfig>(state_.workingCopy, *views_.config, &state_.causes);
  views_.config->ForwardClicksTo(*wizard_);
  replies_.wizard = wizard_.get();
  parts_.wizard = wizard_.get();
  views_.indicators = new IndicatorWindows(*this, texts_, state_.workingCopy);
  views_.files = new FileCommands(
      {*this,
       *views_.menus,
       *views_.lower,
       *views_.scope,
       texts_,
       textSource_,
       {settings_.dirOpen, settings_.dirSave},
       {.port = state_, .image = state_, .live = state_, .scheduler = state_, .view = state_},
       messages_,
       timerTx_,
       [this](std::string_view path) { pages_.ModelHandling(state_.connectionState, path); },
       [this] { pages_.RebuildGrid(); },
       [this] { pages_.RebuildSignalList(); }});
  views_.journal = new JournalCommands(parts_);
  help_ = std::make_unique<HelpTopics>(
      HelpHost{*this, *client_, *views_.top, views_.signalView->Grid(), *views_.gridView}, texts_,
      settings_, messages_, state_.workingCopy, paths_.executable);
  views_.help = help_.get();
  views_.report = new ReportCommands(parts_);
  views_.package = new PackageCommands(parts_, {[this] { return mainSettings_.Text(); },
                                                [this] { return views_.check->FindingsText(); }});
  views_.trace = new TraceCommands(parts_, trace_, pump_);
  views_.check = new CheckCommands(parts_);
  upload_->SetBackup([this] { return views_.files->SaveBackup(); });
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!pages_.Shown()) FormShow();
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  pages_.Layout();
}

void TForm1::TimerTxTimer() {
  scheduler_->Step();
}

void TForm1::TimerInfoTimer() {
  connection_->Tick();
  if (connection_->TakeCheckOffer()) views_.check->OfferCheck();
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
  keyCommands_.FormKeyDown(KeyCode(key), (key.modifiers() & Qt::ControlModifier) != 0,
                           (key.modifiers() & Qt::ShiftModifier) != 0);
  return false;
}

}  // namespace zo::app
