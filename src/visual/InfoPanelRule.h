// What the information panel `PanelInfo` shows on each connection tick: the
// link asking to be connected, the ignition, or the fuel mode the controller
// reports, and what that fuel mode does to the gas lamp `LedG`. The one place
// the fuel mode of the status byte is read for the panel and the lamp.
#pragma once

#include <cstdint>
#include <optional>

#include "link/IStatePanelEffects.h"

namespace zo::visual {

// What a tick does to the gas lamp.
enum class GasLampCommand { Keep, Dark, Lit, Blinking };

struct InfoPanelView {
  std::optional<std::uint32_t> background;  // 0x00BBGGRR; nothing: the grid's header colour
  std::uint32_t textColour = 0;             // black
  int textId = 0;                           // 0: no text
  GasLampCommand gasLamp = GasLampCommand::Keep;
  bool keep = false;  // a fuel mode outside the known codes: the panel stays as it was
};

class InfoPanelRule {
 public:
  // `scopeRunning` false empties the "connect" text of a link that is down.
  static InfoPanelView Compute(const link::LinkStateDisplay& display, bool scopeRunning);
};

}  // namespace zo::visual
