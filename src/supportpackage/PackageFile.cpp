#include "supportpackage/PackageFile.h"

#include "files/AtomicFile.h"
#include "files/FileNames.h"
#include "files/ParameterFile.h"
#include "files/RecordingFile.h"
#include "supportpackage/LibZipArchive.h"
#include "texts/TextIds.h"

namespace zo::supportpackage {

SupportPackage PackageFile::Build(const link::ImageArea& working,
                                  const link::SampleHistory& history, PackageExtras extras) {
  SupportPackage package;
  const link::ImageArea parameters = files::ParameterFile::Encode(working);
  package.parameters.assign(parameters.begin(), parameters.end());
  package.recording =
      files::RecordingFile::Encode(working, history, files::RecordingFile::OldestSlot(history));
  package.trace = std::move(extras.trace);
  package.journal = std::move(extras.journal);
  package.findings = std::move(extras.findings);
  package.settings = std::move(extras.settings);
  package.about = std::move(extras.about);
  return package;
}

PackageMessage PackageFile::Save(const std::filesystem::path& path, const SupportPackage& package) {
  const auto bytes = LibZipArchive::Pack(SupportPackageCodec::Members(package));
  if (!bytes || !files::AtomicFile::Write(path, *bytes)) return {txt::kPackageNotSaved, path};
  return {txt::kPackageSaved, path};
}

OpenedPackage PackageFile::Open(const std::filesystem::path& path) {
  OpenedPackage opened;
  const std::string name = files::FileNames::WithoutFolder(path.string());
  const files::ReadResult file = files::AtomicFile::Read(path, SupportPackageCodec::kMaxPackage);
  if (file.problem == files::FileProblem::Unreadable) {
    opened.refusal = {txt::kCannotOpenFile, path};
    return opened;
  }
  if (file.problem == files::FileProblem::Long) {
    opened.refusal = {txt::kPackageTooLarge, name};
    return opened;
  }
  LibZipArchive zip(file.bytes);
  if (!zip.Opened()) {
    opened.refusal = {txt::kPackageNotZip, path};
    return opened;
  }
  PackageRead read = SupportPackageCodec::Read(zip);
  opened.refusal = Refusal(read, name);
  if (opened.refusal.text == 0) opened.package = std::move(read.package);
  return opened;
}

PackageMessage PackageFile::Refusal(const PackageRead& read, const std::string& fileName) {
  switch (read.problem) {
    case PackageProblem::None:
      return {};
    case PackageProblem::NotZip:
      return {txt::kPackageNotZip, fileName};
    case PackageProblem::TooLarge:
      return {txt::kPackageTooLarge, read.member};
    case PackageProblem::LeavesFolder:
      return {txt::kPackageLeavesFolder, read.member};
    case PackageProblem::MissingMember:
      return {txt::kPackageMissingPart, read.member};
    case PackageProblem::DamagedMember:
      return {txt::kPackageDamagedPart, read.member};
  }
  return {txt::kPackageNotZip, fileName};
}

}  // namespace zo::supportpackage
