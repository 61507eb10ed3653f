// Turns a parameter or signal byte into text by its value kind, and typed
// text back into a byte. Numbers always use "." as the decimal separator,
// whatever the locale of the process.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ITextSource.h"

namespace zo::model {

// How a byte is shown; the scale multiplies the raw byte first.
enum class ValueKind : int {
  Option = 0,       // option text chosen by value (the catalogue picks it)
  Count = 1,        // "%.0f"
  Volts = 2,        // "%.2f" [V]
  Seconds01 = 3,    // "%.1f" [s]
  Rpm = 4,          // "%.0f" txt::kUnitRpm
  Seconds = 5,      // "%.0f" [s]
  Temperature = 6,  // by the temperature table, "%+.0f" ['C]
  Bit = 7,          // "0" or "1"
  OnOff = 9,        // txt::kValueNo / txt::kValueYes, else txt::kValueSet
  Erase = 10,       // txt::kValueErase with one leading space
  Seconds001 = 11,  // "%.2f" [s]
  Millis = 12,      // "%.1f" [ms]
};

inline constexpr int kValueKindCount = 13;  // kinds 0..12; 8 is unused

class ValueFormat {
 public:
  // The value text without unit. `sensorType` is the image's temperature
  // sensor byte and matters only for the temperature kind. An unknown
  // kind gives an empty text.
  static std::string Format(std::uint8_t raw, ValueKind kind, double scale,
                            const ITextSource& texts, std::uint8_t sensorType = 0);
  // The unit appended in the grid: empty when the scale is zero.
  static std::string Unit(ValueKind kind, double scale, const ITextSource& texts);

  // Reads a decimal number with "." as separator up to the first character
  // that cannot belong to it (empty or non-numeric text reads as 0), divides
  // it by the scale, truncates toward zero and keeps the low 8 bits.
  static std::uint8_t Parse(std::string_view text, double scale);

  // "%.<decimals>f" without any locale.
  static std::string Fixed(double value, int decimals);
  // "%+.0f" without any locale.
  static std::string SignedWhole(double value);
};

}  // namespace zo::model
