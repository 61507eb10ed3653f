#include "platform/SyncedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/UniqueFd.h"

namespace zo::platform {

namespace {

std::string Failure(const char* what, const std::filesystem::path& path, int error) {
  return std::string(what) + " " + path.string() + ": " + std::strerror(error);
}

}  // namespace

int SyncedFile::WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return 0;
}

std::string SyncedFile::Append(const std::filesystem::path& path, std::string_view text) {
  constexpr mode_t kUsualMode = 0666;
  struct stat before {};
  const bool isNew = ::lstat(path.c_str(), &before) != 0;
  const UniqueFd fd(
      ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, kUsualMode));
  if (!fd) return Failure("Cannot open", path, errno);
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode))
    return Failure("Cannot append to", path, EINVAL);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  if (const int error = WriteAll(fd.Get(), {bytes, text.size()}); error != 0)
    return Failure("Cannot write", path, error);
  if (::fdatasync(fd.Get()) != 0) return Failure("Cannot flush", path, errno);
  if (isNew) {
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir) ::fsync(dir.Get());
  }
  return {};
}

}  // namespace zo::platform
