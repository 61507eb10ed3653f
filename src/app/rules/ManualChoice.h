// The Documentation command: which controller manual belongs to the model
// and the language, where it lies, and what the user is told when it cannot
// be shown. Plain C++: the file system is asked through a probe and the
// desktop through an opener, both handed in by the window.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "texts/UserText.h"

namespace zo::app {

// What a path names, as the probe reports it.
enum class PathKind { Missing, File, Folder };

// The outcome of the search: the manual file to open, the folder to show
// instead, or nothing at all.
struct ManualPlace {
  enum class Action { OpenFile, ShowFolder, NothingFound };
  Action action = Action::NothingFound;
  std::filesystem::path path;
  bool operator==(const ManualPlace&) const = default;
};

class ManualChoice {
 public:
  static constexpr int kXlModelCode = 80;  // image model code of a VelaXL
  static constexpr std::string_view kDocFolder = "Doc";

  using Probe = std::function<PathKind(const std::filesystem::path&)>;
  // Hands a file or folder to the desktop; false when nothing took it.
  using Opener = std::function<bool(const std::filesystem::path&)>;

  // The manual's file name for the model code (from the image; any other value
  // or none gives the Vela50,100,150 manual) and the language index: German,
  // English, and the Polish manual for Polish, Lithuanian and Russian.
  [[nodiscard]] static std::string_view FileName(int modelCode, int language);

  // Searches `folders` in order (the program's folder first): the file in
  // each folder's "Doc" folder, then beside it; else the first "Doc" folder
  // to show; else the program's folder itself.
  [[nodiscard]] static ManualPlace Locate(std::string_view name,
                                          std::span<const std::filesystem::path> folders,
                                          const Probe& probe);

  // OpenManual(): opens the manual or shows its folder. Returns the message
  // to show when the desktop took neither or nothing was found: the manual's
  // name, txt::kManualNotOpened and the folder where the manuals are.
  [[nodiscard]] static std::optional<texts::UserText> Open(
      int modelCode, int language, std::span<const std::filesystem::path> folders,
      const Probe& probe, const Opener& open);
};

}  // namespace zo::app
