// Saving whole files: a save replaces the old file completely or not at all,
// also on a full disk; a replaced file keeps its permissions; a new file
// never takes the place of another; and what a killed save left behind goes
// at the next save, while the file of a save still under way stays.
#include "platform/AtomicWriter.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TempFolder.h"

namespace zo::platform {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

std::vector<std::uint8_t> Bytes(std::size_t size, std::uint8_t value) {
  return std::vector<std::uint8_t>(size, value);
}

std::vector<std::uint8_t> Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::size_t FilesIn(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

mode_t ModeOf(const fs::path& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_mode & 0777;
}

TEST(AtomicWriterTest, ReplacesCompletelyOrNotAtAll) {
  const TempFolder folder;
  const auto path = folder / "car.zop";
  ASSERT_EQ(AtomicWriter::Replace(path, Bytes(512, 1)), "");
  ASSERT_EQ(AtomicWriter::Replace(path, Bytes(512, 2)), "") << "a second save replaces the first";
  EXPECT_EQ(Contents(path), Bytes(512, 2));

  // Interrupted after the new bytes reached the disk but before the rename.
  bool oldFileIntactMeanwhile = false;
  EXPECT_NE(AtomicWriter::Replace(path, Bytes(57'856, 3),
                                  [&](const fs::path& t) {
                                    oldFileIntactMeanwhile = Contents(path) == Bytes(512, 2) &&
                                                             fs::file_size(t) == 57'856;
                                    return false;
                                  }),
            "");
  EXPECT_TRUE(oldFileIntactMeanwhile);
  EXPECT_EQ(Contents(path), Bytes(512, 2)) << "the old file is intact";
  EXPECT_EQ(FilesIn(folder.Path()), 1u) << "no temporary file is left behind";

  EXPECT_NE(AtomicWriter::Replace(folder / "missing" / "car.zop", Bytes(4, 0)), "");
  EXPECT_NE(AtomicWriter::Replace(folder.Path(), Bytes(4, 0)), "") << "a folder is not replaced";
}

TEST(AtomicWriterTest, AFullDiskLeavesThePreviousFileWhole) {
  const TempFolder folder;
  const auto path = folder / "VAD2.reg";
  ASSERT_EQ(AtomicWriter::Replace(path, Bytes(8, 1)), "");
  // The child's files may not grow past 16 bytes, as on a full disk.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 16;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::_exit(AtomicWriter::Replace(path, Bytes(512, 2)).empty() ? 1 : 0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save reported success";
  EXPECT_EQ(Contents(path), Bytes(8, 1));
  EXPECT_EQ(FilesIn(folder.Path()), 1u) << "the temporary file was left behind";
}

TEST(AtomicWriterTest, AReplacedFileKeepsItsPermissionsAndANewOneGetsTheUsualOnes) {
  const TempFolder folder;
  const mode_t umask = ::umask(0);
  ::umask(umask);
  const auto path = folder / "car.zop";
  ASSERT_EQ(AtomicWriter::Replace(path, Bytes(4, 1)), "");
  EXPECT_EQ(ModeOf(path), 0666 & ~umask);
  ASSERT_EQ(AtomicWriter::WriteNew(folder / "new.zop", Bytes(4, 1)), "");
  EXPECT_EQ(ModeOf(folder / "new.zop"), 0666 & ~umask);
  for (const mode_t mode : {0600u, 0640u, 0664u}) {
    fs::permissions(path, static_cast<fs::perms>(mode));
    ASSERT_EQ(AtomicWriter::Replace(path, Bytes(4, 2)), "");
    EXPECT_EQ(ModeOf(path), mode);
  }
}

TEST(AtomicWriterTest, ANewFileNeverTakesThePlaceOfAnother) {
  const TempFolder folder;
  const auto path = folder / "backup.zop";
  ASSERT_EQ(AtomicWriter::WriteNew(path, Bytes(4, 1)), "");
  EXPECT_NE(AtomicWriter::WriteNew(path, Bytes(4, 2)), "");
  EXPECT_EQ(Contents(path), Bytes(4, 1));

  // Another file of that name appears while this one is written.
  const auto other = folder / "other.zop";
  EXPECT_NE(AtomicWriter::WriteNew(other, Bytes(4, 3),
                                   [&](const fs::path&) {
                                     std::ofstream(other) << "made";
                                     return true;
                                   }),
            "");
  EXPECT_EQ(Contents(other), std::vector<std::uint8_t>({'m', 'a', 'd', 'e'}));
  EXPECT_EQ(FilesIn(folder.Path()), 2u) << "the temporary file was left behind";
}

// A child process saves and stops just before the rename, as long as the
// test lets it; the test then saves beside it and kills it.
class StoppedSave {
 public:
  explicit StoppedSave(const fs::path& path) {
    int ready[2];
    if (::pipe(ready) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(ready[0]);
      (void)AtomicWriter::Replace(path, Bytes(4, 9), [&](const fs::path&) {
        if (::write(ready[1], "r", 1) == 1) ::pause();
        return false;
      });
      ::_exit(0);
    }
    ::close(ready[1]);
    pollfd wait{ready[0], POLLIN, 0};
    char answer = 0;
    stopped_ = ::poll(&wait, 1, 5000) == 1 && ::read(ready[0], &answer, 1) == 1;
    ::close(ready[0]);
  }
  ~StoppedSave() { Kill(); }
  StoppedSave(const StoppedSave&) = delete;
  StoppedSave& operator=(const StoppedSave&) = delete;

  [[nodiscard]] bool Stopped() const { return stopped_; }
  void Kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  bool stopped_ = false;
};

TEST(AtomicWriterTest, AKilledSaveLeavesItsTemporaryFileOnlyUntilTheNextSave) {
  const TempFolder folder;
  const auto path = folder / "VAD2.reg";
  std::ofstream(folder / "VAD2.reg.tmp0") << "not a file of a save";
  StoppedSave running(path);
  ASSERT_TRUE(running.Stopped());
  EXPECT_EQ(FilesIn(folder.Path()), 2u) << "the running save has its temporary file";
  ASSERT_EQ(AtomicWriter::Replace(path, Bytes(4, 1)), "");
  EXPECT_EQ(FilesIn(folder.Path()), 3u) << "the file of a running save was removed";

  running.Kill();
  EXPECT_EQ(FilesIn(folder.Path()), 3u);
  ASSERT_EQ(AtomicWriter::Replace(path, Bytes(4, 2)), "");
  EXPECT_EQ(FilesIn(folder.Path()), 2u) << "the killed save's file is still there";
  EXPECT_EQ(Contents(path), Bytes(4, 2));
  EXPECT_TRUE(fs::exists(folder / "VAD2.reg.tmp0"));
}

}  // namespace
}  // namespace zo::platform
