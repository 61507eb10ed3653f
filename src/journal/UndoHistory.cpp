#include "journal/UndoHistory.h"

#include <algorithm>

#include "journal/ControllerKey.h"
#include "link/ImageMap.h"
#include "link/LinkTypes.h"

namespace zo::journal {

namespace {

// The parameters start after the model, version, flags and presence bits.
constexpr int kFirstParameter = link::ImageMap::kCoilType;

}  // namespace

void UndoHistory::Clear() {
  steps_.clear();
  done_ = 0;
}

void UndoHistory::Confirmed(const Change& change, std::uint32_t action) {
  if (change.cause == ChangeCause::Undo || change.cause == ChangeCause::Redo) return;
  if (IsControllerOwned(change.byte) || change.oldValue == change.newValue) return;
  const Byte byte{change.byte, change.oldValue, change.newValue};
  if (action != 0 && done_ == steps_.size() && done_ > 0 && steps_.back().action == action) {
    steps_.back().bytes.push_back(byte);
    return;
  }
  steps_.resize(done_);
  steps_.push_back(Step{action, {byte}});
  done_ = steps_.size();
}

std::vector<ByteWrite> UndoHistory::Undo() {
  if (done_ == 0) return {};
  const Step& step = steps_[--done_];
  std::vector<ByteWrite> writes;
  for (std::size_t i = step.bytes.size(); i-- > 0;)
    writes.push_back(ByteWrite{step.bytes[i].byte, step.bytes[i].before});
  return writes;
}

std::vector<ByteWrite> UndoHistory::Redo() {
  if (done_ == steps_.size()) return {};
  const Step& step = steps_[done_++];
  std::vector<ByteWrite> writes;
  for (const Byte& byte : step.bytes)
    writes.push_back(ByteWrite{byte.byte, byte.after});
  return writes;
}

void Replay(std::span<std::uint8_t> image, const std::vector<Change>& changes) {
  for (const Change& change : changes)
    if (change.byte >= 0 && static_cast<std::size_t>(change.byte) < image.size())
      image[static_cast<std::size_t>(change.byte)] = change.newValue;
}

std::vector<ByteWrite> BackToConnect(std::span<const std::uint8_t> atConnect,
                                     std::span<const std::uint8_t> current) {
  std::vector<ByteWrite> writes;
  const auto end = static_cast<int>(
      std::min({atConnect.size(), current.size(), static_cast<std::size_t>(link::kImageSize)}));
  for (int i = kFirstParameter; i < end; ++i) {
    const auto at = static_cast<std::size_t>(i);
    if (atConnect[at] != current[at] && !IsControllerOwned(i))
      writes.push_back(ByteWrite{i, atConnect[at]});
  }
  return writes;
}

}  // namespace zo::journal
