#include "SwitchLamps.h"

#include "InfoPanelRule.h"

namespace zo::visual {

namespace {

// The level sensor reads more than the threshold: for a rising sensor a
// larger reading, for a falling one a smaller.
bool Above(int level, int threshold, model::LevelDirection direction) {
  return direction == model::LevelDirection::Rising ? threshold < level : threshold > level;
}

}  // namespace

LampLayout SwitchLamps::LayoutFor(bool modelHasSwitch, std::uint8_t lamps) {
  if (!modelHasSwitch) return LampLayout::None;
  return (lamps & 1) != 0 ? LampLayout::Full : LampLayout::ReserveOnly;
}

int SwitchLamps::PictureId(LampLayout layout) {
  switch (layout) {
    case LampLayout::Full:
      return 2001;
    case LampLayout::ReserveOnly:
      return 2002;
    default:
      return 0;
  }
}

std::optional<LampPlace> SwitchLamps::Place(LampLayout layout, Lamp lamp) {
  if (layout == LampLayout::None) return std::nullopt;
  const bool full = layout == LampLayout::Full;
  switch (lamp) {
    case Lamp::LedR:
      return full ? LampPlace{11, 11} : LampPlace{26, 38};
    case Lamp::LedG:
      return full ? LampPlace{26, 31} : LampPlace{26, 26};
    default:
      if (!full) return std::nullopt;
      return LampPlace{26 + 16 * (static_cast<int>(lamp) - static_cast<int>(Lamp::Led1)), 11};
  }
}

bool SwitchLamps::Lit(Lamp lamp) const {
  // A lamp the layout does not have is hidden, so dark.
  return Place(layout_, lamp).has_value() && lit_[static_cast<std::size_t>(lamp)];
}

void SwitchLamps::Tick(const link::LinkStateDisplay& display,
                       const std::array<std::uint8_t, 4>& thresholds,
                       model::LevelDirection direction) {
  if (layout_ == LampLayout::None || !display.alive || display.statusByte == 255) return;
  if ((display.statusByte & 0x80) == 0) {
    // Ignition off: everything dark.
    lit_.fill(false);
    gas_ = GasLamp::Dark;
    return;
  }
  LevelLamps(display.levelReading, thresholds, direction);
  switch (InfoPanelRule::Compute(display, true).gasLamp) {
    case GasLampCommand::Dark:
      return SetGasLamp(GasLamp::Dark);
    case GasLampCommand::Lit:
      return SetGasLamp(GasLamp::Lit);
    case GasLampCommand::Blinking:
      return SetGasLamp(GasLamp::Blinking);
    case GasLampCommand::Keep:
      return;
  }
}

void SwitchLamps::ToggleGasLamp() {
  if (layout_ != LampLayout::None && gas_ == GasLamp::Blinking)
    SetLit(Lamp::LedG, !lit_[static_cast<std::size_t>(Lamp::LedG)]);
}

void SwitchLamps::SetGasLamp(GasLamp state) {
  gas_ = state;
  if (state != GasLamp::Blinking) SetLit(Lamp::LedG, state == GasLamp::Lit);
}

void SwitchLamps::LevelLamps(int level, const std::array<std::uint8_t, 4>& thresholds,
                             model::LevelDirection direction) {
  if (layout_ == LampLayout::ReserveOnly) {
    SetLit(Lamp::LedR, !Above(level, thresholds[0], direction));
    return;
  }
  // Each threshold passed lights one more level lamp; the last that holds
  // wins, so thresholds out of order show only the highest one passed.
  int levelLamps = 0;
  for (int i = 0; i < 4; ++i) {
    if (Above(level, thresholds[static_cast<std::size_t>(i)], direction)) levelLamps = i + 1;
  }
  SetLit(Lamp::LedR, levelLamps == 0);
  for (int i = 0; i < 4; ++i) {
    SetLit(static_cast<Lamp>(static_cast<int>(Lamp::Led1) + i), i < levelLamps);
  }
}

}  // namespace zo::visual
