// Values given to parameters that a firmware upgrade introduced: a byte read
// back as 255 after an upload that crossed the byte's threshold version gets
// its default in the working copy, so the scheduler writes it.
#pragma once

#include <cstdint>
#include <optional>

#include "LinkTypes.h"

namespace zo::link {

class MigrationDefaults {
 public:
  // The value for `index` after an upload from `oldVersion` to `newVersion`,
  // or nothing when the byte keeps what was read. Both versions must be known
  // (non-zero) and the value read must be 255.
  static std::optional<std::uint8_t> For(int index, std::uint8_t valueRead, std::uint8_t oldVersion,
                                         std::uint8_t newVersion, const ImageArea& working);
};

}  // namespace zo::link
