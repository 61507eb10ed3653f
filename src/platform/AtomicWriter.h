// Saving whole files so that a crash, a kill, a full disk or a failed write
// never leaves a damaged file and never destroys the one that was there.
//
// A save writes a temporary file created exclusively in the target's folder
// (".<name>.tmp.XXXXXX"), flushes it to the disk, gives it the name of the
// target and flushes the folder, so the new name survives a power cut too.
// A replaced file keeps its permissions; a new one gets the usual ones (the
// user's umask). While it writes, a save holds a lock on its temporary file;
// the system drops the lock when the process ends, however it ends. Each
// save first removes the unlocked temporary files of its target: those of
// saves killed before they finished, never those of a save still under way.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

namespace zo::platform {

class AtomicWriter {
 public:
  // Called once the temporary file holds every byte on the disk, before it
  // takes the target's name; returning false abandons the save as an
  // interruption would.
  using BeforeReplace = std::function<bool(const std::filesystem::path& temporary)>;

  // Replaces `path` with `bytes`. Empty when written, else what failed and
  // the system's reason; the target is then as it was and no temporary file
  // is left. A target that is not a regular file, or that the user may not
  // write, is not replaced. The folder must exist.
  [[nodiscard]] static std::string Replace(const std::filesystem::path& path,
                                           std::span<const std::uint8_t> bytes,
                                           const BeforeReplace& beforeReplace = {});

  // Writes a new file: fails, leaving everything as it was, when `path`
  // names a file already, also one made while this one was written.
  [[nodiscard]] static std::string WriteNew(const std::filesystem::path& path,
                                            std::span<const std::uint8_t> bytes,
                                            const BeforeReplace& beforeReplace = {});
};

}  // namespace zo::platform
