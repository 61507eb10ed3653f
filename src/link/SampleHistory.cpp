#include "SampleHistory.h"

#include <algorithm>

namespace zo::link {

namespace {
std::size_t Slot(int index) {
  return static_cast<std::size_t>(std::clamp(index, 0, kHistoryLength - 1));
}
}  // namespace

const HistorySample& SampleHistory::At(int index) const {
  return slots_[Slot(index)];
}
HistorySample& SampleHistory::At(int index) {
  return slots_[Slot(index)];
}

bool SampleHistory::Advance() {
  ++writeIndex_;
  if (writeIndex_ >= kHistoryLength) {
    writeIndex_ = 0;
    return true;
  }
  return false;
}

void SampleHistory::SetWriteIndex(int index) {
  writeIndex_ = static_cast<int>(Slot(index));
}

void SampleHistory::Clear() {
  for (auto& s : slots_)
    s.fill(0);
  writeIndex_ = 0;
}

}  // namespace zo::link
