// The lookup rules of the text catalogue: language offset, indents, the extra
// space for Russian at small fonts, missing keys, help lines and the
// composition of the link's messages.
#include <gtest/gtest.h>

#include <QString>

#include <string>
#include <vector>

#include "app/QuotedTexts.h"
#include "texts/CatalogueData.h"
#include "texts/LanguageRules.h"
#include "texts/TextCatalogue.h"

namespace zo::texts {
namespace {

TEST(QuotedWording, EveryPolishAndEnglishTextIsShownExactlyAsQuoted) {
  const TextCatalogue polish(kPolish, 10);
  const TextCatalogue english(kEnglish, 10);
  for (const auto& quoted : app::test::kQuotedTexts) {
    EXPECT_EQ(polish.Text(quoted.id), quoted.polish) << "text " << quoted.id;
    EXPECT_EQ(english.Text(quoted.id), quoted.english) << "text " << quoted.id;
  }
}

TEST(Lookup, EveryPolishIdHasATextInEveryLanguage) {
  const auto polish = CatalogueBlock(kPolish);
  ASSERT_FALSE(polish.empty());
  for (int language = 0; language < kLanguageCount; ++language) {
    const TextCatalogue catalogue(language, 10);
    for (const CatalogueEntry& e : polish)
      EXPECT_FALSE(catalogue.Text(e.key).empty()) << "language " << language << ", id " << e.key;
  }
}

TEST(Lookup, EachLanguageRangeHoldsItsFirstAndLastIdAndNothingBeside) {
  // 100 and 976 are the first and last ids of every block.
  for (int language = 0; language < kLanguageCount; ++language) {
    const int offset = 1000 * language;
    EXPECT_FALSE(TextCatalogue::Key(offset + 100).empty()) << "language " << language;
    EXPECT_FALSE(TextCatalogue::Key(offset + 976).empty()) << "language " << language;
    EXPECT_TRUE(TextCatalogue::Key(offset + 99).empty()) << "language " << language;
    EXPECT_TRUE(TextCatalogue::Key(offset + 1000).empty()) << "language " << language;
  }
  EXPECT_EQ(TextCatalogue::Key(4100), "русский");
}

TEST(Lookup, IndentsZeroToFourAndClampedOutside) {
  const TextCatalogue catalogue(kPolish, 10);
  for (int indent = 0; indent <= 4; ++indent) {
    EXPECT_EQ(catalogue.Text(110, indent),
              std::string(static_cast<std::size_t>(indent), ' ') + "Parametry");
  }
  EXPECT_EQ(catalogue.Text(110, -3), "Parametry");
  EXPECT_EQ(catalogue.Text(110, 9), "    Parametry");
}

TEST(Lookup, RussianGetsOneMoreSpaceBelowTenPoints) {
  TextCatalogue catalogue(kRussian, 8);
  EXPECT_EQ(catalogue.Text(101, 2), "   RU");
  EXPECT_EQ(catalogue.Text(101, 0), " RU");
  catalogue.SetFontSize(10);
  EXPECT_EQ(catalogue.Text(101, 2), "  RU");
  catalogue.SetFontSize(20);  // above 16 becomes 8 as in the Font menu
  EXPECT_EQ(catalogue.Text(101, 0), " RU");
  EXPECT_EQ(TextCatalogue(kEnglish, 8).Text(101, 2), "  GB");
}

TEST(Lookup, MissingKeyYieldsTheIndentAlone) {
  const TextCatalogue polish(kPolish, 10);
  EXPECT_EQ(polish.Text(116), "");  // a gap between the id ranges
  EXPECT_EQ(polish.Text(116, 3), "   ");
  EXPECT_EQ(polish.Text(-5, 1), " ");
  EXPECT_EQ(polish.Text(2147483647, 2), "  ");  // no overflow of the key
  const TextCatalogue russian(kRussian, 8);
  EXPECT_EQ(russian.Text(116, 2), "   ");
}

TEST(Lookup, LanguageOutsideTheFiveBecomesPolish) {
  TextCatalogue catalogue(kEnglish, 10);
  catalogue.SetLanguage(7);
  EXPECT_EQ(catalogue.Language(), kPolish);
  EXPECT_EQ(catalogue.Text(110), "Parametry");
}

TEST(LanguageMenu, AcceleratorsOfOneMenuLevelDiffer) {
  // The menu bar, then the items of the File, Help and indicator menus, and
  // of the Port menu with either caption of its connect entry beside its
  // check and trace entries (the ports' own entries carry digits; Font and
  // Language items carry no accelerator).
  const std::vector<std::vector<int>> levels{
      {146, 148, 149, 153, 154}, {120, 121, 305, 126, 127, 984, 985, 986, 845, 846, 147},
      {155, 156, 157, 960},      {211, 210, 216, 219, 950, 951, 955},
      {140, 800, 830},           {954, 800, 830}};
  for (int language = 0; language < kLanguageCount; ++language) {
    const TextCatalogue catalogue(language, 10);
    for (const auto& level : levels) {
      QString keys;
      for (const int id : level) {
        const QString caption = QString::fromStdString(catalogue.Text(id));
        const qsizetype amp = caption.indexOf('&');
        if (amp < 0 || amp + 1 >= caption.size()) continue;
        const QChar key = caption.at(amp + 1).toUpper();
        EXPECT_FALSE(keys.contains(key))
            << "language " << language << ": Alt+" << QString(key).toStdString()
            << " twice, the second in " << caption.toStdString();
        keys += key;
      }
    }
  }
}

TEST(LanguageMenu, ItemsKeepTheirOwnNamesAndOnlyRussianIsTranslated) {
  for (int language = 0; language < kLanguageCount; ++language) {
    const TextCatalogue catalogue(language, 10);
    EXPECT_EQ(catalogue.LanguageMenuCaption(kPolish), "polski");
    EXPECT_EQ(catalogue.LanguageMenuCaption(kGerman), "deutsch");
    EXPECT_EQ(catalogue.LanguageMenuCaption(kEnglish), "english");
    EXPECT_EQ(catalogue.LanguageMenuCaption(kLithuanian), "lietuviskas");
    EXPECT_EQ(catalogue.LanguageMenuCaption(kRussian),
              language == kRussian ? "русский" : "russian");
  }
}

TEST(HelpLines, ReadByRawKeyWhateverTheLanguage) {
  // The help keys lie outside every language block, and a language block's
  // key is never taken for a help line.
  EXPECT_EQ(TextCatalogue::HelpLine(100), "");
  EXPECT_EQ(TextCatalogue::HelpLine(2131), "");
  EXPECT_EQ(TextCatalogue::Key(9000), TextCatalogue::HelpLine(9000));
  EXPECT_EQ(TextCatalogue::Key(10000), TextCatalogue::HelpLine(10000));
}

TEST(HelpLines, BlocksAreContiguousAndFitTheHelpPane) {
  // The help window reads upward from the first key and stops at the first
  // empty line, so a gap would hide the rest of the help.
  for (const auto& [first, last] : {std::pair{9000, 9139}, std::pair{10000, 10056}}) {
    bool ended = false;
    for (int key = first; key <= last; ++key) {
      const std::string_view line = TextCatalogue::HelpLine(key);
      if (line.empty()) {
        ended = true;
        continue;
      }
      EXPECT_FALSE(ended) << "help line " << key << " follows an empty line";
      std::size_t characters = 0;
      for (const char c : line)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
      EXPECT_LE(characters, 127u) << "help line " << key;
    }
  }
}

TEST(Compose, LinkMessagesInTheCurrentLanguage) {
  const UserText status{TextPiece::Id(721), TextPiece::Literal("Com3"), TextPiece::Literal(" - "),
                        TextPiece::Id(723)};
  EXPECT_EQ(TextCatalogue(kPolish, 10).Compose(status), "Otwarcie Com3 -  OK");
  EXPECT_EQ(TextCatalogue(kEnglish, 10).Compose(status), "Opening Com3 -  OK");
}

TEST(Compose, MissingPiecesAddNothingAndRussianPiecesNoIndent) {
  const UserText text{TextPiece::Literal("["), TextPiece::Id(101), TextPiece::Id(116),
                      TextPiece::Literal("]")};
  EXPECT_EQ(TextCatalogue(kRussian, 10).Compose(text), "[RU]");
}

TEST(DisplayLines, EachLineBreakOrPairStartsOneNewLine) {
  EXPECT_EQ(TextCatalogue::DisplayLines("A\n\rB\r\nC\nD\rE"), "A\nB\nC\nD\nE");
  EXPECT_EQ(TextCatalogue::DisplayLines("A\n\nB\r\r\n\n"), "A\n\nB\n\n\n");
}

}  // namespace
}  // namespace zo::texts
