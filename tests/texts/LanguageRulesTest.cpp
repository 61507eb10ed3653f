// Language and font-size stepping (F11, F12, the menus) and the font choice
// per language.
#include <gtest/gtest.h>

#include <climits>

#include "texts/LanguageRules.h"

namespace zo::texts {
namespace {

TEST(LanguageStepping, F11FivePressesReturnToTheStartingLanguage) {
  for (int start = 0; start < kLanguageCount; ++start) {
    int language = start;
    for (int press = 0; press < 5; ++press)
      language = LanguageRules::NextLanguage(language);
    EXPECT_EQ(language, start);
  }
  EXPECT_EQ(LanguageRules::NextLanguage(kPolish), kGerman);
  EXPECT_EQ(LanguageRules::NextLanguage(kRussian), kPolish);
}

TEST(LanguageStepping, StoredLanguageOutsideTheFiveCountsAsPolish) {
  EXPECT_EQ(LanguageRules::Normalised(5), kPolish);
  EXPECT_EQ(LanguageRules::Normalised(-1), kPolish);
  EXPECT_EQ(LanguageRules::NextLanguage(99), kGerman);
}

TEST(FontStepping, F12StepsByTwoAndWrapsFromSixteenToEight) {
  int size = 8;
  for (const int next : {10, 12, 14, 16, 8}) {
    size = LanguageRules::NextFontSize(size);
    EXPECT_EQ(size, next);
  }
  // Odd sizes from the settings stay until they leave the range.
  EXPECT_EQ(LanguageRules::NextFontSize(9), 11);
  EXPECT_EQ(LanguageRules::NextFontSize(15), 8);
  EXPECT_EQ(LanguageRules::NextFontSize(INT_MAX), 8);
  EXPECT_EQ(LanguageRules::NextFontSize(INT_MIN), 8);
}

TEST(FontStepping, SizesOutsideEightToSixteenBecomeEight) {
  EXPECT_EQ(LanguageRules::NormalisedFontSize(7), 8);
  EXPECT_EQ(LanguageRules::NormalisedFontSize(17), 8);
  EXPECT_EQ(LanguageRules::NormalisedFontSize(16), 16);
  EXPECT_EQ(LanguageRules::NormalisedFontSize(9), 9);
}

TEST(FontStepping, FontMenuChecksOnlyItsOwnSizes) {
  for (const int size : kFontMenuSizes)
    EXPECT_EQ(LanguageRules::CheckedFontItem(size), size);
  EXPECT_EQ(LanguageRules::CheckedFontItem(11), std::nullopt);
}

TEST(Fonts, RussianUsesTheCyrillicCharacterSetAndASerifFace) {
  EXPECT_EQ(LanguageRules::CharSet(kRussian), kRussianCharSet);
  for (int language = kPolish; language < kRussian; ++language)
    EXPECT_EQ(LanguageRules::CharSet(language), kDefaultCharSet);
  EXPECT_EQ(LanguageRules::IndicatorFontFamilies(kRussian).back(), "serif");
  EXPECT_EQ(LanguageRules::IndicatorFontFamilies(kEnglish).back(), "sans-serif");
}

}  // namespace
}  // namespace zo::texts
