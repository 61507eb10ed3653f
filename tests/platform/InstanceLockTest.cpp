// One instance per user: a second holder is told another instance runs, and
// the lock goes with the process that held it, however that process ends.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "TempFolder.h"
#include "platform/InstanceLock.h"

namespace zo::platform {
namespace {

using test::TempFolder;

TEST(InstanceLockTest, ASecondHolderIsToldUntilTheFirstGoes) {
  TempFolder temp;
  const auto path = temp / "run/ZoLpgWin.lock";
  {
    InstanceLock first(path);
    ASSERT_EQ(first.Acquire(), InstanceLock::Result::Acquired);
    EXPECT_EQ(first.Acquire(), InstanceLock::Result::Acquired);
    InstanceLock second(path);
    EXPECT_EQ(second.Acquire(), InstanceLock::Result::HeldByAnother);
    EXPECT_FALSE(second.Held());
  }
  InstanceLock third(path);
  EXPECT_EQ(third.Acquire(), InstanceLock::Result::Acquired);
}

TEST(InstanceLockTest, TheLockOfAKilledProcessIsReleased) {
  TempFolder temp;
  const auto path = temp / "ZoLpgWin.lock";
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    InstanceLock lock(path);
    const char result = lock.Acquire() == InstanceLock::Result::Acquired ? 'y' : 'n';
    if (::write(ready[1], &result, 1) != 1) ::_exit(1);
    ::pause();
    ::_exit(0);
  }
  ::close(ready[1]);
  char result = 0;
  ASSERT_EQ(::read(ready[0], &result, 1), 1);
  ::close(ready[0]);
  EXPECT_EQ(result, 'y');
  EXPECT_EQ(InstanceLock(path).Acquire(), InstanceLock::Result::HeldByAnother);
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  EXPECT_EQ(InstanceLock(path).Acquire(), InstanceLock::Result::Acquired);
}

TEST(InstanceLockTest, NoLockFileMeansNothingIsKnown) {
  TempFolder temp;
  std::ofstream(temp / "file") << "x";
  EXPECT_EQ(InstanceLock(temp / "file/ZoLpgWin.lock").Acquire(), InstanceLock::Result::Unavailable);
  EXPECT_EQ(InstanceLock::AlreadyRunningText(), "ZoLpgWin jest już uruchomiony!");
}

}  // namespace
}  // namespace zo::platform
