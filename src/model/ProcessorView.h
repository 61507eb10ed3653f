// Data and rules of the processor views: pin and analogue-input names per
// model, the input and pin texts, the addressing of the RAM and EEPROM dump
// tables, and the reset-cause hint of the Parameters page.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "link/LinkTypes.h"

namespace zo::model {

class ParameterGrid;

// Where a dumped byte goes: column block + 1, row offset + 1.
struct DumpCell {
  int column = 0;
  int row = 0;
  bool operator==(const DumpCell&) const = default;
};

class ProcessorView {
 public:
  static constexpr int kPins = 24;  // B.0..B.7, C.0..C.7, D.0..D.7
  static constexpr int kInputs = 8;
  static constexpr int kRamBlocks = 39;
  static constexpr int kEepromBlocks = 33;
  static constexpr int kBlockSize = 16;

  // Name of pin 0..23 for a model code; bare names for unknown models.
  static std::string PinName(int model, int pin);
  // Name of analogue input 0..7 for a model code; empty for unknown models.
  static std::string InputName(int model, int input);
  // "ADC0".."ADC7".
  static std::string InputLabel(int input);
  // An input byte as volts: byte x 0.02, "%.2f [V]".
  static std::string InputText(std::uint8_t raw);
  // "1" when pin 0..23 is set in the three port bytes (B, C, D), else "0".
  static std::string PinState(std::span<const std::uint8_t, 3> ports, int pin);

  // Dump table: row 1..16 labelled "%X" of row - 1, column 1.. "%02X_" of
  // column - 1, cells in decimal.
  static std::string DumpRowLabel(int row);
  static std::string DumpColumnLabel(int column);
  static DumpCell CellOf(int block, int offset);
  static std::string CellText(std::uint8_t value);

  // The last reset cause from the reset-cause byte AND 15.
  static std::string ResetCause(std::uint8_t resetCause);
  // The hint over the value cell of the power-errors row: shown when that
  // row is grid row 1 and selected, the power errors are not 0, the
  // reset-cause byte is present and
  // the mouse rests over the value cell.
  static std::optional<std::string> ResetCauseHint(const link::ImageArea& image,
                                                   const ParameterGrid& grid, int selectedRow,
                                                   bool mouseOverValueCell);
};

}  // namespace zo::model
