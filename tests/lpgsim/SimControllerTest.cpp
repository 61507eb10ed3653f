// The simulated controller answers the commands the link's tests rely on
// byte-exact and ignores what it does not frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "SimController.h"
#include "SimTestSupport.h"

namespace lpgsim {
namespace {

using namespace std::chrono_literals;
using test::Feed;
using test::WithSum;
using Bytes = std::vector<std::uint8_t>;

TEST(SimController, AnswersEachRequestByteExactOrNotAtAll) {
  struct Case {
    const char* what;
    Bytes request;
    Bytes reply;  // empty: no answer
    std::uint8_t variant = 255;
    int bootState = -1;  // >= 0: starts in the boot loader with this last state
  };
  const std::vector<Case> cases = {
      {"model code", {0x55, 0x00, 0x55}, {0x55, 0x00, 100, 0xB9}},
      {"firmware version", {0x55, 0x01, 0x56}, {0x55, 0x01, 179, 0x09}},
      {"variant byte", {0x55, 0x06, 0x5B}, {0x55, 0x06, 0xFF, 0x5A}},
      {"lambda threshold", {0x55, 0x3A, 0x8F}, {0x55, 0x3A, 23, 0xA6}},
      {"extended read", {0x56, 0x20, 0x76}, {0x56, 0x20, 0, 0x76}},
      {"write acknowledged", {0xAA, 0x3A, 0x14, 0xF8}, {0xAA, 0xAA}},
      {"write echoed by the Quillon", {0xAA, 0x3A, 0x14, 0xF8}, {0xAA, 0x3A, 0x14, 0xF8}, 254},
      {"RAM watch of the counter year", WithSum({0x5A, 0x6D}), WithSum({0x5A, 0x6D, 23})},
      {"boot start", {0x3A, 0x75, 0x70, 0x1F}, WithSum({0x3A, 100, 179, 0, 0x20, 0x11, 0})},
      {"read in the boot loader",
       {0x55, 0x00, 0x55},
       WithSum({0x3A, 100, 179, 0, 0x20, 0x11, 2}),
       255,
       2},
      {"extended read in the boot loader",
       {0x56, 0x07, 0x5D},
       WithSum({0x3A, 100, 179, 0, 0x20, 0x11, 3}),
       255,
       3},
      {"no live data in the boot loader", {0x33, 0x33}, {}, 255, 0},
      {"garbage before a frame", {0x00, 0x12, 0xFF, 0x55, 0x3A, 0x8F}, {0x55, 0x3A, 23, 0xA6}},
      {"a bad sum drops one byte only", {0x55, 0x55, 0x00, 0x55}, {0x55, 0x00, 100, 0xB9}},
      {"corrupted write", {0xAA, 0x3A, 0x14, 0xF9}, {}},
      {"boot block outside the boot loader", {0x07, 0x07}, {}},
      {"not the boot start", {0x3A, 0x75, 0x71, 0x20}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SimConfig config;
    config.variant = c.variant;
    config.startInBootLoader = c.bootState >= 0;
    config.lastProgrammingState = static_cast<std::uint8_t>(std::max(c.bootState, 0));
    SimController controller(config);
    const auto reply = Feed(controller, c.request, 0us);
    EXPECT_EQ(reply.value_or(Bytes{}), c.reply);
    const bool written = c.request[0] == 0xAA && !c.reply.empty();
    EXPECT_EQ(controller.Image()[0x3A], written ? 0x14 : 23) << "only good writes are kept";
  }
}

}  // namespace
}  // namespace lpgsim
