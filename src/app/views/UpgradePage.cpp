#include "app/views/UpgradePage.h"

#include <algorithm>
#include <system_error>

#include "app/views/ParameterGridView.h"
#include "app/windows/MessageDialog.h"
#include "app/windows/TFormMsg.h"
#include "texts/TextIds.h"

namespace zo::app {

UpgradePage::UpgradePage(std::vector<std::filesystem::path> folders, MessageDialog& messages)
    : folders_(std::move(folders)), messages_(messages) {}

std::vector<std::filesystem::path> UpgradePage::FirmwareFolders(
    const std::vector<std::filesystem::path>& dataFolders) {
  std::vector<std::filesystem::path> folders;
  for (const auto& data : dataFolders) {
    std::error_code error;
    const auto folder = std::filesystem::weakly_canonical(data / "Firmware", error);
    if (error || !std::filesystem::is_directory(folder, error)) continue;
    if (std::find(folders.begin(), folders.end(), folder) == folders.end())
      folders.push_back(folder);
  }
  return folders;
}

void UpgradePage::List(std::uint8_t controllerModel) {
  firmware::FirmwareListing listing = firmware::FirmwareList::For(folders_, controllerModel);
  images_ = std::move(listing.images);
  selectLast_ = !images_.empty();
  for (const auto& path : listing.unreadable) {
    messages_.ShowMessage(
        {texts::TextPiece::Id(txt::kCannotOpenFile), texts::TextPiece::Literal(path)},
        txt::kTitleAttention, link::MsgIcon::Information, link::MsgButtons::Ok);
  }
}

void UpgradePage::Show(ParameterGridView& grid, const std::string& firmwareHeader,
                       const std::string& descriptionHeader) {
  grid.Clear();
  grid.SetCell(0, 0, firmwareHeader);
  grid.SetCell(0, 1, descriptionHeader);
  for (std::size_t i = 0; i < images_.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    grid.SetCell(row, 0, images_[i].versionLine);
    grid.SetCell(row, 1, images_[i].description);
  }
  if (selectLast_) {
    selectLast_ = false;
    grid.SelectRow(static_cast<int>(images_.size()));
  }
}

int UpgradePage::RowCount() const {
  return static_cast<int>(std::max<std::size_t>(images_.size(), 1)) + 1;
}

std::filesystem::path UpgradePage::PathAt(int row) const {
  if (row < 1 || row > static_cast<int>(images_.size())) return {};
  return images_[static_cast<std::size_t>(row - 1)].path;
}

}  // namespace zo::app
