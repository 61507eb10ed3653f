#include "InfoPanelRule.h"

#include <array>

#include "model/ParameterGrid.h"
#include "texts/TextIds.h"

namespace zo::visual {

namespace {

using model::Rgb;

// A fuel mode as the panel shows it.
InfoPanelView Mode(int textId) {
  InfoPanelView view;
  view.textId = textId;
  switch (textId) {
    case txt::kLpg:
      view.background = Rgb(0, 255, 0);
      view.gasLamp = GasLampCommand::Lit;
      break;
    case txt::kPetrol:
      view.background = Rgb(255, 0, 0);
      view.gasLamp = GasLampCommand::Dark;
      break;
    case txt::kDual:
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
    view.textId = scopeRunning ? txt::kConnect : 0;
    return view;
  }
  if (d.statusByte == 255) return view;
  const int status = d.statusByte;
  if ((status & 0x80) == 0) {
    view.background = Rgb(128, 128, 128);
    view.textId = txt::kIgnitionSwitch;
    view.gasLamp = GasLampCommand::Dark;
    return view;
  }
  if ((status & 0x40) != 0) {
    switch (status & 0x1C) {
      case 4:
        return Mode(txt::kLpg);
      case 16:
        return Mode(txt::kPetrol);
      case 8:
        return Mode(txt::kDual);
      case 24:
        return Mode(txt::kAuto);
      default:
        view.keep = true;
        return view;
    }
  }
  // The older coding shows on even ticks only, so the panel blinks.
  if ((d.tickCounter % 2) != 0) return view;
  static constexpr std::array<int, 4> kOlderModes{0, txt::kLpg, txt::kPetrol, txt::kAuto};
  const int mode = kOlderModes[static_cast<std::size_t>(status & 0x03)];
  if (mode != 0) return Mode(mode);
  view.gasLamp = GasLampCommand::Dark;
  return view;
}

}  // namespace zo::visual
