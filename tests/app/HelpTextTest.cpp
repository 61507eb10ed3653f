// The help texts: the help files of German, English, Lithuanian and Russian
// lie beside the executable, and every help text names each parameter of the
// Parameters grid in capitals, exactly as the grid shows it in that language,
// so the help window's case-matching context search lands on its description.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "CatalogueFile.h"
#include "LanguageRules.h"
#include "TextCatalogue.h"
#include "Utf8Case.h"

namespace zo::app {
namespace {

using test::Append;
using test::Upper;

// Text ids of the names in the first column of the Parameters grid, in the
// order of the grid (the names that occur in several groups listed once).
constexpr std::array kGridNames{402, 404, 405, 413, 414, 425, 436, 530, 531, 532, 533, 534, 510,
                                511, 512, 513, 520, 521, 522, 523, 519, 570, 575, 576, 577, 578,
                                440, 453, 540, 544, 545, 546, 547, 451, 459, 460, 470, 471, 472,
                                473, 548, 549, 490, 480, 479, 475, 483, 953, 481, 482, 485, 484,
                                505, 506, 507, 508, 592, 956, 495, 504, 500, 501, 502, 503};

// The text of a rich-text file with its \uN escapes turned into characters;
// control words and groups are kept, which does not disturb a search for
// plain words.
std::string RichTextCharacters(std::string_view rtf) {
  std::string out;
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    if (rtf.compare(i, 2, "\\u") == 0 && i + 2 < rtf.size() &&
        (rtf[i + 2] == '-' || (rtf[i + 2] >= '0' && rtf[i + 2] <= '9'))) {
      std::size_t end = i + 3;
      while (end < rtf.size() && rtf[end] >= '0' && rtf[end] <= '9')
        ++end;
      int value = std::stoi(std::string(rtf.substr(i + 2, end - i - 2)));
      if (value < 0) value += 65536;
      Append(out, static_cast<char32_t>(value));
      i = end < rtf.size() && rtf[end] == '?' ? end : end - 1;  // skip the fallback character
    } else {
      out.push_back(rtf[i]);
    }
  }
  return out;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

std::string PolishHelpBlock(int first, int last) {
  std::string block;
  for (int key = first; key <= last; ++key) {
    block += TextCatalogue::HelpLine(key);
    block += '\n';
  }
  return block;
}

std::filesystem::path HelpFileBesideTheProgram(int language) {
  const auto name = TextCatalogue(language, 10).HelpFileName();
  return std::filesystem::path(ZO_HELP_OUTPUT_DIR) / std::filesystem::path(name);
}

TEST(HelpFiles, EveryOtherLanguageHasItsFileBesideTheProgram) {
  for (const int language : {kGerman, kEnglish, kLithuanian, kRussian}) {
    const auto path = HelpFileBesideTheProgram(language);
    ASSERT_TRUE(std::filesystem::is_regular_file(path)) << path;
    EXPECT_GT(std::filesystem::file_size(path), 10000u) << path;
  }
  EXPECT_EQ(ReadFile(HelpFileBesideTheProgram(kRussian)).rfind("{\\rtf1", 0), 0u)
      << "the Russian help is a rich-text document";
}

TEST(HelpText, PolishHelpNamesEveryGridParameterInCapitals) {
  const TextCatalogue polish(kPolish, 10);
  const std::string family = PolishHelpBlock(9000, 9139);
  const std::string xl = PolishHelpBlock(10000, 10056);
  for (const int id : kGridNames) {
    const std::string name = Upper(polish.Text(id));
    ASSERT_FALSE(name.empty()) << "text " << id;
    EXPECT_NE(family.find(name), std::string::npos) << name << " (text " << id << "), 9000 block";
    EXPECT_NE(xl.find(name), std::string::npos) << name << " (text " << id << "), 10000 block";
  }
  EXPECT_EQ(Upper("Prędkość aktuatora"), "PRĘDKOŚĆ AKTUATORA");
  EXPECT_EQ(Upper("Zubożanie źródła"), "ZUBOŻANIE ŹRÓDŁA");
}

TEST(HelpText, EveryHelpFileNamesEveryGridParameterInItsLanguage) {
  for (const int language : {kGerman, kEnglish, kLithuanian, kRussian}) {
    const TextCatalogue texts(language, 10);
    std::string help = ReadFile(HelpFileBesideTheProgram(language));
    if (language == kRussian) help = RichTextCharacters(help);
    for (const int id : kGridNames) {
      const std::string name = Upper(texts.Text(id));
      ASSERT_FALSE(name.empty()) << "language " << language << ", text " << id;
      EXPECT_NE(help.find(name), std::string::npos)
          << "language " << language << ": " << name << " (text " << id << ")";
    }
  }
  EXPECT_EQ(Upper("Регулировка по зонду"), "РЕГУЛИРОВКА ПО ЗОНДУ");
  EXPECT_EQ(Upper("Šalto paleidimo praturtinimas"), "ŠALTO PALEIDIMO PRATURTINIMAS");
}

}  // namespace
}  // namespace zo::app
