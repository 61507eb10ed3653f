// Settings of one simulated controller: its identity, its timing, how it
// acknowledges writes and the state of its boot loader.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "EngineModel.h"

namespace lpgsim {

inline constexpr std::size_t kImageSize = 184;
using ParameterImage = std::array<std::uint8_t, kImageSize>;

struct SimConfig {
  std::uint8_t modelCode = 100;
  std::uint8_t firmwareVersion = 179;
  std::uint8_t variant = 255;

  // Replaces the factory image as the controller's EEPROM contents (and as
  // what a factory reset restores). Bytes 0, 1 and 6 are taken as given.
  std::optional<ParameterImage> initialImage;
  // The EEPROM as an earlier run of the same controller left it: replaces the
  // factory or scenario image, but not what a factory reset restores.
  std::optional<ParameterImage> storedImage;

  // From the last request byte received to the first reply byte sent.
  std::chrono::microseconds turnaround{2000};

  // Acknowledge a parameter write with the 4-byte echo instead of 0xAA, 0xAA.
  // Unset: on when the variant byte is 254 (the Quillon variant).
  std::optional<bool> writeEcho;

  // Boot loader.
  bool startInBootLoader = false;
  std::uint8_t lastProgrammingState = 0;  // 0 not finished, 1 error, 2 check sums, 3 none
  std::uint16_t bootPageWords = 32;
  std::uint8_t bootParameter = 0x11;
  // Firmware version reported after a successful upload of a program that does
  // not name its own (see SimulatorProgram); unset keeps the old one.
  std::optional<std::uint8_t> versionAfterUpload;

  // Seed of the engine model's noise.
  std::uint32_t seed = 1;

  // Name of an autoconfiguration scenario (Scenario.h); empty for none.
  std::string scenario;
  // The fuel mode the switch selects at the start when no scenario drives
  // the engine; unset: automatic.
  std::optional<FuelSelect> fuel;

  // Entries kept in the request log before the oldest are dropped.
  std::size_t requestLogCapacity = 4096;

  [[nodiscard]] bool UsesWriteEcho() const { return writeEcho.value_or(variant == 254); }
};

}  // namespace lpgsim
