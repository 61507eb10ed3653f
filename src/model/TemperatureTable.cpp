#include "TemperatureTable.h"

#include <algorithm>
#include <array>

namespace zo::model {

namespace {

using Column = std::array<std::uint8_t, TemperatureTable::kRows>;

constexpr std::array<int, TemperatureTable::kRows> kCelsius{
    185, 175, 155, 145, 135, 130, 125, 120, 115, 110, 105, 100, 95,  90,  85,
    80,  75,  70,  65,  60,  55,  50,  45,  40,  35,  30,  25,  20,  15,  10,
    5,   0,   -5,  -10, -15, -20, -25, -30, -35, -40, -45, -50, -55, -60, 0};

// Sensor type 0, "CTRG-10k".
constexpr Column kRaw10k{0,   1,   2,   3,   4,   5,   7,   9,   11,  13,  15,  17,  19,  21,  25,
                         29,  33,  38,  44,  51,  59,  68,  78,  89,  101, 113, 127, 141, 155, 169,
                         182, 194, 205, 215, 223, 230, 238, 240, 245, 250, 252, 253, 254, 255, 0};

// Sensor type 1, "CT-2k2".
constexpr Column kRaw2k2{0,  1,  1,   1,   2,   2,   3,   3,   4,   4,   4,   5,   5,   5,   6,
                         7,  8,  10,  12,  13,  16,  19,  22,  26,  30,  36,  42,  49,  58,  68,
                         80, 92, 106, 121, 137, 153, 168, 182, 200, 220, 240, 253, 254, 255, 0};

}  // namespace

int TemperatureTable::CelsiusAt(int row) {
  return kCelsius[static_cast<std::size_t>(std::clamp(row, 0, kRows - 1))];
}

std::uint8_t TemperatureTable::RawAt(int row, int column) {
  const auto at = static_cast<std::size_t>(std::clamp(row, 0, kRows - 1));
  return column == 1 ? kRaw2k2[at] : kRaw10k[at];
}

int TemperatureTable::FirstRowAtLeast(std::uint8_t raw, int column, int first, int last, int none) {
  for (int row = std::max(first, 0); row <= std::min(last, kRows - 1); ++row)
    if (RawAt(row, column) >= raw) return row;
  return none;
}

int TemperatureTable::Celsius(std::uint8_t raw, std::uint8_t sensorType) {
  // Row 43 holds 255 in both columns, so a row is always found.
  return CelsiusAt(FirstRowAtLeast(raw, Column(sensorType), 0, kRows - 1, kRows - 1));
}

std::uint8_t TemperatureTable::StepColder(std::uint8_t raw, std::uint8_t sensorType) {
  const int column = Column(sensorType);
  int row = std::min(FirstRowAtLeast(raw, column, 0, 41, 42), kColdestStep - 1);
  // The CT-2k2 column repeats readings (rows 11..13 all read 5); step on to
  // the first colder row that reads differently, or the arrow would not move.
  while (row < kColdestStep - 1 && RawAt(row + 1, column) == raw)
    ++row;
  return RawAt(row + 1, column);
}

std::uint8_t TemperatureTable::StepWarmer(std::uint8_t raw, std::uint8_t sensorType) {
  const int column = Column(sensorType);
  const int row = std::max(FirstRowAtLeast(raw, column, 1, 42, 43), kWarmestStep + 1);
  return RawAt(row - 1, column);
}

std::uint8_t TemperatureTable::Convert(std::uint8_t raw, int fromColumn, int toColumn) {
  if (fromColumn == toColumn) return raw;
  return RawAt(FirstRowAtLeast(raw, fromColumn, 0, kRows - 1, kRows - 1), toColumn);
}

}  // namespace zo::model
