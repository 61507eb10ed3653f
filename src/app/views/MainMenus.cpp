#include "app/views/MainMenus.h"

#include <QAction>
#include <QActionGroup>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "app/QtText.h"
#include "texts/TextCatalogue.h"
#include "texts/TextIds.h"

namespace zo::app {

namespace {

constexpr std::size_t Index(FileCommand command) {
  return static_cast<std::size_t>(command);
}

constexpr std::size_t Index(JournalCommand command) {
  return static_cast<std::size_t>(command);
}

constexpr std::size_t Index(HelpCommand command) {
  return static_cast<std::size_t>(command);
}

// The indicator pop-up's signal entries, in menu order.
constexpr std::array<model::SignalKind, 4> kIndicatorEntries{
    model::SignalKind::Lam, model::SignalKind::Rpm, model::SignalKind::Tps, model::SignalKind::Mot};

QAction* Named(QAction* action, const char* name) {
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

}  // namespace

MainMenus::MainMenus(QMenuBar* bar, QWidget* owner) : QObject(owner) {
  BuildFile(bar);
  BuildPort(bar);
  BuildFontAndLanguage(bar);
  BuildHelp(bar);
  BuildPopups(owner);
  BuildIndicatorPopup(owner);
}

void MainMenus::BuildFile(QMenuBar* bar) {
  menuFile_ = bar->addMenu(QString());
  const auto add = [this](FileCommand command, const char* name, const QKeySequence& keys) {
    QAction* item = Named(menuFile_->addAction(QString()), name);
    item->setShortcut(keys);
    connect(item, &QAction::triggered, this, [this, command] { emit FileCommandChosen(command); });
    fileEntries_[Index(command)] = item;
  };
  add(FileCommand::OpenRecording, "MenuFileOpenVis", QKeySequence(Qt::CTRL | Qt::Key_O));
  add(FileCommand::SaveRecording, "MenuFileSaveVis", QKeySequence(Qt::CTRL | Qt::Key_S));
  add(FileCommand::AutoSave, "MenuFileSaveAuto", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_A));
  fileEntries_[Index(FileCommand::AutoSave)]->setCheckable(true);
  menuFile_->addSeparator();
  add(FileCommand::OpenParameters, "MenuFileOpenPar", QKeySequence(Qt::CTRL | Qt::Key_P));
  add(FileCommand::SaveParameters, "MenuFileSavePar", QKeySequence(Qt::CTRL | Qt::Key_D));
  add(FileCommand::Compare, "MenuFileCompare", {});
  menuFile_->addSeparator();
  add(FileCommand::ExportCsv, "MenuFileExportCsv", {});
  add(FileCommand::ExportPng, "MenuFileExportPng", {});
  menuFile_->addSeparator();
  const auto addJournal = [this](JournalCommand command, const char* name) {
    QAction* item = Named(menuFile_->addAction(QString()), name);
    connect(item, &QAction::triggered, this,
            [this, command] { emit JournalCommandChosen(command); });
    journalEntries_[Index(command)] = item;
  };
  addJournal(JournalCommand::BackToConnect, "MenuFileBackToConnect");
  addJournal(JournalCommand::History, "MenuFileHistory");
  addJournal(JournalCommand::ServiceReport, "MenuFileReport");
  menuFile_->addSeparator();
  const auto addPackage = [this](PackageCommand command, const char* name) {
    QAction* item = Named(menuFile_->addAction(QString()), name);
    connect(item, &QAction::triggered, this,
            [this, command] { emit PackageCommandChosen(command); });
    packageEntries_[static_cast<std::size_t>(command)] = item;
  };
  addPackage(PackageCommand::Save, "MenuFileSavePackage");
  addPackage(PackageCommand::Open, "MenuFileOpenPackage");
  menuFile_->addSeparator();
  menuFileExit_ = Named(menuFile_->addAction(QString()), "MenuFileExit");
  connect(menuFileExit_, &QAction::triggered, this, &MainMenus::ExitChosen);
}

void MainMenus::BuildPort(QMenuBar* bar) {
  menuPort_ = bar->addMenu(QString());
  menuPort_->setObjectName(QStringLiteral("MenuPort"));
  menuPortNone_ = Named(menuPort_->addAction(QString()), "MenuPortNone");
  connect(menuPortNone_, &QAction::triggered, this, &MainMenus::ConnectChosen);
  menuPortCommands_ = menuPort_->addSeparator();
  menuPortCheck_ = Named(menuPort_->addAction(QString()), "MenuPortCheck");
  connect(menuPortCheck_, &QAction::triggered, this,
          [this] { emit PortCommandChosen(PortCommand::CheckConnection); });
  menuPortTrace_ = Named(menuPort_->addAction(QString()), "MenuPortTrace");
  menuPortTrace_->setCheckable(true);
  // The tick follows the trace, not the click: a cancelled start leaves it off.
  connect(menuPortTrace_, &QAction::triggered, this, [this] {
    menuPortTrace_->setChecked(!menuPortTrace_->isChecked());
    emit PortCommandChosen(PortCommand::RecordLinkTrace);
  });
  connect(menuPort_, &QMenu::aboutToShow, this, [this] {
    emit PortMenuOpening();
    FillPortMenu(menuPort_, menuPortNone_, menuPortCommands_);
  });
  traceMark_ = new QLabel(bar);
  traceMark_->setObjectName(QStringLiteral("TraceMark"));
  traceMark_->setStyleSheet(QStringLiteral("QLabel { color: #c00000; font-weight: bold; }"));
  traceMark_->setContentsMargins(6, 0, 6, 0);
  bar->setCornerWidget(traceMark_, Qt::TopRightCorner);
  traceMark_->hide();
}

void MainMenus::BuildFontAndLanguage(QMenuBar* bar) {
  menuFont_ = bar->addMenu(QString());
  fontGroup_ = new QActionGroup(this);
  // Exclusive but allowing none, so an odd size from the settings checks nothing.
  fontGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (std::size_t i = 0; i < kFontSizes.size(); ++i) {
    const int points = kFontSizes[i];
    QAction* item = menuFont_->addAction(QString::number(points));
    item->setCheckable(true);
    fontGroup_->addAction(item);
    connect(item, &QAction::triggered, this, [this, points] { emit FontSizeChosen(points); });
    menuFontSizes_[i] = item;
  }
  menuLang_ = bar->addMenu(QString());
  auto* langGroup = new QActionGroup(this);
  for (std::size_t i = 0; i < menuLangs_.size(); ++i) {
    QAction* item = menuLang_->addAction(QString());
    item->setCheckable(true);
    langGroup->addAction(item);
    const int language = static_cast<int>(i);
    connect(item, &QAction::triggered, this, [this, language] { emit LanguageChosen(language); });
    menuLangs_[i] = item;
  }
}

QAction* MainMenus::AddHelpEntry(QMenu* menu, HelpCommand command, const char* name) {
  QAction* item = Named(menu->addAction(QString()), name);
  connect(item, &QAction::triggered, this, [this, command] { emit HelpCommandChosen(command); });
  return item;
}

void MainMenus::BuildHelp(QMenuBar* bar) {
  menuHelp_ = bar->addMenu(QString());
  helpEntries_ = {AddHelpEntry(menuHelp_, HelpCommand::Topics, "MenuHelpTema"),
                  AddHelpEntry(menuHelp_, HelpCommand::Manual, "MenuHelpDoc"),
                  AddHelpEntry(menuHelp_, HelpCommand::About, "MenuHelpAbout"),
                  AddHelpEntry(menuHelp_, HelpCommand::ControllerInfo, "MenuHelpControl")};
  ShowControllerInfoEntry(false);  // shown once a controller is identified
}

void MainMenus::BuildPopups(QWidget* owner) {
  popupMenuCom_ = new QMenu(owner);
  popupMenuCom_->setObjectName(QStringLiteral("PopupMenuCom"));
  menuCommNone_ = Named(popupMenuCom_->addAction(QString()), "MenuCommNone");
  connect(menuCommNone_, &QAction::triggered, this, &MainMenus::ConnectChosen);
  connect(popupMenuCom_, &QMenu::aboutToShow, this, [this] {
    emit PortMenuOpening();
    FillPortMenu(popupMenuCom_, menuCommNone_, nullptr);
  });

  popupMenuHelp_ = new QMenu(owner);
  popupMenuHelp_->setObjectName(QStringLiteral("PopupMenuHelp"));
  popupHelpEntries_ = {AddHelpEntry(popupMenuHelp_, HelpCommand::Topics, "PopMenTama"),
                       AddHelpEntry(popupMenuHelp_, HelpCommand::Manual, "PopMenDoc"),
                       AddHelpEntry(popupMenuHelp_, HelpCommand::About, "PopMenAbout"),
                       AddHelpEntry(popupMenuHelp_, HelpCommand::ControllerInfo, "PopMenControl")};
}

void MainMenus::BuildIndicatorPopup(QWidget* owner) {
  popupMenuInd_ = new QMenu(owner);
  popupMenuInd_->setObjectName(QStringLiteral("PopupMenuInd"));
  const std::array<const char*, 4> names{"PopupMenuIndLAM", "PopupMenuIndRPM", "PopupMenuIndTPS",
                                         "PopupMenuIndACT"};
  for (std::size_t i = 0; i < kIndicatorEntries.size(); ++i) {
    indicatorEntries_[i] = Named(popupMenuInd_->addAction(QString()), names[i]);
    const model::SignalKind kind = kIndicatorEntries[i];
    connect(indicatorEntries_[i], &QAction::triggered, this,
            [this, kind] { emit IndicatorChosen(kind); });
  }
  popupMenuInd_->addSeparator();
  auto* arrangementGroup = new QActionGroup(this);
  const std::array<const char*, 3> arrangementNames{"PopupMenuIndTop", "PopupMenuIndBot",
                                                    "PopupMenuIndHome"};
  for (std::size_t i = 0; i < arrangementEntries_.size(); ++i) {
    QAction* item = Named(popupMenuInd_->addAction(QString()), arrangementNames[i]);
    item->setCheckable(true);
    arrangementGroup->addAction(item);
    const auto arrangement = static_cast<visual::IndicatorArrangement>(i);
    connect(item, &QAction::triggered, this,
            [this, arrangement] { emit ArrangementChosen(arrangement); });
    arrangementEntries_[i] = item;
  }
  CheckArrangement(visual::IndicatorArrangement::Bottom);
}

void MainMenus::FillPortMenu(QMenu* menu, QAction* first, QAction* last) {
  // The entries between `first` and `last` (the commands after the ports),
  // or after `first` to the end, are made anew.
  const auto actions = menu->actions();
  bool commands = false;
  for (QAction* action : actions) {
    commands = commands || action == last;
    if (action != first && !commands) {
      menu->removeAction(action);
      action->deleteLater();
    }
  }
  // The pop-up has a separator after its connect entry; the menu bar's
  // Port menu lists the ports right after it.
  if (menu == popupMenuCom_) menu->insertSeparator(last);
  // One radio group a menu, made anew with its entries.
  QActionGroup*& group = menu == popupMenuCom_ ? popupPortGroup_ : menuPortGroup_;
  delete group;
  group = new QActionGroup(menu);
  for (const auto& entry : entries_) {
    auto* item = new QAction(QString::fromStdString(entry.caption), menu);
    menu->insertAction(last, item);
    item->setStatusTip(QString::fromStdString(entry.statusTip));
    item->setToolTip(QString::fromStdString(entry.statusTip));
    item->setCheckable(true);
    item->setChecked(entry.tag == checkedPort_);
    group->addAction(item);
    const int tag = entry.tag;
    connect(item, &QAction::triggered, this, [this, tag] { emit PortChosen(tag); });
  }
  menu->setToolTipsVisible(true);
}

void MainMenus::ApplyLanguage(const texts::TextCatalogue& texts, bool connected) {
  const auto caption = [&texts](QAction* item, int textId) {
    item->setText(Q(texts.Text(textId)));
  };
  menuFile_->setTitle(Q(texts.Text(txt::kMenuFile)));
  const std::array<int, kFileCommands> fileTexts{
      txt::kOpenRecording,  txt::kSaveRecording,         txt::kAutoSave,  txt::kOpenParameters,
      txt::kSaveParameters, txt::kCompareWithController, txt::kExportCsv, txt::kExportPng};
  for (std::size_t i = 0; i < kFileCommands; ++i)
    caption(fileEntries_[i], fileTexts[i]);
  const std::array<int, kJournalCommands> journalTexts{txt::kBackToConnect, txt::kChangeHistory,
                                                       txt::kPrintServiceReport};
  for (std::size_t i = 0; i < kJournalCommands; ++i)
    caption(journalEntries_[i], journalTexts[i]);
  caption(packageEntries_[0], txt::kSaveSupportPackage);
  caption(packageEntries_[1], txt::kOpenSupportPackage);
  caption(menuFileExit_, txt::kMenuExit);
  menuPort_->setTitle(Q(texts.Text(txt::kMenuPort)));
  SetConnectCaption(texts, connected ? txt::kDisconnect : txt::kConnect);
  caption(menuPortCheck_, txt::kCheckConnection);
  caption(menuPortTrace_, txt::kRecordLinkTrace);
  CaptionTraceMark(texts);
  menuLang_->setTitle(Q(texts.Text(txt::kMenuLanguage)));
  for (std::size_t i = 0; i < menuLangs_.size(); ++i)
    menuLangs_[i]->setText(Q(texts.LanguageMenuCaption(static_cast<int>(i))));
  menuFont_->setTitle(Q(texts.Text(txt::kMenuFont)));
  menuHelp_->setTitle(Q(texts.Text(txt::kMenuHelp)));
  const std::array<int, kHelpCommands> helpTexts{txt::kHelpSubjects, txt::kSpecification,
                                                 txt::kAbout, txt::kAboutController};
  for (std::size_t i = 0; i < kHelpCommands; ++i) {
    caption(helpEntries_[i], helpTexts[i]);
    caption(popupHelpEntries_[i], helpTexts[i]);
  }
  const std::array<int, 4> indicatorTexts{txt::kSignalLambda, txt::kSignalRpm, txt::kSignalTps,
                                          txt::kSignalActuator};
  for (std::size_t i = 0; i < indicatorTexts.size(); ++i)
    caption(indicatorEntries_[i], indicatorTexts[i]);
  const std::array<std::pair<int, const char*>, 3> arrangementTexts{
      {{txt::kWindowOnTop, "\tIns"}, {txt::kWindowHide, "\tDel"}, {txt::kAutoPosition, "\tHome"}}};
  for (std::size_t i = 0; i < arrangementTexts.size(); ++i)
    arrangementEntries_[i]->setText(Q(texts.Text(arrangementTexts[i].first)) +
                                    QString::fromLatin1(arrangementTexts[i].second));
}

void MainMenus::SetConnectCaption(const texts::TextCatalogue& texts, int textId) {
  menuPortNone_->setText(Q(texts.Text(textId)));
  menuCommNone_->setText(Q(texts.Text(textId)));
}

void MainMenus::CheckLanguage(int language) {
  for (std::size_t i = 0; i < menuLangs_.size(); ++i)
    menuLangs_[i]->setChecked(static_cast<int>(i) == language);
}

void MainMenus::CheckFontSize(int points) {
  for (std::size_t i = 0; i < kFontSizes.size(); ++i)
    menuFontSizes_[i]->setChecked(kFontSizes[i] == points);
}

void MainMenus::SetPortEntries(const std::vector<link::PortMenuEntry>& entries) {
  entries_ = entries;
}

void MainMenus::CheckPortEntries(int tag) {
  checkedPort_ = tag;
}

void MainMenus::CheckArrangement(visual::IndicatorArrangement arrangement) {
  const int index = static_cast<int>(arrangement);
  if (index >= 0 && index < 3)
    arrangementEntries_[static_cast<std::size_t>(index)]->setChecked(true);
}

visual::IndicatorArrangement MainMenus::Arrangement() const {
  for (std::size_t i = 0; i < arrangementEntries_.size(); ++i)
    if (arrangementEntries_[i]->isChecked()) return static_cast<visual::IndicatorArrangement>(i);
  return visual::IndicatorArrangement::Bottom;
}

void MainMenus::CheckAutoSave(bool on) {
  fileEntries_[Index(FileCommand::AutoSave)]->setChecked(on);
}

void MainMenus::CheckLinkTrace(bool on) {
  menuPortTrace_->setChecked(on);
}

void MainMenus::ShowTraceMark(const texts::TextCatalogue& texts, link::LinkTrace::Status status,
                              const QString& path) {
  traceStatus_ = status;
  tracePath_ = path;
  CaptionTraceMark(texts);
}

void MainMenus::CaptionTraceMark(const texts::TextCatalogue& texts) {
  using Status = link::LinkTrace::Status;
  if (traceStatus_ == Status::Off) {
    traceMark_->hide();
    return;
  }
  const int mark = traceStatus_ == Status::Recording ? txt::kTraceMark
                   : traceStatus_ == Status::Full    ? txt::kTraceFullMark
                                                     : txt::kTraceFailedMark;
  const int tip = traceStatus_ == Status::Recording ? txt::kTraceRecordingTip
                  : traceStatus_ == Status::Full    ? txt::kTraceFullTip
                                                    : txt::kTraceFailedTip;
  traceMark_->setText(Q(texts.Text(mark)));
  traceMark_->setToolTip(Q(texts.Text(tip)) + QLatin1Char('\n') + tracePath_);
  traceMark_->show();
}

void MainMenus::ShowControllerInfoEntry(bool shown) {
  helpEntries_[Index(HelpCommand::ControllerInfo)]->setVisible(shown);
}

void MainMenus::Popup(PopupMenu menu) {
  switch (menu) {
    case PopupMenu::Help:
      popupMenuHelp_->popup(QCursor::pos());
      return;
    case PopupMenu::Indicators:
      popupMenuInd_->popup(QCursor::pos());
      return;
    case PopupMenu::Ports:
      popupMenuCom_->popup(QCursor::pos());
      return;
  }
}

}  // namespace zo::app
