// Reading and writing whole files. Writing is platform::AtomicWriter's: a
// failed or interrupted save never leaves a damaged file and never destroys
// the one that was there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "FileProblem.h"

namespace zo::files {

struct ReadResult {
  std::vector<std::uint8_t> bytes;          // at most the limit asked for
  FileProblem problem = FileProblem::None;  // Unreadable, or Long past the limit
};

class AtomicFile {
 public:
  // Reads up to `limit` bytes; a file holding more is reported Long. The
  // file's own size is never trusted: reading stops at its end or the limit.
  // Anything but a regular file (a folder, a pipe, a device) is Unreadable.
  static ReadResult Read(const std::filesystem::path& path, std::size_t limit);
  // Returns whether the file now holds exactly `bytes`. On failure the
  // target is left as it was. A target the user may not write, or that is
  // not a regular file, is not replaced.
  static bool Write(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
  // Writes a new file: returns false, leaving everything as it was, when
  // `path` names a file already, also one made while this one was written.
  static bool WriteNew(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
};

}  // namespace zo::files
