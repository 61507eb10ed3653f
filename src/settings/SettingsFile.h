// The user's settings in their file: loaded once at start and saved once at
// exit (see SettingsStore for what is read and written, RegFile for how the
// file is kept). Saving writes over what the file holds at that moment, so
// values the program does not write this time (`AutoScan`, the bounds of a
// maximised window, names it does not know) keep their stored values.
#pragma once

#include <filesystem>
#include <string>

#include "settings/RegFile.h"
#include "settings/Settings.h"

namespace zo::settings {

class SettingsFile {
 public:
  explicit SettingsFile(std::filesystem::path path) : file_(std::move(path)) {}

  // The stored settings with their limits applied; the defaults when there is
  // no file or it cannot be read (a first start shows no message).
  [[nodiscard]] Settings Load(const std::string& programFolder) const;

  // Saves `settings`; empty when saved, else the reason for the user to see.
  // A file that exists but cannot be read is not replaced, so values this
  // program does not write are never lost unseen.
  [[nodiscard]] std::string Save(const Settings& settings, const std::string& programFolder,
                                 bool controllerIdentified) const;

 private:
  RegFile file_;
};

}  // namespace zo::settings
