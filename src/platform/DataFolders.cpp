#include "platform/DataFolders.h"

#include <unistd.h>

#include <algorithm>
#include <system_error>

namespace zo::platform {

namespace fs = std::filesystem;

namespace {

constexpr const char* kShareFolder = "share";
constexpr const char* kDataFolder = "zolpgwin";

}  // namespace

DataFolders::DataFolders(const fs::path& executable, const fs::path& installedData) {
  std::error_code ec;
  fs::path absolute = fs::absolute(executable, ec);
  if (ec) absolute = executable;
  programFolder_ = absolute.lexically_normal().parent_path();
  Add(programFolder_);
  if (programFolder_.filename() == "bin")
    Add(programFolder_.parent_path() / kShareFolder / kDataFolder);
  Add(installedData);
}

fs::path DataFolders::BuiltDataFolder() {
  return ZO_INSTALLED_DATA_DIR;
}

fs::path DataFolders::CurrentExecutable() {
  std::error_code ec;
  fs::path path = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : path;
}

std::string DataFolders::FileFolder(const fs::path& home) const {
  std::error_code ec;
  const bool installed =
      programFolder_.filename() == "bin" &&
      fs::is_directory(programFolder_.parent_path() / kShareFolder / kDataFolder, ec);
  const bool writable = ::access(programFolder_.c_str(), W_OK) == 0;
  if ((installed || !writable) && !home.empty()) return home.string();
  return ProgramFolder();
}

std::optional<fs::path> DataFolders::Find(const fs::path& name) const {
  for (const auto& folder : candidates_) {
    std::error_code ec;
    if (fs::exists(folder / name, ec)) return folder / name;
  }
  return std::nullopt;
}

void DataFolders::Add(const fs::path& folder) {
  if (folder.empty()) return;
  fs::path normal = folder.lexically_normal();
  if (!normal.has_filename() && normal.has_relative_path()) normal = normal.parent_path();
  if (std::find(candidates_.begin(), candidates_.end(), normal) == candidates_.end())
    candidates_.push_back(normal);
}

}  // namespace zo::platform
