// The rows of the Parameters page, rebuilt from the catalogue and the working
// copy whenever something may have changed: which rows are listed, their
// names, values, units, ranges and name colours, and the level-sensor
// direction the gas-level gauge uses. Every listed row is kept: with all
// bytes present the catalogue yields 67 rows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ITextSource.h"
#include "ParameterCatalogue.h"
#include "ValueFormat.h"
#include "link/LinkTypes.h"

namespace zo::model {

// 24-bit colours with red in the low byte.
constexpr std::uint32_t Rgb(int red, int green, int blue) {
  return static_cast<std::uint32_t>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// Each of red, green and blue plus 180, capped at 255.
std::uint32_t LightColour(std::uint32_t colour);

// The trace colours of the signal panels the name cells follow.
struct TraceColours {
  std::uint32_t rpm = Rgb(255, 0, 0);
  std::uint32_t lam = Rgb(0, 255, 0);
  std::uint32_t sim = Rgb(0, 128, 0);
  std::uint32_t tps = Rgb(255, 255, 0);
  std::uint32_t mot = Rgb(0, 255, 255);
};

enum class LevelDirection { Rising, Falling };

struct ParameterRow {
  int byte = 0;
  int nameId = 0;
  ValueKind kind = ValueKind::Count;
  int editStyle = 0;
  int minimum = 0;
  int maximum = 0;
  double scale = 0;
  OptionList options = OptionList::None;
  std::string name;   // indented name
  std::string value;  // formatted value without unit (what the text box holds)
  std::string unit;   // empty when the scale is zero
  std::optional<std::uint32_t> nameColour;  // nothing: the grid colour

  [[nodiscard]] std::string Cell() const { return value + unit; }
  [[nodiscard]] bool HasArrows() const { return (editStyle & 1) != 0; }
  [[nodiscard]] bool HasTextBox() const { return (editStyle & 2) != 0; }
  [[nodiscard]] bool HasButton() const { return editStyle == kEditButton; }
};

class ParameterGrid {
 public:
  static ParameterGrid Build(const link::ImageArea& working, const ITextSource& texts,
                             const TraceColours& colours = {});

  // Rows below the header; grid row r is Rows()[r - 1].
  [[nodiscard]] const std::vector<ParameterRow>& Rows() const { return rows_; }
  // The row shown in grid row `gridRow` (1..), or nothing.
  [[nodiscard]] const ParameterRow* RowAt(int gridRow) const;
  // The level-sensor direction set by the level-sensor rows; nothing when no
  // such row has a known value (the previous direction stays).
  [[nodiscard]] std::optional<LevelDirection> LevelSensorDirection() const { return direction_; }

  // The value text of a catalogue row for the current image.
  static std::string FormatValue(const CatalogueEntry& entry, const link::ImageArea& image,
                                 const ITextSource& texts);

 private:
  void Colour(const TraceColours& colours, const std::vector<ColourGroup>& groups);

  std::vector<ParameterRow> rows_;
  std::optional<LevelDirection> direction_;
};

}  // namespace zo::model
