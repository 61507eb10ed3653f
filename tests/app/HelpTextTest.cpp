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

namespace zo::app {
namespace {

// Text ids of the names in the first column of the Parameters grid, in the
// order of the grid (the names that occur in several groups listed once).
constexpr std::array kGridNames{402, 404, 405, 413, 414, 425, 436, 530, 531, 532, 533, 534, 510,
                                511, 512, 513, 520, 521, 522, 523, 519, 570, 575, 576, 577, 578,
                                440, 453, 540, 544, 545, 546, 547, 451, 459, 460, 470, 471, 472,
                                473, 548, 549, 490, 480, 479, 475, 483, 953, 481, 482, 485, 484,
                                505, 506, 507, 508, 592, 956, 495, 504, 500, 501, 502, 503};

std::u32string Decode(std::string_view utf8) {
  std::u32string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    const unsigned leadBits = length == 1 ? lead : lead & (0x7FU >> length);
    char32_t c = leadBits;
    for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3FU);
    out.push_back(c);
    i += length;
  }
  return out;
}

void Append(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Upper case as the toolkit makes it for the letters of the five languages:
// Latin, Latin-1, Latin Extended-A (Polish, Lithuanian) and Cyrillic.
std::string Upper(std::string_view utf8) {
  std::string out;
  for (char32_t c : Decode(utf8)) {
    if (c == U'\u00DF') {
      out += "SS";
      continue;
    }
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) ||
        (c >= 0x430 && c <= 0x44F)) {
      c -= 0x20;
    } else if (c >= 0x450 && c <= 0x45F) {
      c -= 0x50;
    } else if (((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) && (c & 1) != 0) {
      c -= 1;
    } else if (((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) && (c & 1) == 0) {
      c -= 1;
    }
    Append(out, c);
  }
  return out;
}

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
