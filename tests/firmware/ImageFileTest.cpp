// Image files: the scrambling against bytes computed apart from this code,
// the round trip through the maker for every length up to a full image, the
// compatibility rules, the listing with its lines, and the files it reads
// or leaves out.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <array>

#include "FifoPartner.h"
#include "FirmwareTestFiles.h"
#include "TempFolder.h"
#include "firmware/FirmwareList.h"
#include "firmware/ImageFile.h"

namespace zo::firmware {
namespace {

std::vector<std::uint8_t> Program(std::size_t size) {
  std::vector<std::uint8_t> p(size);
  for (std::size_t i = 0; i < size; ++i)
    p[i] = static_cast<std::uint8_t>((i * 17 + i / 251) & 0xFF);
  return p;
}

TEST(ImageFile, ScramblingMatchesKnownBytesAndRoundTrips) {
  // Model 150, V1.79, 2007-05-03, keys 0x5D/0x21, 16 bytes i*17, computed
  // by a separate implementation of the file's descrambling.
  ImageDetails details{150, 179, 2007, 5, 3, "Known", 0x5D, 0x21};
  const auto file = ImageMaker::Make(Program(16), details);
  const std::array<std::uint8_t, 32> header = {0x00, 0x00, 0x21, 0x08, 0x08, 0x00, 0x00, 0x00,
                                               0x00, 0x00, 0x12, 0x00, 0x00, 0x7C, 0x7C, 0x32,
                                               0x96, 0x25, 0xB3, 0x00, 0x00, 0x07, 0xD0, 0xD2,
                                               0x06, 0x03, 0x00, 0x00, 0x00, 0x00, 0xFA, 0x00};
  const std::array<std::uint8_t, 16> image = {0x00, 0x00, 0x00, 0x16, 0x76, 0x12, 0x32, 0x1E,
                                              0xFE, 0x12, 0x32, 0x16, 0x76, 0x12, 0x32, 0x0E};
  ASSERT_EQ(file.size(), kImageOffset + 16);
  EXPECT_TRUE(std::equal(header.begin(), header.end(), file.begin() + 256));
  EXPECT_TRUE(std::equal(image.begin(), image.end(), file.begin() + kImageOffset));

  test::TempFolder folder;
  for (const std::size_t size : {std::size_t{16}, std::size_t{4097}, kMaxImageSize}) {
    SCOPED_TRACE(size);
    const auto path = folder / "a.img";
    test::WriteBytes(path, ImageMaker::Make(Program(size), details));
    // Read-only is enough to read an image.
    ::chmod(path.c_str(), 0444);
    const auto read = ImageFile::Read(path, true);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->DeclaredLength(), (size + 1) / 2 * 2);
    EXPECT_EQ(read->Description(), "Known");
    const auto expected = Program(size);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), read->Image().begin()));
    EXPECT_EQ(read->Image().size(), kMaxImageSize);
    std::filesystem::remove(path);
  }
  EXPECT_TRUE(ImageMaker::Make(Program(kMaxImageSize + 1), details).empty());
}

TEST(ImageFile, AFileCutShortIsNotComplete) {
  // Even an empty program has the three image bytes the header's swaps reach.
  for (const std::size_t size : {std::size_t{0}, std::size_t{64}}) {
    const auto file = ImageMaker::Make(Program(size), ImageDetails{150, 179, 2007, 5, 3, "", 1, 2});
    EXPECT_TRUE(ImageFile::Parse(file, true).Complete());
    for (const std::size_t length : {file.size() - 1, std::size_t{280}})  // image, header
      EXPECT_FALSE(ImageFile::Parse(std::span(file).first(length), true).Complete()) << length;
  }
}

TEST(ImageFile, CompatibilityRules) {
  for (const int m : {50, 100, 150})
    EXPECT_TRUE(ImageFile::Compatible(150, 170, static_cast<std::uint8_t>(m))) << m;
  EXPECT_FALSE(ImageFile::Compatible(150, 170, 151));
  EXPECT_FALSE(ImageFile::Compatible(151, 176, 150));
  EXPECT_TRUE(ImageFile::Compatible(151, 177, 150));
  for (const auto& [f, m] :
       {std::pair{151, 51}, {151, 101}, {152, 52}, {152, 102}, {153, 53}, {153, 103}, {80, 80}})
    EXPECT_TRUE(
        ImageFile::Compatible(static_cast<std::uint8_t>(f), 100, static_cast<std::uint8_t>(m)));
  EXPECT_FALSE(ImageFile::Compatible(152, 200, 53));
}

TEST(FirmwareList, ListsSuitableImagesWithTheirLinesAndReportsUnreadableOnes) {
  test::TempFolder folder;
  const auto dir = folder.Path() / "Firmware";
  std::filesystem::create_directories(dir / "sub.img");
  test::WriteImage(dir / "b.img", Program(64), 150, 179, "Vela150 B");
  test::WriteImage(dir / "a.IMG", Program(64), 151, 177, "Vela151 A");
  test::WriteImage(dir / "c.img", Program(64), 80, 181, "XL");
  test::WriteImage(dir / "notes.txt", Program(64), 150, 179);
  test::WriteBytes(dir / "short.img", std::vector<std::uint8_t>(200, 0));
  test::WriteImage(dir / "locked.img", Program(64), 150, 179);
  ::chmod((dir / "locked.img").c_str(), 0);
  const bool rootReads = ImageFile::Read(dir / "locked.img", false).has_value();
  ::mkfifo((dir / "pipe.img").c_str(), 0600);  // opening it must not wait for a writer

  const auto listing = [&] {
    const test::FifoPartner partner(dir / "pipe.img");
    return FirmwareList::For({folder.Path() / "missing", dir}, 150);
  }();
  ASSERT_EQ(listing.images.size(), rootReads ? 3u : 2u);
  EXPECT_EQ(listing.images[0].path, dir / "a.IMG");
  EXPECT_EQ(listing.images[0].description, "Vela151 A");
  EXPECT_EQ(listing.images[1].versionLine, " V1.79   2007.05.03");
  EXPECT_EQ(listing.images[1].description, "Vela150 B");
  ASSERT_FALSE(listing.unreadable.empty());
  EXPECT_EQ(listing.unreadable.back(), dir / "pipe.img");
  EXPECT_EQ(listing.unreadable.size(), rootReads ? 1u : 2u);
  // The short file's zeros descramble to no model that suits these controllers.
  const auto for151 = FirmwareList::For({dir}, 151).images;
  ASSERT_EQ(for151.size(), 1u);
  EXPECT_EQ(for151[0].path, dir / "a.IMG");
}

}  // namespace
}  // namespace zo::firmware
