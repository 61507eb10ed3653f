// The catalogue of parameters shown on the Parameters page: for every row,
// top to bottom, the image byte, its name, indent, value kind, edit style,
// range, scale, option list, the condition under which it is listed and the
// colour group of its name cell.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "ITextSource.h"
#include "ValueFormat.h"
#include "link/LinkTypes.h"

namespace zo::model {

// Option lists A..N of the option rows.
enum class OptionList { None, A, B, C, D, E, F, G, H, H98, I, J, K, L, M, N };

// How a row's name cell is coloured (resolved by the grid builder).
enum class ColourGroup {
  Plain,          // grid colour
  RpmHead,        // coil type
  RpmLight,       // up to the coil signal
  TpsHead,        // TPS type
  TpsLight,       // up to the turbo rows
  LamHead,        // lambda sensor type
  LamBlock,       // the rest of the lambda block (light LAM, or light SIM after the SIM row)
  Sim,            // simulation rows: the last one shown takes the SIM colour
  White,          // relay function .. maximum gas rpm
  MotLight,       // actuator positions .. leakage
  Switch,         // petrol/gas switch and level sensor
  LevelThreshold  // thresholds under the level sensor
};

// Edit styles: bit 0 arrows, bit 1 text box, 8 button.
inline constexpr int kEditArrows = 1;
inline constexpr int kEditTextAndArrows = 3;
inline constexpr int kEditButton = 8;

using RowCondition = bool (*)(const link::ImageArea& image);

struct CatalogueEntry {
  int byte;
  int nameId;
  int indent;  // kIndentBySwitchModel: 0 for models 150/151, else 2
  ValueKind kind;
  int editStyle;
  int maximum;  // kMaxBySimulationVersion: 5, or 6 above version 1.77
  double scale;
  OptionList options;
  RowCondition condition;
  ColourGroup colour;
};

inline constexpr int kIndentBySwitchModel = -1;
inline constexpr int kMaxBySimulationVersion = -1;

class ParameterCatalogue {
 public:
  static std::span<const CatalogueEntry> Entries();

  static int Indent(const CatalogueEntry& entry, const link::ImageArea& image);
  static int Maximum(const CatalogueEntry& entry, const link::ImageArea& image);

  // The text of option `value` of a list, or "USTAW" (txt::kValueSet) when the
  // value lies outside it.
  static std::string OptionText(OptionList list, std::uint8_t value, const ITextSource& texts);
  static int OptionCount(OptionList list);

  // Whether an entry is listed: its byte is present and its condition holds.
  static bool IsListed(const CatalogueEntry& entry, const link::ImageArea& image);
};

}  // namespace zo::model
