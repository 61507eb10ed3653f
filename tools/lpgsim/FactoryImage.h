// The parameter image a Vela100 leaves the factory with: flag bytes, presence
// bitmap, parameter values, dates and working-time counters.
#pragma once

#include <cstdint>
#include <span>

#include "SimConfig.h"
#include "link/ImageMap.h"

namespace lpgsim {

using zo::link::ImageMap;

class FactoryImage {
 public:
  // The factory image with the given identity in bytes 0 (model code),
  // 1 (firmware version) and 6 (variant).
  static ParameterImage Build(std::uint8_t modelCode, std::uint8_t version, std::uint8_t variant);
  static ParameterImage Build(const SimConfig& config) {
    return Build(config.modelCode, config.firmwareVersion, config.variant);
  }

  // Parameter bytes (32..104) this controller has, marked in the presence bitmap.
  static std::span<const std::uint8_t> PresentParameters();

  // Whether the presence bitmap of `image` marks byte `index` as present.
  static bool IsPresent(std::span<const std::uint8_t> image, int index);
};

}  // namespace lpgsim
