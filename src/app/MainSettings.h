// The main window's settings: read from the settings file before anything is
// built from them, applied to the window once it exists, taken back from the
// link, the indicators, the oscilloscope and the window's bounds at the end,
// and written to the file last.
#pragma once

#include <filesystem>
#include <string>

#include "app/MainParts.h"

namespace zo::app {

class MainScope;

class MainSettings {
 public:
  // `fileFolder` is where file dialogs start when no folder was chosen yet;
  // empty for the program's own folder.
  MainSettings(const MainParts& parts, MainScope& scope, std::filesystem::path settingsFile,
               const std::filesystem::path& executable, const std::string& fileFolder);

  void Read();
  // Port, RAM-watch address, language, font size, indicator arrangement and
  // slots, window bounds and state.
  void Apply();
  // Port number and RAM-watch address.
  void StoreLink();
  // Indicator arrangement, oscilloscope, window bounds and state.
  void StoreWindow();
  // Reports a failure on the standard error.
  void Save();
  // The settings as the file would hold them if they were saved now.
  [[nodiscard]] std::string Text() const;

 private:
  void StoreWindowBounds();

  const MainParts& p_;
  MainScope& scope_;
  std::filesystem::path settingsFile_;
  std::string fileFolder_;
};

}  // namespace zo::app
