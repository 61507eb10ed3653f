// The Upgrade page's firmware list in the grid `GridEx1`: the images in the
// "Firmware" folders (beside the program, then in the installation's data
// folder) that suit the connected controller, one row each with the version
// line and the description; the selected row names the file to upload.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "firmware/FirmwareList.h"

namespace zo::app {

class MessageDialog;
class ParameterGridView;

class UpgradePage {
 public:
  UpgradePage(std::vector<std::filesystem::path> folders, MessageDialog& messages);

  // The "Firmware" folders among the program's data folders.
  static std::vector<std::filesystem::path> FirmwareFolders(
      const std::vector<std::filesystem::path>& dataFolders);

  // Searches the folders again for the controller's model; a file that
  // cannot be opened is reported and skipped. The next Show selects the
  // last listed row.
  void List(std::uint8_t controllerModel);
  // Puts the header row and the listed rows into the grid.
  void Show(ParameterGridView& grid, const std::string& firmwareHeader,
            const std::string& descriptionHeader);
  // Grid rows: the header and one per image (at least one empty row).
  [[nodiscard]] int RowCount() const;
  // The file of a grid row; empty for the header or a row without a file.
  [[nodiscard]] std::filesystem::path PathAt(int row) const;

 private:
  std::vector<std::filesystem::path> folders_;
  MessageDialog& messages_;
  std::vector<firmware::ListedImage> images_;
  bool selectLast_ = false;
};

}  // namespace zo::app
