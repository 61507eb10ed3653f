#include "StatePanels.h"

#include "model/LiveSignals.h"
#include "texts/TextIds.h"

namespace zo::visual {

std::optional<PanelView> StatePanels::Options(std::uint8_t flags, std::uint8_t faultCode) {
  const model::RegulationFlags f = model::LiveSignals::DecodeFlags(flags, faultCode);
  // Checked in this order; a later one overwrites an earlier one.
  std::optional<int> text;
  if (f.tpsRegulation) text = txt::kStateTpsAdjustment;
  if (f.opening) text = txt::kStateOpening;
  if (f.turbo) text = txt::kStateTurbo;
  if (f.cutOff) text = txt::kStateCutOff;
  if (f.rpmRegulation) text = txt::kStateRpmAdjustment;
  if (f.injectionPulses) text = txt::kStateInjectionAdjustment;
  if (!text) return std::nullopt;
  return PanelView{kWhite, *text};
}

PanelView StatePanels::Probe(std::uint8_t flags) {
  const model::RegulationFlags f = model::LiveSignals::DecodeFlags(flags, 0);
  if (f.lambdaCold) return {kRed, txt::kLambdaCold};
  if (f.lambdaError) return {kRed, txt::kLambdaError};
  if (f.rich) return {kLightRed, txt::kLambdaRich};
  if (f.lean) return {kLightBlue, txt::kLambdaLean};
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
