// Whole files on disk: a save replaces the old file only once complete, an
// interrupted or failed save leaves the old file as it was, and reading never
// goes past the limit whatever the file says about its size.
#include <gtest/gtest.h>

#include <fstream>

#include "AtomicFile.h"
#include "TempFolder.h"

namespace zo::files {
namespace {

std::vector<std::uint8_t> Bytes(std::size_t size, std::uint8_t value) {
  return std::vector<std::uint8_t>(size, value);
}

TEST(AtomicFileTest, ReplacesCompletelyOrNotAtAll) {
  const test::TempFolder folder;
  const auto path = folder / "car.zop";
  ASSERT_TRUE(AtomicFile::Write(path, Bytes(512, 1)));
  ASSERT_TRUE(AtomicFile::Write(path, Bytes(512, 2))) << "a second save replaces the first";
  EXPECT_EQ(AtomicFile::Read(path, 512).bytes, Bytes(512, 2));

  // Interrupted after the new bytes reached the disk but before the rename.
  bool oldFileIntactMeanwhile = false;
  EXPECT_FALSE(AtomicFile::Write(path, Bytes(57'856, 3), [&](const std::filesystem::path& t) {
    oldFileIntactMeanwhile = AtomicFile::Read(path, 512).bytes == Bytes(512, 2) &&
                             std::filesystem::file_size(t) == 57'856;
    return false;
  }));
  EXPECT_TRUE(oldFileIntactMeanwhile);
  EXPECT_EQ(AtomicFile::Read(path, 1000).bytes, Bytes(512, 2)) << "the old file is intact";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1)
      << "no temporary file is left behind";

  EXPECT_FALSE(AtomicFile::Write(folder / "missing" / "car.zop", Bytes(4, 0)));
  EXPECT_FALSE(AtomicFile::Write(folder.Path(), Bytes(4, 0))) << "a folder is not replaced";
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

}  // namespace
}  // namespace zo::files
