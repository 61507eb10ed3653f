// The Documentation command: the manual of the model and language, the places
// searched in order, the message when the desktop cannot show it, and the six
// manuals the build writes beside the executable.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <vector>

#include "app/rules/ManualChoice.h"
#include "texts/LanguageRules.h"
#include "texts/TextIds.h"

namespace zo::app {
namespace {

namespace fs = std::filesystem;
using Action = ManualPlace::Action;

constexpr std::string_view kXlPolish = "Vela-XL instrukcja podłączenia i programowania.pdf";
constexpr std::string_view kVelaEnglish = "VELA-50,100,150 instaIlation & programming manual.pdf";

TEST(ManualChoiceTest, NamesTheManualOfTheModelInTheDocumentLanguage) {
  EXPECT_EQ(ManualChoice::FileName(80, texts::kGerman), "Vela-XL.pdf");
  EXPECT_EQ(ManualChoice::FileName(80, texts::kEnglish),
            "VELA-XL instaIlation & programming manual.pdf");
  for (const int language : {texts::kPolish, texts::kLithuanian, texts::kRussian}) {
    EXPECT_EQ(ManualChoice::FileName(80, language), kXlPolish);
    EXPECT_EQ(ManualChoice::FileName(150, language),
              "Vela-50,100,150 instrukcja podłączenia i programowania.pdf");
  }
  // Any other model, or none read (a cleared image), takes the Vela50,100,150 manual.
  for (const int model : {50, 101, 0, 255, -1}) {
    EXPECT_EQ(ManualChoice::FileName(model, texts::kGerman), "Vela-50,100,150.pdf");
    EXPECT_EQ(ManualChoice::FileName(model, texts::kEnglish), kVelaEnglish);
  }
}

TEST(ManualChoiceTest, FileInDocThenBesideThenDocFolderThenProgramFolder) {
  const std::vector<fs::path> folders{"/build/bin", "/usr/share/zolpgwin"};
  std::map<fs::path, PathKind> present;
  const auto probe = [&present](const fs::path& p) {
    const auto it = present.find(p);
    return it == present.end() ? PathKind::Missing : it->second;
  };
  const auto locate = [&] { return ManualChoice::Locate(kVelaEnglish, folders, probe); };
  const fs::path name{kVelaEnglish};

  EXPECT_EQ(locate(), ManualPlace{});
  present["/build/bin"] = PathKind::Folder;
  EXPECT_EQ(locate(), (ManualPlace{Action::ShowFolder, "/build/bin"}));
  present["/usr/share/zolpgwin/Doc"] = PathKind::Folder;
  EXPECT_EQ(locate(), (ManualPlace{Action::ShowFolder, "/usr/share/zolpgwin/Doc"}));
  present["/build/bin/Doc"] = PathKind::Folder;
  EXPECT_EQ(locate(), (ManualPlace{Action::ShowFolder, "/build/bin/Doc"}));
  // A file anywhere beats a folder; a folder of the manual's name is no file.
  present["/build/bin/Doc" / name] = PathKind::Folder;
  present["/usr/share/zolpgwin/Doc" / name] = PathKind::File;
  EXPECT_EQ(locate(), (ManualPlace{Action::OpenFile, "/usr/share/zolpgwin/Doc" / name}));
  present["/build/bin" / name] = PathKind::File;
  EXPECT_EQ(locate(), (ManualPlace{Action::OpenFile, "/build/bin" / name}));
  present["/build/bin/Doc" / name] = PathKind::File;
  EXPECT_EQ(locate(), (ManualPlace{Action::OpenFile, "/build/bin/Doc" / name}));
}

TEST(ManualChoiceTest, TellsWhereTheManualsAreWhenTheDesktopShowsNothing) {
  const std::vector<fs::path> folders{"/opt/zo/bin"};
  const fs::path file = fs::path("/opt/zo/bin/Doc") / kXlPolish;
  const auto probe = [&file](const fs::path& p) {
    return p == file ? PathKind::File : PathKind::Missing;
  };
  std::vector<fs::path> opened;
  bool accepts = true;
  const auto open = [&](const fs::path& p) {
    opened.push_back(p);
    return accepts;
  };

  EXPECT_EQ(ManualChoice::Open(80, texts::kRussian, folders, probe, open), std::nullopt);
  accepts = false;
  const auto message = ManualChoice::Open(80, texts::kLithuanian, folders, probe, open);
  EXPECT_EQ(opened, (std::vector<fs::path>{file, file}));
  EXPECT_EQ(message, (texts::UserText{texts::TextPiece::Literal(std::string(kXlPolish) + "\n"),
                                      texts::TextPiece::Id(zo::txt::kManualNotOpened),
                                      texts::TextPiece::Literal("\n/opt/zo/bin/Doc")}));

  // Nothing at all to open or show: the message, and nothing handed over.
  const auto nothing = ManualChoice::Open(
      80, texts::kLithuanian, folders, [](const fs::path&) { return PathKind::Missing; }, open);
  ASSERT_TRUE(nothing.has_value());
  EXPECT_EQ(nothing->back().literal, "\n/opt/zo/bin/Doc");
  EXPECT_EQ(opened.size(), 2u);
}

TEST(ManualChoiceTest, TheBuildWritesEveryManualAsPdfIntoDoc) {
  for (const int model : {80, 150}) {
    for (const int language : {texts::kGerman, texts::kEnglish, texts::kPolish}) {
      const fs::path file = fs::path(ZO_DOC_OUTPUT_DIR) / ManualChoice::FileName(model, language);
      std::ifstream in(file, std::ios::binary);
      char head[5] = {};
      in.read(head, 4);
      EXPECT_EQ(std::string(head), "%PDF") << file;
      EXPECT_GT(fs::file_size(file), 4000u) << file;
    }
  }
}

}  // namespace
}  // namespace zo::app
