// On the poll clock the simulated controller's live data depends only on how
// many polls came before: reads in between neither move the clock nor change
// what the next poll gets, and the holds fall after the given poll counts.
#include <gtest/gtest.h>

#include <vector>

#include "PollClock.h"
#include "SimController.h"
#include "SimTestSupport.h"

namespace lpgsim {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

// The replies to `polls` live-data polls; `readsBetween` parameter reads
// before each poll; the numbers of the polls after which the clock held.
std::vector<Bytes> LiveReplies(int polls, int readsBetween, std::vector<std::uint64_t>& holds) {
  SimController controller;
  PollClock clock(100ms, {3, 5});
  std::vector<Bytes> replies;
  const auto take = [&](const Bytes& frame) {
    auto reply = test::Feed(controller, frame, clock.Now());
    if (clock.Taken(frame[0])) holds.push_back(clock.Polls());
    return reply;
  };
  for (int i = 0; i < polls; ++i) {
    for (int r = 0; r < readsBetween; ++r)
      take(test::WithSum({0x55, static_cast<std::uint8_t>(r)}));
    replies.push_back(take({0x33, 0x33}).value_or(Bytes{}));
  }
  return replies;
}

TEST(PollClock, LiveDataFollowsThePollCountAlone) {
  std::vector<std::uint64_t> heldPlain, heldWithReads;
  const std::vector<Bytes> plain = LiveReplies(60, 0, heldPlain);
  const std::vector<Bytes> withReads = LiveReplies(60, 7, heldWithReads);
  EXPECT_TRUE(plain == withReads) << "the reads in between changed the live data";
  EXPECT_NE(plain.front(), plain.back());  // the engine did run
  EXPECT_EQ(heldPlain, (std::vector<std::uint64_t>{3, 5}));
  EXPECT_EQ(heldWithReads, heldPlain);
}

}  // namespace
}  // namespace lpgsim
