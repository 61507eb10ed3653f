// The two file formats: their exact sizes and layouts, round trips byte for
// byte, short and overlong files, and the names the commands check and build.
#include <gtest/gtest.h>

#include <numeric>

#include "FactoryImage.h"
#include "files/FileNames.h"
#include "files/ParameterFile.h"
#include "files/RecordingFile.h"

namespace zo::files {
namespace {

link::ImageArea VelaImage() {
  link::ImageArea area = link::BlankImage();
  const auto image = lpgsim::FactoryImage::Build(100, 179, 255);
  std::copy(image.begin(), image.end(), area.begin());
  return area;
}

// Every slot holds its own number in bytes 0..1 and a marker after it.
link::SampleHistory NumberedHistory(int writeIndex) {
  link::SampleHistory history;
  for (int slot = 0; slot < link::kHistoryLength; ++slot) {
    link::HistorySample& s = history.At(slot);
    s.fill(0x5A);
    s[0] = static_cast<std::uint8_t>(slot & 0xFF);
    s[1] = static_cast<std::uint8_t>(slot >> 8);
  }
  history.SetWriteIndex(writeIndex);
  return history;
}

int SlotAt(const std::vector<std::uint8_t>& file, int record) {
  const std::size_t at = RecordingFile::kParameterBlock + static_cast<std::size_t>(record) * 16;
  return file[at] | (file[at + 1] << 8);
}

TEST(ParameterFileTest, HoldsTheWorkingAreaIn512BytesAndRoundTrips) {
  link::ImageArea working = VelaImage();
  working[200] = 7;  // as a recording left it
  working[300] = 9;  // never part of the file
  const link::ImageArea file = ParameterFile::Encode(working);
  ASSERT_EQ(file.size(), 512u);
  EXPECT_TRUE(std::equal(working.begin(), working.begin() + 256, file.begin()));
  EXPECT_TRUE(std::all_of(file.begin() + 256, file.end(), [](auto b) { return b == 255; }));

  const ParameterFileContent read = ParameterFile::Decode(file);
  EXPECT_EQ(read.problem, FileProblem::None);
  EXPECT_EQ(read.bytes, file) << "byte for byte";

  // Yes keeps the controller's model, bitmap, dates and counters; No takes 0..167.
  link::ImageArea other = link::BlankImage();
  std::iota(other.begin(), other.begin() + 184, std::uint8_t{1});
  link::ImageArea yes = other;
  ParameterFile::LoadForController(read, yes);
  EXPECT_TRUE(std::equal(yes.begin(), yes.begin() + 16, other.begin()));
  EXPECT_TRUE(std::equal(yes.begin() + 16, yes.begin() + 168, working.begin() + 16));
  EXPECT_TRUE(std::equal(yes.begin() + 168, yes.end(), other.begin() + 168));
  link::ImageArea no = other;
  ParameterFile::LoadForViewing(read, no);
  EXPECT_TRUE(std::equal(no.begin(), no.begin() + 168, working.begin()));
  EXPECT_TRUE(std::equal(no.begin() + 168, no.end(), other.begin() + 168));
}

TEST(ParameterFileTest, ShortAndLongFilesAreReported) {
  const link::ImageArea file = ParameterFile::Encode(VelaImage());
  EXPECT_EQ(ParameterFile::Decode(std::span(file).first(167)).problem, FileProblem::TooShort);
  const auto used = ParameterFile::Decode(std::span(file).first(168));
  EXPECT_EQ(used.problem, FileProblem::Short);
  EXPECT_EQ(used.bytes[200], 255) << "nothing past the end is invented";
  std::vector<std::uint8_t> longer(file.begin(), file.end());
  longer.push_back(1);
  EXPECT_EQ(ParameterFile::Decode(longer).problem, FileProblem::Long);
  EXPECT_EQ(ParameterFile::Decode({}, FileProblem::Unreadable).problem, FileProblem::Unreadable);
}

TEST(RecordingFileTest, SavesInTimeOrderAndRoundTrips) {
  const link::ImageArea working = VelaImage();
  link::SampleHistory history = NumberedHistory(100);
  history.ClearCurrent();  // the running scope's slot being filled
  const auto file = RecordingFile::Encode(working, history, RecordingFile::OldestSlot(history));
  ASSERT_EQ(file.size(), 57'856u);
  EXPECT_TRUE(std::equal(working.begin(), working.begin() + 256, file.begin()));
  EXPECT_EQ(SlotAt(file, 0), 101) << "the slot after the write index is the oldest";
  EXPECT_EQ(SlotAt(file, 3498), 3599);
  EXPECT_EQ(SlotAt(file, 3499), 0);
  EXPECT_TRUE(std::all_of(file.end() - 16, file.end(), [](auto b) { return b == 0; }))
      << "the last record written while running is 16 zeros";

  link::ImageArea loadedImage = link::BlankImage();
  link::SampleHistory loaded;
  loaded.SetWriteIndex(7);
  RecordingFile::Load(RecordingFile::Decode(file), loadedImage, loaded);
  EXPECT_EQ(loaded.WriteIndex(), 7) << "the write index is left alone";
  EXPECT_EQ(RecordingFile::Encode(loadedImage, loaded, 0), file) << "byte for byte";

  // The automatic save at the wrap writes slots 0..3599 as they are.
  EXPECT_EQ(SlotAt(RecordingFile::Encode(working, NumberedHistory(0), 0), 0), 0);
}

TEST(RecordingFileTest, AShortFileFillsOnlyAsFarAsItGoes) {
  const auto full = RecordingFile::Encode(VelaImage(), NumberedHistory(0), 0);
  const std::size_t length = 256 + 10 * 16 + 5;  // ten samples and five bytes of one more
  const RecordingContent read = RecordingFile::Decode(std::span(full).first(length));
  EXPECT_EQ(read.problem, FileProblem::Short);
  link::ImageArea image = link::BlankImage();
  link::SampleHistory history;
  history.At(10).fill(0xEE);
  history.At(11).fill(0xEE);
  RecordingFile::Load(read, image, history);
  EXPECT_TRUE(std::equal(image.begin(), image.begin() + 256, full.begin()));
  EXPECT_EQ(history.At(9)[0], 9);
  EXPECT_EQ(history.At(10)[0], 10);
  EXPECT_EQ(history.At(10)[4], 0x5A);
  EXPECT_EQ(history.At(10)[5], 0xEE) << "the rest of a cut sample keeps its earlier contents";
  EXPECT_EQ(history.At(11)[0], 0xEE);

  link::ImageArea partImage = link::BlankImage();
  RecordingFile::Load(RecordingFile::Decode(std::span(full).first(100)), partImage, history);
  EXPECT_EQ(partImage[99], full[99]);
  EXPECT_EQ(partImage[100], 255);
}

TEST(FileNamesTest, ExtensionsProposalsAndAutomaticNames) {
  EXPECT_TRUE(FileNames::HasExtension("/a/car.ZOP", FileNames::kParameterExtension));
  EXPECT_TRUE(FileNames::HasExtension("drive.Zov", FileNames::kRecordingExtension));
  EXPECT_FALSE(FileNames::HasExtension("/a/car.txt", FileNames::kParameterExtension));
  EXPECT_FALSE(FileNames::HasExtension("zop", FileNames::kParameterExtension));
  EXPECT_EQ(FileNames::ProposedRecording(9, 5), "0905.zov");
  EXPECT_EQ(FileNames::AutoSave("15.03.2007", 14, 35), "15.03.2007.1435.zov");
  EXPECT_EQ(FileNames::AutoSave("03/15/07", 14, 35), "03-15-07.1435.zov");
  EXPECT_EQ(FileNames::AutoSave("2007\\03:15", 0, 0), "2007-03-15.0000.zov");
  const std::string longName = FileNames::AutoSave(std::string(200, 'x'), 1, 2);
  EXPECT_EQ(longName.size(), FileNames::kMaxDateLength + 9);
  // Cut at 40 bytes, inside "ä" (2 bytes) and "€" (3 bytes): the split
  // character goes; a whole one that ends at the cut stays.
  const std::string x38(38, 'x');
  EXPECT_EQ(FileNames::AutoSave(x38 + "x\xC3\xA4yy", 1, 2), x38 + "x.0102.zov");
  EXPECT_EQ(FileNames::AutoSave(x38 + "\xE2\x82\xACy", 1, 2), x38 + ".0102.zov");
  EXPECT_EQ(FileNames::AutoSave(x38 + "\xC3\xA4yy", 1, 2), x38 + "\xC3\xA4.0102.zov");
  EXPECT_EQ(FileNames::WithoutFolder("/home/u/car.zop"), "car.zop");
  EXPECT_EQ(FileNames::Backup(2026, 12, 7, 14, 35, " Vela100"),
            "backup-2026-12-07-1435-Vela100.zop");
  EXPECT_EQ(FileNames::Backup(2026, 1, 2, 3, 4, "XL/2"), "backup-2026-01-02-0304-XL-2.zop");
}

}  // namespace
}  // namespace zo::files
