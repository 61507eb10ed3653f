// Every language holds every text: the data files parse cleanly, each id of
// the Polish block exists with a non-empty text in all five languages, and the
// translations keep the Polish text's leading and trailing spaces and line
// breaks (dialogs and hints rely on them for their layout).
#include <gtest/gtest.h>

#include <algorithm>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CatalogueData.h"
#include "CatalogueFile.h"
#include "LanguageRules.h"
#include "QuotedTexts.h"

namespace zo::app {
namespace {

constexpr std::array kBase{KeyRange{100, 999}};
constexpr std::array kHelp{KeyRange{9000, 9139}, KeyRange{10000, 10056}};

std::string ReadDataFile(const std::string& name) {
  std::ifstream in(std::string(ZO_CATALOGUE_DIR) + "/" + name, std::ios::binary);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

struct Shape {
  std::size_t leadingSpaces = 0;
  std::size_t trailingSpaces = 0;
  std::size_t lineFeeds = 0;
  std::size_t returns = 0;
  std::size_t tabs = 0;
  bool operator==(const Shape&) const = default;
};

Shape ShapeOf(std::string_view text) {
  Shape shape;
  const std::size_t first = text.find_first_not_of(' ');
  shape.leadingSpaces = first == std::string_view::npos ? text.size() : first;
  if (first != std::string_view::npos) {
    shape.trailingSpaces = text.size() - 1 - text.find_last_not_of(' ');
  }
  for (const char c : text) {
    shape.lineFeeds += c == '\n';
    shape.returns += c == '\r';
    shape.tabs += c == '\t';
  }
  return shape;
}

std::string Describe(const Shape& s) {
  return "leading " + std::to_string(s.leadingSpaces) + ", trailing " +
         std::to_string(s.trailingSpaces) + ", LF " + std::to_string(s.lineFeeds) + ", CR " +
         std::to_string(s.returns) + ", TAB " + std::to_string(s.tabs);
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

TEST(CatalogueData, AllDataFilesParseCleanly) {
  for (const char* name : {"pl.txt", "de.txt", "en.txt", "lt.txt", "ru.txt"}) {
    const auto result = CatalogueFile::Parse(ReadDataFile(name), kBase);
    EXPECT_TRUE(result.errors.empty()) << name << ": " << result.errors.front();
    EXPECT_FALSE(result.entries.empty()) << name << " is missing or empty";
  }
  const auto help = CatalogueFile::Parse(ReadDataFile("help_pl.txt"), kHelp);
  EXPECT_TRUE(help.errors.empty()) << "help_pl.txt: " << help.errors.front();
}

// Texts the Linux program adds beyond the quoted catalogue (advice after a
// failed port open) live above the last quoted id.
constexpr int kFirstAddedId = 967;

TEST(CatalogueData, PolishAndEnglishHoldTheSameIdsAsTheQuotedWording) {
  for (const int language : {kPolish, kEnglish}) {
    const auto block = CatalogueBlock(language);
    std::vector<int> ids;
    for (const auto& e : block) {
      if (e.key % 1000 >= kFirstAddedId) continue;
      ids.push_back(e.key);
      EXPECT_FALSE(e.text.empty()) << "language " << language << ", id " << e.key;
    }
    std::vector<int> quoted;
    for (const auto& q : test::kQuotedTexts)
      quoted.push_back(q.id);
    EXPECT_EQ(ids, quoted) << "language " << language;
  }
}

// Words that German spells exactly as English or Polish does: the natural
// German text, not a text left untranslated.
bool SpelledAlike(int language, int key) {
  static constexpr int kGermanAlike[] = {115, 124, 148, 202, 212, 300, 388, 460, 473};
  return language == kGerman &&
         std::find(std::begin(kGermanAlike), std::end(kGermanAlike), key) != std::end(kGermanAlike);
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
    EXPECT_EQ(ShapeOf(text), ShapeOf(pl.text))
        << "language " << language << ", id " << pl.key << ": " << Describe(ShapeOf(text))
        << " where Polish has " << Describe(ShapeOf(pl.text));

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
                           switch (param.param) {
                             case kGerman:
                               return std::string("German");
                             case kLithuanian:
                               return std::string("Lithuanian");
                             default:
                               return std::string("Russian");
                           }
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

class RussianMenuItem : public testing::TestWithParam<int> {};

// The Russian language item reads "russian" in every other language.
TEST_P(RussianMenuItem, ReadsRussianInTheOtherLanguages) {
  const int language = GetParam();
  EXPECT_EQ(TextOf(CatalogueBlock(language), 959), "russian");
}

INSTANTIATE_TEST_SUITE_P(Languages, RussianMenuItem,
                         testing::Values(kPolish, kGerman, kEnglish, kLithuanian));

}  // namespace
}  // namespace zo::app
