// Where the program finds the files it ships with (the help files, the
// "Firmware" and "Doc" folders): beside the executable first, as in a build
// tree; then <prefix>/share/zolpgwin when the executable sits in <prefix>/bin;
// then the data folder of the installation the program was built for.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zo::platform {

class DataFolders {
 public:
  // `executable` is the program file's path; `installedData` the data folder
  // of the installation (by default the one configured at build time).
  explicit DataFolders(const std::filesystem::path& executable,
                       const std::filesystem::path& installedData = BuiltDataFolder());

  // The installation's data folder as configured at build time.
  [[nodiscard]] static std::filesystem::path BuiltDataFolder();
  // This process's program file, from the system.
  [[nodiscard]] static std::filesystem::path CurrentExecutable();

  // The program's folder: the folder part of the executable's path without a
  // trailing separator (the default of the folder settings, written as `Dir`).
  [[nodiscard]] std::string ProgramFolder() const { return programFolder_.string(); }

  // Where the open and save dialogs start by default: the program's folder in
  // a build tree; `home` when the program is installed (its bin folder has
  // share/zolpgwin beside it) or the user cannot write its folder.
  [[nodiscard]] std::string FileFolder(const std::filesystem::path& home) const;

  // The folders searched, in order, without repeats.
  [[nodiscard]] const std::vector<std::filesystem::path>& Candidates() const { return candidates_; }

  // `name` (a file or folder) in the first folder that holds it; nullopt when
  // none does.
  [[nodiscard]] std::optional<std::filesystem::path> Find(const std::filesystem::path& name) const;

 private:
  void Add(const std::filesystem::path& folder);

  std::filesystem::path programFolder_;
  std::vector<std::filesystem::path> candidates_;
};

}  // namespace zo::platform
