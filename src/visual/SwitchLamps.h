// The lamps of the petrol/gas switch panel: the reserve and four gas-level
// lamps and the gas-mode lamp, where each layout places them, and how they
// follow the controller's status, fault code and level reading on every
// connection tick.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "link/IStatePanelEffects.h"
#include "model/ParameterGrid.h"

namespace zo::visual {

enum class Lamp { LedR, Led1, Led2, Led3, Led4, LedG };
inline constexpr std::size_t kLampCount = 6;

// 0: the model has no switch (panel hidden); 1: reserve, level and gas lamps;
// 2: reserve and gas lamps only.
enum class LampLayout { None = 0, Full = 1, ReserveOnly = 2 };

struct LampPlace {
  int x = 0;
  int y = 0;
};

class SwitchLamps {
 public:
  static constexpr int kLampSize = 11;
  static constexpr std::uint32_t kReserveColour = model::Rgb(255, 113, 113);
  static constexpr std::uint32_t kLevelColour = model::Rgb(108, 255, 108);

  // The layout of a model with or without a switch; bit 0 of the image's
  // switch-panel lamps byte selects full indication.
  static LampLayout LayoutFor(bool modelHasSwitch, std::uint8_t lamps);
  // The switch picture's resource id; 0 for no switch.
  static int PictureId(LampLayout layout);
  // Where a lamp sits in the panel; nothing when the layout has no such lamp.
  static std::optional<LampPlace> Place(LampLayout layout, Lamp lamp);

  void SetLayout(LampLayout layout) { layout_ = layout; }
  [[nodiscard]] LampLayout Layout() const { return layout_; }

  // One tick of the connection timer. `thresholds` are the image's four level
  // thresholds (reserve first), `direction` that of the level sensor. The gas lamp
  // follows the fuel mode as the information panel reads it.
  void Tick(const link::LinkStateDisplay& display, const std::array<std::uint8_t, 4>& thresholds,
            model::LevelDirection direction);

  // Whether a lamp is lit (shown); a lamp the layout lacks is always dark.
  [[nodiscard]] bool Lit(Lamp lamp) const;
  // The blinking gas lamp changes on every tick, before the tick's update.
  void ToggleGasLamp();
  [[nodiscard]] bool GasLampBlinking() const { return gas_ == GasLamp::Blinking; }

 private:
  enum class GasLamp { Dark, Lit, Blinking };

  void SetLit(Lamp lamp, bool lit) { lit_[static_cast<std::size_t>(lamp)] = lit; }
  void SetGasLamp(GasLamp state);
  void LevelLamps(int level, const std::array<std::uint8_t, 4>& thresholds,
                  model::LevelDirection direction);

  LampLayout layout_ = LampLayout::None;
  std::array<bool, kLampCount> lit_{};
  GasLamp gas_ = GasLamp::Dark;
};

}  // namespace zo::visual
