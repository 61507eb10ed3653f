// The 8-bit check sum that ends every frame on the controller link.
#pragma once

#include <cstdint>
#include <span>

namespace lpgsim {

inline std::uint8_t WireSum(std::span<const std::uint8_t> bytes) {
  unsigned sum = 0;
  for (const std::uint8_t b : bytes)
    sum += b;
  return static_cast<std::uint8_t>(sum & 0xFFu);
}

}  // namespace lpgsim
