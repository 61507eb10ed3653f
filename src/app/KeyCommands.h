// The main window's keyboard: the key rules turn a key into a command for
// the page, the tabs and the link as they are now, and the command is
// carried out on the window's pages, commands and views.
#pragma once

#include "app/MainParts.h"
#include "app/rules/KeyRules.h"

namespace zo::app {

class MainCommands;

class KeyCommands {
 public:
  KeyCommands(const MainParts& parts, MainCommands& commands) : p_(parts), commands_(commands) {}

  // The keyboard command of one key, as the key filter hands it in.
  void FormKeyDown(int key, bool ctrlHeld, bool shiftHeld = false);

 private:
  void RunKeyCommand(KeyCommand command);
  void RunDataKeyCommand(KeyCommand command);

  const MainParts& p_;
  MainCommands& commands_;
  KeyRules keys_;
};

}  // namespace zo::app
