#include "PlausibilityCheck.h"

#include <algorithm>
#include <array>

#include "ImageLayout.h"

namespace zo::model {

namespace {

constexpr int kLambdaType = 34;
constexpr int kMaxPosition = 41;
constexpr int kMinPosition = 42;
constexpr int kSwitchRpm = 62;
constexpr int kMaxGasRpm = 63;
constexpr int kPosition900 = 64;
constexpr int kPosition3000 = 65;
constexpr int kLambdaThreshold = 58;

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

link::UserText PlausibilityCheck::Message(const link::ImageArea& image) {
  if (!LambdaThresholdValid(At(image, kLambdaType), At(image, kLambdaThreshold)))
    return {link::TextPiece::Id(kLambdaThresholdText)};
  link::UserText message;
  const bool ordered = At(image, kMinPosition) < At(image, kPosition900) &&
                       At(image, kPosition900) < At(image, kPosition3000) &&
                       At(image, kPosition3000) < At(image, kMaxPosition);
  if (!ordered) message.push_back(link::TextPiece::Id(kPositionsText));
  if (At(image, kSwitchRpm) >= At(image, kMaxGasRpm))
    message.push_back(link::TextPiece::Id(kSpeedsText));
  return message;
}

bool PlausibilityCheck::IsChecked(int byte) {
  constexpr std::array<int, 10> kChecked{34, 41, 42, 52, 53, 58, 62, 63, 64, 65};
  return std::find(kChecked.begin(), kChecked.end(), byte) != kChecked.end();
}

}  // namespace zo::model
