// What tells the controller a procedure began on from another one plugged in
// on the same port: its parameter image as read, with the model, version,
// variant, dates and every setting, but without the bytes the procedure
// writes itself and without what the controller keeps counting on its own
// (power-supply errors, error flags, reset cause, working times).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "link/LinkTypes.h"

namespace zo::autoconfig {

class ControllerIdentity {
 public:
  // `written`: image bytes the caller changes itself.
  ControllerIdentity(const link::ImageArea& image, std::span<const std::size_t> written);

  friend bool operator==(const ControllerIdentity&, const ControllerIdentity&) = default;

 private:
  std::array<std::uint8_t, link::kImageSize> bytes_{};
};

}  // namespace zo::autoconfig
