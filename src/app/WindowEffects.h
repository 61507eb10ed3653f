// What the link and the connection manager make the main window itself do:
// its caption, whether it takes input, the transmit timer, and the window's
// own steps on a new connection state, a read or a lost upload.
#pragma once

#include <functional>

#include "link/IWindowEffects.h"

class QTimer;
class QWidget;

namespace zo::app {

class HelpTopics;
class HintPanel;
class IndicatorWindows;

// What the window does itself when an effect asks for it.
struct MainWindowSteps {
  // A read or a loss of the link: the wizard, caption, pages and model rules.
  std::function<void(link::ConnectionState state)> connectionStateChanged;
  std::function<void()> rebuildGrid;
  std::function<void(int index)> showSample;
  std::function<void(link::Page)> showPage;
  std::function<void()> checkPlausibility;
  std::function<void()> uploadLost;
};

// The windows drawn on beside the main window, filled in when it builds them.
struct WindowViews {
  IndicatorWindows* const& indicators;
  HelpTopics* const& help;
  HintPanel* const& hint;
};

class WindowEffects : public link::IWindowEffects {
 public:
  WindowEffects(QWidget& window, QTimer& timerTx, WindowViews views, MainWindowSteps steps)
      : window_(window), timerTx_(timerTx), views_(views), steps_(std::move(steps)) {}

  void SetMainCaption(std::string_view caption) override;
  void EnableMainWindow(bool enabled) override;
  void SetTxInterval(int milliseconds) override;
  void EnableTxTimer(bool on) override;
  [[nodiscard]] bool TxTimerEnabled() const override;

  void SetConnectionState(link::ConnectionState state) override;
  void RebuildGrid() override;
  void SetIndicatorsAuxState(int state) override;
  void RefreshHelp() override;
  void HideHintPanel() override;
  void RunPlausibilityCheck() override;
  void CloseUploadWindow() override;
  void ShowParametersPage() override;

 private:
  QWidget& window_;
  QTimer& timerTx_;
  WindowViews views_;
  MainWindowSteps steps_;
};

}  // namespace zo::app
