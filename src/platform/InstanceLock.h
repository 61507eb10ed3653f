// The per-user single-instance check: an exclusive `flock` on a lock file,
// held while this object lives. The system drops the lock when the process
// ends, however it ends, so a crashed instance never blocks the next start.
// A second start is only warned about; it runs anyway.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zo::platform {

class InstanceLock {
 public:
  enum class Result {
    Acquired,       // this object holds the lock: no other instance runs
    HeldByAnother,  // another instance of the program runs
    Unavailable,    // the lock file cannot be made; nothing is known
  };

  // The program file name the warning names (and its title).
  static constexpr std::string_view kProgramName = "ZoLpgWin";

  explicit InstanceLock(std::filesystem::path path) : path_(std::move(path)) {}
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  ~InstanceLock();

  // Takes the lock without waiting, creating the file and its folder when
  // needed. Once acquired, later calls answer Acquired again.
  Result Acquire();
  [[nodiscard]] bool Held() const { return fd_ >= 0; }

  // The warning of a second start: the program file name followed by
  // " jest już uruchomiony!" (Polish in every language: it is shown before
  // the language setting is read).
  [[nodiscard]] static std::string AlreadyRunningText(std::string_view programName = kProgramName);

 private:
  std::filesystem::path path_;
  int fd_ = -1;
};

}  // namespace zo::platform
