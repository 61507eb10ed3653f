// The ring of the last 3600 live samples (six minutes at 100 ms) and the slot
// the current live-data cycle fills.
#pragma once

#include <array>
#include <cstdint>

namespace zo::link {

inline constexpr int kSampleSize = 16;
inline constexpr int kHistoryLength = 3600;
using HistorySample = std::array<std::uint8_t, kSampleSize>;

class SampleHistory {
 public:
  SampleHistory() { Clear(); }

  [[nodiscard]] int WriteIndex() const { return writeIndex_; }
  HistorySample& Current() { return slots_[static_cast<std::size_t>(writeIndex_)]; }
  [[nodiscard]] const HistorySample& At(int index) const;
  HistorySample& At(int index);

  // Moves the write index on by one; returns true when it wrapped to 0.
  // The caller clears the new slot once anything that saves the old ring ran.
  bool Advance();
  void ClearCurrent() { Current().fill(0); }
  void SetWriteIndex(int index);
  void Clear();

 private:
  std::array<HistorySample, kHistoryLength> slots_{};
  int writeIndex_ = 0;
};

}  // namespace zo::link
