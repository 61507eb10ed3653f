// Reads the settings from the settings key at start and writes them back at
// exit, value by value in a fixed order.
//
// Reading: absent strings read as empty and reading goes on; the first integer
// or flag that is absent, or any value of the wrong type, ends the reading
// silently, and every value after it keeps its default. Then the limits apply.
// Writing: `Dir`, the folders, the oscilloscope, fonts, language, port and
// window values, then the indicator slots; `AutoScan` 0 only after a run in
// which no controller was identified; the bounds only when the window is not
// maximised, so a maximised window keeps those of the last unmaximised run,
// unless none are stored yet.
// Values the writer does not set keep what the key held.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/RegKey.h"
#include "settings/Settings.h"

namespace zo::settings {

class SettingsStore {
 public:
  // The settings held by `key` over the defaults, limits applied; all
  // defaults when there is no key.
  [[nodiscard]] static Settings Read(const std::optional<RegKey>& key,
                                     const std::string& programFolder);

  // Writes `settings` into `key`; `programFolder` is written as `Dir`.
  static void Write(const Settings& settings, const std::string& programFolder,
                    bool controllerIdentified, RegKey& key);

  // The RAM address box's text as the `RamIndex` to store: the decimal number
  // it holds, 0 when it is not one.
  [[nodiscard]] static int RamIndexFromText(std::string_view text);
};

}  // namespace zo::settings
