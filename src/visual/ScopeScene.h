// Everything an oscilloscope drawing depends on besides the sample history:
// the time base, the grid, the traces switched on, their colours, the
// sensor types that scale them and the signal list's rows.
#pragma once

#include <array>
#include <vector>

#include "link/SampleHistory.h"
#include "model/SignalKind.h"
#include "visual/ScopeLayout.h"

namespace zo::visual {

struct ScopeScene {
  int timeBase = 1;   // pixels per sample
  int gridStyle = 0;  // bit 0 full division lines, bit 1 background bands
  int bandCount = 0;  // 0 automatic, 1..3
  TraceSwitches switches;
  TypeParams types;
  bool serviceMode = false;
  std::array<Rgb, link::kSampleSize> colours{};  // trace colour by the signal's sample byte
  std::vector<model::SignalKind> rowKinds;       // signal list rows, first to last
};

}  // namespace zo::visual
