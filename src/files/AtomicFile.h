// Reading and writing whole files. A write goes to a temporary file in the
// target's folder and is renamed over the target only once every byte is
// written, so a failed or interrupted save never leaves a damaged file and
// never destroys the one that was there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
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
  // Called once the temporary file holds every byte, before it replaces the
  // target; returning false abandons the save as an interruption would.
  using BeforeReplace = std::function<bool(const std::filesystem::path& temporary)>;

  // Reads up to `limit` bytes; a file holding more is reported Long. The
  // file's own size is never trusted: reading stops at its end or the limit.
  // Anything but a regular file (a folder, a pipe, a device) is Unreadable.
  static ReadResult Read(const std::filesystem::path& path, std::size_t limit);
  // Returns whether the file now holds exactly `bytes`. On failure the
  // temporary file is removed and the target is left as it was. A target
  // the user may not write, or that is not a regular file, is not replaced.
  static bool Write(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                    const BeforeReplace& beforeReplace = {});
  // Writes a new file: returns false, leaving everything as it was, when
  // `path` names a file already, also one made while this one was written.
  static bool WriteNew(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
};

}  // namespace zo::files
