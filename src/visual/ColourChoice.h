// The trace colours of the signal list and the oscilloscope: their defaults
// and how a newly chosen colour is kept apart from black, white and the
// other traces.
#pragma once

#include <array>
#include <cstdint>

#include "model/ParameterGrid.h"

namespace zo::visual {

// The traces in the order the uniqueness check walks them.
enum class Trace { Rpm, Lam, Sim, Tps, Mot, Def, Psi, Ram };
inline constexpr std::size_t kTraceCount = 8;
// 24-bit colours with red in the low byte, indexed by `Trace`.
using TracePalette = std::array<std::uint32_t, kTraceCount>;

class ColourChoice {
 public:
  // The colours Ctrl+W returns to: red, lime, green, yellow, aqua, fuchsia,
  // blue and maroon.
  static TracePalette Defaults();
  // The colour to store for a choice: nudged by one step of red, in two
  // passes, each time it is black, white or any trace's colour (the one
  // being chosen for included).
  static std::uint32_t MakeUnique(std::uint32_t chosen, const TracePalette& palette);
  // The colours the parameter grid's name cells follow.
  static model::TraceColours ForParameterGrid(const TracePalette& palette);
};

}  // namespace zo::visual
