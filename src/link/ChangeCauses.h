// Why each byte of the working copy differs from the controller: whatever
// changes the working copy marks the bytes it changed, and the write-back
// reports the mark with the controller's confirmation. A byte changed again
// by something that does not mark it counts as a grid edit. The bytes marked
// by one call share an action number, so that what one edit, file or step
// changed together is taken back together.
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
  // As Mark, as part of the action the last mark began.
  void MarkAlong(int byte, std::uint8_t value, ChangeCause cause);
  // Marks every parameter byte in which `working` differs from
  // `controller` and from its mark. What the controller held before is
  // taken when the write is confirmed: an earlier write of the byte may
  // still be under way.
  void MarkChanged(const ImageArea& working, const ImageArea& controller, ChangeCause cause);

  struct Confirmation {
    ChangeCause cause = ChangeCause::GridEdit;
    std::uint8_t before = 0;
    std::uint32_t action = 0;  // 0: the byte was not marked for this value
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
    std::uint32_t action = 0;
  };
  std::array<Entry, kImageSize> marks_{};
  std::uint32_t lastAction_ = 0;
};

}  // namespace zo::link
