#include "platform/AtomicWriter.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <random>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/SyncedFile.h"
#include "platform/UniqueFd.h"

namespace zo::platform {

namespace {

namespace fs = std::filesystem;

// A temporary file is named ".<target>.tmp." and six of these letters.
constexpr std::string_view kTemporaryMark = ".tmp.";
constexpr std::string_view kNameLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kNameLength = 6;
constexpr int kNameAttempts = 100;
// As for any new file: the system takes away what the umask forbids.
constexpr mode_t kUsualMode = 0666;
constexpr mode_t kPermissions = 0777;

// Gives the finished temporary file the target's name; empty when done.
using Naming = std::string (*)(const fs::path& temporary, const fs::path& path);

struct Temporary {
  UniqueFd fd;
  fs::path path;
};

std::string Failure(std::string_view what, const fs::path& path, int error) {
  return std::string(what) + " " + path.string() + ": " + std::strerror(error);
}

fs::path FolderOf(const fs::path& path) {
  return path.parent_path().empty() ? fs::path(".") : path.parent_path();
}

std::string TemporaryPrefix(const fs::path& path) {
  return "." + path.filename().string() + std::string(kTemporaryMark);
}

bool IsTemporaryName(std::string_view name, std::string_view prefix) {
  if (name.size() != prefix.size() + kNameLength || !name.starts_with(prefix)) return false;
  name.remove_prefix(prefix.size());
  return std::all_of(name.begin(), name.end(),
                     [](char c) { return kNameLetters.find(c) != std::string_view::npos; });
}

std::string RandomName() {
  thread_local std::minstd_rand generator(std::random_device{}());
  std::uniform_int_distribution<std::size_t> pick(0, kNameLetters.size() - 1);
  std::string name(kNameLength, ' ');
  for (char& c : name)
    c = kNameLetters[pick(generator)];
  return name;
}

// Takes the lock without waiting; 0 when taken, else the system's reason.
int LockError(int fd) {
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EINTR) return errno;
  }
  return 0;
}

// Whether `path` names the file open at `fd`.
bool StillNamed(int fd, const fs::path& path) {
  struct stat opened {};
  struct stat named {};
  return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// Removes the temporary files of `path` whose save is over: a save holds the
// lock on its file as long as its process lives. A file whose lock cannot be
// had for another reason (a file system without locks) is left alone.
void RemoveLeftovers(const fs::path& path) {
  const std::string prefix = TemporaryPrefix(path);
  std::vector<fs::path> found;
  std::error_code ec;
  for (fs::directory_iterator it(FolderOf(path), ec), end; !ec && it != end; it.increment(ec)) {
    if (IsTemporaryName(it->path().filename().string(), prefix)) found.push_back(it->path());
  }
  for (const fs::path& leftover : found) {
    const UniqueFd fd(::open(leftover.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!fd || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    if (LockError(fd.Get()) == 0 && StillNamed(fd.Get(), leftover)) ::unlink(leftover.c_str());
  }
}

// Creates a temporary file of `path` that no other save uses and locks it
// before anything is written. A save removing leftovers may have locked or
// removed the new file first; another name is then taken.
std::string CreateTemporary(const fs::path& path, Temporary& temporary) {
  const fs::path folder = FolderOf(path);
  const std::string prefix = TemporaryPrefix(path);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    temporary.path = folder / (prefix + RandomName());
    temporary.fd = UniqueFd(::open(
        temporary.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kUsualMode));
    if (!temporary.fd) {
      if (errno == EEXIST) continue;
      return Failure("Cannot create a file in", folder, errno);
    }
    if (LockError(temporary.fd.Get()) != EWOULDBLOCK &&
        StillNamed(temporary.fd.Get(), temporary.path))
      return {};
  }
  temporary.fd.Reset();
  return Failure("Cannot create a file in", folder, EEXIST);
}

// Writes every byte and flushes them to the disk.
std::string Fill(int fd, const fs::path& temporary, std::span<const std::uint8_t> bytes) {
  if (const int error = SyncedFile::WriteAll(fd, bytes); error != 0)
    return Failure("Cannot write", temporary, error);
  if (::fsync(fd) != 0) return Failure("Cannot flush", temporary, errno);
  return {};
}

std::string Rename(const fs::path& temporary, const fs::path& path) {
  if (::rename(temporary.c_str(), path.c_str()) != 0) return Failure("Cannot replace", path, errno);
  return {};
}

// A second name fails when the name is taken, where a rename would replace
// that file; a file system without second names (a memory stick) gets the
// rename, the name checked just before.
std::string NameIfFree(const fs::path& temporary, const fs::path& path) {
  if (::link(temporary.c_str(), path.c_str()) == 0) return {};
  const int error = errno;
  struct stat existing {};
  if (error == EEXIST || ::lstat(path.c_str(), &existing) == 0)
    return Failure("Cannot create", path, EEXIST);
  if (::rename(temporary.c_str(), path.c_str()) != 0) return Failure("Cannot create", path, errno);
  return {};
}

// Makes the new name itself durable; a failure here loses nothing already
// written, so it is not reported.
void SyncFolder(const fs::path& folder) {
  const UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir) ::fsync(dir.Get());
}

// The steps every save shares. The temporary file stays open, and locked,
// until it has the target's name, so no other save takes it for a leftover.
std::string Save(const fs::path& path, std::span<const std::uint8_t> bytes,
                 const AtomicWriter::BeforeReplace& beforeReplace, std::optional<mode_t> mode,
                 Naming naming) {
  RemoveLeftovers(path);
  Temporary temporary;
  std::string error = CreateTemporary(path, temporary);
  if (!error.empty()) return error;
  // Before the first byte is written; a memory stick has no permissions.
  if (mode) (void)::fchmod(temporary.fd.Get(), *mode & kPermissions);
  error = Fill(temporary.fd.Get(), temporary.path, bytes);
  if (error.empty() && beforeReplace && !beforeReplace(temporary.path))
    error = "Saving " + path.string() + " was interrupted";
  if (error.empty()) error = naming(temporary.path, path);
  // Still there after a failure, or when the target got a second name.
  if (StillNamed(temporary.fd.Get(), temporary.path)) ::unlink(temporary.path.c_str());
  if (error.empty()) SyncFolder(FolderOf(path));
  return error;
}

}  // namespace

std::string AtomicWriter::Replace(const fs::path& path, std::span<const std::uint8_t> bytes,
                                  const BeforeReplace& beforeReplace) {
  struct stat current {};
  if (::stat(path.c_str(), &current) != 0) {
    if (errno != ENOENT) return Failure("Cannot replace", path, errno);
    return Save(path, bytes, beforeReplace, std::nullopt, Rename);
  }
  // The rename would otherwise replace a write-protected file, a folder, a
  // pipe or a device the user never meant to lose.
  if (!S_ISREG(current.st_mode)) return "Cannot replace " + path.string() + ": not a regular file";
  if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
    return Failure("Cannot replace", path, errno);
  return Save(path, bytes, beforeReplace, current.st_mode, Rename);
}

std::string AtomicWriter::WriteNew(const fs::path& path, std::span<const std::uint8_t> bytes,
                                   const BeforeReplace& beforeReplace) {
  struct stat existing {};
  if (::lstat(path.c_str(), &existing) == 0) return Failure("Cannot create", path, EEXIST);
  return Save(path, bytes, beforeReplace, std::nullopt, NameIfFree);
}

}  // namespace zo::platform
