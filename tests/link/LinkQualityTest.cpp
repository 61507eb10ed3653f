// The link's reply counts of the last minute, and when the connection check
// is offered, on virtual time.
#include <gtest/gtest.h>

#include "link/CheckOffer.h"
#include "link/LinkQuality.h"

namespace zo::link {
namespace {

using namespace std::chrono_literals;
using Reply = LinkQuality::Reply;

TEST(LinkQualityTest, CountsTheRepliesOfTheLastMinuteOnly) {
  LinkQuality quality;
  EXPECT_EQ(quality.LastMinute(0s), ReplyCounts{});
  quality.Record(Reply::Good, 100ms);
  quality.Record(Reply::Good, 900ms);
  quality.Record(Reply::Damaged, 30s);
  quality.Record(Reply::Missing, 59s);
  EXPECT_EQ(quality.LastMinute(59s), (ReplyCounts{2, 1, 1}));
  // A minute on, the first second has fallen out; a record after a long
  // silence starts afresh.
  EXPECT_EQ(quality.LastMinute(60s), (ReplyCounts{0, 1, 1}));
  EXPECT_EQ(quality.LastMinute(95s), (ReplyCounts{0, 0, 1}));
  EXPECT_EQ(quality.LastMinute(119s), (ReplyCounts{0, 0, 0}));
  quality.Record(Reply::Good, 200s);
  EXPECT_EQ(quality.LastMinute(200s), (ReplyCounts{1, 0, 0}));
  quality.Clear();
  EXPECT_EQ(quality.LastMinute(200s).Total(), 0);
}

TEST(CheckOfferTest, AFailedOpenOffersOnceUntilTheLinkAnswersSteadily) {
  CheckOffer offer;
  EXPECT_TRUE(offer.OpenFailed());
  EXPECT_FALSE(offer.OpenFailed());
  offer.LinkAnswering(10s);
  offer.LinkAnswering(15s);  // answering, but not long enough
  EXPECT_FALSE(offer.OpenFailed());
  offer.LinkAnswering(20s);
  offer.LinkAnswering(30s);
  EXPECT_TRUE(offer.OpenFailed());
}

TEST(CheckOfferTest, ThreeLostTicksInARowOfferOnceAndAReconnectionResets) {
  CheckOffer offer;
  EXPECT_FALSE(offer.LinkLost());
  EXPECT_FALSE(offer.LinkLost());
  offer.LinkAnswering(1s);  // a reply between: not in a row
  EXPECT_FALSE(offer.LinkLost());
  EXPECT_FALSE(offer.LinkLost());
  EXPECT_TRUE(offer.LinkLost());
  for (int tick = 0; tick < 10; ++tick)
    EXPECT_FALSE(offer.LinkLost());
  // A cable that comes and goes is the same trouble: no new offer.
  offer.LinkAnswering(20s);
  for (int tick = 0; tick < 3; ++tick)
    EXPECT_FALSE(offer.LinkLost());
  // Reconnected and answering steadily: the next loss is offered again.
  offer.LinkAnswering(30s);
  offer.LinkAnswering(40s);
  EXPECT_FALSE(offer.LinkLost());
  EXPECT_FALSE(offer.LinkLost());
  EXPECT_TRUE(offer.LinkLost());
}

}  // namespace
}  // namespace zo::link
