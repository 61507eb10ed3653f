#include "UploadBlocks.h"

#include <utility>

namespace zo::firmware {

namespace {

std::uint8_t ByteAt(std::span<const std::uint8_t> image, std::size_t index) {
  return index < image.size() ? image[index] : 0;
}

std::uint8_t Low(std::uint32_t value, int shift) {
  return static_cast<std::uint8_t>((value >> shift) & 0xFFu);
}

}  // namespace

UploadPlan UploadBlocks::Plan(std::span<const std::uint8_t> image, std::size_t length,
                              std::uint16_t pageWords) {
  UploadPlan plan;
  plan.pageWords = pageWords;
  plan.blocksPerPage = static_cast<std::uint32_t>(pageWords * 2u / kBlockSize);
  plan.totalBlocks = static_cast<std::uint32_t>(length / kBlockSize) + plan.blocksPerPage;
  const std::size_t covered =
      plan.totalBlocks == 0 ? 0 : static_cast<std::size_t>(plan.totalBlocks - 1) * kBlockSize;
  for (std::size_t i = 0; i < covered; ++i) {
    const std::uint8_t byte = ByteAt(image, i);
    plan.sum += byte;
    plan.exclusiveOr = static_cast<std::uint8_t>(plan.exclusiveOr ^ byte);
  }
  return plan;
}

BlockFrame UploadBlocks::Header(const UploadPlan& plan, const BootIdentity& boot,
                                std::uint8_t transferKey) {
  BlockFrame h{};
  h[0] = 0x07;
  h[4] = boot.model;
  h[5] = boot.version;
  h[6] = Low(boot.pageWords, 8);
  h[7] = Low(boot.pageWords, 0);
  h[8] = boot.parameter;
  h[9] = Low(plan.totalBlocks, 8);
  h[10] = Low(plan.totalBlocks, 0);
  h[11] = Low(plan.blocksPerPage, 0);
  h[13] = Low(plan.sum, 16);
  h[14] = plan.exclusiveOr;
  h[15] = Low(plan.sum, 0);
  h[16] = Low(plan.sum, 8);
  h[17] = transferKey;
  h[18] = 0xFF;
  return h;
}

BlockFrame UploadBlocks::DataBlock(std::span<const std::uint8_t> image, std::uint32_t blockNumber,
                                   std::uint32_t pageNumber, std::uint32_t blocksPerPage,
                                   std::uint8_t blockKey) {
  BlockFrame f{};
  f[0] = 0x07;
  f[1] = 0x01;
  f[2] = Low(blockNumber - pageNumber * blocksPerPage, 0);
  const std::size_t first = static_cast<std::size_t>(blockNumber) * kBlockSize;
  for (std::size_t i = 0; i < kBlockSize; ++i)
    f[3 + i] = ByteAt(image, first + i);
  Scramble(f, blockKey);
  return f;
}

void UploadBlocks::Scramble(BlockFrame& f, std::uint8_t blockKey) {
  std::swap(f[5], f[8]);
  std::swap(f[10], f[13]);
  std::uint8_t k = blockKey;
  for (std::size_t i = 3; i <= 18; ++i) {
    const std::uint8_t plain = f[i];
    f[i] = static_cast<std::uint8_t>(plain ^ k);
    k = plain;
  }
  std::swap(f[3], f[7]);
  std::swap(f[4], f[9]);
}

}  // namespace zo::firmware
