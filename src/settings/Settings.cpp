#include "settings/Settings.h"

#include <algorithm>

namespace zo::settings {

namespace {

constexpr int kMinTimeBase = 1;
constexpr int kMinLowerArea = 50;
constexpr int kTwoLowBits = 3;
constexpr int kMinFontSize = 8;
constexpr int kMaxFontSize = 16;
constexpr int kLanguages = 5;
constexpr int kArrangements = 3;
constexpr int kDefaultArrangement = 1;

}  // namespace

WindowBounds WindowBounds::Limited() const {
  return {std::max(top, 0), std::max(left, 0), std::max(width, kMinWidth),
          std::max(height, kMinHeight)};
}

void Settings::ApplyLimits() {
  trackX = std::max(trackX, kMinTimeBase);
  wGrid = std::max(wGrid, kMinLowerArea);
  if (bounds) bounds = bounds->Limited();
  scale &= kTwoLowBits;
  vertical &= kTwoLowBits;
  if (fontSize < kMinFontSize || fontSize > kMaxFontSize) fontSize = kMinFontSize;
  if (lang < 0 || lang >= kLanguages) lang = 0;
  if (w0State < 0 || w0State >= kArrangements) w0State = kDefaultArrangement;
}

}  // namespace zo::settings
