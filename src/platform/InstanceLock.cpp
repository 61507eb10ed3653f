#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/UniqueFd.h"

namespace zo::platform {

namespace {

constexpr mode_t kOwnerOnly = 0600;

}  // namespace

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

InstanceLock::Result InstanceLock::Acquire() {
  if (fd_ >= 0) return Result::Acquired;
  if (path_.empty()) return Result::Unavailable;
  std::error_code ec;
  std::filesystem::create_directories(path_.parent_path(), ec);
  // Not inherited by programs started from here, which would keep the lock
  // after this instance ends.
  platform::UniqueFd fd(::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kOwnerOnly));
  if (!fd) return Result::Unavailable;
  int locked = 0;
  do {
    locked = ::flock(fd.Get(), LOCK_EX | LOCK_NB);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) return errno == EWOULDBLOCK ? Result::HeldByAnother : Result::Unavailable;
  fd_ = fd.Release();
  return Result::Acquired;
}

std::string InstanceLock::AlreadyRunningText(std::string_view programName) {
  return std::string(programName) + " jest już uruchomiony!";
}

}  // namespace zo::platform
