// Virtual time: callbacks run in time order when due, periodic timers behave
// like toolkit timers, and the pump records how often the link kept the user
// interface alive.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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
  clock.Schedule(50ms, [&] { order += 'x'; });
  clock.AdvanceTo(30ms);
  EXPECT_EQ(clock.RunDue(), 3);
  EXPECT_EQ(order, "abc");
  EXPECT_EQ(clock.PendingCount(), 1u);
  EXPECT_EQ(clock.NextDue(), 50ms);
}

TEST(VirtualClock, EqualTimesRunInSchedulingOrder) {
  VirtualClock clock;
  std::string order;
  for (const char c : std::string("pqrs"))
    clock.Schedule(5ms, [&order, c] { order += c; });
  clock.AdvanceTo(5ms);
  clock.RunDue();
  EXPECT_EQ(order, "pqrs");
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

TEST(VirtualClock, CancelledCallbacksDoNotRun) {
  VirtualClock clock;
  int runs = 0;
  const auto id = clock.Schedule(10ms, [&] { ++runs; });
  EXPECT_TRUE(clock.Cancel(id));
  EXPECT_FALSE(clock.Cancel(id));
  clock.AdvanceTo(1s);
  EXPECT_EQ(clock.RunDue(), 0);
  EXPECT_EQ(runs, 0);
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

TEST(VirtualClock, PeriodicTimerTicksEveryPeriodAndSkipsMissedTicks) {
  VirtualClock clock;
  std::vector<std::chrono::microseconds> ticks;
  clock.SchedulePeriodic(100ms, 100ms, [&] { ticks.push_back(clock.Now()); });
  for (int i = 1; i <= 3; ++i) {
    clock.AdvanceTo(i * 100ms);
    clock.RunDue();
  }
  EXPECT_EQ(ticks.size(), 3u);
  // Nobody ran the callbacks for a second: one late tick, then back on the grid.
  clock.AdvanceTo(1350ms);
  EXPECT_EQ(clock.RunDue(), 1);
  EXPECT_EQ(clock.NextDue(), 1400ms);
}

TEST(VirtualClock, APeriodicTimerCanStopItself) {
  VirtualClock clock;
  int runs = 0;
  VirtualClock::TimerId id = 0;
  id = clock.SchedulePeriodic(10ms, 10ms, [&] {
    if (++runs == 2) clock.Cancel(id);
  });
  for (int i = 1; i <= 5; ++i) {
    clock.AdvanceTo(i * 10ms);
    clock.RunDue();
  }
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(clock.PendingCount(), 0u);
}

TEST(VirtualPump, ProcessMessagesRunsTimersAndSleepOnlyMovesTime) {
  VirtualClock clock;
  VirtualPump pump(clock);
  int ticks = 0;
  clock.SchedulePeriodic(100ms, 100ms, [&] { ++ticks; });
  pump.Sleep(250ms);
  EXPECT_EQ(ticks, 0);
  EXPECT_EQ(pump.Now(), 250ms);
  pump.ProcessMessages();
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(pump.ProcessCount(), 1);
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
