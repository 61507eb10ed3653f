// What an indicator window shows for each signal kind: name and unit texts,
// where its colour comes from, the shown value and the scale position of a
// reading, the ticks with their labels, and the zones and marks taken from
// the parameter image. Plain functions of numbers; the window draws them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/LinkTypes.h"
#include "model/SignalKind.h"

namespace zo::visual {

// The fixed facts of a kind that can have an indicator window.
struct IndicatorKindInfo {
  int nameId = 0;
  int unitTextId = 0;                 // unit from the catalogue (RPM, MOT), else 0
  std::string_view unitText;          // literal unit when unitTextId is 0
  std::string_view gauge;             // the signal panel gauge the colour comes from
  bool colourFromBackground = false;  // background colour instead of bar colour
};

// What the scale depends on beyond the reading: the working copy of the
// parameter image and the level sensor's direction.
struct IndicatorInputs {
  const link::ImageArea& image;
  bool levelFalling = false;
};

struct ScaleTick {
  int p = 0;
  int length = 0;
  int penWidth = 0;  // on the dial
  std::optional<int> label;
};

enum class ZoneColour { Signal, Green, Red };

struct ScaleZone {
  int from = 0;
  int to = 0;
  ZoneColour colour = ZoneColour::Signal;
  int width = 0;
  bool operator==(const ScaleZone&) const = default;
};

struct ScaleMark {
  int p = 0;
  int width = 0;
  bool operator==(const ScaleMark&) const = default;
};

class IndicatorScale {
 public:
  // Facts of a kind; none for kinds that have no window.
  static std::optional<IndicatorKindInfo> Info(model::SignalKind kind);

  // The value shown as text: rpm, volts, steps, milliseconds or degrees C.
  static double ShownValue(model::SignalKind kind, std::uint8_t reading, const IndicatorInputs& in);
  // Scale position 0..255 of a reading (RPM is not limited).
  static int Position(model::SignalKind kind, std::uint8_t reading, const IndicatorInputs& in);
  // The shown value in the general number format with the user's decimal
  // separator and the unit appended directly, e.g. "2.5[V]".
  static std::string ValueText(double value, char decimalSeparator, std::string_view unit);

  // Ticks in drawing order, positions already mirrored for an inverted scale.
  static std::vector<ScaleTick> Ticks(model::SignalKind kind, const IndicatorInputs& in);
  // Zones and marks are drawn only when the TPS type and probe type are both
  // below 5.
  static std::vector<ScaleZone> Zones(model::SignalKind kind, const IndicatorInputs& in);
  static std::vector<ScaleMark> Marks(model::SignalKind kind, const IndicatorInputs& in);
};

}  // namespace zo::visual
