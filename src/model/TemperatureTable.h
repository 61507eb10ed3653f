// The 45-row table that turns raw temperature-sensor readings into degrees C
// for the two sensor types, and the steps the temperature threshold takes.
// Raw readings grow as the temperature falls.
#pragma once

#include <cstdint>

namespace zo::model {

class TemperatureTable {
 public:
  static constexpr int kRows = 45;
  // Rows the threshold arrows may reach: 100 'C down to 0 'C.
  static constexpr int kWarmestStep = 11;
  static constexpr int kColdestStep = 31;

  // Column chosen by the temperature sensor byte: 1 selects "CT-2k2", anything else
  // "CTRG-10k".
  static int Column(std::uint8_t sensorType) { return sensorType == 1 ? 1 : 0; }

  static int CelsiusAt(int row);
  static std::uint8_t RawAt(int row, int column);

  // The first row in first..last whose raw entry is at least `raw`, or
  // `none` when there is none.
  static int FirstRowAtLeast(std::uint8_t raw, int column, int first, int last, int none);

  // Temperature shown for a raw reading: that of the first row whose raw
  // entry is at least the reading.
  static int Celsius(std::uint8_t raw, std::uint8_t sensorType);

  // Arrow steps of the temperature threshold: one table row colder or warmer,
  // kept within rows 11..31.
  static std::uint8_t StepColder(std::uint8_t raw, std::uint8_t sensorType);
  static std::uint8_t StepWarmer(std::uint8_t raw, std::uint8_t sensorType);

  // The raw reading of the other column that keeps the temperature of `raw`.
  static std::uint8_t Convert(std::uint8_t raw, int fromColumn, int toColumn);
};

}  // namespace zo::model
