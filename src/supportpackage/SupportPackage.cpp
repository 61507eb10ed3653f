#include "supportpackage/SupportPackage.h"

#include <array>
#include <charconv>

#include "files/ParameterFile.h"
#include "files/RecordingFile.h"

namespace zo::supportpackage {

namespace {

constexpr std::size_t kMegabyte = std::size_t{1} << 20;

struct KnownMember {
  std::string_view name;
  std::size_t limit;
};

// The link trace stops itself well below its limit here; a journal is
// trimmed once past 1 MB and may pass it by one session.
constexpr std::array<KnownMember, 7> kKnown{{
    {SupportPackageCodec::kParameters, files::ParameterFile::kSize},
    {SupportPackageCodec::kRecording, files::RecordingFile::kSize},
    {SupportPackageCodec::kTrace, 128 * kMegabyte},
    {SupportPackageCodec::kJournal, 4 * kMegabyte},
    {SupportPackageCodec::kFindings, kMegabyte},
    {SupportPackageCodec::kAbout, std::size_t{64} * 1024},
    {SupportPackageCodec::kSettings, kMegabyte},
}};

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

std::string Text(const std::vector<std::uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

int Number(std::string_view text) {
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// Stores a known member's bytes where the package keeps them.
void Keep(SupportPackage& package, std::string_view name, std::vector<std::uint8_t> bytes) {
  using C = SupportPackageCodec;
  if (name == C::kParameters)
    package.parameters = std::move(bytes);
  else if (name == C::kRecording)
    package.recording = std::move(bytes);
  else if (name == C::kTrace)
    package.trace = Text(bytes);
  else if (name == C::kJournal)
    package.journal = Text(bytes);
  else if (name == C::kFindings)
    package.findings = Text(bytes);
  else if (name == C::kAbout)
    package.about = C::ParseAbout(Text(bytes));
  else if (name == C::kSettings)
    package.settings = Text(bytes);
}

PackageRead Refused(PackageProblem problem, std::string member) {
  PackageRead read;
  read.problem = problem;
  read.member = std::move(member);
  return read;
}

}  // namespace

std::size_t SupportPackageCodec::Limit(std::string_view name) {
  for (const KnownMember& known : kKnown)
    if (known.name == name) return known.limit;
  return 0;
}

bool SupportPackageCodec::LeavesFolder(std::string_view name) {
  if (name.empty() || name.front() == '/') return true;
  if (name.find('\\') != std::string_view::npos || name.find(':') != std::string_view::npos)
    return true;
  if (name.find('\0') != std::string_view::npos) return true;
  std::size_t start = 0;
  while (start <= name.size()) {
    const std::size_t slash = std::min(name.find('/', start), name.size());
    if (name.substr(start, slash - start) == "..") return true;
    start = slash + 1;
  }
  return false;
}

std::string SupportPackageCodec::AboutText(const PackageAbout& about) {
  return "program " + std::to_string(about.programVersion) + "\nlanguage " + about.language +
         "\nsaved " + about.savedAt + "\nmodel " + about.model + "\nfirmware " +
         std::to_string(about.firmwareVersion) + "\n";
}

PackageAbout SupportPackageCodec::ParseAbout(std::string_view text) {
  PackageAbout about;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, space);
    const std::string_view value = line.substr(space + 1);
    if (key == "program") about.programVersion = Number(value);
    if (key == "language") about.language = value;
    if (key == "saved") about.savedAt = value;
    if (key == "model") about.model = value;
    if (key == "firmware") about.firmwareVersion = Number(value);
  }
  return about;
}

std::vector<PackageMember> SupportPackageCodec::Members(const SupportPackage& package) {
  std::vector<PackageMember> members;
  const auto add = [&members](std::string_view name, std::vector<std::uint8_t> bytes) {
    if (!bytes.empty()) members.push_back({std::string(name), std::move(bytes)});
  };
  add(kAbout, Bytes(AboutText(package.about)));
  add(kParameters, package.parameters);
  add(kRecording, package.recording);
  add(kTrace, Bytes(package.trace));
  add(kJournal, Bytes(package.journal));
  add(kFindings, Bytes(package.findings));
  add(kSettings, Bytes(package.settings));
  return members;
}

PackageRead SupportPackageCodec::Read(IZipSource& zip) {
  const std::vector<ZipEntry>& entries = zip.Entries();
  for (const ZipEntry& entry : entries) {
    if (LeavesFolder(entry.name)) return Refused(PackageProblem::LeavesFolder, entry.name);
  }
  PackageRead read;
  bool hasAbout = false;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::size_t limit = Limit(entries[i].name);
    if (limit == 0) continue;
    if (entries[i].size > limit) return Refused(PackageProblem::TooLarge, entries[i].name);
    auto bytes = zip.Read(i, limit);
    if (!bytes) return Refused(PackageProblem::DamagedMember, entries[i].name);
    hasAbout = hasAbout || entries[i].name == kAbout;
    Keep(read.package, entries[i].name, std::move(*bytes));
  }
  if (!hasAbout) return Refused(PackageProblem::MissingMember, std::string(kAbout));
  if (read.package.parameters.empty())
    return Refused(PackageProblem::MissingMember, std::string(kParameters));
  if (files::ParameterFile::Decode(read.package.parameters).problem != files::FileProblem::None)
    return Refused(PackageProblem::DamagedMember, std::string(kParameters));
  return read;
}

}  // namespace zo::supportpackage
