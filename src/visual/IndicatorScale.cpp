#include "IndicatorScale.h"

#include <array>
#include <cstdio>

#include "link/ImageMap.h"
#include "model/ImageLayout.h"
#include "model/LiveSignals.h"
#include "model/TemperatureTable.h"
#include "texts/TextIds.h"

namespace zo::visual {

namespace {

using model::SignalKind;
using M = link::ImageMap;

int Byte(const IndicatorInputs& in, int index) {
  return in.image[static_cast<std::size_t>(index)];
}

bool TpsInverted(const IndicatorInputs& in) {
  return (Byte(in, M::kTpsType) & 1) != 0;
}

// The TPS threshold's scale position, mirrored for an inverted sensor.
int TpsThreshold(const IndicatorInputs& in) {
  const int threshold = Byte(in, M::kTpsThreshold);
  return TpsInverted(in) ? 255 - threshold : threshold;
}

// Scales that run from the other end: TPS with type bit 0 set, the level of
// a falling sensor.
bool Inverted(SignalKind kind, const IndicatorInputs& in) {
  return (kind == SignalKind::Tps && TpsInverted(in)) ||
         (kind == SignalKind::Level && in.levelFalling);
}

int Celsius(int raw, const IndicatorInputs& in) {
  return model::TemperatureTable::Celsius(
      static_cast<std::uint8_t>(raw), static_cast<std::uint8_t>(Byte(in, M::kTemperatureSensor)));
}

// One row of ticks: step in p, tick length, dial pen width, label multiplier
// (0 = unlabelled).
struct TickRow {
  int step;
  int length;
  int penWidth;
  int multiplier;
};

constexpr std::array<TickRow, 3> kRpmTicks{{{4, 4, 2, 0}, {20, 8, 3, 0}, {40, 16, 4, 1}}};
constexpr std::array<TickRow, 3> kMotTicks{{{5, 4, 2, 0}, {10, 8, 3, 0}, {50, 16, 4, 50}}};
constexpr std::array<TickRow, 3> kDefTicks{{{5, 4, 2, 0}, {10, 8, 3, 0}, {100, 16, 4, 10}}};
constexpr std::array<TickRow, 3> kVoltTicks{{{5, 4, 2, 0}, {25, 8, 3, 0}, {50, 16, 4, 1}}};

void AddRows(const std::array<TickRow, 3>& rows, bool inverted, std::vector<ScaleTick>& out) {
  int counter = 0;
  for (const TickRow& row : rows) {
    const bool labelled = row.multiplier != 0;
    for (int p = 0; labelled ? p < 256 : p <= 256; p += row.step) {
      ScaleTick tick{inverted ? 255 - p : p, row.length, row.penWidth, std::nullopt};
      if (labelled) {
        tick.label = row.multiplier * counter++;
      } else {
        counter = 0;
      }
      out.push_back(tick);
    }
  }
}

// The four zones of the lambda scale per probe type; none for other types.
std::vector<ScaleZone> LambdaZones(int probeType) {
  constexpr auto G = ZoneColour::Green;
  constexpr auto R = ZoneColour::Red;
  switch (probeType) {
    case 0:
      return {{0, 8, G, 4}, {42, 50, R, 4}, {8, 24, G, 2}, {26, 42, R, 2}};
    case 1:
      return {{0, 50, G, 3}, {200, 250, R, 3}, {50, 125, G, 2}, {125, 200, R, 2}};
    case 2:
      return {{0, 50, R, 3}, {200, 250, G, 3}, {50, 125, R, 2}, {125, 200, G, 2}};
    case 3:
      return {{40, 45, G, 4}, {75, 80, R, 4}, {40, 60, G, 2}, {60, 80, R, 2}};
    default:
      return {};
  }
}

std::vector<ScaleMark> LambdaMarks(int probeType, int threshold) {
  switch (probeType) {
    case 0:
      return {{0, 1}, {50, 1}, {threshold, 2}};
    case 1:
    case 2:
      return {{0, 1}, {250, 1}, {threshold, 2}};
    case 3:
      return {{40, 1}, {80, 1}, {threshold, 2}};
    default:
      return {};
  }
}

bool ZonesShown(const IndicatorInputs& in) {
  return Byte(in, M::kTpsType) < 5 && Byte(in, M::kLambdaType) < 5;
}

std::vector<ScaleMark> LevelMarks(const IndicatorInputs& in) {
  const auto at = [&](int index) {
    return in.levelFalling ? 255 - Byte(in, index) : Byte(in, index);
  };
  if (model::ImageLayout::IsPresent(in.image, M::kLevelSensor)) {
    return {{at(M::kLevel1), 2}, {at(M::kLevel2), 1}, {at(M::kLevel3), 1}, {at(M::kLevel4), 1}};
  }
  return {{at(M::kLevel1), 2}};
}

}  // namespace

std::optional<IndicatorKindInfo> IndicatorScale::Info(SignalKind kind) {
  switch (kind) {
    case SignalKind::Rpm:
      return IndicatorKindInfo{txt::kSignalRpm, txt::kUnitRpm, "", "CGRpm", false};
    case SignalKind::Lam:
      return IndicatorKindInfo{txt::kSignalLambda, 0, "[V]", "CGLam", true};
    case SignalKind::Psi:
      return IndicatorKindInfo{txt::kSignalVacuum, 0, "[V]", "CGPsi", false};
    case SignalKind::Sim:
      return IndicatorKindInfo{txt::kSignalSimulation, 0, "[V]", "CGSim", true};
    case SignalKind::Tps:
      return IndicatorKindInfo{txt::kSignalTps, 0, "[V]", "CGTps", false};
    case SignalKind::Mot:
      return IndicatorKindInfo{txt::kSignalActuator, txt::kUnitPosition, "", "CGMot", false};
    case SignalKind::Def:
      return IndicatorKindInfo{txt::kSignalInjectionTime, 0, "[ms]", "CGDef", false};
    case SignalKind::Level:
      return IndicatorKindInfo{txt::kSignalLpgLevel, 0, "[V]", "CGLev", false};
    case SignalKind::Temperature:
      return IndicatorKindInfo{txt::kSignalTemperature, 0, "['C]", "CGTem", false};
    default:
      return std::nullopt;
  }
}

double IndicatorScale::ShownValue(SignalKind kind, std::uint8_t reading,
                                  const IndicatorInputs& in) {
  if (kind == SignalKind::Rpm) return reading * 100.0;
  if (kind == SignalKind::Mot) return reading;
  if (kind == SignalKind::Def) return reading * 0.1;
  if (kind == SignalKind::Temperature) return Celsius(reading, in);
  return reading * 0.02;
}

int IndicatorScale::Position(SignalKind kind, std::uint8_t reading, const IndicatorInputs& in) {
  if (kind == SignalKind::Rpm) return 4 * reading;
  if (kind == SignalKind::Temperature) return Celsius(reading, in) + 60;
  return Inverted(kind, in) ? 255 - reading : reading;
}

std::string IndicatorScale::ValueText(double value, char decimalSeparator, std::string_view unit) {
  std::array<char, 40> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%.15g", value);
  std::string text(buffer.data());
  for (char& c : text) {
    if (c == '.') c = decimalSeparator;
  }
  return text.append(unit);
}

std::vector<ScaleTick> IndicatorScale::Ticks(SignalKind kind, const IndicatorInputs& in) {
  std::vector<ScaleTick> ticks;
  if (kind == SignalKind::Rpm) {
    AddRows(kRpmTicks, false, ticks);
  } else if (kind == SignalKind::Mot) {
    AddRows(kMotTicks, false, ticks);
  } else if (kind == SignalKind::Def) {
    AddRows(kDefTicks, false, ticks);
  } else if (kind == SignalKind::Temperature) {
    for (int p = 0; p <= 256; p += 10)
      ticks.push_back({p, 8, 3, std::nullopt});
    for (int p = 0, counter = -1; p <= 200; p += 50)
      ticks.push_back({p + 10, 16, 4, 50 * counter++});
  } else {
    AddRows(kVoltTicks, Inverted(kind, in), ticks);
  }
  return ticks;
}

std::vector<ScaleZone> IndicatorScale::Zones(SignalKind kind, const IndicatorInputs& in) {
  if (!ZonesShown(in)) return {};
  constexpr auto S = ZoneColour::Signal;
  if (kind == SignalKind::Rpm)
    return {{4 * Byte(in, M::kSwitchOverRpm), 4 * Byte(in, M::kMaxGasRpm), S, 3}};
  if (kind == SignalKind::Lam || kind == SignalKind::Sim)
    return LambdaZones(Byte(in, M::kLambdaType));
  if (kind == SignalKind::Tps) {
    return {{TpsThreshold(in), 255, S, 3}};
  }
  if (kind == SignalKind::Mot)
    return {{Byte(in, M::kMinPosition), Byte(in, M::kMaxPosition), S, 2},
            {Byte(in, M::kPosition900), Byte(in, M::kPosition3000), S, 4}};
  return {};
}

std::vector<ScaleMark> IndicatorScale::Marks(SignalKind kind, const IndicatorInputs& in) {
  if (!ZonesShown(in)) return {};
  if (kind == SignalKind::Rpm)
    return {{4 * Byte(in, M::kSwitchOverRpm), 2}, {4 * Byte(in, M::kMaxGasRpm), 1}};
  if (kind == SignalKind::Lam || kind == SignalKind::Sim) {
    return LambdaMarks(Byte(in, M::kLambdaType), Byte(in, M::kLambdaThreshold));
  }
  if (kind == SignalKind::Tps) return {{TpsThreshold(in), 2}};
  if (kind == SignalKind::Mot)
    return {{Byte(in, M::kMaxPosition), 2},
            {Byte(in, M::kMinPosition), 2},
            {Byte(in, M::kPosition900), 1},
            {Byte(in, M::kPosition3000), 1}};
  if (kind == SignalKind::Level) return LevelMarks(in);
  if (kind == SignalKind::Temperature && Byte(in, M::kSwitchByTemperature) != 0)
    return {{Celsius(Byte(in, M::kTemperatureThreshold), in) + 60, 2}};
  return {};
}

}  // namespace zo::visual
