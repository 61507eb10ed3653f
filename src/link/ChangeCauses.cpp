#include "ChangeCauses.h"

namespace zo::link {

namespace {

bool InImage(int byte) {
  return byte >= 0 && byte < kImageSize;
}

}  // namespace

void ChangeCauses::Mark(int byte, std::uint8_t value, ChangeCause cause,
                        std::optional<std::uint8_t> before) {
  if (InImage(byte))
    marks_[static_cast<std::size_t>(byte)] = Entry{true, value, before, cause, ++lastAction_};
}

void ChangeCauses::MarkAlong(int byte, std::uint8_t value, ChangeCause cause) {
  if (InImage(byte))
    marks_[static_cast<std::size_t>(byte)] = Entry{true, value, std::nullopt, cause, lastAction_};
}

void ChangeCauses::MarkChanged(const ImageArea& working, const ImageArea& controller,
                               ChangeCause cause) {
  const std::uint32_t action = ++lastAction_;
  for (std::size_t i = 0; i < marks_.size(); ++i) {
    const Entry& entry = marks_[i];
    if (working[i] != controller[i] && !(entry.marked && entry.value == working[i]))
      marks_[i] = Entry{true, working[i], std::nullopt, cause, action};
  }
}

ChangeCauses::Confirmation ChangeCauses::Of(int byte, std::uint8_t value,
                                            std::uint8_t controllerHeld) const {
  if (!InImage(byte)) return {ChangeCause::GridEdit, controllerHeld};
  const Entry& entry = marks_[static_cast<std::size_t>(byte)];
  if (entry.marked && entry.value == value)
    return {entry.cause, entry.before.value_or(controllerHeld), entry.action};
  return {ChangeCause::GridEdit, controllerHeld};
}

}  // namespace zo::link
