#include "InfoPanelRule.h"

#include <array>

#include "model/ParameterGrid.h"

namespace zo::visual {

namespace {

using model::Rgb;

// A fuel mode as the panel shows it.
InfoPanelView Mode(int textId) {
  InfoPanelView view;
  view.textId = textId;
  switch (textId) {
    case InfoPanelRule::kGas:
      view.background = Rgb(0, 255, 0);
      view.gasLamp = GasLampCommand::Lit;
      break;
    case InfoPanelRule::kPetrol:
      view.background = Rgb(255, 0, 0);
      view.gasLamp = GasLampCommand::Dark;
      break;
    case InfoPanelRule::kDual:
      view.background = Rgb(255, 0, 255);
      view.gasLamp = GasLampCommand::Blinking;
      break;
    default:  // automatic, still waiting for the switch-over
      view.background = Rgb(255, 255, 0);
      view.gasLamp = GasLampCommand::Blinking;
      break;
  }
  return view;
}

}  // namespace

InfoPanelView InfoPanelRule::Compute(const link::LinkStateDisplay& d, bool scopeRunning) {
  InfoPanelView view;
  if (!d.alive) {
    // The text alternates black and red on every tick.
    view.textColour = (d.tickCounter % 2) != 0 ? Rgb(255, 0, 0) : 0;
    view.textId = scopeRunning ? kConnect : 0;
    return view;
  }
  if (d.statusByte == 255) return view;
  const int status = d.statusByte;
  if ((status & 0x80) == 0) {
    view.background = Rgb(128, 128, 128);
    view.textId = kIgnition;
    view.gasLamp = GasLampCommand::Dark;
    return view;
  }
  if ((status & 0x40) != 0) {
    switch (status & 0x1C) {
      case 4:
        return Mode(kGas);
      case 16:
        return Mode(kPetrol);
      case 8:
        return Mode(kDual);
      case 24:
        return Mode(kAuto);
      default:
        view.keep = true;
        return view;
    }
  }
  // The older coding shows on even ticks only, so the panel blinks.
  if ((d.tickCounter % 2) != 0) return view;
  static constexpr std::array<int, 4> kOlderModes{0, kGas, kPetrol, kAuto};
  const int mode = kOlderModes[static_cast<std::size_t>(status & 0x03)];
  if (mode != 0) return Mode(mode);
  view.gasLamp = GasLampCommand::Dark;
  return view;
}

}  // namespace zo::visual
