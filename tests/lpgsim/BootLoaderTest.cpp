// The boot loader programs a whole image end to end: header, block requests,
// scrambled blocks, the final check, and the controller's state afterwards.
// The sending side here follows the upload procedure the tool uses.
#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <utility>
#include <vector>

#include "BootLoader.h"
#include "SimController.h"
#include "SimTestSupport.h"

namespace lpgsim {
namespace {

using namespace std::chrono_literals;
using test::SumIsValid;
using Bytes = std::vector<std::uint8_t>;
using Frame20 = std::array<std::uint8_t, 20>;

void Seal(Frame20& f) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < 19; ++i)
    sum += f[i];
  f[19] = static_cast<std::uint8_t>(sum & 0xFFu);
}

// The sender's scrambling of frame bytes 3..18.
void Scramble(Frame20& f, std::uint8_t key) {
  std::swap(f[5], f[8]);
  std::swap(f[10], f[13]);
  std::uint8_t k = key;
  for (std::size_t i = 3; i <= 18; ++i) {
    const std::uint8_t p = f[i];
    f[i] = static_cast<std::uint8_t>(p ^ k);
    k = p;
  }
  std::swap(f[3], f[7]);
  std::swap(f[4], f[9]);
}

struct Upload {
  Bytes image;  // zero-padded to the total blocks
  std::uint16_t pageWords = 32;
  std::uint8_t transferKey = 0x47;
  std::uint32_t perPage = 0;
  std::uint32_t total = 0;

  Upload(Bytes bytes, std::uint16_t words) : image(std::move(bytes)), pageWords(words) {
    perPage = pageWords * 2u / 16u;
    total = static_cast<std::uint32_t>(image.size()) / 16u + perPage;
    image.resize(total * 16u, 0);
  }

  Frame20 Header(std::uint8_t model, std::uint8_t version, std::uint8_t parameter,
                 int sumAdjust = 0) const {
    const auto covered = static_cast<std::ptrdiff_t>((total - 1) * 16u);
    const std::uint32_t sum = std::accumulate(image.begin(), image.begin() + covered, 0u) +
                              static_cast<unsigned>(sumAdjust);
    std::uint8_t x = 0;
    for (std::ptrdiff_t i = 0; i < covered; ++i)
      x = static_cast<std::uint8_t>(x ^ image[static_cast<std::size_t>(i)]);
    Frame20 h{};
    h[0] = 0x07;
    h[4] = model;
    h[5] = version;
    h[6] = static_cast<std::uint8_t>(pageWords >> 8);
    h[7] = static_cast<std::uint8_t>(pageWords & 0xFF);
    h[8] = parameter;
    h[9] = static_cast<std::uint8_t>(total >> 8);
    h[10] = static_cast<std::uint8_t>(total & 0xFF);
    h[11] = static_cast<std::uint8_t>(perPage);
    h[13] = static_cast<std::uint8_t>((sum >> 16) & 0xFF);
    h[14] = x;
    h[15] = static_cast<std::uint8_t>(sum & 0xFF);
    h[16] = static_cast<std::uint8_t>((sum >> 8) & 0xFF);
    h[17] = transferKey;
    h[18] = 0xFF;
    Seal(h);
    return h;
  }

  Frame20 Block(std::uint32_t page, std::uint32_t block, std::uint8_t key) const {
    Frame20 f{};
    f[0] = 0x07;
    f[1] = 0x01;
    f[2] = static_cast<std::uint8_t>((block - page * perPage) & 0xFF);
    for (std::size_t i = 0; i < 16; ++i)
      f[3 + i] = image[block * 16u + i];
    Scramble(f, key);
    Seal(f);
    return f;
  }
};

Bytes TestImage(std::size_t size) {
  Bytes image(size);
  for (std::size_t i = 0; i < size; ++i)
    image[i] = static_cast<std::uint8_t>((i * 7 + i / 256) & 0xFF);
  return image;
}

struct Session {
  std::vector<Bytes> replies;
  Bytes last;
};

// Starts the boot loader, sends the header and every requested block.
Session Program(SimController& controller, const Upload& upload, const Frame20& header) {
  Session s;
  auto t = 0us;
  const auto send = [&](std::span<const std::uint8_t> frame) {
    t += 50ms;
    auto reply = test::Feed(controller, frame, t);
    return reply ? *reply : Bytes{};
  };
  const Bytes status = send(Bytes{0x3A, 0x75, 0x70, 0x1F});
  EXPECT_EQ(status.size(), 8u);
  Bytes reply = send(header);
  const std::uint8_t key = controller.Config().blockKeys[upload.transferKey % 32];
  for (std::uint32_t guard = 0; guard < upload.total + 2; ++guard) {
    s.replies.push_back(reply);
    if (reply.size() != 8 || (reply[2] & 0x0F) != 3) break;
    const auto page = static_cast<std::uint32_t>(reply[3] << 8 | reply[4]);
    const auto block = static_cast<std::uint32_t>(reply[5] << 8 | reply[6]);
    reply = send(upload.Block(page, block, key));
  }
  s.last = reply;
  return s;
}

