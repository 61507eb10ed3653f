#include "settings/SettingsFile.h"

#include <optional>

#include "settings/SettingsStore.h"

namespace zo::settings {

Settings SettingsFile::Load(const std::string& programFolder) const {
  RegLoad loaded = file_.Load();
  std::optional<RegKey> key;
  if (loaded.status == RegLoad::Status::Loaded) key = std::move(loaded.key);
  return SettingsStore::Read(key, programFolder);
}

std::string SettingsFile::Save(const Settings& settings, const std::string& programFolder,
                               bool controllerIdentified) const {
  RegLoad current = file_.Load();
  if (current.status == RegLoad::Status::Unreadable) return current.error;
  SettingsStore::Write(settings, programFolder, controllerIdentified, current.key);
  return file_.Save(current.key);
}

}  // namespace zo::settings
