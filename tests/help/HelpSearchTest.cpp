// The help window's rules on the program's own help texts: the caption, the
// Polish help by controller family, the help files as the pane shows them
// and the context search that follows the grid's selected parameter.
#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "help/HelpFile.h"
#include "help/HelpRules.h"
#include "help/HelpSearch.h"
#include "texts/LanguageRules.h"
#include "texts/TextCatalogue.h"
#include "texts/Utf8.h"

namespace zo::help {
namespace {

using texts::kEnglish;
using texts::kLithuanian;
using texts::kRussian;

link::ImageArea Controller(std::uint8_t model, std::uint8_t variant = 255) {
  link::ImageArea image = link::BlankImage();
  image[link::ImageMap::kModel] = model;
  image[link::ImageMap::kVariant] = variant;
  return image;
}

std::string PolishHelp(std::uint8_t model) {
  return HelpRules::PolishContent(HelpRules::Family(Controller(model)),
                                  &texts::TextCatalogue::HelpLine);
}

std::string HelpFileText(int language) {
  const std::vector<std::filesystem::path> folders{ZO_HELP_OUTPUT_DIR};
  return HelpFile::Load(texts::TextCatalogue(language, 10).HelpFileName(), folders).value_or("");
}

// Where the pane finds `what` from character `from` on, as the toolkit counts.
std::size_t PaneIndex(const std::string& text, const char* what, std::size_t from = 0) {
  const auto index =
      QString::fromStdString(text).indexOf(QString::fromUtf8(what), static_cast<qsizetype>(from));
  return index < 0 ? std::string::npos : static_cast<std::size_t>(index);
}

TEST(HelpRules, CaptionIsTheHelpFileNameInCapitalsBeforeItsDot) {
  EXPECT_EQ(HelpRules::Caption(texts::TextCatalogue(texts::kLithuanian, 10).HelpFileName()),
            "PAGALBA");
  // Small Russian fonts indent the shown texts; the file name stays as it is.
  EXPECT_EQ(HelpRules::Caption(texts::TextCatalogue(texts::kRussian, 8).HelpFileName()), "ПОМОЩЬ");
}

TEST(HelpRules, PolishHelpIsTheIdentifiedFamilysBlockOfLines) {
  const std::string vela = PolishHelp(151);
  EXPECT_TRUE(vela.starts_with(std::string(texts::TextCatalogue::HelpLine(9000)) + '\n'));
  EXPECT_EQ(std::count(vela.begin(), vela.end(), '\n'), 140);
  const std::string xl = PolishHelp(80);
  EXPECT_TRUE(xl.starts_with(std::string(texts::TextCatalogue::HelpLine(10000)) + '\n'));
  EXPECT_EQ(std::count(xl.begin(), xl.end(), '\n'), 57);
  EXPECT_EQ(PolishHelp(52), "");
  EXPECT_EQ(HelpRules::Family(Controller(100, 0)), HelpFamily::None) << "not identified";

  // Lines are cut at 127 characters, and 200 lines end the block.
  const std::string longLine(64, 'x');
  const std::string tooLong = "ż" + longLine + longLine;
  const std::string cut = HelpRules::PolishContent(
      HelpFamily::Vela, [&tooLong](int) { return std::string_view(tooLong); });
  EXPECT_EQ(std::count(cut.begin(), cut.end(), '\n'), 200);
  EXPECT_EQ(cut.substr(0, cut.find('\n')), "ż" + longLine + longLine.substr(2));
}

TEST(HelpRules, WindowStandsBesideATallSignalListElseBelowTheTopPanel) {
  EXPECT_EQ(HelpRules::Place({100, 50, 120, 230, 300, 68, 500}),
            (HelpPlacement{110, 200, 230, 300}));
  EXPECT_EQ(HelpRules::Place({100, 50, 120, 230, 239, 68, 500}),
            (HelpPlacement{110, 148, 230, 432}));
  EXPECT_EQ(HelpRules::Place({100, 50, 120, 230, 239, 68, 500, 480}).height, 332) << "screen end";
}

TEST(HelpFile, PaneTextIsUtf8WithOneLineFeedPerLine) {
  EXPECT_EQ(HelpFile::PaneText("\xEF\xBB\xBF"
                               "A\r\nB\rC\n"),
            "A\nB\nC\n");
  EXPECT_EQ(HelpFile::PaneText("K\xF6hler"), "Köhler") << "a legacy single-byte file";
  EXPECT_EQ(
      HelpFile::PaneText("{\\rtf1\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\\uc1\\u1046?\\'e6\\par}"),
      "Жж\n");
}

TEST(HelpSearch, UpperCaseCoversTheLettersOfEveryLanguage) {
  EXPECT_EQ(texts::Utf8::Upper("aąćęłńóśźż äöüß ėįšųūčž абвгдеёжзийклмнопрстуфхцчшщъыьэюя 1-V"),
            "AĄĆĘŁŃÓŚŹŻ ÄÖÜß ĖĮŠŲŪČŽ АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ 1-V");
}

TEST(HelpSearch, VariantsOfAParameterAreSearchedByTheirCommonName) {
  EXPECT_EQ(HelpSearch::SearchName("    Prędkość aktuatora powyżej progu TPS"),
            "PRĘDKOŚĆ AKTUATORA");
  EXPECT_EQ(HelpSearch::SearchName("Prędkość aktuatora poniżej progu TPS"), "PRĘDKOŚĆ AKTUATORA");
  EXPECT_EQ(HelpSearch::SearchName("  Obroty (obciążenie)"), "OBROTY");
}

TEST(HelpSearch, IndentedParameterIsFoundAfterItsGroupHeading) {
  const std::string help = PolishHelp(100);
  const std::vector<std::string> rows{"Parametr", "Typ sondy", "  Regulacja od sondy",
                                      "    Próg sondy", "    Prędkość aktuatora powyżej progu TPS"};
  const HelpFound found = HelpSearch(help, false).Find(rows, 4);
  const std::size_t heading = PaneIndex(help, "REGULACJA OD SONDY");
  ASSERT_NE(heading, std::string::npos);
  EXPECT_EQ(found.heading, (TextSpan{heading, 18}));
  // The first speed of all belongs to the TPS group further up.
  EXPECT_LT(PaneIndex(help, "PRĘDKOŚĆ AKTUATORA"), heading);
  EXPECT_EQ(found.name, (TextSpan{PaneIndex(help, "PRĘDKOŚĆ AKTUATORA", heading), 18}));

  // A name that the heading's words contain is found after the heading.
  const std::string russian = HelpFileText(texts::kRussian);
  const texts::TextCatalogue ru(texts::kRussian, 10);
  const std::vector<std::string> sensor{"", ru.Text(440), ru.Text(453, 2)};  // ТИП ЗОНДА, ЗОНД
  const HelpFound inGroup = HelpSearch(russian, false).Find(sensor, 2);
  ASSERT_TRUE(inGroup.heading && inGroup.name);
  EXPECT_EQ(inGroup.name->start, PaneIndex(russian, "ЗОНД - "));

  // An option heading ends the walk up as well.
  const std::vector<std::string> option{"Parametr", "  Regulacja od sondy", "    Próg sondy",
                                        "  Opcja turbo", "    Aktuator na pozycję"};
  const std::size_t turbo = PaneIndex(help, "OPCJA TURBO");
  ASSERT_NE(turbo, std::string::npos);
  EXPECT_EQ(HelpSearch(help, false).Find(option, 4).heading, (TextSpan{turbo, 11}));

  // A row outside any group is searched from the start; no selection, nothing.
  const HelpFound plain = HelpSearch(help, false).Find(rows, 1);
  EXPECT_FALSE(plain.heading);
  EXPECT_EQ(plain.name, (TextSpan{PaneIndex(help, "TYP SONDY"), 9}));
  EXPECT_FALSE(HelpSearch(help, false).Find(rows, 0).name);
}

TEST(HelpSearch, XlControllerIsFoundInItsPartOfEachHelpFile) {
  for (const int language : {texts::kEnglish, texts::kRussian}) {
    const std::string help = HelpFileText(language);
    ASSERT_EQ(help.find('\\'), std::string::npos) << "rich text read as plain text";
    const std::size_t xlPart = PaneIndex(help, "VelaXL");
    ASSERT_NE(xlPart, std::string::npos);
    const std::vector<std::string> rows{"",
                                        texts::TextCatalogue(language, 10).Text(413)};  // coil type
    const auto vela = HelpSearch(help, false).Find(rows, 1).name;
    const auto xl = HelpSearch(help, true).Find(rows, 1).name;
    ASSERT_TRUE(vela && xl) << "language " << language;
    EXPECT_LT(vela->start, xlPart);
    EXPECT_GT(xl->start, xlPart);
    EXPECT_EQ(QString::fromStdString(help).mid(static_cast<qsizetype>(xl->start), 4),
              QString::fromStdString(texts::Utf8::Upper(rows[1])).left(4));
  }
}

}  // namespace
}  // namespace zo::help
