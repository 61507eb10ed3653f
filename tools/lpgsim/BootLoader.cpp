#include "BootLoader.h"

#include <utility>

#include "WireSum.h"
#include "firmware/FirmwareKeys.h"

namespace lpgsim {

BootLoader::BootLoader(const SimConfig& config)
    : pageWords_(config.bootPageWords),
      parameter_(config.bootParameter),
      lastState_(config.lastProgrammingState) {}

std::vector<std::uint8_t> BootLoader::StatusReply(std::uint8_t model, std::uint8_t version) const {
  std::vector<std::uint8_t> r = {0x3A,
                                 model,
                                 version,
                                 static_cast<std::uint8_t>(pageWords_ >> 8),
                                 static_cast<std::uint8_t>(pageWords_ & 0xFFu),
                                 parameter_,
                                 lastState_,
                                 0};
  r[7] = WireSum(std::span(r).first(7));
  return r;
}

std::optional<std::vector<std::uint8_t>> BootLoader::Handle(std::span<const std::uint8_t> frame,
                                                            std::uint8_t model,
                                                            std::uint8_t version) {
  if (frame.size() != kFrameSize || frame[0] != 0x07) return std::nullopt;
  if (frame[1] == 0x00) return Header(frame, model, version);
  if (frame[1] == 0x01 && outcome_ == Outcome::Programming) return DataBlock(frame);
  return std::nullopt;
}

void BootLoader::Descramble(std::span<std::uint8_t, kFrameSize> frame, std::uint8_t key) {
  // The sender swapped bytes 5/8 and 10/13, chained each byte with the
  // previous plain byte (the first with the key) and swapped 3/7 and 4/9.
  std::swap(frame[3], frame[7]);
  std::swap(frame[4], frame[9]);
  std::uint8_t k = key;
  for (std::size_t i = 3; i <= 18; ++i) {
    frame[i] = static_cast<std::uint8_t>(frame[i] ^ k);
    k = frame[i];
  }
  std::swap(frame[5], frame[8]);
  std::swap(frame[10], frame[13]);
}

std::vector<std::uint8_t> BootLoader::Header(std::span<const std::uint8_t> frame,
                                             std::uint8_t model, std::uint8_t version) {
  const auto pageWords = static_cast<std::uint16_t>(frame[6] << 8 | frame[7]);
  const auto total = static_cast<std::uint32_t>(frame[9] << 8 | frame[10]);
  const bool matches = frame[4] == model && frame[5] == version && pageWords == pageWords_ &&
                       frame[8] == parameter_ && frame[11] == BlocksPerPage() && total > 0;
  if (!matches) return Fail(1);

  outcome_ = Outcome::Programming;
  lastState_ = 0;  // not finished until the last block is in
  totalBlocks_ = total;
  nextBlock_ = 0;
  expectedSum_ = static_cast<std::uint32_t>(frame[13]) << 16 |
                 static_cast<std::uint32_t>(frame[16]) << 8 | frame[15];
  expectedXor_ = frame[14];
  transferKey_ = frame[17];
  blockKey_ = zo::firmware::BlockKey(transferKey_);
  flash_.assign(static_cast<std::size_t>(total) * 16u, 0xFF);
  return Reply(kStateSendBlock, 0);
}

std::vector<std::uint8_t> BootLoader::DataBlock(std::span<const std::uint8_t> frame) {
  std::array<std::uint8_t, kFrameSize> plain{};
  std::copy(frame.begin(), frame.end(), plain.begin());
  Descramble(plain, blockKey_);

  const std::uint32_t perPage = BlocksPerPage() == 0 ? 1 : BlocksPerPage();
  const auto inPage =
      static_cast<std::uint8_t>((nextBlock_ - nextBlock_ / perPage * perPage) & 0xFFu);
  // A block other than the one asked for is asked for again.
  if (plain[2] != inPage) return Reply(kStateSendBlock, nextBlock_);

  std::copy(plain.begin() + 3, plain.begin() + 19,
            flash_.begin() + static_cast<std::ptrdiff_t>(nextBlock_) * 16);
  ++nextBlock_;
  if (nextBlock_ < totalBlocks_) return Reply(kStateSendBlock, nextBlock_);

  // All blocks in: the sum and exclusive-or cover every block but the last.
  std::uint32_t sum = 0;
  std::uint8_t x = 0;
  for (std::size_t i = 0; i < static_cast<std::size_t>(totalBlocks_ - 1) * 16u; ++i) {
    sum += flash_[i];
    x = static_cast<std::uint8_t>(x ^ flash_[i]);
  }
  if ((sum & 0xFFFFFFu) != expectedSum_ || x != expectedXor_) {
    outcome_ = Outcome::Failed;
    lastState_ = 2;
    return Reply(kStateEnded | kErrorBit, totalBlocks_ - 1);
  }
  outcome_ = Outcome::Succeeded;
  return Reply(kStateEnded, totalBlocks_ - 1);
}

std::vector<std::uint8_t> BootLoader::Fail(std::uint8_t lastState) {
  outcome_ = Outcome::Failed;
  lastState_ = lastState;
  return Reply(kStateEnded | kErrorBit, 0);
}

std::vector<std::uint8_t> BootLoader::Reply(std::uint8_t state, std::uint32_t block) const {
  const std::uint32_t perPage = BlocksPerPage() == 0 ? 1 : BlocksPerPage();
  const std::uint32_t page = block / perPage;
  std::vector<std::uint8_t> r = {0x07,
                                 0x01,
                                 state,
                                 static_cast<std::uint8_t>((page >> 8) & 0xFFu),
                                 static_cast<std::uint8_t>(page & 0xFFu),
                                 static_cast<std::uint8_t>((block >> 8) & 0xFFu),
                                 static_cast<std::uint8_t>(block & 0xFFu),
                                 0};
  r[7] = WireSum(std::span(r).first(7));
  return r;
}

}  // namespace lpgsim
