#include "LiveSignals.h"

#include <array>

#include "ControllerModel.h"
#include "ImageLayout.h"
#include "TemperatureTable.h"
#include "ValueFormat.h"
#include "texts/TextIds.h"

namespace zo::model {

namespace {

bool Bit(std::uint8_t value, int bit) {
  return ((value >> bit) & 1) != 0;
}

bool FaultyTemperature(std::uint8_t raw) {
  return raw >= 254;
}

}  // namespace

int LiveSignals::SampleByte(SignalKind kind) {
  return static_cast<int>(SampleByteOf(kind));
}

int LiveSignals::NameId(SignalKind kind) {
  switch (kind) {
    case SignalKind::Rpm:
      return txt::kSignalRpm;
    case SignalKind::Lam:
      return txt::kSignalLambda;
    case SignalKind::Sim:
      return txt::kSignalSimulation;
    case SignalKind::Def:
      return txt::kSignalInjectionTime;
    case SignalKind::Tps:
      return txt::kSignalTps;
    case SignalKind::Mot:
      return txt::kSignalActuator;
    case SignalKind::Level:
      return txt::kSignalLpgLevel;
    case SignalKind::Temperature:
      return txt::kSignalTemperature;
    case SignalKind::Psi:
      return txt::kSignalVacuum;
    case SignalKind::Ram:
      return txt::kSignalRam;
    case SignalKind::Header:
      break;
  }
  return 0;
}

double LiveSignals::Value(SignalKind kind, std::uint8_t raw, std::uint8_t sensorType) {
  switch (kind) {
    case SignalKind::Rpm:
      return raw * 100.0;
    case SignalKind::Lam:
    case SignalKind::Psi:
    case SignalKind::Sim:
    case SignalKind::Tps:
    case SignalKind::Level:
      return raw * 0.02;
    case SignalKind::Def:
      return raw * 0.1;
    case SignalKind::Temperature:
      return FaultyTemperature(raw) ? 255.0 - raw : TemperatureTable::Celsius(raw, sensorType);
    case SignalKind::Mot:
    case SignalKind::Ram:
    case SignalKind::Header:
      break;
  }
  return raw;
}

std::string LiveSignals::Text(SignalKind kind, std::uint8_t raw, std::uint8_t sensorType,
                              const ITextSource& texts) {
  switch (kind) {
    case SignalKind::Rpm:
      return ValueFormat::Fixed(Value(kind, raw, sensorType), 0) + texts.Text(txt::kUnitRpm);
    case SignalKind::Lam:
    case SignalKind::Psi:
    case SignalKind::Sim:
    case SignalKind::Tps:
    case SignalKind::Level:
      return ValueFormat::Fixed(Value(kind, raw, sensorType), 2) + " [V]";
    case SignalKind::Def:
      return ValueFormat::Fixed(Value(kind, raw, sensorType), 2) + " [ms]";
    case SignalKind::Mot:
      return ValueFormat::Fixed(raw, 0) + texts.Text(txt::kUnitPosition);
    case SignalKind::Temperature:
      if (FaultyTemperature(raw)) return texts.Text(txt::kFaultyReading);
      return ValueFormat::SignedWhole(Value(kind, raw, sensorType)) + " ['C]";
    case SignalKind::Ram:
      return RamWatchText(raw);
    case SignalKind::Header:
      break;
  }
  return {};
}

std::string LiveSignals::RamWatchText(std::uint8_t value) {
  std::string text = "0000:0000  ";
  const std::string number = std::to_string(value);
  if (number.size() < 2) text += ' ';
  text += number;
  for (int bit = 7; bit >= 0; --bit) {
    const int position = bit >= 4 ? 7 - bit : 8 - bit;  // bits 7..4 at 0..3, 3..0 at 5..8
    if (Bit(value, bit)) text[static_cast<std::size_t>(position)] = '1';
  }
  return text;
}

bool LiveSignals::ForceSignalFlags(link::ImageArea& working) {
  if (!ControllerModel::ForcesSignalFlags(working)) return false;
  const bool changed = working[link::ImageMap::kSignalFlags2] != kForcedSignalFlags;
  working[link::ImageMap::kSignalFlags2] = kForcedSignalFlags;
  return changed;
}

std::vector<SignalKind> LiveSignals::Listed(const link::ImageArea& image, bool serviceMode,
                                            link::Page activePage) {
  const std::uint8_t flags1 = image[link::ImageMap::kSignalFlags1];
  const std::uint8_t flags2 = image[link::ImageMap::kSignalFlags2];
  const struct {
    SignalKind kind;
    bool offered;
  } table[] = {
      {SignalKind::Lam, Bit(flags2, 0) && image[link::ImageMap::kLambdaType] != 4},
      {SignalKind::Sim, Bit(flags1, 0)},
      {SignalKind::Rpm, Bit(flags2, 2)},
      {SignalKind::Tps, Bit(flags2, 3) && image[link::ImageMap::kTpsType] != 4},
      {SignalKind::Psi, Bit(flags1, 5) && image[link::ImageMap::kVacuumType] != 0},
      {SignalKind::Def, Bit(flags1, 6)},
      {SignalKind::Mot, Bit(flags2, 4)},
      {SignalKind::Level, Bit(flags1, 2)},
      {SignalKind::Temperature, Bit(flags1, 3)},
  };
  std::vector<SignalKind> listed;
  for (const auto& row : table)
    if (row.offered || serviceMode) listed.push_back(row.kind);
  // On the PORT page the signal list shows the analogue inputs instead.
  if (serviceMode && activePage != link::Page::Port) listed.push_back(SignalKind::Ram);
  return listed;
}

StatusInfo LiveSignals::DecodeStatus(std::uint8_t status) {
  StatusInfo info;
  info.noData = status == 255;
  info.ignition = Bit(status, 7);
  info.running = Bit(status, 6);
  info.fuel = status & 0x1C;
  info.selectedMode = status & 0x03;
  return info;
}

RegulationFlags LiveSignals::DecodeFlags(std::uint8_t flags, std::uint8_t secondFlags) {
  const bool alternative = Bit(secondFlags, 2);
  RegulationFlags result;
  result.lambdaCold = Bit(flags, 0);
  result.lambdaError = Bit(flags, 1);
  result.rpmRegulation = Bit(flags, 2) && !alternative;
  result.injectionPulses = Bit(flags, 2) && alternative;
  result.cutOff = Bit(flags, 3);
  result.opening = Bit(flags, 4) && !alternative;
  result.turbo = Bit(flags, 4) && alternative;
  result.tpsRegulation = Bit(flags, 5);
  result.lean = Bit(flags, 6);
  result.rich = Bit(flags, 7);
  return result;
}

std::optional<int> LiveSignals::AwaitedTextId(std::uint8_t secondFlags) {
  // Checked in this order; the last that holds wins.
  std::optional<int> text;
  if (secondFlags == 8) text = txt::kParamSwitchOverRpm;
  if (Bit(secondFlags, 4)) text = txt::kParamSwitchOverTemperature;
  if (secondFlags == 33) text = txt::kParamTpsThreshold;
  if (secondFlags == 65) text = txt::kParamSwitchOverRpm;
  if (secondFlags == 136) text = txt::kParamMaxLpgRpm;
  return text;
}

}  // namespace zo::model
