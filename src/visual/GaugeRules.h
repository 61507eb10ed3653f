// The bar gauges of the signal list: each signal's range and bar position for
// a sample byte, and the gauge colours that follow the trace colours.
#pragma once

#include <cstdint>
#include <optional>

#include "model/LiveSignals.h"
#include "model/ParameterGrid.h"
#include "visual/ColourChoice.h"

namespace zo::visual {

// The parameters of the image the gauges depend on.
struct GaugeSettings {
  std::uint8_t probeType = 0;  // 0..3; 4: no probe
  std::uint8_t tpsType = 0;    // bit 0: the throttle voltage falls as it opens
  model::LevelDirection level = model::LevelDirection::Rising;
};

struct GaugeReading {
  int range = 0;     // the bar's maximum (its minimum is 0)
  int position = 0;  // 0..range
};

// A gauge's colours; a background of nothing is the button face.
struct GaugeColours {
  std::uint32_t bar = 0;
  std::optional<std::uint32_t> background;
};

class GaugeRules {
 public:
  static constexpr std::uint32_t kMoneyGreen = model::Rgb(192, 220, 192);
  static constexpr std::uint32_t kSkyBlue = model::Rgb(166, 202, 240);

  // The gauge parameters of the working copy, with the level sensor's
  // direction as the parameter grid found it.
  static GaugeSettings ForImage(const link::ImageArea& image, model::LevelDirection level);
  // The range of the lambda and simulation gauges for a probe type.
  static int LambdaRange(std::uint8_t probeType);
  // The gauge of a signal for its sample byte; nothing for a signal without
  // a gauge (the header row and the RAM watch).
  static std::optional<GaugeReading> Reading(model::SignalKind kind, std::uint8_t raw,
                                             const GaugeSettings& settings);

  // The colours of a signal's gauge for the trace colours; nothing for a
  // signal without a gauge.
  static std::optional<GaugeColours> Colours(model::SignalKind kind, const TracePalette& palette);
  // The throttle bar: the trace colour, or half of it while status bit 5 is set.
  static std::uint32_t TpsBar(std::uint32_t traceColour, std::uint8_t status);
  // Red takes green, green takes blue, blue takes red.
  static std::uint32_t Rotated(std::uint32_t colour);
  // Each channel halved.
  static std::uint32_t Half(std::uint32_t colour);
};

}  // namespace zo::visual
