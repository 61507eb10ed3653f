#include "AtomicFile.h"

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
  out.flush();
  return out.good();
}

}  // namespace

ReadResult AtomicFile::Read(const std::filesystem::path& path, std::size_t limit) {
  ReadResult result;
  std::ifstream in(path, std::ios::binary);
  std::error_code ec;
  if (!in || std::filesystem::is_directory(path, ec)) {
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

}  // namespace zo::files
