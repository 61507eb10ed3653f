// Writing that is on the disk when it returns: every byte of a buffer to an
// open file, and text added at the end of a file, flushed before returning.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace zo::platform {

class SyncedFile {
 public:
  // Writes every byte to `fd`, going on after interruptions; 0, or the
  // system's error number.
  [[nodiscard]] static int WriteAll(int fd, std::span<const std::uint8_t> bytes);
  // Adds `text` at the end of `path` (made when missing) and flushes it, and
  // the folder too when the file is new. Empty when done, else what failed
  // and the system's reason. A name that is not a regular file is refused.
  [[nodiscard]] static std::string Append(const std::filesystem::path& path, std::string_view text);
};

}  // namespace zo::platform
