// The two state panels above the signal list: `PanelOpcje` names the
// regulation the controller runs (or, in automatic mode, what it still waits
// for before switching to gas) and `PanelSonda` the lambda probe's state.
#pragma once

#include <cstdint>
#include <optional>

#include "link/IStatePanelEffects.h"
#include "model/ParameterGrid.h"

namespace zo::visual {

// A panel's look; a background of nothing is the grid's header colour, text
// id 0 an empty text.
struct PanelView {
  std::optional<std::uint32_t> background;
  int textId = 0;

  bool operator==(const PanelView&) const = default;
};

class StatePanels {
 public:
  static constexpr std::uint32_t kWhite = model::Rgb(255, 255, 255);
  static constexpr std::uint32_t kRed = model::Rgb(255, 0, 0);
  static constexpr std::uint32_t kLightRed = model::Rgb(255, 174, 174);
  static constexpr std::uint32_t kLightBlue = model::Rgb(164, 209, 255);
  static constexpr std::uint32_t kYellow = model::Rgb(255, 255, 0);

  // `PanelOpcje` for a sample's regulation flags and fault code; nothing when
  // no regulation is running (the panel stays as it is).
  static std::optional<PanelView> Options(std::uint8_t flags, std::uint8_t faultCode);
  // `PanelSonda` for a sample's regulation flags.
  static PanelView Probe(std::uint8_t flags);
  // `PanelOpcje` on a connection tick: reset, or yellow with what the
  // automatic mode waits for while the signal list is shown.
  static PanelView OptionsOnTick(const link::LinkStateDisplay& display, bool listShown);
};

}  // namespace zo::visual
