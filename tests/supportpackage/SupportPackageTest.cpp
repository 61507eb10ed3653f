// The support package through the real zip format: what is packed comes back
// whole, and an archive that is not a sound package is refused with the
// member it is about.
#include <gtest/gtest.h>

#include <algorithm>

#include "files/ParameterFile.h"
#include "files/RecordingFile.h"
#include "supportpackage/LibZipArchive.h"
#include "supportpackage/SupportPackage.h"

namespace zo::supportpackage {
namespace {

using C = SupportPackageCodec;

SupportPackage Full() {
  SupportPackage package;
  link::ImageArea image{};
  for (std::size_t i = 0; i < image.size(); ++i)
    image[i] = static_cast<std::uint8_t>(i * 7);
  const auto parameters = files::ParameterFile::Encode(image);
  package.parameters.assign(parameters.begin(), parameters.end());
  package.recording.assign(files::RecordingFile::kSize, 0x5A);
  package.trace = "000000.000000 > 55 00 ReadParam\n";
  package.journal = "session 2026-12-08 11:40\n";
  package.findings = "Port /dev/ttyUSB0: group dialout\n";
  package.settings = "REGEDIT4\n";
  package.about = {179, "ru", "2026-12-08 11:43", "Vela100", 179};
  return package;
}

PackageRead RoundTrip(const std::vector<PackageMember>& members) {
  const std::vector<std::uint8_t> bytes =
      LibZipArchive::Pack(members).value_or(std::vector<std::uint8_t>{});
  EXPECT_FALSE(bytes.empty());
  LibZipArchive zip(bytes);
  EXPECT_TRUE(zip.Opened());
  return C::Read(zip);
}

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

TEST(SupportPackageTest, WhatIsPackedComesBackWholeAndOnlyPartsThatHoldSomethingArePacked) {
  const SupportPackage full = Full();
  const PackageRead read = RoundTrip(C::Members(full));
  EXPECT_EQ(read.problem, PackageProblem::None);
  EXPECT_EQ(read.package, full);

  SupportPackage bare = full;
  bare.recording.clear();
  bare.trace.clear();
  bare.journal.clear();
  const auto members = C::Members(bare);
  EXPECT_EQ(members.size(), 4u);  // the description, parameters, findings and settings
  EXPECT_EQ(RoundTrip(members).package, bare);
}

TEST(SupportPackageTest, AnArchiveThatIsNotASoundPackageIsRefusedNamingTheMember) {
  for (const std::string& junk : {std::string(), std::string("PK\x03\x04 not really a zip")}) {
    const std::vector<std::uint8_t> bytes(junk.begin(), junk.end());
    EXPECT_FALSE(LibZipArchive(bytes).Opened());
  }

  auto members = C::Members(Full());
  const auto with = [&members](PackageMember extra) {
    auto changed = members;
    changed.push_back(std::move(extra));
    return changed;
  };
  for (const char* name : {"../evil.sh", "/etc/passwd", "a/../../b", "C:\\x", "notes\\..\\x"}) {
    const PackageRead read = RoundTrip(with({name, Bytes("x")}));
    EXPECT_EQ(read.problem, PackageProblem::LeavesFolder) << name;
    EXPECT_EQ(read.member, name);
  }
  EXPECT_EQ(RoundTrip(with({"notes/readme.txt", Bytes("x")})).problem, PackageProblem::None);

  auto large = members;
  large[1].bytes.resize(files::ParameterFile::kSize + 1);
  const PackageRead tooLarge = RoundTrip(large);
  EXPECT_EQ(tooLarge.problem, PackageProblem::TooLarge);
  EXPECT_EQ(tooLarge.member, C::kParameters);

  auto shortParameters = members;
  shortParameters[1].bytes.resize(20);
  EXPECT_EQ(RoundTrip(shortParameters).problem, PackageProblem::DamagedMember);

  for (const std::string_view part : {C::kAbout, C::kParameters}) {
    auto missing = members;
    std::erase_if(missing, [part](const PackageMember& m) { return m.name == part; });
    const PackageRead read = RoundTrip(missing);
    EXPECT_EQ(read.problem, PackageProblem::MissingMember);
    EXPECT_EQ(read.member, part);
  }
}

TEST(SupportPackageTest, AMemberWhoseDataIsDamagedIsRefused) {
  SupportPackage package = Full();
  package.findings = std::string(4000, 'f');  // compresses to a few bytes
  auto bytes = LibZipArchive::Pack(C::Members(package)).value();
  // The findings' compressed data sits right after its local header and name.
  const std::string name(C::kFindings);
  const auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
  ASSERT_NE(at, bytes.end());
  *(at + static_cast<std::ptrdiff_t>(name.size()) + 2) ^= 0xFF;
  LibZipArchive zip(bytes);
  ASSERT_TRUE(zip.Opened());
  const PackageRead read = C::Read(zip);
  EXPECT_EQ(read.problem, PackageProblem::DamagedMember);
  EXPECT_EQ(read.member, C::kFindings);
}

}  // namespace
}  // namespace zo::supportpackage
