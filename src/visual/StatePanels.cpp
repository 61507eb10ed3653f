#include "StatePanels.h"

#include "model/LiveSignals.h"

namespace zo::visual {

std::optional<PanelView> StatePanels::Options(std::uint8_t flags, std::uint8_t faultCode) {
  const model::RegulationFlags f = model::LiveSignals::DecodeFlags(flags, faultCode);
  // Checked in this order; a later one overwrites an earlier one.
  std::optional<int> text;
  if (f.tpsRegulation) text = 160;
  if (f.opening) text = 161;
  if (f.turbo) text = 165;
  if (f.cutOff) text = 162;
  if (f.rpmRegulation) text = 163;
  if (f.injectionPulses) text = 164;
  if (!text) return std::nullopt;
  return PanelView{kWhite, *text};
}

PanelView StatePanels::Probe(std::uint8_t flags) {
  const model::RegulationFlags f = model::LiveSignals::DecodeFlags(flags, 0);
  if (f.lambdaCold) return {kRed, 173};
  if (f.lambdaError) return {kRed, 172};
  if (f.rich) return {kLightRed, 170};
  if (f.lean) return {kLightBlue, 171};
  return {};
}

PanelView StatePanels::OptionsOnTick(const link::LinkStateDisplay& display, bool listShown) {
  if (!display.alive || display.statusByte == 255 || !listShown) return {};
  const model::StatusInfo status =
      model::LiveSignals::DecodeStatus(static_cast<std::uint8_t>(display.statusByte));
  const bool newCoding = (display.statusByte & 0x40) != 0;
  if (!status.ignition || !newCoding || status.fuel != 24) return {};
  const auto awaited =
      model::LiveSignals::AwaitedTextId(static_cast<std::uint8_t>(display.faultCode));
  return {kYellow, awaited.value_or(0)};
}

}  // namespace zo::visual
