// Why each byte of the working copy differs from the controller: whatever
// changes the working copy marks the bytes it changed, and the write-back
// reports the mark with the controller's confirmation. A byte changed again
// by something that does not mark it counts as a grid edit.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "ChangeCause.h"
#include "LinkTypes.h"

namespace zo::link {

class ChangeCauses {
 public:
  // `byte` now holds `value` in the working copy because of `cause`; the
  // controller holds `before`, or what its copy says when not given (a copy
  // made to differ so that a byte is written again does not).
  void Mark(int byte, std::uint8_t value, ChangeCause cause,
            std::optional<std::uint8_t> before = std::nullopt);
  // Marks every parameter byte in which `working` differs from
  // `controller` and from its mark. What the controller held before is
  // taken when the write is confirmed: an earlier write of the byte may
  // still be under way.
  void MarkChanged(const ImageArea& working, const ImageArea& controller, ChangeCause cause);

  struct Confirmation {
    ChangeCause cause = ChangeCause::GridEdit;
    std::uint8_t before = 0;
  };
  // Why `value` in `byte` was written and what the controller held before,
  // `controllerHeld` when the mark is not for this value.
  [[nodiscard]] Confirmation Of(int byte, std::uint8_t value, std::uint8_t controllerHeld) const;

 private:
  struct Entry {
    bool marked = false;
    std::uint8_t value = 0;
    std::optional<std::uint8_t> before;
    ChangeCause cause = ChangeCause::GridEdit;
  };
  std::array<Entry, kImageSize> marks_{};
};

}  // namespace zo::link
