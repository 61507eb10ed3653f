// Why a byte of the working copy changed, and with it the controller once the
// write-back is confirmed: what the user did. The journal keeps the cause as
// a fixed word, whatever the program's language.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace zo::link {

enum class ChangeCause {
  GridEdit,
  ParameterFile,
  Autoconfiguration,
  FactoryParameters,
  InstallationDate,
  ServiceDates,
  Migration,  // the firmware's new bytes after an upload
  Undo,
  Redo,
  BackToConnect,  // "back to the state at connect"
};

inline constexpr std::array<ChangeCause, 10> kChangeCauses{ChangeCause::GridEdit,
                                                           ChangeCause::ParameterFile,
                                                           ChangeCause::Autoconfiguration,
                                                           ChangeCause::FactoryParameters,
                                                           ChangeCause::InstallationDate,
                                                           ChangeCause::ServiceDates,
                                                           ChangeCause::Migration,
                                                           ChangeCause::Undo,
                                                           ChangeCause::Redo,
                                                           ChangeCause::BackToConnect};

// The word a journal line keeps for a cause; it never changes, whatever the
// program's language.
constexpr std::string_view CauseToken(ChangeCause cause) {
  switch (cause) {
    case ChangeCause::GridEdit:
      return "grid";
    case ChangeCause::ParameterFile:
      return "file";
    case ChangeCause::Autoconfiguration:
      return "autoconfig";
    case ChangeCause::FactoryParameters:
      return "factory";
    case ChangeCause::InstallationDate:
      return "installation-date";
    case ChangeCause::ServiceDates:
      return "service-dates";
    case ChangeCause::Migration:
      return "migration";
    case ChangeCause::Undo:
      return "undo";
    case ChangeCause::Redo:
      return "redo";
    case ChangeCause::BackToConnect:
      return "back-to-connect";
  }
  return "grid";
}

constexpr std::optional<ChangeCause> CauseOfToken(std::string_view token) {
  for (const ChangeCause cause : kChangeCauses)
    if (CauseToken(cause) == token) return cause;
  return std::nullopt;
}

}  // namespace zo::link
