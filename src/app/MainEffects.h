// What the link, the connection manager and the parameter editing make the
// user see or hear, carried out on the main window. One part per area each
// effect draws: the progress window, the message dialog, the window itself,
// the menus, the live views and the state panels. Each part gets only what
// it draws; the rules stay in the callers.
#pragma once

#include <memory>

#include "app/MainViews.h"
#include "app/WindowEffects.h"
#include "app/views/LiveViewEffects.h"
#include "app/views/MenuEffects.h"
#include "app/views/StatePanelEffects.h"
#include "app/windows/MessageEffects.h"
#include "app/windows/ProgressEffects.h"
#include "link/ConnectionManager.h"
#include "link/LinkEffects.h"
#include "link/LinkState.h"
#include "texts/TextsFwd.h"

class QTimer;
class QWidget;

namespace zo::autoconfig {
class Autoconfig;
}

namespace zo::app {

class MessageDialog;
class ProgressWindow;

// The window-wide parts the effects draw on beside the views.
struct MainWindowParts {
  QWidget& window;
  ProgressWindow& progress;
  MessageDialog& messages;
  const texts::TextCatalogue& texts;
  const link::LinkState& state;
  QTimer& timerTx;
  const std::unique_ptr<autoconfig::Autoconfig>& wizard;  // built with the views
};

class MainEffects {
 public:
  MainEffects(MainWindowParts parts, const MainViews& views, MainWindowSteps steps);

  // What the link's reply decoding draws on.
  [[nodiscard]] link::LinkEffects Link() { return {progress_, messages_, window_, menus_, live_}; }
  // What the connection manager draws on.
  [[nodiscard]] link::ConnectionEffects Connection() {
    return {progress_, messages_, window_, menus_, panels_};
  }
  [[nodiscard]] ProgressEffects& Progress() { return progress_; }
  [[nodiscard]] MessageEffects& Messages() { return messages_; }
  [[nodiscard]] WindowEffects& Window() { return window_; }

 private:
  ProgressEffects progress_;
  MessageEffects messages_;
  WindowEffects window_;
  MenuEffects menus_;
  LiveViewEffects live_;
  StatePanelEffects panels_;
};

}  // namespace zo::app
