// Feeds arbitrary text to the settings file reader as the whole file, reads
// the settings from it and saves them back as the program does at exit. The
// key's text form must read back as the same key, a save must keep every
// value it does not write, and the settings read after a save must be the
// ones that were saved.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "settings/RegKey.h"
#include "settings/SettingsStore.h"

namespace {

using zo::fuzz::Check;
using zo::settings::RegKey;
using zo::settings::Settings;
using zo::settings::SettingsStore;

const std::string kFolder = "/opt/zo";

void CheckNamesUnique(const RegKey& key) {
  const auto& entries = key.Entries();
  for (std::size_t i = 0; i < entries.size(); ++i)
    Check(key.Find(entries[i].first) == &entries[i].second, "one value per name");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const RegKey key = RegKey::Parse(text);
  CheckNamesUnique(key);
  Check(RegKey::Parse(key.Text()) == key, "the text form reads back as the same key");

  const Settings read = SettingsStore::Read(key, kFolder);
  RegKey saved = key;
  SettingsStore::Write(read, kFolder, (size & 1) != 0, saved);
  // Values are replaced in their places; new ones follow.
  Check(saved.Entries().size() >= key.Entries().size(), "a save loses no value");
  for (std::size_t i = 0; i < key.Entries().size(); ++i)
    Check(saved.Entries()[i].first == key.Entries()[i].first, "a save keeps the order");
  Check(RegKey::Parse(saved.Text()) == saved, "the saved text reads back");

  // Every value read is written back and reads back the same; only bounds
  // the reading never reached may come back from the file.
  Settings again = SettingsStore::Read(saved, kFolder);
  if (!read.bounds) again.bounds.reset();
  Check(again == read, "the saved settings read back");
  (void)SettingsStore::RamIndexFromText(text);
  return 0;
}
