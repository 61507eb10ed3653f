#include "platform/UserFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <utility>
#include <vector>

namespace zo::platform {

namespace fs = std::filesystem;

namespace {

// Relative values are ignored, as the XDG rules require.
fs::path Absolute(std::string value) {
  fs::path path(std::move(value));
  return path.is_absolute() ? path : fs::path();
}

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

std::string HomeFromUserDatabase() {
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
      found == nullptr || found->pw_dir == nullptr)
    return {};
  return found->pw_dir;
}

}  // namespace

UserFolders::UserFolders(std::string xdgConfigHome, std::string home, std::string xdgRuntimeDir,
                         std::string xdgDataHome)
    : xdgConfigHome_(Absolute(std::move(xdgConfigHome))),
      home_(Absolute(std::move(home))),
      xdgRuntimeDir_(Absolute(std::move(xdgRuntimeDir))),
      xdgDataHome_(Absolute(std::move(xdgDataHome))) {}

UserFolders UserFolders::FromEnvironment() {
  std::string home = Variable("HOME");
  if (home.empty()) home = HomeFromUserDatabase();
  return UserFolders(Variable("XDG_CONFIG_HOME"), std::move(home), Variable("XDG_RUNTIME_DIR"),
                     Variable("XDG_DATA_HOME"));
}

fs::path UserFolders::ConfigFolder() const {
  if (!xdgConfigHome_.empty()) return xdgConfigHome_ / "Zo";
  if (!home_.empty()) return home_ / ".config" / "Zo";
  return {};
}

fs::path UserFolders::SettingsPath() const {
  const fs::path folder = ConfigFolder();
  return folder.empty() ? folder : folder / "VAD2.reg";
}

fs::path UserFolders::LockPath() const {
  const fs::path folder = xdgRuntimeDir_.empty() ? ConfigFolder() : xdgRuntimeDir_;
  return folder.empty() ? folder : folder / "ZoLpgWin.lock";
}

fs::path UserFolders::JournalFolder() const {
  if (!xdgDataHome_.empty()) return xdgDataHome_ / "Zo" / "journal";
  if (!home_.empty()) return home_ / ".local" / "share" / "Zo" / "journal";
  return {};
}

}  // namespace zo::platform
