// Whole files on disk: reading never goes past the limit whatever the file
// says about its size. A backup holds only parameters read from the
// controller and never replaces another.
#include <gtest/gtest.h>

#include <fstream>

#include "TempFolder.h"
#include "files/AtomicFile.h"
#include "files/BackupFile.h"
#include "files/ParameterFile.h"
#include "link/LinkState.h"

namespace zo::files {
namespace {

std::vector<std::uint8_t> Bytes(std::size_t size, std::uint8_t value) {
  return std::vector<std::uint8_t>(size, value);
}

TEST(AtomicFileTest, ReadsUpToTheLimitAndReportsTheRest) {
  const test::TempFolder folder;
  const auto path = folder / "drive.zov";
  std::ofstream(path, std::ios::binary) << std::string(600, 'a');
  const ReadResult limited = AtomicFile::Read(path, 512);
  EXPECT_EQ(limited.bytes.size(), 512u);
  EXPECT_EQ(limited.problem, FileProblem::Long);
  EXPECT_EQ(AtomicFile::Read(path, 600).problem, FileProblem::None);
  EXPECT_EQ(AtomicFile::Read(path, 1000).bytes.size(), 600u);
  EXPECT_EQ(AtomicFile::Read(folder / "none.zov", 10).problem, FileProblem::Unreadable);
  EXPECT_EQ(AtomicFile::Read(folder.Path(), 10).problem, FileProblem::Unreadable);
}

TEST(BackupFileTest, OnlyACompleteReadIsSavedAndNoBackupIsReplaced) {
  const test::TempFolder folder;
  const std::string name = "backup-2026-12-07-1435-Vela100.zop";
  link::LinkState state;
  state.controllerCopy[0] = 100;
  state.controllerCopy[40] = 7;
  // Not connected, a file shown, a tester, the boot loader; a read under way.
  using S = link::ConnectionState;
  for (const S connectionState :
       {S::NotConnected, S::FileShown, S::Tester, S::UploadOnly, S::ControllerRead}) {
    state.connectionState = connectionState;
    state.readInProgress = connectionState == S::ControllerRead;
    EXPECT_FALSE(BackupFile::Save({state, state, state}, folder.Path(), name))
        << static_cast<int>(connectionState);
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));

  state.readInProgress = false;
  const auto first = BackupFile::Save({state, state, state}, folder.Path(), name);
  EXPECT_EQ(first, folder / name);
  const link::ImageArea kept = state.controllerCopy;
  state.controllerCopy[40] = 8;  // the same minute, a retry after a changed read
  EXPECT_EQ(BackupFile::Save({state, state, state}, folder.Path(), name),
            folder / "backup-2026-12-07-1435-Vela100-2.zop");
  EXPECT_EQ(BackupFile::Save({state, state, state}, folder.Path(), name),
            folder / "backup-2026-12-07-1435-Vela100-3.zop");
  const auto firstBytes = ParameterFile::Encode(kept);
  EXPECT_EQ(AtomicFile::Read(folder / name, 512).bytes,
            std::vector<std::uint8_t>(firstBytes.begin(), firstBytes.end()));
  EXPECT_FALSE(BackupFile::Save({state, state, state}, folder / "missing", name));
  EXPECT_FALSE(AtomicFile::WriteNew(folder / name, Bytes(4, 0)));
}

}  // namespace
}  // namespace zo::files
