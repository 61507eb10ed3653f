// The program that the simulated controller runs, as its flash holds it: it
// starts with "LPGSIM", the model code and the firmware version, so that the
// simulator knows which controller it has become after an upload. lpgimg
// makes such programs for the simulator's example images.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lpgsim {

struct SimulatorProgram {
  static constexpr std::array<std::uint8_t, 6> kMark = {'L', 'P', 'G', 'S', 'I', 'M'};
  static constexpr std::size_t kModelByte = 6;
  static constexpr std::size_t kVersionByte = 7;

  struct Identity {
    std::uint8_t model = 0;
    std::uint8_t version = 0;
  };

  // A program of `size` bytes (at least 8) for the model and version.
  static std::vector<std::uint8_t> Make(std::size_t size, std::uint8_t model,
                                        std::uint8_t version) {
    std::vector<std::uint8_t> program(std::max<std::size_t>(size, kVersionByte + 1));
    for (std::size_t i = 0; i < program.size(); ++i)
      program[i] = static_cast<std::uint8_t>((i * 37 + (i >> 8) * 11 + 5) & 0xFFu);
    std::copy(kMark.begin(), kMark.end(), program.begin());
    program[kModelByte] = model;
    program[kVersionByte] = version;
    return program;
  }

  // The identity of the program in `flash`, when it is one of these.
  static std::optional<Identity> Of(std::span<const std::uint8_t> flash) {
    if (flash.size() <= kVersionByte || !std::equal(kMark.begin(), kMark.end(), flash.begin()))
      return std::nullopt;
    return Identity{flash[kModelByte], flash[kVersionByte]};
  }
};

}  // namespace lpgsim
