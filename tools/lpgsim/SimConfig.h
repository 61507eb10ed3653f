// Settings of one simulated controller: its identity, its timing, how it
// acknowledges writes and the state of its boot loader.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace lpgsim {

inline constexpr std::size_t kImageSize = 184;
using ParameterImage = std::array<std::uint8_t, kImageSize>;

// The boot loader's 32 block keys, selected by the transfer key modulo 32. The
// real table is fixed in the controller's boot loader and shared with the
// upload tool; this stand-in is used unless a test supplies the real one.
inline constexpr std::array<std::uint8_t, 32> kStandInBlockKeys = {
    0x5A, 0xC3, 0x17, 0x8E, 0x2B, 0xF0, 0x64, 0x9D, 0x31, 0xA7, 0x4C, 0xE5, 0x02, 0x7B, 0xD8, 0x96,
    0x1F, 0xB4, 0x6A, 0x23, 0xCE, 0x58, 0x81, 0x3D, 0xF9, 0x47, 0x0C, 0xAB, 0x72, 0xE1, 0x95, 0x36};

struct SimConfig {
  std::uint8_t modelCode = 100;
  std::uint8_t firmwareVersion = 179;
  std::uint8_t variant = 255;

  // Replaces the factory image as the controller's EEPROM contents (and as
  // what a factory reset restores). Bytes 0, 1 and 6 are taken as given.
  std::optional<ParameterImage> initialImage;

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
  std::array<std::uint8_t, 32> blockKeys = kStandInBlockKeys;
  // Firmware version reported after a successful upload; unset keeps the old one.
  std::optional<std::uint8_t> versionAfterUpload;

  // Seed of the engine model's noise.
  std::uint32_t seed = 1;

  // Name of an autoconfiguration scenario (Scenario.h); empty for none.
  std::string scenario;

  // Entries kept in the request log before the oldest are dropped.
  std::size_t requestLogCapacity = 4096;

  [[nodiscard]] bool UsesWriteEcho() const { return writeEcho.value_or(variant == 254); }
};

}  // namespace lpgsim
