#include "SwitchLamps.h"

namespace zo::visual {

namespace {

// The level sensor reads more than the threshold: for a rising sensor a
// larger reading, for a falling one a smaller.
bool Above(int level, int threshold, model::LevelDirection direction) {
  return direction == model::LevelDirection::Rising ? threshold < level : threshold > level;
}

}  // namespace

LampLayout SwitchLamps::LayoutFor(bool modelHasSwitch, std::uint8_t byte99) {
  if (!modelHasSwitch) return LampLayout::None;
  return (byte99 & 1) != 0 ? LampLayout::Full : LampLayout::ReserveOnly;
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
  if (layout_ == LampLayout::None) return;
  if (gas_ == GasLamp::Blinking) SetLit(Lamp::LedG, !lit_[static_cast<std::size_t>(Lamp::LedG)]);
  if (!display.alive || display.statusByte == 255) return;
  const int status = display.statusByte & 0xFF;
  if ((status & 0x80) == 0) {
    // Ignition off: everything dark.
    lit_.fill(false);
    gas_ = GasLamp::Dark;
    return;
  }
  LevelLamps(display.levelReading, thresholds, direction);
  FuelMode(status, display.tickCounter);
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

void SwitchLamps::FuelMode(int status, unsigned tick) {
  if ((status & 0x40) != 0) {
    switch (status & 0x1C) {
      case 4:
        SetGasLamp(GasLamp::Lit);
        break;
      case 16:
        SetGasLamp(GasLamp::Dark);
        break;
      case 8:
      case 24:
        SetGasLamp(GasLamp::Blinking);
        break;
      default:
        break;
    }
    return;
  }
  // The older coding is shown on even ticks only.
  if (tick % 2 != 0) return;
  switch (status & 0x03) {
    case 1:
      SetGasLamp(GasLamp::Lit);
      break;
    case 3:
      SetGasLamp(GasLamp::Blinking);
      break;
    default:
      SetGasLamp(GasLamp::Dark);
      break;
  }
}

}  // namespace zo::visual
