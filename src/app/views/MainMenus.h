// The main window's menu bar (`MainMenu1`) and its three pop-up menus: the
// port pop-up (`PopupMenuCom`), the help pop-up (`PopupMenuHelp`) and the
// indicator pop-up (`PopupMenuInd`). It builds the entries and captions
// them; the main window connects the actions to its commands.
#pragma once

#include <QObject>
#include <array>
#include <vector>

#include "link/IMenuEffects.h"
#include "texts/TextsFwd.h"
#include "visual/IndicatorSlots.h"

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;

namespace zo::app {

class MainMenus : public QObject {
  Q_OBJECT

 public:
  static constexpr std::array<int, 5> kFontSizes{8, 10, 12, 14, 16};

  MainMenus(QMenuBar* bar, QWidget* owner);

  // Captions of every entry in the current language; the connect entries
  // read txt::kDisconnect while connected, else txt::kConnect.
  void ApplyLanguage(const texts::TextCatalogue& texts, bool connected);
  void SetConnectCaption(const texts::TextCatalogue& texts, int textId);
  void CheckLanguage(int language);
  // Checks the Font entry of that size; none for an odd size.
  void CheckFontSize(int points);
  // The port entries of both port menus, after the connect entry.
  void SetPortEntries(const std::vector<link::PortMenuEntry>& entries);
  void CheckPortEntries(int tag);
  [[nodiscard]] std::vector<link::PortMenuEntry> PortEntries() const { return entries_; }
  // Indicator arrangement radio group: Top, Bot, Home.
  void CheckArrangement(visual::IndicatorArrangement arrangement);
  [[nodiscard]] visual::IndicatorArrangement Arrangement() const;

  QMenu* MenuFile = nullptr;
  QAction* MenuFileOpenVis = nullptr;
  QAction* MenuFileSaveVis = nullptr;
  QAction* MenuFileSaveAuto = nullptr;
  QAction* MenuFileOpenPar = nullptr;
  QAction* MenuFileSavePar = nullptr;
  QAction* MenuFileExit = nullptr;
  QMenu* MenuPort = nullptr;
  QAction* MenuPortNone = nullptr;
  QMenu* MenuFont = nullptr;
  std::array<QAction*, 5> MenuFontSizes{};
  QMenu* MenuLang = nullptr;
  std::array<QAction*, 5> MenuLangs{};  // MenuLangPl, MenuLangD, MenuLangEn, MenuLangLt, MenuLangRu
  QMenu* MenuHelp = nullptr;
  QAction* MenuHelpTema = nullptr;
  QAction* MenuHelpDoc = nullptr;
  QAction* MenuHelpAbout = nullptr;
  QAction* MenuHelpControl = nullptr;

  QMenu* PopupMenuCom = nullptr;
  QAction* MenuCommNone = nullptr;
  QMenu* PopupMenuHelp = nullptr;
  QAction* PopMenTama = nullptr;
  QAction* PopMenDoc = nullptr;
  QAction* PopMenAbout = nullptr;
  QAction* PopMenControl = nullptr;
  QMenu* PopupMenuInd = nullptr;
  QAction* PopupMenuIndLAM = nullptr;
  QAction* PopupMenuIndRPM = nullptr;
  QAction* PopupMenuIndTPS = nullptr;
  QAction* PopupMenuIndACT = nullptr;
  QAction* PopupMenuIndTop = nullptr;
  QAction* PopupMenuIndBot = nullptr;
  QAction* PopupMenuIndHome = nullptr;

 signals:
  // A port entry of either menu was chosen.
  void PortChosen(int tag);
  // Either port menu is about to open: the port list is rebuilt first.
  void PortMenuOpening();

 private:
  void BuildFile(QMenuBar* bar);
  void BuildPort(QMenuBar* bar);
  void BuildFontAndLanguage(QMenuBar* bar);
  void BuildHelp(QMenuBar* bar);
  void BuildPopups(QWidget* owner);
  void FillPortMenu(QMenu* menu, QAction* first);

  QActionGroup* fontGroup_ = nullptr;
  QActionGroup* arrangementGroup_ = nullptr;
  QActionGroup* menuPortGroup_ = nullptr;
  QActionGroup* popupPortGroup_ = nullptr;
  std::vector<link::PortMenuEntry> entries_;
  int checkedPort_ = 0;
};

}  // namespace zo::app
