#include "help/HelpRules.h"

#include <algorithm>
#include <array>

#include "link/ImageMap.h"
#include "texts/Utf8.h"

namespace zo::help {

namespace {

constexpr std::array<std::uint8_t, 6> kVelaModels{50, 51, 100, 101, 150, 151};
constexpr std::uint8_t kXlModel = 80;
constexpr std::uint8_t kIdentifiedVariant = 255;
constexpr int kTallSignalList = 240;
constexpr int kBesideMain = 10;
constexpr int kBelowTop = 30;

}  // namespace

HelpFamily HelpRules::Family(const link::ImageArea& image) {
  if (image[link::ImageMap::kVariant] != kIdentifiedVariant) return HelpFamily::None;
  const std::uint8_t model = image[link::ImageMap::kModel];
  if (model == kXlModel) return HelpFamily::Xl;
  return std::ranges::find(kVelaModels, model) != kVelaModels.end() ? HelpFamily::Vela
                                                                    : HelpFamily::None;
}

std::string HelpRules::Caption(std::string_view helpFileName) {
  std::string caption = texts::Utf8::Upper(helpFileName);
  if (const auto dot = caption.find('.'); dot != std::string::npos) caption.erase(dot);
  return caption;
}

HelpPlacement HelpRules::Place(const HelpPlacementInputs& in) {
  HelpPlacement p{in.mainLeft + kBesideMain, 0, in.signalListWidth, 0};
  if (in.signalListHeight >= kTallSignalList) {
    p.top = in.mainTop + in.signalListTop + kBelowTop;
    p.height = in.signalListHeight;
  } else {
    p.top = in.mainTop + in.topPanelHeight + kBelowTop;
    p.height = in.clientHeight - in.topPanelHeight;
  }
  if (p.width <= 0) p.width = kDesignedWidth;
  if (p.height <= 0) p.height = kDesignedHeight;
  if (in.screenBottom > 0 && p.top + p.height > in.screenBottom)
    p.height = std::max(in.screenBottom - p.top, kMinShortenedHeight);
  return p;
}

std::string HelpRules::PolishContent(HelpFamily family,
                                     const std::function<std::string_view(int)>& line) {
  if (family == HelpFamily::None) return {};
  const int first = family == HelpFamily::Xl ? kFirstXlLine : kFirstVelaLine;
  std::string content;
  for (int key = first; key < first + kMaxLines; ++key) {
    const std::string_view text = line(key);
    if (text.empty()) break;
    content += texts::Utf8::First(text, kMaxLineCharacters);
    content += '\n';
  }
  return content;
}

}  // namespace zo::help
