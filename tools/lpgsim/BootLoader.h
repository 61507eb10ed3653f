// The controller's boot loader: its status reply, and the programming session
// that a header opens and the requested 16-byte blocks fill, each block
// scrambled with the key agreed in the header.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "SimConfig.h"

namespace lpgsim {

class BootLoader {
 public:
  enum class Outcome { Idle, Programming, Succeeded, Failed };

  static constexpr std::size_t kFrameSize = 20;
  static constexpr std::size_t kReplySize = 8;
  static constexpr std::uint8_t kStateSendBlock = 3;
  static constexpr std::uint8_t kStateEnded = 5;
  static constexpr std::uint8_t kErrorBit = 0x20;

  explicit BootLoader(const SimConfig& config);

  // The 8-byte status reply: ":", model, version, page size, parameter, state, sum.
  [[nodiscard]] std::vector<std::uint8_t> StatusReply(std::uint8_t model,
                                                      std::uint8_t version) const;

  // A `BootBlock` frame (20 bytes, check sum already verified): the header or
  // a data block. Returns the 8-byte reply, or nothing for a frame it ignores.
  std::optional<std::vector<std::uint8_t>> Handle(std::span<const std::uint8_t> frame,
                                                  std::uint8_t model, std::uint8_t version);

  // Undoes the block scrambling of frame bytes 3..18 with `key`.
  static void Descramble(std::span<std::uint8_t, kFrameSize> frame, std::uint8_t key);

  [[nodiscard]] Outcome Result() const { return outcome_; }
  [[nodiscard]] std::uint8_t LastProgrammingState() const { return lastState_; }
  void SetLastProgrammingState(std::uint8_t state) { lastState_ = state; }
  [[nodiscard]] const std::vector<std::uint8_t>& Flash() const { return flash_; }
  [[nodiscard]] std::uint32_t TotalBlocks() const { return totalBlocks_; }
  [[nodiscard]] std::uint32_t BlocksReceived() const { return nextBlock_; }
  [[nodiscard]] std::uint8_t TransferKey() const { return transferKey_; }
  [[nodiscard]] std::uint16_t PageWords() const { return pageWords_; }
  [[nodiscard]] std::uint32_t BlocksPerPage() const { return pageWords_ * 2u / 16u; }

 private:
  std::vector<std::uint8_t> Header(std::span<const std::uint8_t> frame, std::uint8_t model,
                                   std::uint8_t version);
  std::vector<std::uint8_t> DataBlock(std::span<const std::uint8_t> frame);
  std::vector<std::uint8_t> Reply(std::uint8_t state, std::uint32_t block) const;
  std::vector<std::uint8_t> Fail(std::uint8_t lastState);

  std::uint16_t pageWords_;
  std::uint8_t parameter_;
  std::uint8_t lastState_;

  Outcome outcome_ = Outcome::Idle;
  std::uint32_t totalBlocks_ = 0;
  std::uint32_t nextBlock_ = 0;
  std::uint32_t expectedSum_ = 0;  // 24 bits
  std::uint8_t expectedXor_ = 0;
  std::uint8_t transferKey_ = 0;
  std::uint8_t blockKey_ = 0;
  std::vector<std::uint8_t> flash_;
};

}  // namespace lpgsim
