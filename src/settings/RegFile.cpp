#include "settings/RegFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <system_error>

#include "platform/AtomicWriter.h"
#include "platform/UniqueFd.h"

namespace zo::settings {

namespace fs = std::filesystem;
using platform::UniqueFd;

namespace {

std::string Failure(std::string_view what, const fs::path& path, int error) {
  return std::string(what) + " " + path.string() + ": " + std::strerror(error);
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

  const std::string text = key.Text();
  return platform::AtomicWriter::Replace(
      path_, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace zo::settings
