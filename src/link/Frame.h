// The frame format of the controller protocol: building request frames,
// expected reply lengths and the checks every reply must pass.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "LinkTypes.h"

namespace zo::link {

class Frame {
 public:
  // 8-bit sum of the bytes.
  static std::uint8_t Checksum(std::span<const std::uint8_t> bytes);

  // The bytes of a request frame (length + 1 of them), or nothing when the
  // data length is not 1, 2, 3 or 19.
  static std::optional<std::size_t> BuildRequest(const Request& request,
                                                 std::span<std::uint8_t, 20> out);

  // Number of reply bytes to wait for after sending `command`.
  static int ExpectedLength(std::uint8_t command, bool quillon);

  // Length of the complete reply whose check sum is verified; the memory page
  // carries its sum at byte 22 although 25 bytes are awaited.
  static int CheckedLength(std::uint8_t command, bool quillon);

  // The common checks: the full reply length has arrived, byte 0 echoes the
  // command and the check sum is right.
  static bool IsValidReply(std::uint8_t command, bool quillon, std::span<const std::uint8_t> reply);

  // The boot loader's status reply (8 bytes, ":" first) with a valid sum.
  static bool IsValidBootStatus(std::span<const std::uint8_t> reply);

  static constexpr int kBootStatusLength = 8;
  static constexpr std::uint8_t kBootMark = 0x3A;  // ':'
};

}  // namespace zo::link
