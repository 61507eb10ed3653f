#include "files/AtomicFile.h"

#include <atomic>
#include <fstream>
#include <string>
#include <system_error>

namespace zo::files {

namespace {

// A name beside the target that no other save of this process uses.
std::filesystem::path TemporaryBeside(const std::filesystem::path& path) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path temporary = path;
  temporary += ".tmp" + std::to_string(counter.fetch_add(1));
  return temporary;
}

bool WriteAll(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  // Closing writes what is still buffered; a full disk may show only here.
  out.close();
  return !out.fail();
}

// Whether the save may replace what is at `path`: nothing, or a file the
// user may write. The rename would otherwise replace a write-protected file,
// a pipe or a device the user never meant to lose.
bool MayReplace(const std::filesystem::path& path) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (!std::filesystem::exists(status)) return true;
  if (!std::filesystem::is_regular_file(status)) return false;
  // Opened for appending: nothing is written, only the permission is tried.
  return std::ofstream(path, std::ios::binary | std::ios::app).is_open();
}

// Gives the finished temporary file the name `path` unless a file holds it.
// A second name fails when the name is taken, where a rename would replace
// that file; a file system without second names (a memory stick) gets the
// rename, the name checked just before.
bool NameIfFree(const std::filesystem::path& temporary, const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::create_hard_link(temporary, path, ec);
  if (!ec) return true;
  if (ec == std::errc::file_exists ||
      std::filesystem::exists(std::filesystem::symlink_status(path, ec)))
    return false;
  std::filesystem::rename(temporary, path, ec);
  return !ec;
}

}  // namespace

ReadResult AtomicFile::Read(const std::filesystem::path& path, std::size_t limit) {
  ReadResult result;
  // Only a regular file: opening a pipe would wait for a writer for ever,
  // and a device may never end.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    result.problem = FileProblem::Unreadable;
    return result;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    result.problem = FileProblem::Unreadable;
    return result;
  }
  result.bytes.resize(limit);
  in.read(reinterpret_cast<char*>(result.bytes.data()), static_cast<std::streamsize>(limit));
  result.bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) {
    result.problem = FileProblem::Unreadable;
  } else if (result.bytes.size() == limit && in.peek() != std::ifstream::traits_type::eof()) {
    result.problem = FileProblem::Long;
  }
  return result;
}

bool AtomicFile::Write(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                       const BeforeReplace& beforeReplace) {
  if (!MayReplace(path)) return false;
  const std::filesystem::path temporary = TemporaryBeside(path);
  std::error_code ec;
  bool written = WriteAll(temporary, bytes);
  if (written && beforeReplace) written = beforeReplace(temporary);
  if (written) std::filesystem::rename(temporary, path, ec);
  if (!written || ec) {
    std::filesystem::remove(temporary, ec);
    return false;
  }
  return true;
}

bool AtomicFile::WriteNew(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  std::error_code ec;
  if (std::filesystem::exists(std::filesystem::symlink_status(path, ec))) return false;
  const std::filesystem::path temporary = TemporaryBeside(path);
  const bool written = WriteAll(temporary, bytes) && NameIfFree(temporary, path);
  std::filesystem::remove(temporary, ec);
  return written;
}

}  // namespace zo::files
