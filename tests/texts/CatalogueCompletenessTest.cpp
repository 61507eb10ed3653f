// Every language holds every text: each id of the Polish block exists with a
// non-empty text in all five languages, and the translations keep the Polish text's leading and
// trailing spaces and line breaks (dialogs and hints rely on them for their layout).
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <string>

#include "texts/CatalogueData.h"
#include "texts/LanguageRules.h"

namespace zo::texts {
namespace {

// What a translation must keep of the Polish text: its leading and trailing
// spaces and its line feeds, carriage returns and tabs, in order.
std::string ShapeOf(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::to_string(text.size()) + " spaces";
  std::string shape = "leading " + std::to_string(first) + ", trailing " +
                      std::to_string(text.size() - 1 - text.find_last_not_of(' ')) + ",";
  for (const char c : text) {
    if (c == '\n') shape += " LF";
    if (c == '\r') shape += " CR";
    if (c == '\t') shape += " TAB";
  }
  return shape;
}

bool HasCyrillic(std::string_view text) {
  // U+0400..U+04FF are encoded with the lead bytes 0xD0..0xD3.
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0xD0 && byte <= 0xD3) return true;
  }
  return false;
}

std::string_view TextOf(std::span<const CatalogueEntry> block, int id) {
  for (const auto& e : block) {
    if (e.key == id) return e.text;
  }
  return {};
}

// Words that German spells exactly as English or Polish does: the natural
// German text, not a text left untranslated.
bool SpelledAlike(int language, int key) {
  static constexpr int kGermanAlike[] = {115, 124, 148, 202, 212, 300, 388, 460, 473};
  return language == kGerman &&
         std::find(std::begin(kGermanAlike), std::end(kGermanAlike), key) != std::end(kGermanAlike);
}

// Every id the program names (the header of names, read as text) has a text
// in every language.
TEST(CatalogueData, EveryNamedIdHasATextInEveryLanguage) {
  std::ifstream header(ZO_TEXT_IDS_HEADER);
  ASSERT_TRUE(header) << ZO_TEXT_IDS_HEADER;
  const std::regex named(R"((k\w+) = (\d+),)");
  int count = 0;
  for (std::string line; std::getline(header, line);) {
    std::smatch m;
    if (!std::regex_search(line, m, named)) continue;
    ++count;
    for (int language = 0; language < kLanguageCount; ++language)
      EXPECT_FALSE(TextOf(CatalogueBlock(language), std::stoi(m[2])).empty())
          << m[1] << " in language " << language;
  }
  EXPECT_GT(count, 0);
}

class TranslatedBlock : public testing::TestWithParam<int> {};

// German, Lithuanian and Russian are translated from the Polish block.
TEST_P(TranslatedBlock, HoldsEveryPolishIdWithThePolishShape) {
  const int language = GetParam();
  const auto polish = CatalogueBlock(kPolish);
  const auto english = CatalogueBlock(kEnglish);
  const auto block = CatalogueBlock(language);
  // A text missing from a translation is a failure, never a skip.
  for (const auto& pl : polish) {
    const std::string_view text = TextOf(block, pl.key);
    ASSERT_FALSE(text.empty()) << "language " << language << " lacks id " << pl.key;
    EXPECT_EQ(ShapeOf(text), ShapeOf(pl.text)) << "language " << language << ", id " << pl.key;

    // Not left in another language: only texts that Polish and English share
    // (codes, units, proper nouns such as "TPS", "0-5V", "OK") may stay as
    // they are.
    const std::string_view en = TextOf(english, pl.key);
    if (pl.text != en && !SpelledAlike(language, pl.key)) {
      EXPECT_NE(text, pl.text) << "language " << language << ", id " << pl.key << " is Polish";
      EXPECT_NE(text, en) << "language " << language << ", id " << pl.key << " is English";
    }
    // Russian words are Cyrillic; the language code is the one exception.
    if (language == kRussian && pl.text != en && pl.key != 101) {
      EXPECT_TRUE(HasCyrillic(text)) << "Russian id " << pl.key << " has no Cyrillic letter";
    }
  }
  EXPECT_EQ(block.size(), polish.size()) << "language " << language << " has ids Polish lacks";
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslatedBlock,
                         testing::Values(kGerman, kLithuanian, kRussian),
                         [](const testing::TestParamInfo<int>& param) {
                           return std::string(param.param == kGerman       ? "German"
                                              : param.param == kLithuanian ? "Lithuanian"
                                                                           : "Russian");
                         });

// Each translation names a thing with one word throughout, the word its help
// text uses: the stepper motor, the rich and lean mixture, the actuator's
// residual opening (a setting, not a fault) and the ohm; the port button's
// hint names the port as the Port menu does.
TEST(CatalogueData, TranslationsAvoidWordsOutsideTheirGlossary) {
  struct Avoided {
    int language;
    std::string_view word;
  };
  for (const auto& [language, word] :
       {Avoided{kGerman, "Aktuator"}, Avoided{kGerman, "Leckage"}, Avoided{kLithuanian, "turting"},
        Avoided{kLithuanian, "nesandar"}, Avoided{kLithuanian, "Ω"}, Avoided{kRussian, "богатая"},
        Avoided{kRussian, "бедная"}, Avoided{kRussian, "азгерметиз"}}) {
    for (const auto& e : CatalogueBlock(language)) {
      EXPECT_EQ(e.text.find(word), std::string_view::npos)
          << "language " << language << ", id " << e.key << ": " << e.text;
    }
  }
  for (int language = 0; language < kLanguageCount; ++language) {
    std::string menu(TextOf(CatalogueBlock(language), 148));
    menu.erase(std::remove(menu.begin(), menu.end(), '&'), menu.end());
    EXPECT_EQ(TextOf(CatalogueBlock(language), 934), menu) << "language " << language;
  }
}

}  // namespace
}  // namespace zo::texts