TEST(BootLoaderScrambling, EqualBytesLeaveOnlyByteSevenCarryingKeyXorValue) {
  Frame20 f{};
  f[0] = 0x07;
  f[1] = 0x01;
  for (std::size_t i = 3; i <= 18; ++i)
    f[i] = 0x5C;
  Scramble(f, 0xA1);
  for (std::size_t i = 3; i <= 18; ++i)
    EXPECT_EQ(f[i], i == 7 ? 0xA1 ^ 0x5C : 0) << i;
  BootLoader::Descramble(f, 0xA1);
  for (std::size_t i = 3; i <= 18; ++i)
    EXPECT_EQ(f[i], 0x5C) << i;
}

TEST(BootLoaderScrambling, DescrambleUndoesScrambleForEveryPosition) {
  for (std::size_t pos = 3; pos <= 18; ++pos) {
    Frame20 plain{};
    for (std::size_t i = 3; i <= 18; ++i)
      plain[i] = static_cast<std::uint8_t>(i * 13);
    plain[pos] = 0xEE;
    Frame20 f = plain;
    Scramble(f, 0x3C);
    EXPECT_NE(f, plain);
    BootLoader::Descramble(f, 0x3C);
    EXPECT_EQ(f, plain) << pos;
  }
}

TEST(BootLoaderProgramming, SmallImageIsProgrammedAndTheNewProgramStarts) {
  SimConfig config;
  config.versionAfterUpload = 181;
  SimController controller(config);
  const Upload upload(TestImage(96), 32);  // 6 blocks + one page of 4 = 10 blocks
  const Session s = Program(controller, upload, upload.Header(100, 179, config.bootParameter));

  ASSERT_EQ(s.last.size(), 8u);
  EXPECT_EQ(s.last[2], 5) << "ended without error";
  EXPECT_TRUE(SumIsValid(s.last));
  EXPECT_EQ(s.replies.size(), 11u) << "the header's reply and one per block";
  EXPECT_EQ(controller.Boot().BlocksReceived(), 10u);
  const auto& flash = controller.Boot().Flash();
  ASSERT_EQ(flash.size(), 160u);
  EXPECT_TRUE(std::equal(upload.image.begin(), upload.image.end(), flash.begin()));

  EXPECT_FALSE(controller.InBootLoader());
  EXPECT_EQ(test::Feed(controller, {0x55, 0x01, 0x56}, 10s), test::WithSum({0x55, 1, 181}));
}

TEST(BootLoaderProgramming, BlocksAreRequestedByPageAndAbsoluteBlockNumber) {
  SimController controller([] {
    SimConfig c;
    c.bootPageWords = 64;  // 8 blocks per page
    return c;
  }());
  const Upload upload(TestImage(4096), 64);
  EXPECT_EQ(upload.total, 264u);
  const Session s = Program(controller, upload, upload.Header(100, 179, 0x11));
  ASSERT_GT(s.replies.size(), 29u);
  // The reply that asks for block 29 names page 3.
  EXPECT_EQ(s.replies[29], (Bytes{0x07, 0x01, 0x03, 0x00, 0x03, 0x00, 29, 0x2B}));
  EXPECT_EQ(s.last[2], 5);
  EXPECT_TRUE(
      std::equal(upload.image.begin(), upload.image.end(), controller.Boot().Flash().begin()));
}

TEST(BootLoaderProgramming, WrongImageSumEndsWithErrorAndStaysInTheBootLoader) {
  SimController controller;
  const Upload upload(TestImage(64), 32);
  const Session s = Program(controller, upload, upload.Header(100, 179, 0x11, 1));
  ASSERT_EQ(s.last.size(), 8u);
  EXPECT_EQ(s.last[2], 0x25);
  EXPECT_TRUE(controller.InBootLoader());
  const auto status = test::Feed(controller, {0x55, 0x00, 0x55}, 60s);
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ((*status)[0], 0x3A);
  EXPECT_EQ((*status)[6], 2) << "check-sum error";
}

TEST(BootLoaderProgramming, HeaderForAnotherControllerIsRefusedAtOnce) {
  SimController controller;
  const Upload upload(TestImage(64), 32);
  const Session s = Program(controller, upload, upload.Header(150, 179, 0x11));
  EXPECT_EQ(s.replies.size(), 1u);
  EXPECT_EQ(s.last[2], 0x25);
  EXPECT_TRUE(controller.InBootLoader());
}

TEST(BootLoaderProgramming, AnInterruptedUploadReportsNotFinished) {
  SimConfig config;
  config.lastProgrammingState = 3;
  SimController controller(config);
  const Upload upload(TestImage(64), 32);
  const auto boot = test::Feed(controller, {0x3A, 0x75, 0x70, 0x1F}, 0us);
  ASSERT_TRUE(boot.has_value());
  EXPECT_EQ((*boot)[6], 3);
  const Frame20 header = upload.Header(100, 179, 0x11);
  ASSERT_TRUE(test::Feed(controller, header, 100ms).has_value());
  const auto status = test::Feed(controller, {0x55, 0x00, 0x55}, 1s);
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ((*status)[6], 0);
}

}  // namespace
}  // namespace lpgsim
