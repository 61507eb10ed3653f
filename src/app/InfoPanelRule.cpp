#include "InfoPanelRule.h"

namespace zo::app {

namespace {

constexpr std::uint32_t Rgb(int r, int g, int b) {
  return static_cast<std::uint32_t>(r | (g << 8) | (b << 16));
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
    return view;
  }
  if ((status & 0x40) != 0) {
    switch (status & 0x1C) {
      case 4:
        view.background = Rgb(0, 255, 0);
        view.textId = kGas;
        break;
      case 16:
        view.background = Rgb(255, 0, 0);
        view.textId = kPetrol;
        break;
      case 8:
        view.background = Rgb(255, 0, 255);
        view.textId = kDual;
        view.blink = true;
        break;
      case 24:
        view.background = Rgb(255, 255, 0);
        view.textId = kAuto;
        view.blink = true;
        break;
      default:
        break;
    }
    return view;
  }
  // The older coding shows on even ticks only, so the panel blinks.
  if ((d.tickCounter % 2) != 0) return view;
  switch (status & 0x03) {
    case 1:
      view.background = Rgb(0, 255, 0);
      view.textId = kGas;
      break;
    case 2:
      view.background = Rgb(255, 0, 0);
      view.textId = kPetrol;
      break;
    case 3:
      view.background = Rgb(255, 255, 0);
      view.textId = kAuto;
      view.blink = true;
      break;
    default:
      break;
  }
  return view;
}

}  // namespace zo::app
