// The names the file commands check and build: the extension test, the name
// the recording save dialog proposes and the automatic recording's name.
#pragma once

#include <string>
#include <string_view>

namespace zo::files {

class FileNames {
 public:
  static constexpr std::string_view kParameterExtension = ".zop";
  static constexpr std::string_view kRecordingExtension = ".zov";
  static constexpr std::string_view kSupportPackageExtension = ".zip";
  // The longest date part an automatic name keeps.
  static constexpr std::size_t kMaxDateLength = 40;

  // Whether the name ends in `extension` (".zop"), letters compared without
  // regard to case.
  static bool HasExtension(std::string_view path, std::string_view extension);
  // "HHMM.zov" of the local time, e.g. "1435.zov".
  static std::string ProposedRecording(int hour, int minute);
  // "<date>.HHMM.zov" with the date as the system shows it short. Characters
  // a file name cannot hold (folder separators, control characters and those
  // other systems refuse) become "-", so a date such as 03/15/07 still gives
  // a name in the chosen folder; an overlong date is cut.
  static std::string AutoSave(std::string_view shortDate, int hour, int minute);
  // "backup-YYYY-MM-DD-HHMM-<model>.zop": the controller's parameters saved
  // before a firmware upload; the model's name with blanks and characters a
  // file name cannot hold left out or made "-".
  static std::string Backup(int year, int month, int day, int hour, int minute,
                            std::string_view model);
  // "support-YYYY-MM-DD-HHMM-<model>.zip": a support package, its model's
  // name made safe as in a backup's name.
  static std::string SupportPackage(int year, int month, int day, int hour, int minute,
                                    std::string_view model);
  // The last part of a path, after its last "/".
  static std::string WithoutFolder(std::string_view path);

 private:
  struct Stamp {
    int year, month, day, hour, minute;
  };
  static std::string Stamped(std::string_view prefix, const Stamp& at, std::string_view model,
                             std::string_view extension);
};

}  // namespace zo::files
