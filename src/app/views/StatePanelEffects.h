// The state panels on every connection tick: the information panel
// `PanelInfo`, the port picture, the options panel `PanelOpcje` and the
// switch panel with its gas lamp.
#pragma once

#include "link/IStatePanelEffects.h"
#include "link/LinkState.h"
#include "texts/TextsFwd.h"

class QWidget;

namespace zo::app {

class LowerPanels;
class SignalListView;
class SignalListWidgets;
class TopPanel;

// The panels drawn on, filled in when the window builds its views, and the
// views whose state they follow.
struct StatePanelViews {
  TopPanel* const& top;
  LowerPanels* const& lower;
  SignalListView* const& signalView;      // the signal list shown or not
  SignalListWidgets* const& listWidgets;  // the level gauge's direction
  const QWidget& window;                  // the header colour
};

class StatePanelEffects : public link::IStatePanelEffects {
 public:
  StatePanelEffects(StatePanelViews views, const texts::TextCatalogue& texts,
                    const link::LinkState& state)
      : views_(views), texts_(texts), state_(state) {}

  int ShowLinkState(const link::LinkStateDisplay& display) override;
  void ToggleGasLamp() override;
  void ResetOptionsPanel() override;

 private:
  StatePanelViews views_;
  const texts::TextCatalogue& texts_;
  const link::LinkState& state_;
};

}  // namespace zo::app
