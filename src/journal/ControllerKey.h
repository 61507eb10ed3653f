// Which controller a journal belongs to, from what its image holds: model,
// variant, the production date where the firmware keeps one in its counter
// block, and the installation date. The firmware version is not part of it,
// so the bytes an upload migrates land in the same controller's journal; the
// version at connect stands in each session instead.
//
// Two controllers of one model and variant, made and installed on the same
// days (or both without those dates), share a journal: nothing in the image
// tells them apart.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "link/LinkTypes.h"

namespace zo::journal {

struct ControllerKey {
  int model = 0;
  int variant = 0;
  std::string production;    // "yymmdd", or "none"
  std::string installation;  // "yymmdd", or "none"

  static ControllerKey Of(const link::ImageArea& image,
                          const std::array<std::int32_t, 16>& counterBlock, bool hasCounterDate);
  // The journal's file name: "m150-v255-p230517-i261207.journal".
  [[nodiscard]] std::string FileName() const;

  friend bool operator==(const ControllerKey&, const ControllerKey&) = default;
};

// Bytes the controller changes itself (its error and reset bytes, the
// working-time counters): never journalled as the user's, never undone.
bool IsControllerOwned(int byte);

}  // namespace zo::journal
