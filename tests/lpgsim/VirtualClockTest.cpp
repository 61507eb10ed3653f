// Virtual time as the link's tests rely on it: callbacks (the emulated
// timers) run in time order when due, time never goes back, and the pump
// records how often the link kept the user interface alive.
#include <gtest/gtest.h>

#include <string>

#include "VirtualClock.h"
#include "VirtualPump.h"

namespace lpgsim {
namespace {

using namespace std::chrono_literals;

TEST(VirtualClock, RunsDueCallbacksInTimeOrderAndLeavesTheRest) {
  VirtualClock clock;
  std::string order;
  clock.Schedule(30ms, [&] { order += 'c'; });
  clock.Schedule(10ms, [&] { order += 'a'; });
  clock.Schedule(20ms, [&] { order += 'b'; });
  clock.Schedule(20ms, [&] { order += 'B'; });  // equal times: in scheduling order
  clock.Schedule(50ms, [&] { order += 'x'; });
  clock.AdvanceTo(30ms);
  EXPECT_EQ(clock.RunDue(), 4);
  EXPECT_EQ(order, "abBc");
  EXPECT_EQ(clock.NextDue(), 50ms);
}

TEST(VirtualClock, CallbacksScheduledWhileRunningRunWhenAlreadyDue) {
  VirtualClock clock;
  std::string order;
  clock.Schedule(10ms, [&] {
    order += 'a';
    clock.Schedule(5ms, [&] { order += 'b'; });    // already due
    clock.Schedule(100ms, [&] { order += 'z'; });  // not yet
  });
  clock.AdvanceTo(20ms);
  EXPECT_EQ(clock.RunDue(), 2);
  EXPECT_EQ(order, "ab");
}

TEST(VirtualClock, TimeNeverGoesBack) {
  VirtualClock clock;
  clock.AdvanceTo(10ms);
  clock.AdvanceTo(5ms);
  clock.Advance(-3ms);
  EXPECT_EQ(clock.Now(), 10ms);
  clock.Advance(3ms);
  EXPECT_EQ(clock.Now(), 13ms);
}

TEST(VirtualPump, ProcessMessagesRunsDueCallbacksAndSleepOnlyMovesTime) {
  VirtualClock clock;
  VirtualPump pump(clock);
  int runs = 0;
  clock.Schedule(100ms, [&] { ++runs; });
  pump.Sleep(250ms);
  EXPECT_EQ(runs, 0);
  EXPECT_EQ(pump.Now(), 250ms);
  pump.ProcessMessages();
  EXPECT_EQ(runs, 1);
}

TEST(VirtualPump, RecordsTheLongestGapBetweenProcessCalls) {
  VirtualClock clock;
  VirtualPump pump(clock);
  pump.ProcessMessages();
  for (int i = 0; i < 10; ++i) {
    pump.Sleep(15ms);
    pump.ProcessMessages();
  }
  pump.Sleep(40ms);
  pump.ProcessMessages();
  EXPECT_EQ(pump.MaxGap(), 40ms);
  EXPECT_EQ(pump.ProcessCount(), 12);
  pump.ResetStatistics();
  EXPECT_EQ(pump.MaxGap(), 0us);
  EXPECT_EQ(pump.ProcessCount(), 0);
}

}  // namespace
}  // namespace lpgsim
