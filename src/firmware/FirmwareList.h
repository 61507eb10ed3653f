// The images of the Upgrade page: every "*.img" file in the firmware folders
// whose header suits the connected controller, in name order within each
// folder, with the line and description the page shows.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zo::firmware {

struct ListedImage {
  std::filesystem::path path;
  std::string versionLine;  // column 0
  std::string description;  // column 1
};

struct FirmwareListing {
  std::vector<ListedImage> images;
  std::vector<std::filesystem::path> unreadable;  // files that could not be opened
};

class FirmwareList {
 public:
  // Lists the folders in order; a missing folder adds nothing.
  static FirmwareListing For(const std::vector<std::filesystem::path>& folders,
                             std::uint8_t controllerModel);
};

}  // namespace zo::firmware
