#include "files/AtomicFile.h"

#include <fstream>
#include <system_error>

#include "platform/AtomicWriter.h"

namespace zo::files {

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

bool AtomicFile::Write(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  return platform::AtomicWriter::Replace(path, bytes).empty();
}

bool AtomicFile::WriteNew(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  return platform::AtomicWriter::WriteNew(path, bytes).empty();
}

}  // namespace zo::files
