#include "PlausibilityCheck.h"

#include <algorithm>
#include <array>

#include "ImageLayout.h"
#include "texts/TextIds.h"

namespace zo::model {

namespace {

using M = link::ImageMap;

int At(const link::ImageArea& image, int index) {
  return ImageLayout::Byte(image, index);
}

bool LambdaThresholdValid(int type, int threshold) {
  switch (type) {
    case 0:
      return threshold >= 10 && threshold <= 40;  // 0.20..0.80 V
    case 1:
    case 2:
      return threshold >= 50 && threshold <= 200;  // 1.00..4.00 V
    case 3:
      return threshold >= 50 && threshold <= 70;  // 1.00..1.40 V
    default:
      return true;  // no sensor, or a type without limits
  }
}

}  // namespace

texts::UserText PlausibilityCheck::Message(const link::ImageArea& image) {
  if (!LambdaThresholdValid(At(image, M::kLambdaType), At(image, M::kLambdaThreshold)))
    return {texts::TextPiece::Id(txt::kImproperLambdaThreshold)};
  texts::UserText message;
  const bool ordered = At(image, M::kMinPosition) < At(image, M::kPosition900) &&
                       At(image, M::kPosition900) < At(image, M::kPosition3000) &&
                       At(image, M::kPosition3000) < At(image, M::kMaxPosition);
  if (!ordered) message.push_back(texts::TextPiece::Id(txt::kImproperPositions));
  if (At(image, M::kSwitchOverRpm) >= At(image, M::kMaxGasRpm))
    message.push_back(texts::TextPiece::Id(txt::kImproperSpeeds));
  return message;
}

bool PlausibilityCheck::IsChecked(int byte) {
  constexpr std::array<int, 10> kChecked{
      M::kLambdaType,       M::kMaxPosition,     M::kMinPosition,   M::kRpmRegulation,
      M::kLambdaRegulation, M::kLambdaThreshold, M::kSwitchOverRpm, M::kMaxGasRpm,
      M::kPosition900,      M::kPosition3000};
  return std::find(kChecked.begin(), kChecked.end(), byte) != kChecked.end();
}

}  // namespace zo::model
