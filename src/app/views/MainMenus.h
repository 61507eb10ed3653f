// The main window's menu bar (`MainMenu1`) and its three pop-up menus: the
// port pop-up (`PopupMenuCom`), the help pop-up (`PopupMenuHelp`) and the
// indicator pop-up (`PopupMenuInd`). It builds the entries, captions and
// ticks them, and emits what the user chose; the entries keep their given
// names as object names.
#pragma once

#include <QObject>
#include <array>
#include <vector>

#include "app/views/MenuCommands.h"
#include "link/IMenuEffects.h"
#include "link/LinkTrace.h"
#include "model/SignalKind.h"
#include "texts/TextsFwd.h"
#include "visual/IndicatorSlots.h"

class QAction;
class QActionGroup;
class QLabel;
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
  // The tick of `MenuFileSaveAuto`.
  void CheckAutoSave(bool on);
  // `MenuHelpControl` is offered once a controller is identified.
  void ShowControllerInfoEntry(bool shown);
  // The tick of `MenuPortTrace`.
  void CheckLinkTrace(bool on);
  // The link trace's mark at the menu bar's right end: hidden when the trace
  // is off, else naming its state, with the trace file's path in its tip.
  void ShowTraceMark(const texts::TextCatalogue& texts, link::LinkTrace::Status status,
                     const QString& path);
  [[nodiscard]] const QLabel* TraceMark() const { return traceMark_; }
  // Opens a pop-up menu at the pointer.
  void Popup(PopupMenu menu);

 signals:
  void FileCommandChosen(zo::app::FileCommand command);
  void JournalCommandChosen(zo::app::JournalCommand command);
  void PackageCommandChosen(zo::app::PackageCommand command);
  void HelpCommandChosen(zo::app::HelpCommand command);
  void ExitChosen();
  // The connect entry of either port menu.
  void ConnectChosen();
  // A port entry of either menu was chosen.
  void PortChosen(int tag);
  // The Port menu's entries after the ports.
  void PortCommandChosen(zo::app::PortCommand command);
  // Either port menu is about to open: the port list is rebuilt first.
  void PortMenuOpening();
  void FontSizeChosen(int points);
  void LanguageChosen(int language);
  void IndicatorChosen(zo::model::SignalKind kind);
  void ArrangementChosen(zo::visual::IndicatorArrangement arrangement);

 private:
  static constexpr std::size_t kFileCommands = 8;
  static constexpr std::size_t kHelpCommands = 4;
  static constexpr std::size_t kJournalCommands = 3;
  static constexpr std::size_t kPackageCommands = 2;

  void BuildFile(QMenuBar* bar);
  void BuildPort(QMenuBar* bar);
  void BuildFontAndLanguage(QMenuBar* bar);
  void BuildHelp(QMenuBar* bar);
  void BuildPopups(QWidget* owner);
  void BuildIndicatorPopup(QWidget* owner);
  QAction* AddHelpEntry(QMenu* menu, HelpCommand command, const char* name);
  void FillPortMenu(QMenu* menu, QAction* first, QAction* last);
  void CaptionTraceMark(const texts::TextCatalogue& texts);

  QMenu* menuFile_ = nullptr;
  std::array<QAction*, kFileCommands> fileEntries_{};        // by FileCommand
  std::array<QAction*, kJournalCommands> journalEntries_{};  // by JournalCommand
  std::array<QAction*, kPackageCommands> packageEntries_{};  // by PackageCommand
  QAction* menuFileExit_ = nullptr;
  QMenu* menuPort_ = nullptr;
  QAction* menuPortNone_ = nullptr;
  QAction* menuPortCommands_ = nullptr;  // the separator before the commands
  QAction* menuPortCheck_ = nullptr;     // PortCommand::CheckConnection
  QAction* menuPortTrace_ = nullptr;     // PortCommand::RecordLinkTrace
  QLabel* traceMark_ = nullptr;
  link::LinkTrace::Status traceStatus_ = link::LinkTrace::Status::Off;
  QString tracePath_;
  QMenu* menuFont_ = nullptr;
  std::array<QAction*, 5> menuFontSizes_{};
  QMenu* menuLang_ = nullptr;
  // MenuLangPl, MenuLangD, MenuLangEn, MenuLangLt, MenuLangRu
  std::array<QAction*, 5> menuLangs_{};
  QMenu* menuHelp_ = nullptr;
  std::array<QAction*, kHelpCommands> helpEntries_{};  // by HelpCommand
  QMenu* popupMenuCom_ = nullptr;
  QAction* menuCommNone_ = nullptr;
  QMenu* popupMenuHelp_ = nullptr;
  std::array<QAction*, kHelpCommands> popupHelpEntries_{};  // by HelpCommand
  QMenu* popupMenuInd_ = nullptr;
  std::array<QAction*, 4> indicatorEntries_{};    // LAM, RPM, TPS, ACT
  std::array<QAction*, 3> arrangementEntries_{};  // Top, Bot, Home

  QActionGroup* fontGroup_ = nullptr;
  QActionGroup* menuPortGroup_ = nullptr;
  QActionGroup* popupPortGroup_ = nullptr;
  std::vector<link::PortMenuEntry> entries_;
  int checkedPort_ = 0;
};

}  // namespace zo::app
