// Feeds arbitrary bytes to the support package reader as a whole .zip file
// and opens what it accepts as the program does: the parameters shown as a
// file and the recording loaded into the history. An accepted package names
// no member outside its folder, holds readable parameters, and comes back
// the same when packed again.
#include <cstddef>
#include <cstdint>
#include <span>

#include "FuzzCheck.h"
#include "files/ParameterFile.h"
#include "files/RecordingFile.h"
#include "supportpackage/LibZipArchive.h"
#include "supportpackage/SupportPackage.h"

namespace {

using zo::fuzz::Check;
using zo::supportpackage::LibZipArchive;
using zo::supportpackage::PackageProblem;
using C = zo::supportpackage::SupportPackageCodec;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  LibZipArchive zip(std::span(data, size));
  if (!zip.Opened()) return 0;
  const auto read = C::Read(zip);
  for (const auto& entry : zip.Entries())
    if (C::LeavesFolder(entry.name)) Check(read.problem == PackageProblem::LeavesFolder, "refused");
  if (read.problem != PackageProblem::None) {
    Check(!read.member.empty(), "a refusal names its member");
    return 0;
  }
  const auto parameters = zo::files::ParameterFile::Decode(read.package.parameters);
  Check(parameters.problem == zo::files::FileProblem::None, "the parameters are readable");
  zo::link::ImageArea image{};
  zo::link::SampleHistory history;
  if (!read.package.recording.empty())
    zo::files::RecordingFile::Load(zo::files::RecordingFile::Decode(read.package.recording), image,
                                   history);
  zo::files::ParameterFile::LoadForViewing(parameters, image);

  const auto again = LibZipArchive::Pack(C::Members(read.package));
  Check(again.has_value(), "an accepted package packs again");
  LibZipArchive repacked(*again);
  const auto reread = C::Read(repacked);
  Check(reread.problem == PackageProblem::None && reread.package == read.package,
        "a package packed again reads the same");
  return 0;
}
