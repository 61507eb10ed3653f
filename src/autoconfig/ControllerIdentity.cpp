#include "ControllerIdentity.h"

#include <algorithm>

#include "link/ImageMap.h"

namespace zo::autoconfig {

namespace {

using M = link::ImageMap;

// The error bytes and the working-time counters (to the end of the image).
bool KeptByController(std::size_t index) {
  return (index >= M::kPowerErrors && index <= M::kResetCause) || index >= M::kPetrolTime;
}

}  // namespace

ControllerIdentity::ControllerIdentity(const link::ImageArea& image,
                                       std::span<const std::size_t> written) {
  for (std::size_t i = 0; i < bytes_.size(); ++i) {
    const bool left =
        KeptByController(i) || std::find(written.begin(), written.end(), i) != written.end();
    bytes_[i] = left ? 0 : image[i];
  }
}

}  // namespace zo::autoconfig
