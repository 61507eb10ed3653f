// The arithmetic of one upload: how the boot loader's page size divides the
// image into 16-byte blocks, the sum and exclusive-or it checks, the
// programming header and each scrambled data block (frame bytes 0..18; the
// link adds the check sum).
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace zo::firmware {

using BlockFrame = std::array<std::uint8_t, 19>;

struct UploadPlan {
  std::uint16_t pageWords = 0;
  std::uint32_t blocksPerPage = 0;
  std::uint32_t totalBlocks = 0;
  std::uint32_t sum = 0;  // of every block but the last
  std::uint8_t exclusiveOr = 0;
};

// What the boot loader told in its status reply.
struct BootIdentity {
  std::uint8_t model = 0;
  std::uint8_t version = 0;
  std::uint16_t pageWords = 0;
  std::uint8_t parameter = 0;
};

class UploadBlocks {
 public:
  static constexpr std::size_t kBlockSize = 16;

  // `image` is the whole image buffer; bytes past its end count as zero (the
  // last page is padding and may reach beyond it).
  static UploadPlan Plan(std::span<const std::uint8_t> image, std::size_t length,
                         std::uint16_t pageWords);
  static BlockFrame Header(const UploadPlan& plan, const BootIdentity& boot,
                           std::uint8_t transferKey);
  static BlockFrame DataBlock(std::span<const std::uint8_t> image, std::uint32_t blockNumber,
                              std::uint32_t pageNumber, std::uint32_t blocksPerPage,
                              std::uint8_t blockKey);
  // Scrambles frame bytes 3..18 with the block key.
  static void Scramble(BlockFrame& frame, std::uint8_t blockKey);
};

}  // namespace zo::firmware
