// Where this user's settings file, the single-instance lock file and the
// change journals live, after the XDG base-directory rules: the settings in
// $XDG_CONFIG_HOME/Zo (~/.config/Zo when it is not set), the lock in
// $XDG_RUNTIME_DIR, or beside the settings when there is no runtime folder,
// the journals in $XDG_DATA_HOME/Zo/journal (~/.local/share/Zo/journal). A variable that is empty
// or not an absolute path counts as not set.
#pragma once

#include <filesystem>
#include <string>

namespace zo::platform {

class UserFolders {
 public:
  UserFolders(std::string xdgConfigHome, std::string home, std::string xdgRuntimeDir,
              std::string xdgDataHome = {});
  // From this process's environment; without HOME, the user's home folder
  // from the user database.
  [[nodiscard]] static UserFolders FromEnvironment();

  // The user's home folder (empty when unknown).
  [[nodiscard]] const std::filesystem::path& Home() const { return home_; }
  // The program's configuration folder; empty when no folder can be found.
  [[nodiscard]] std::filesystem::path ConfigFolder() const;
  // The settings file VAD2.reg in the configuration folder (empty if none).
  [[nodiscard]] std::filesystem::path SettingsPath() const;
  // The single-instance lock file ZoLpgWin.lock (empty if no folder).
  [[nodiscard]] std::filesystem::path LockPath() const;
  // The folder of the controllers' change journals (empty if none).
  [[nodiscard]] std::filesystem::path JournalFolder() const;

 private:
  std::filesystem::path xdgConfigHome_;
  std::filesystem::path home_;
  std::filesystem::path xdgRuntimeDir_;
  std::filesystem::path xdgDataHome_;
};

}  // namespace zo::platform
