#include "platform/TraceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/SyncedFile.h"

namespace zo::platform {

std::unique_ptr<TraceFile> TraceFile::Create(const std::filesystem::path& path,
                                             std::string& error) {
  constexpr mode_t kUsualMode = 0666;
  UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_NOFOLLOW | O_CLOEXEC,
                     kUsualMode));
  if (!fd) {
    error = "Cannot create " + path.string() + ": " + std::strerror(errno);
    return nullptr;
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    error = "Cannot write to " + path.string() + ": not a regular file";
    return nullptr;
  }
  return std::unique_ptr<TraceFile>(new TraceFile(std::move(fd)));
}

TraceFile::~TraceFile() {
  if (fd_) ::fdatasync(fd_.Get());
}

bool TraceFile::Append(std::string_view text) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  return SyncedFile::WriteAll(fd_.Get(), {bytes, text.size()}) == 0;
}

}  // namespace zo::platform
