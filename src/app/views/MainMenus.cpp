#include "app/views/MainMenus.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "app/QtText.h"
#include "texts/TextIds.h"

namespace zo::app {

namespace {}  // namespace

MainMenus::MainMenus(QMenuBar* bar, QWidget* owner) : QObject(owner) {
  BuildFile(bar);
  BuildPort(bar);
  BuildFontAndLanguage(bar);
  BuildHelp(bar);
  BuildPopups(owner);
}

void MainMenus::BuildFile(QMenuBar* bar) {
  MenuFile = bar->addMenu(QString());
  MenuFileOpenVis = MenuFile->addAction(QString());
  MenuFileOpenVis->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  MenuFileSaveVis = MenuFile->addAction(QString());
  MenuFileSaveVis->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  MenuFileSaveAuto = MenuFile->addAction(QString());
  MenuFileSaveAuto->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_A));
  MenuFileSaveAuto->setCheckable(true);
  MenuFile->addSeparator();
  MenuFileOpenPar = MenuFile->addAction(QString());
  MenuFileOpenPar->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  MenuFileSavePar = MenuFile->addAction(QString());
  MenuFileSavePar->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  MenuFile->addSeparator();
  MenuFileExit = MenuFile->addAction(QString());
}

void MainMenus::BuildPort(QMenuBar* bar) {
  MenuPort = bar->addMenu(QString());
  MenuPortNone = MenuPort->addAction(QString());
  connect(MenuPort, &QMenu::aboutToShow, this, [this] {
    emit PortMenuOpening();
    FillPortMenu(MenuPort, MenuPortNone);
  });
}

void MainMenus::BuildFontAndLanguage(QMenuBar* bar) {
  MenuFont = bar->addMenu(QString());
  fontGroup_ = new QActionGroup(this);
  // Exclusive but allowing none, so an odd size from the settings checks nothing.
  fontGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (std::size_t i = 0; i < kFontSizes.size(); ++i) {
    QAction* item = MenuFont->addAction(QString::number(kFontSizes[i]));
    item->setCheckable(true);
    item->setData(kFontSizes[i]);
    fontGroup_->addAction(item);
    MenuFontSizes[i] = item;
  }
  MenuLang = bar->addMenu(QString());
  auto* langGroup = new QActionGroup(this);
  for (std::size_t i = 0; i < MenuLangs.size(); ++i) {
    QAction* item = MenuLang->addAction(QString());
    item->setCheckable(true);
    item->setData(static_cast<int>(i));
    langGroup->addAction(item);
    MenuLangs[i] = item;
  }
}

void MainMenus::BuildHelp(QMenuBar* bar) {
  MenuHelp = bar->addMenu(QString());
  MenuHelpTema = MenuHelp->addAction(QString());
  MenuHelpDoc = MenuHelp->addAction(QString());
  MenuHelpAbout = MenuHelp->addAction(QString());
  MenuHelpControl = MenuHelp->addAction(QString());
  MenuHelpControl->setVisible(false);  // shown once a controller is identified
}

void MainMenus::BuildPopups(QWidget* owner) {
  PopupMenuCom = new QMenu(owner);
  MenuCommNone = PopupMenuCom->addAction(QString());
  connect(PopupMenuCom, &QMenu::aboutToShow, this, [this] {
    emit PortMenuOpening();
    FillPortMenu(PopupMenuCom, MenuCommNone);
  });

  PopupMenuHelp = new QMenu(owner);
  PopMenTama = PopupMenuHelp->addAction(QString());
  PopMenDoc = PopupMenuHelp->addAction(QString());
  PopMenAbout = PopupMenuHelp->addAction(QString());
  PopMenControl = PopupMenuHelp->addAction(QString());

  PopupMenuInd = new QMenu(owner);
  PopupMenuIndLAM = PopupMenuInd->addAction(QString());
  PopupMenuIndRPM = PopupMenuInd->addAction(QString());
  PopupMenuIndTPS = PopupMenuInd->addAction(QString());
  PopupMenuIndACT = PopupMenuInd->addAction(QString());
  PopupMenuInd->addSeparator();
  arrangementGroup_ = new QActionGroup(this);
  for (QAction** item : {&PopupMenuIndTop, &PopupMenuIndBot, &PopupMenuIndHome}) {
    *item = PopupMenuInd->addAction(QString());
    (*item)->setCheckable(true);
    arrangementGroup_->addAction(*item);
  }
  PopupMenuIndBot->setChecked(true);
}

