#include "BackupFile.h"

#include <string>
#include <system_error>

#include "ParameterFile.h"
#include "files/AtomicFile.h"

namespace zo::files {

bool BackupFile::HasParameters(const BackupSource& source) {
  return source.view.connectionState == link::ConnectionState::ControllerRead &&
         !source.scheduler.readInProgress;
}

std::optional<std::filesystem::path> BackupFile::Save(const BackupSource& source,
                                                      const std::filesystem::path& folder,
                                                      std::string_view name) {
  if (!HasParameters(source)) return std::nullopt;
  const std::filesystem::path first = folder / name;
  const auto bytes = ParameterFile::Encode(source.image.controllerCopy);
  for (int n = 1; n <= kMaxAlternatives + 1; ++n) {
    std::filesystem::path path = first;
    if (n > 1) {
      path.replace_filename(first.stem().string() + "-" + std::to_string(n) +
                            first.extension().string());
    }
    if (AtomicFile::WriteNew(path, bytes)) return path;
    // Anything but a taken name (a missing folder, a full disk) fails the
    // same way under every name.
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec))) return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace zo::files
