#include "GaugeRules.h"

#include <algorithm>
#include <array>

#include "link/ImageMap.h"

namespace zo::visual {

using model::SignalKind;

GaugeSettings GaugeRules::ForImage(const link::ImageArea& image, model::LevelDirection level) {
  return GaugeSettings{image[link::ImageMap::kLambdaType], image[link::ImageMap::kTpsType], level};
}

int GaugeRules::LambdaRange(std::uint8_t probeType) {
  static constexpr std::array<int, 4> kRanges{50, 255, 255, 120};
  // Without a probe the row is listed only in service mode: show the whole byte.
  return probeType < kRanges.size() ? kRanges[probeType] : 255;
}

std::optional<GaugeReading> GaugeRules::Reading(SignalKind kind, std::uint8_t raw,
                                                const GaugeSettings& settings) {
  const int byte = raw;
  const int inverted = 255 - byte;
  GaugeReading reading{255, byte};
  switch (kind) {
    case SignalKind::Lam:
    case SignalKind::Sim:
      reading.range = LambdaRange(settings.probeType);
      if (settings.probeType == 2) reading.position = inverted;
      break;
    case SignalKind::Rpm:
      reading.range = 100;
      break;
    case SignalKind::Tps:
      if ((settings.tpsType & 1) != 0) reading.position = inverted;
      break;
    case SignalKind::Level:
      if (settings.level == model::LevelDirection::Falling) reading.position = inverted;
      break;
    case SignalKind::Temperature:
      reading.position = inverted;
      break;
    case SignalKind::Psi:
    case SignalKind::Def:
    case SignalKind::Mot:
      break;
    default:
      return std::nullopt;
  }
  // A bar never runs past its end: a full bar for anything above the range.
  reading.position = std::clamp(reading.position, 0, reading.range);
  return reading;
}

std::optional<GaugeColours> GaugeRules::Colours(SignalKind kind, const TracePalette& palette) {
  const auto trace = [&palette](Trace t) { return palette[static_cast<std::size_t>(t)]; };
  switch (kind) {
    case SignalKind::Rpm:
      return GaugeColours{trace(Trace::Rpm), std::nullopt};
    case SignalKind::Tps:
      return GaugeColours{trace(Trace::Tps), std::nullopt};
    case SignalKind::Mot:
      return GaugeColours{trace(Trace::Mot), std::nullopt};
    case SignalKind::Def:
      return GaugeColours{trace(Trace::Def), std::nullopt};
    case SignalKind::Psi:
      return GaugeColours{trace(Trace::Psi), std::nullopt};
    case SignalKind::Lam:
      return GaugeColours{Rotated(trace(Trace::Lam)), trace(Trace::Lam)};
    case SignalKind::Sim:
      return GaugeColours{Rotated(trace(Trace::Sim)), trace(Trace::Sim)};
    case SignalKind::Level:
      return GaugeColours{kMoneyGreen, std::nullopt};
    case SignalKind::Temperature:
      return GaugeColours{kSkyBlue, std::nullopt};
    default:
      return std::nullopt;
  }
}

std::uint32_t GaugeRules::TpsBar(std::uint32_t traceColour, std::uint8_t status) {
  return (status & 0x20) != 0 ? Half(traceColour) : traceColour;
}

std::uint32_t GaugeRules::Rotated(std::uint32_t colour) {
  const int red = static_cast<int>(colour & 0xFF);
  const int green = static_cast<int>((colour >> 8) & 0xFF);
  const int blue = static_cast<int>((colour >> 16) & 0xFF);
  return model::Rgb(green, blue, red);
}

std::uint32_t GaugeRules::Half(std::uint32_t colour) {
  return (colour >> 1) & 0x7F7F7F;
}

}  // namespace zo::visual
