#include "RequestFramer.h"

#include <span>

#include "WireSum.h"

namespace lpgsim {

std::size_t RequestFramer::RequestLength(std::uint8_t command, bool bootLoader) {
  if (bootLoader) {
    switch (command) {
      case 0x07:  // programming header or data block
        return 20;
      case 0x55:  // parameter reads, answered with the boot status
      case 0x56:
        return 3;
      case 0x3A:  // ":up" again
        return 4;
      default:
        return 0;
    }
  }
  switch (command) {
    case 0x33:  // live data
    case 0xAC:  // configuration data
    case 0xCA:  // processor inputs
      return 2;
    case 0x55:  // parameter read
    case 0x56:
    case 0x5A:  // RAM watch
    case 0xC5:  // memory page
    case 0x5C:  // EEPROM row
    case 0x35:  // switch request
      return 3;
    case 0xAA:  // parameter write
    case 0x3A:  // ":up", boot loader start
      return 4;
    default:
      return 0;
  }
}

std::optional<std::vector<std::uint8_t>> RequestFramer::Push(std::uint8_t byte,
                                                             std::chrono::microseconds now,
                                                             bool bootLoader) {
  if (!pending_.empty() && now - lastByte_ > kMaxGap) {
    ++timeouts_;
    pending_.clear();
  }
  lastByte_ = now;
  pending_.push_back(byte);
  return Scan(bootLoader);
}

std::optional<std::vector<std::uint8_t>> RequestFramer::Scan(bool bootLoader) {
  while (!pending_.empty()) {
    const std::size_t length = RequestLength(pending_.front(), bootLoader);
    if (length == 0) {
      ++skippedBytes_;
      pending_.erase(pending_.begin());
      continue;
    }
    if (pending_.size() < length) return std::nullopt;
    const std::span<const std::uint8_t> candidate(pending_.data(), length);
    if (WireSum(candidate.first(length - 1)) == candidate[length - 1]) {
      std::vector<std::uint8_t> frame(candidate.begin(), candidate.end());
      pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(length));
      return frame;
    }
    // Not a frame after all: the real one may start at a later byte.
    ++badSums_;
    ++skippedBytes_;
    pending_.erase(pending_.begin());
  }
  return std::nullopt;
}

}  // namespace lpgsim
