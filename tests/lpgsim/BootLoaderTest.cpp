// The boot loader's answers to an upload as the tool sends it: header, block
// requests by page and absolute block number, scrambled blocks, the final
// check, and the controller's state afterwards.
#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <utility>
#include <vector>

#include "BootLoader.h"
#include "SimController.h"
#include "SimTestSupport.h"
#include "firmware/FirmwareKeys.h"

namespace lpgsim {
namespace {

using namespace std::chrono_literals;
using test::Feed;
using test::WithSum;
using Bytes = std::vector<std::uint8_t>;
using Frame20 = std::array<std::uint8_t, 20>;

void Seal(Frame20& f) {
  f[19] = static_cast<std::uint8_t>(std::accumulate(f.begin(), f.begin() + 19, 0u) & 0xFFu);
}

// The sender's scrambling of frame bytes 3..18.
void Scramble(Frame20& f, std::uint8_t key) {
  std::swap(f[5], f[8]);
  std::swap(f[10], f[13]);
  std::uint8_t k = key;
  for (std::size_t i = 3; i <= 18; ++i)
    k = std::exchange(f[i], static_cast<std::uint8_t>(f[i] ^ k));
  std::swap(f[3], f[7]);
  std::swap(f[4], f[9]);
}

struct Upload {
  Bytes image;  // zero-padded to the total blocks
  std::uint32_t perPage;
  std::uint32_t total;

  Upload(std::size_t size, std::uint16_t pageWords)
      : image(size),
        perPage(pageWords * 2u / 16u),
        total(static_cast<std::uint32_t>(size) / 16u + perPage) {
    for (std::size_t i = 0; i < size; ++i)
      image[i] = static_cast<std::uint8_t>((i * 7 + i / 256) & 0xFF);
    image.resize(total * 16u, 0);
  }

  Frame20 Header(std::uint8_t model, std::uint16_t pageWords, int sumAdjust) const {
    const auto end = image.begin() + static_cast<std::ptrdiff_t>((total - 1) * 16u);
    const std::uint32_t sum =
        std::accumulate(image.begin(), end, 0u) + static_cast<unsigned>(sumAdjust);
    const auto x =
        std::accumulate(image.begin(), end, 0u, [](unsigned a, std::uint8_t b) { return a ^ b; });
    Frame20 h{0x07,
              0,
              0,
              0,
              model,
              179,
              static_cast<std::uint8_t>(pageWords >> 8),
              static_cast<std::uint8_t>(pageWords & 0xFF),
              0x11,
              static_cast<std::uint8_t>(total >> 8),
              static_cast<std::uint8_t>(total & 0xFF),
              static_cast<std::uint8_t>(perPage),
              0,
              static_cast<std::uint8_t>((sum >> 16) & 0xFF),
              static_cast<std::uint8_t>(x),
              static_cast<std::uint8_t>(sum & 0xFF),
              static_cast<std::uint8_t>((sum >> 8) & 0xFF),
              kTransferKey,
              0xFF,
              0};
    Seal(h);
    return h;
  }

  Frame20 Block(std::uint32_t page, std::uint32_t block, std::uint8_t key) const {
    Frame20 f{0x07, 0x01, static_cast<std::uint8_t>((block - page * perPage) & 0xFF)};
    std::copy_n(image.begin() + block * 16u, 16, f.begin() + 3);
    Scramble(f, key);
    Seal(f);
    return f;
  }

  static constexpr std::uint8_t kTransferKey = 0x47;
};

TEST(BootLoader, AnswersAnUploadAndEndsInTheRightState) {
  struct Case {
    const char* name;
    std::size_t imageSize;
    std::uint16_t pageWords;
    std::uint8_t model;
    int sumAdjust;
    bool headerOnly;
    std::size_t replies;  // the header's reply and one per block
    std::uint8_t end;     // code in the last reply
    int stateAfter;       // last programming state read back; -1: the new program runs
  };
  const std::vector<Case> cases = {
      {"small image", 96, 32, 100, 0, false, 11, 5, -1},
      {"pages of eight blocks", 4096, 64, 100, 0, false, 265, 5, -1},
      {"wrong image sum", 64, 32, 100, 1, false, 9, 0x25, 2},
      {"another controller's header", 64, 32, 150, 0, false, 1, 0x25, -1},
      {"interrupted after the header", 64, 32, 100, 0, true, 1, 3, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SimConfig config;
    config.bootPageWords = c.pageWords;
    config.versionAfterUpload = 181;
    config.lastProgrammingState = 3;
    SimController controller(config);
    const Upload upload(c.imageSize, c.pageWords);
    auto t = 0us;
    const auto send = [&](std::span<const std::uint8_t> frame) {
      return Feed(controller, frame, t += 50ms).value_or(Bytes{});
    };
    EXPECT_EQ(send(Bytes{0x3A, 0x75, 0x70, 0x1F}),
              WithSum({0x3A, 100, 179, 0, static_cast<std::uint8_t>(c.pageWords), 0x11, 3}));
    std::vector<Bytes> replies{send(upload.Header(c.model, c.pageWords, c.sumAdjust))};
    const std::uint8_t key = zo::firmware::BlockKey(Upload::kTransferKey);
    while (!c.headerOnly && replies.size() <= upload.total && replies.back().size() == 8 &&
           (replies.back()[2] & 0x0F) == 3) {
      const Bytes& r = replies.back();
      const auto page = static_cast<std::uint32_t>(r[3] << 8 | r[4]);
      const auto block = static_cast<std::uint32_t>(r[5] << 8 | r[6]);
      EXPECT_EQ(page, block / upload.perPage) << block;
      replies.push_back(send(upload.Block(page, block, key)));
    }
    EXPECT_EQ(replies.size(), c.replies);
    ASSERT_EQ(replies.back().size(), 8u);
    EXPECT_EQ(replies.back()[2], c.end);
    EXPECT_TRUE(test::SumIsValid(replies.back()));
    if (c.stateAfter < 0 && c.end == 5) {
      EXPECT_TRUE(
          std::equal(upload.image.begin(), upload.image.end(), controller.Boot().Flash().begin()));
      EXPECT_FALSE(controller.InBootLoader());
      EXPECT_EQ(send(Bytes{0x55, 0x01, 0x56}), WithSum({0x55, 1, 181}));
    } else {
      EXPECT_TRUE(controller.InBootLoader());
      if (c.stateAfter >= 0) {
        EXPECT_EQ(send(Bytes{0x55, 0x00, 0x55}).at(6), c.stateAfter);
      }
    }
  }
}

}  // namespace
}  // namespace lpgsim
