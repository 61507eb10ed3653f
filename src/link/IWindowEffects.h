// What the link and the connection manager make the main window itself do:
// its caption, whether it takes input, the transmit timer `TimerTx`, and the
// steps the window takes on a new connection state, a read or a lost link.
#pragma once

#include <string_view>

#include "LinkTypes.h"

namespace zo::link {

class IWindowEffects {
 public:
  virtual ~IWindowEffects() = default;

  virtual void SetMainCaption(std::string_view caption) = 0;
  virtual void EnableMainWindow(bool enabled) = 0;
  virtual void SetTxInterval(int milliseconds) = 0;
  virtual void EnableTxTimer(bool on) = 0;
  [[nodiscard]] virtual bool TxTimerEnabled() const = 0;

  virtual void SetConnectionState(ConnectionState state) = 0;  // caption, pages and model rules
  virtual void RebuildGrid() = 0;
  virtual void SetIndicatorsAuxState(int state) = 0;  // all sixteen indicator windows
  virtual void RefreshHelp() = 0;
  virtual void HideHintPanel() = 0;
  virtual void RunPlausibilityCheck() = 0;
  // A firmware upload was lost: hide and zero its bar, close its window.
  virtual void CloseUploadWindow() = 0;
  virtual void ShowParametersPage() = 0;
};

}  // namespace zo::link
