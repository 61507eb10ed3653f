#include "app/rules/ManualChoice.h"

#include <array>
#include <string>

#include "texts/LanguageRules.h"
#include "texts/TextIds.h"

namespace zo::app {

namespace fs = std::filesystem;

namespace {

// The manuals by controller family (VelaXL, then the others) and by the
// language of the document: German, English, Polish. The English names are
// written with a capital I in "instaIlation", as the shipped files are.
constexpr std::array<std::array<std::string_view, 3>, 2> kManuals{{
    {"Vela-XL.pdf", "VELA-XL instaIlation & programming manual.pdf",
     "Vela-XL instrukcja podłączenia i programowania.pdf"},
    {"Vela-50,100,150.pdf", "VELA-50,100,150 instaIlation & programming manual.pdf",
     "Vela-50,100,150 instrukcja podłączenia i programowania.pdf"},
}};

std::size_t DocumentLanguage(int language) {
  if (language == texts::kGerman) return 0;
  if (language == texts::kEnglish) return 1;
  return 2;
}

}  // namespace

std::string_view ManualChoice::FileName(int modelCode, int language) {
  const std::size_t family = modelCode == kXlModelCode ? 0 : 1;
  return kManuals[family][DocumentLanguage(language)];
}

ManualPlace ManualChoice::Locate(std::string_view name, std::span<const fs::path> folders,
                                 const Probe& probe) {
  using Action = ManualPlace::Action;
  const fs::path file{name};
  // A file anywhere beats a folder shown, so an installed manual is opened
  // even when the build tree has an empty "Doc" folder.
  for (const fs::path& folder : folders) {
    for (const fs::path& candidate : {folder / kDocFolder / file, folder / file}) {
      if (probe(candidate) == PathKind::File) return {Action::OpenFile, candidate};
    }
  }
  for (const fs::path& folder : folders) {
    if (probe(folder / kDocFolder) == PathKind::Folder)
      return {Action::ShowFolder, folder / kDocFolder};
  }
  if (!folders.empty() && probe(folders.front()) == PathKind::Folder)
    return {Action::ShowFolder, folders.front()};
  return {};
}

std::optional<texts::UserText> ManualChoice::Open(int modelCode, int language,
                                                  std::span<const fs::path> folders,
                                                  const Probe& probe, const Opener& open) {
  const std::string_view name = FileName(modelCode, language);
  const ManualPlace place = Locate(name, folders, probe);
  fs::path folder = place.path;
  switch (place.action) {
    case ManualPlace::Action::OpenFile:
      if (open(place.path)) return std::nullopt;
      folder = place.path.parent_path();
      break;
    case ManualPlace::Action::ShowFolder:
      if (open(place.path)) return std::nullopt;
      break;
    case ManualPlace::Action::NothingFound:
      if (!folders.empty()) folder = folders.front() / kDocFolder;
      break;
  }
  return texts::UserText{texts::TextPiece::Literal(std::string(name) + "\n"),
                         texts::TextPiece::Id(txt::kManualNotOpened),
                         texts::TextPiece::Literal("\n" + folder.string())};
}

}  // namespace zo::app
