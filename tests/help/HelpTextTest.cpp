// The help texts: the help files of German, English, Lithuanian and Russian
// lie beside the executable, and every help text names each parameter of the
// Parameters grid in capitals, exactly as the grid shows it in that language,
// so the help window's case-matching context search lands on its description.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QString>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "texts/LanguageRules.h"
#include "texts/TextCatalogue.h"

namespace zo::help {
namespace {

using texts::kEnglish;
using texts::kGerman;
using texts::kLithuanian;
using texts::kPolish;
using texts::kRussian;

// Upper case as the toolkit makes it.
std::string Upper(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))
      .toUpper()
      .toStdString();
}

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
std::string RichTextCharacters(const std::string& rtf) {
  static const QRegularExpression escape(QStringLiteral("\\\\u(-?\\d+)\\??"));
  QString text = QString::fromLatin1(rtf);
  for (auto m = escape.match(text); m.hasMatch(); m = escape.match(text, m.capturedStart() + 1)) {
    const int value = m.captured(1).toInt();
    text.replace(m.capturedStart(), m.capturedLength(),
                 QChar(static_cast<char16_t>(value < 0 ? value + 65536 : value)));
  }
  return text.toStdString();
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
    block += texts::TextCatalogue::HelpLine(key);
    block += '\n';
  }
  return block;
}

std::filesystem::path HelpFileBesideTheProgram(int language) {
  const auto name = texts::TextCatalogue(language, 10).HelpFileName();
  return std::filesystem::path(ZO_HELP_OUTPUT_DIR) / std::filesystem::path(name);
}

TEST(HelpText, PolishHelpNamesEveryGridParameterInCapitals) {
  const texts::TextCatalogue polish(texts::kPolish, 10);
  const std::string family = PolishHelpBlock(9000, 9139);
  const std::string xl = PolishHelpBlock(10000, 10056);
  for (const int id : kGridNames) {
    const std::string name = Upper(polish.Text(id));
    ASSERT_FALSE(name.empty()) << "text " << id;
    EXPECT_NE(family.find(name), std::string::npos) << name << " (text " << id << "), 9000 block";
    EXPECT_NE(xl.find(name), std::string::npos) << name << " (text " << id << "), 10000 block";
  }
}

TEST(HelpText, EveryHelpFileNamesEveryGridParameterInItsLanguage) {
  for (const int language :
       {texts::kGerman, texts::kEnglish, texts::kLithuanian, texts::kRussian}) {
    // The files lie beside the program; the Russian one is a rich-text
    // document.
    const texts::TextCatalogue texts(language, 10);
    std::string help = ReadFile(HelpFileBesideTheProgram(language));
    ASSERT_GT(help.size(), 10000u) << texts.HelpFileName();
    if (language == texts::kRussian) {
      EXPECT_EQ(help.rfind("{\\rtf1", 0), 0u);
      help = RichTextCharacters(help);
    }
    for (const int id : kGridNames) {
      const std::string name = Upper(texts.Text(id));
      ASSERT_FALSE(name.empty()) << "language " << language << ", text " << id;
      EXPECT_NE(help.find(name), std::string::npos)
          << "language " << language << ": " << name << " (text " << id << ")";
    }
  }
}

}  // namespace
}  // namespace zo::help
