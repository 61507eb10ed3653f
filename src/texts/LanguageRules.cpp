#include "texts/LanguageRules.h"

#include <algorithm>

namespace zo::texts {

namespace {

constexpr int kSmallestFont = 8;
constexpr int kLargestFont = 16;
constexpr int kFontStep = 2;

constexpr std::array<std::string_view, 4> kSerifFamilies{"Liberation Serif", "DejaVu Serif",
                                                         "Nimbus Roman", "serif"};
constexpr std::array<std::string_view, 4> kSansFamilies{"DejaVu Sans", "Liberation Sans",
                                                        "Nimbus Sans", "sans-serif"};
constexpr std::array<std::string_view, 4> kFixedMenuCaptions{"polski", "deutsch", "english",
                                                             "lietuviskas"};

}  // namespace

int LanguageRules::Normalised(int language) {
  return language >= 0 && language < kLanguageCount ? language : kPolish;
}

int LanguageRules::NextLanguage(int language) {
  return (Normalised(language) + 1) % kLanguageCount;
}

int LanguageRules::NormalisedFontSize(int points) {
  return points < kSmallestFont || points > kLargestFont ? kSmallestFont : points;
}

int LanguageRules::NextFontSize(int points) {
  // Compared before adding, so a huge size from the settings cannot overflow.
  return points > kLargestFont - kFontStep ? kSmallestFont : NormalisedFontSize(points + kFontStep);
}

std::optional<int> LanguageRules::CheckedFontItem(int points) {
  const bool listed =
      std::find(kFontMenuSizes.begin(), kFontMenuSizes.end(), points) != kFontMenuSizes.end();
  return listed ? std::optional<int>(points) : std::nullopt;
}

int LanguageRules::CharSet(int language) {
  return Normalised(language) == kRussian ? kRussianCharSet : kDefaultCharSet;
}

std::optional<std::string_view> LanguageRules::FixedMenuCaption(int language) {
  if (language < 0 || language >= kRussian) return std::nullopt;
  return kFixedMenuCaptions[static_cast<std::size_t>(language)];
}

std::span<const std::string_view> LanguageRules::IndicatorFontFamilies(int language) {
  if (Normalised(language) == kRussian) return kSerifFamilies;
  return kSansFamilies;
}

std::span<const std::string_view> LanguageRules::CyrillicLabelFamilies(int language) {
  if (Normalised(language) == kRussian) return kSansFamilies;
  return {};
}

}  // namespace zo::texts
