// The parameter image a Vela100 leaves the factory with: flag bytes, presence
// bitmap, parameter values, dates and working-time counters.
#pragma once

#include <cstdint>
#include <span>

#include "SimConfig.h"

namespace lpgsim {

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

  // Byte positions of the fixed header.
  static constexpr int kSignalFlagsA = 2;
  static constexpr int kFeatureFlags = 3;
  static constexpr int kSignalFlagsB = 4;
  static constexpr int kInstallDate = 168;
  static constexpr int kConfigDate = 172;
  static constexpr int kPetrolSeconds = 176;
  static constexpr int kGasSeconds = 180;

  // Parameter byte positions the engine model reads.
  static constexpr int kCoilType = 32;
  static constexpr int kTpsType = 33;
  static constexpr int kLambdaType = 34;
  static constexpr int kTimeHi = 36;
  static constexpr int kTimeLo = 37;
  static constexpr int kLambdaColdTime = 40;
  static constexpr int kActuatorMax = 41;
  static constexpr int kActuatorMin = 42;
  static constexpr int kSwitchOverTime = 43;
  static constexpr int kSwitchOverTempOn = 55;
  static constexpr int kSwitchOverTemp = 56;
  static constexpr int kLambdaThreshold = 58;
  static constexpr int kSwitchOverRpm = 62;
  static constexpr int kMaxGasRpm = 63;
  static constexpr int kPosition900 = 64;
  static constexpr int kPosition3000 = 65;
  static constexpr int kLambdaActuatorSpeed = 76;
  static constexpr int kResetCause = 80;
  static constexpr int kSwitchingPosition = 91;
  static constexpr int kTemperatureSensor = 104;
};

}  // namespace lpgsim
