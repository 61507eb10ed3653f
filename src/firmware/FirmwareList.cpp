#include "FirmwareList.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "ImageFile.h"

namespace zo::firmware {

namespace {

bool IsImageName(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".img";
}

std::vector<std::filesystem::path> ImageFiles(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    std::error_code kind;
    if (it->is_directory(kind) || !IsImageName(it->path())) continue;
    files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

FirmwareListing FirmwareList::For(const std::vector<std::filesystem::path>& folders,
                                  std::uint8_t controllerModel) {
  FirmwareListing listing;
  for (const auto& folder : folders) {
    for (const auto& path : ImageFiles(folder)) {
      const auto file = ImageFile::Read(path, false);
      if (!file) {
        listing.unreadable.push_back(path);
        continue;
      }
      if (!ImageFile::Compatible(file->Model(), file->Version(), controllerModel)) continue;
      listing.images.push_back({path, file->VersionLine(), file->Description()});
    }
  }
  return listing;
}

}  // namespace zo::firmware
