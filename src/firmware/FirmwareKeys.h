// The fixed keys of this controller family's firmware images and of its boot
// loader's transfer: the start value of the image-header chain and the
// 32-entry block-key table, chosen by the transfer key modulo 32. The image
// maker, the upload and the simulated boot loader all take them from here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace zo::firmware {

// Start value of the chain that scrambles the 32 header bytes of an image file.
inline constexpr std::uint8_t kHeaderStart = 0xA7;

// Block keys of the boot loader's transfer.
inline constexpr std::array<std::uint8_t, 32> kBlockKeys = {
    0x3C, 0x91, 0xE4, 0x27, 0x5B, 0xD2, 0x08, 0x76, 0xAF, 0x13, 0xC8, 0x6E, 0x41, 0xFA, 0x9D, 0x35,
    0x82, 0x1E, 0x67, 0xB9, 0x0D, 0xF3, 0x54, 0xCB, 0x2A, 0x98, 0x7F, 0xE0, 0x46, 0xB1, 0x19, 0x6C};

constexpr std::uint8_t BlockKey(std::uint8_t transferKey) {
  return kBlockKeys[transferKey % kBlockKeys.size()];
}

}  // namespace zo::firmware
