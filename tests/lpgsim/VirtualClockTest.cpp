// The pump records how often the link kept the user interface alive; the
// link's tests judge its waits by these numbers.
#include <gtest/gtest.h>

#include "VirtualClock.h"
#include "VirtualPump.h"

namespace lpgsim {
namespace {

using namespace std::chrono_literals;

TEST(VirtualPump, RunsDueCallbacksOnlyWhenProcessingAndRecordsTheLongestGap) {
  VirtualClock clock;
  VirtualPump pump(clock);
  int runs = 0;
  clock.Schedule(180ms, [&] { ++runs; });
  pump.ProcessMessages();
  for (int i = 0; i < 10; ++i) {
    pump.Sleep(15ms);
    pump.ProcessMessages();
  }
  pump.Sleep(40ms);
  EXPECT_EQ(runs, 0) << "sleeping only moves time";
  pump.ProcessMessages();
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(pump.MaxGap(), 40ms);
  EXPECT_EQ(pump.ProcessCount(), 12);
}

}  // namespace
}  // namespace lpgsim
