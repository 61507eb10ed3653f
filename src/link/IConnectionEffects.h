// What the connection manager makes the main window do beyond the link's own
// effects: the port menus, the transmit timer, the state panels and lamps, the
// system message box and the hooks of other subsystems it triggers.
#pragma once

#include <string>
#include <vector>

#include "texts/UserText.h"

namespace zo::link {

// One port entry of the menus `MenuPort` and `PopupMenuCom` (radio group 1).
struct PortMenuEntry {
  std::string caption;
  int tag = 0;  // the port number
  std::string statusTip;
  bool operator==(const PortMenuEntry&) const = default;
};

// What the state panels show on every connection tick.
struct LinkStateDisplay {
  bool alive = false;  // TimerTx on, port connected, link-loss counter below 6
  int statusByte = 255;
  int faultCode = 0;
  int levelReading = 0;
  unsigned tickCounter = 0;
};

class IConnectionEffects {
 public:
  virtual ~IConnectionEffects() = default;

  // Replaces the port entries of both menus (the connect entry and the
  // separator stay).
  virtual void SetPortEntries(const std::vector<PortMenuEntry>& entries) = 0;
  // Checks the entries whose tag is `tag` in both menus; 0 unchecks all.
  virtual void CheckPortEntries(int tag) = 0;

  // The transmit timer `TimerTx`.
  virtual void EnableTxTimer(bool on) = 0;
  [[nodiscard]] virtual bool TxTimerEnabled() const = 0;

  [[nodiscard]] virtual bool ProgressShown() const = 0;
  // The operating system's plain message box.
  virtual void ShowSystemMessage(const UserText& text, int titleTextId) = 0;

  // Hands the link state to the state panels; returns their blink flag.
  virtual int ShowLinkState(const LinkStateDisplay& display) = 0;
  virtual void ToggleGasLamp() = 0;      // `LedG`
  virtual void ResetOptionsPanel() = 0;  // `PanelOpcje`: grid colour, empty caption
  virtual void RefreshHelp() = 0;
  virtual void HideHintPanel() = 0;
  virtual void RunPlausibilityCheck() = 0;
  // A firmware upload was lost: hide and zero its bar, close its window.
  virtual void CloseUploadWindow() = 0;
  virtual void ShowParametersPage() = 0;
};

}  // namespace zo::link
