#include "ControllerIdentity.h"

#include <algorithm>

namespace zo::autoconfig {

namespace {

constexpr std::size_t kPowerErrors = 78;  // then the error flags and the reset cause
constexpr std::size_t kResetCause = 80;
constexpr std::size_t kWorkingTimes = 176;  // to the end of the image

bool KeptByController(std::size_t index) {
  return (index >= kPowerErrors && index <= kResetCause) || index >= kWorkingTimes;
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
