#include "settings/RegFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <system_error>

#include "platform/UniqueFd.h"

namespace zo::app {

namespace fs = std::filesystem;
using link::UniqueFd;

namespace {

std::string Failure(std::string_view what, const fs::path& path, int error) {
  return std::string(what) + " " + path.string() + ": " + std::strerror(error);
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t written = ::write(fd, data.data(), data.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Writes the temporary file completely and flushes it to the disk.
std::string WriteTemporary(UniqueFd fd, const fs::path& temporary, std::string_view text) {
  if (!WriteAll(fd.Get(), text)) return Failure("Cannot write", temporary, errno);
  if (::fsync(fd.Get()) != 0) return Failure("Cannot flush", temporary, errno);
  if (::close(fd.Release()) != 0) return Failure("Cannot close", temporary, errno);
  return {};
}

// Makes the rename itself durable; a failure here loses nothing already
// written, so it is not reported.
void SyncFolder(const fs::path& folder) {
  const UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir) ::fsync(dir.Get());
}

}  // namespace

RegLoad RegFile::Load() const {
  RegLoad result;
  // Not blocking, so that a pipe in the file's place does not stop the start.
  UniqueFd fd(::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd) {
    if (errno == ENOENT || errno == ENOTDIR) return result;
    result.status = RegLoad::Status::Unreadable;
    result.error = Failure("Cannot open", path_, errno);
    return result;
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    result.status = RegLoad::Status::Unreadable;
    result.error = "Cannot read " + path_.string() + ": not a regular file";
    return result;
  }
  std::string text;
  std::array<char, 4096> buffer{};
  for (;;) {
    const ssize_t count = ::read(fd.Get(), buffer.data(), buffer.size());
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      result.status = RegLoad::Status::Unreadable;
      result.error = Failure("Cannot read", path_, errno);
      return result;
    }
    text.append(buffer.data(), static_cast<std::size_t>(count));
  }
  result.status = RegLoad::Status::Loaded;
  result.key = RegKey::Parse(text);
  return result;
}

std::string RegFile::Save(const RegKey& key) const {
  if (path_.empty()) return "No folder for the settings file (HOME is not set)";
  const fs::path folder = path_.parent_path().empty() ? fs::path(".") : path_.parent_path();
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) return "Cannot create " + folder.string() + ": " + ec.message();

  std::string pattern = (folder / ("." + path_.filename().string() + ".XXXXXX")).string();
  UniqueFd fd(::mkostemp(pattern.data(), O_CLOEXEC));
  if (!fd) return Failure("Cannot create a file in", folder, errno);
  const fs::path temporary = pattern;

  std::string error = WriteTemporary(std::move(fd), temporary, key.Text());
  if (error.empty() && ::rename(temporary.c_str(), path_.c_str()) != 0)
    error = Failure("Cannot replace", path_, errno);
  if (!error.empty()) {
    ::unlink(temporary.c_str());
    return error;
  }
  SyncFolder(folder);
  return {};
}

}  // namespace zo::app
