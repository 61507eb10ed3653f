// A support package as a file: built from what the program holds, saved
// through the program's safe file writing, and opened with each refusal
// turned into the message the user sees. Nothing is changed by a package
// that is refused.
#pragma once

#include <filesystem>
#include <string>

#include "link/LinkTypes.h"
#include "link/SampleHistory.h"
#include "supportpackage/SupportPackage.h"

namespace zo::supportpackage {

// What goes into a package besides the parameters and the recording.
struct PackageExtras {
  std::string trace;     // the last link trace recorded, if any
  std::string journal;   // the controller's change journal, if any
  std::string findings;  // the connection check, one finding a line
  std::string settings;  // the settings file as it would be written now
  PackageAbout about;
};

// A message: a text id followed by a literal (a path or a part's name).
struct PackageMessage {
  int text = 0;  // 0 when there is nothing to say
  std::string tail;
  bool operator==(const PackageMessage&) const = default;
};

struct OpenedPackage {
  SupportPackage package;
  PackageMessage refusal;  // text 0 when the package was opened
};

class PackageFile {
 public:
  // The working copy as a parameter file, the history from its oldest
  // sample as a recording, and the extras.
  static SupportPackage Build(const link::ImageArea& working, const link::SampleHistory& history,
                              PackageExtras extras);
  // The message saying it was saved, or why not.
  static PackageMessage Save(const std::filesystem::path& path, const SupportPackage& package);
  static OpenedPackage Open(const std::filesystem::path& path);
  // The refusal's message for a problem the reader reported.
  static PackageMessage Refusal(const PackageRead& read, const std::string& fileName);
};

}  // namespace zo::supportpackage
