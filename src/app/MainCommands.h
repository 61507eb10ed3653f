// The main window's commands, from the menus, the panels' buttons and the
// keys: it connects the views' controls to the pages, the link and the
// editor, and carries out the commands that change the window itself
// (layout, language, font size, service mode, indicator arrangement, the
// About and controller-information windows, the manual).
#pragma once

#include <QObject>
#include <filesystem>

#include "app/MainParts.h"
#include "app/views/MenuCommands.h"
#include "visual/IndicatorSlots.h"

namespace zo::app {

class MainCommands : public QObject {
 public:
  // `executable` is the program file, beside which the manuals are looked for.
  MainCommands(const MainParts& parts, std::filesystem::path executable);

  // The views' controls and the menus to their commands.
  void Connect();

  void BtnWindowClick();
  void SwitchClick();
  void StopLinkCommand();
  void ToggleServiceMode();
  void ToggleQuillon();
  void ResetColours();
  // `PopupMenuIndTop` (Ins), `PopupMenuIndBot` (Del), `PopupMenuIndHome` (Home).
  void IndicatorArrangement(visual::IndicatorArrangement arrangement);
  void MoveWindow(int width, int height);
  void SetLanguage(int language);
  void SetFontSize(int points);
  // Every view's texts in the current language.
  void ApplyLanguage();

 private:
  void ConnectCommands();
  void ConnectPointer();
  void ConnectMenus();
  void RunHelpCommand(HelpCommand command);
  void OpenManual();
  // The About window; the controller-information window, which first reads
  // the working times from a controller with firmware 1.78 or above.
  void ShowAbout();
  void ShowControllerInfo();

  const MainParts& p_;
  std::filesystem::path executable_;
};

}  // namespace zo::app
