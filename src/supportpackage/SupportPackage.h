// A support package: what a specialist far away needs to see a customer's
// controller and session. The parameters as a parameter file, the last six
// minutes as a recording, the link trace when one was recorded, the
// controller's change journal when it has one, the connection check's
// findings, the program's version and language, and the settings file.
// Members() turns one into named zip members; Read() takes one back out of
// an archive and refuses an archive that is not one: a member too large, a
// name that leaves the package's folder, a part missing or damaged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "supportpackage/IZipSource.h"

namespace zo::supportpackage {

// What the package tells about the program and the controller.
struct PackageAbout {
  int programVersion = 0;   // in hundredths: 179 is 1.79
  std::string language;     // "pl", "en", "de", "lt" or "ru"
  std::string savedAt;      // "YYYY-MM-DD HH:MM"
  std::string model;        // the controller's model as the program names it
  int firmwareVersion = 0;  // image byte 1
  bool operator==(const PackageAbout&) const = default;
};

struct SupportPackage {
  std::vector<std::uint8_t> parameters;  // a parameter file
  std::vector<std::uint8_t> recording;   // a recording file, empty when none
  std::string trace;                     // the link trace, empty when none
  std::string journal;                   // the change journal, empty when none
  std::string findings;                  // the connection check, one finding a line
  std::string settings;                  // the settings file, empty when none
  PackageAbout about;
  bool operator==(const SupportPackage&) const = default;
};

struct PackageMember {
  std::string name;
  std::vector<std::uint8_t> bytes;
};

enum class PackageProblem {
  None,
  NotZip,         // not a zip archive, or one that cannot be read
  TooLarge,       // the package or one of its members is over its limit
  LeavesFolder,   // a member's name reaches outside the package's folder
  MissingMember,  // the parameters or the description are not there
  DamagedMember,  // a member that cannot be read whole or makes no sense
};

struct PackageRead {
  SupportPackage package;
  PackageProblem problem = PackageProblem::None;
  std::string member;  // the member the problem is about, if any
};

class SupportPackageCodec {
 public:
  static constexpr std::string_view kParameters = "parameters.zop";
  static constexpr std::string_view kRecording = "recording.zov";
  static constexpr std::string_view kTrace = "link-trace.txt";
  static constexpr std::string_view kJournal = "journal.txt";
  static constexpr std::string_view kFindings = "connection-check.txt";
  static constexpr std::string_view kAbout = "about.txt";
  static constexpr std::string_view kSettings = "VAD2.reg";
  // The most a package file may hold: the largest members together.
  static constexpr std::size_t kMaxPackage = 160u << 20;

  // The members to pack, the optional ones only when they hold something.
  static std::vector<PackageMember> Members(const SupportPackage& package);
  // The package the archive holds. Members the program does not know are
  // passed over, but even their names may not leave the folder.
  static PackageRead Read(IZipSource& zip);

  // The most bytes the named member may hold; 0 for a name not known.
  static std::size_t Limit(std::string_view name);
  // Whether a member's name reaches outside the folder it is unpacked in:
  // absolute, with a drive letter or backslash, or through "..".
  static bool LeavesFolder(std::string_view name);
  static std::string AboutText(const PackageAbout& about);
  static PackageAbout ParseAbout(std::string_view text);
};

}  // namespace zo::supportpackage