void MainMenus::FillPortMenu(QMenu* menu, QAction* first) {
  const auto actions = menu->actions();
  for (QAction* action : actions) {
    if (action != first) {
      menu->removeAction(action);
      action->deleteLater();
    }
  }
  // The pop-up has a separator after its connect entry; the menu bar's
  // Port menu lists the ports right after it.
  if (menu == PopupMenuCom) menu->addSeparator();
  // One radio group a menu, made anew with its entries.
  QActionGroup*& group = menu == PopupMenuCom ? popupPortGroup_ : menuPortGroup_;
  delete group;
  group = new QActionGroup(menu);
  for (const auto& entry : entries_) {
    QAction* item = menu->addAction(QString::fromStdString(entry.caption));
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
  MenuFile->setTitle(Q(texts.Text(txt::kMenuFile)));
  MenuFileOpenVis->setText(Q(texts.Text(txt::kOpenRecording)));
  MenuFileSaveVis->setText(Q(texts.Text(txt::kSaveRecording)));
  MenuFileSaveAuto->setText(Q(texts.Text(txt::kAutoSave)));
  MenuFileOpenPar->setText(Q(texts.Text(txt::kOpenParameters)));
  MenuFileSavePar->setText(Q(texts.Text(txt::kSaveParameters)));
  MenuFileExit->setText(Q(texts.Text(txt::kMenuExit)));
  MenuPort->setTitle(Q(texts.Text(txt::kMenuPort)));
  SetConnectCaption(texts, connected ? txt::kDisconnect : txt::kConnect);
  MenuLang->setTitle(Q(texts.Text(txt::kMenuLanguage)));
  for (std::size_t i = 0; i < MenuLangs.size(); ++i)
    MenuLangs[i]->setText(Q(texts.LanguageMenuCaption(static_cast<int>(i))));
  MenuFont->setTitle(Q(texts.Text(txt::kMenuFont)));
  MenuHelp->setTitle(Q(texts.Text(txt::kMenuHelp)));
  const std::array<std::pair<QAction*, QAction*>, 4> help{{{MenuHelpTema, PopMenTama},
                                                           {MenuHelpDoc, PopMenDoc},
                                                           {MenuHelpAbout, PopMenAbout},
                                                           {MenuHelpControl, PopMenControl}}};
  const std::array<int, 4> helpTexts{txt::kHelpSubjects, txt::kSpecification, txt::kAbout,
                                     txt::kAboutController};
  for (std::size_t i = 0; i < help.size(); ++i) {
    help[i].first->setText(Q(texts.Text(helpTexts[i])));
    help[i].second->setText(Q(texts.Text(helpTexts[i])));
  }
  PopupMenuIndLAM->setText(Q(texts.Text(txt::kSignalLambda)));
  PopupMenuIndRPM->setText(Q(texts.Text(txt::kSignalRpm)));
  PopupMenuIndTPS->setText(Q(texts.Text(txt::kSignalTps)));
  PopupMenuIndACT->setText(Q(texts.Text(txt::kSignalActuator)));
  PopupMenuIndTop->setText(Q(texts.Text(txt::kWindowOnTop)) + "\tIns");
  PopupMenuIndBot->setText(Q(texts.Text(txt::kWindowHide)) + "\tDel");
  PopupMenuIndHome->setText(Q(texts.Text(txt::kAutoPosition)) + "\tHome");
}

void MainMenus::SetConnectCaption(const texts::TextCatalogue& texts, int textId) {
  MenuPortNone->setText(Q(texts.Text(textId)));
  MenuCommNone->setText(Q(texts.Text(textId)));
}

void MainMenus::CheckLanguage(int language) {
  for (std::size_t i = 0; i < MenuLangs.size(); ++i)
    MenuLangs[i]->setChecked(static_cast<int>(i) == language);
}

void MainMenus::CheckFontSize(int points) {
  for (QAction* item : MenuFontSizes)
    item->setChecked(item->data().toInt() == points);
}

void MainMenus::SetPortEntries(const std::vector<link::PortMenuEntry>& entries) {
  entries_ = entries;
}

void MainMenus::CheckPortEntries(int tag) {
  checkedPort_ = tag;
}

void MainMenus::CheckArrangement(visual::IndicatorArrangement arrangement) {
  const std::array<QAction*, 3> items{PopupMenuIndTop, PopupMenuIndBot, PopupMenuIndHome};
  const int index = static_cast<int>(arrangement);
  if (index >= 0 && index < 3) items[static_cast<std::size_t>(index)]->setChecked(true);
}

visual::IndicatorArrangement MainMenus::Arrangement() const {
  if (PopupMenuIndTop->isChecked()) return visual::IndicatorArrangement::Top;
  if (PopupMenuIndHome->isChecked()) return visual::IndicatorArrangement::Home;
  return visual::IndicatorArrangement::Bottom;
}

}  // namespace zo::app
