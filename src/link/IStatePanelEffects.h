// The state panels of the main window on every connection tick: the
// information panel, the port picture, the options panel `PanelOpcje` and the
// switch panel with its gas lamp `LedG`.
#pragma once

namespace zo::link {

// What the state panels show on every connection tick.
struct LinkStateDisplay {
  bool alive = false;  // TimerTx on, port connected, link-loss counter below 6
  int statusByte = 255;
  int faultCode = 0;
  int levelReading = 0;
  unsigned tickCounter = 0;
};

class IStatePanelEffects {
 public:
  virtual ~IStatePanelEffects() = default;

  // Hands the link state to the state panels; returns their blink flag.
  virtual int ShowLinkState(const LinkStateDisplay& display) = 0;
  virtual void ToggleGasLamp() = 0;
  virtual void ResetOptionsPanel() = 0;  // grid colour, empty caption
};

}  // namespace zo::link
