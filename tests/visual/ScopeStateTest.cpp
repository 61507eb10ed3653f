#include "visual/ScopeState.h"

#include <gtest/gtest.h>

#include <vector>

namespace zo::visual {
namespace {

TEST(ScopeStateTest, TimeBaseStepsStopAtTheEndsAndSetScrollMinimum) {
  ScopeState state(10, 0, 0);
  // Bounded, so that steps that never stop fail instead of hanging.
  std::vector<int> up;
  while (up.size() < 10 && state.TimeBaseUp(405))
    up.push_back(state.TimeBase());
  EXPECT_EQ(up, (std::vector<int>{5, 4, 2, 1}));
  EXPECT_EQ(state.ScrollMinimum(), 405);
  std::vector<int> down;
  while (down.size() < 10 && state.TimeBaseDown(405))
    down.push_back(state.TimeBase());
  EXPECT_EQ(down, (std::vector<int>{2, 4, 5, 10}));
  EXPECT_EQ(state.ScrollMinimum(), 40);

  const std::pair<int, int> offList[] = {{7, 5}, {3, 2}};  // stored values off the list
  for (const auto& [from, to] : offList) {
    ScopeState s(from, 0, 0);
    EXPECT_TRUE(s.TimeBaseUp(405));
    EXPECT_EQ(s.TimeBase(), to);
  }
  ScopeState seven(7, 0, 0);
  EXPECT_TRUE(seven.TimeBaseDown(405));
  EXPECT_EQ(seven.TimeBase(), 10);
  EXPECT_EQ(ScopeState(0, 0, 0).TimeBase(), 1);  // a broken setting cannot divide by zero

  ScopeState five(5, 0, 0);
  five.SetFrameWidth(405);
  EXPECT_EQ(five.ScrollMinimum(), 81);
  EXPECT_EQ(five.TimeBaseCaption(), "2 s/dz");
  EXPECT_EQ(ScopeState(4, 0, 0).TimeBaseCaption(','), "2,5 s/dz");
  EXPECT_EQ(ScopeState(1, 0, 0).TimeBaseCaption(), "10 s/dz");
}

TEST(ScopeStateTest, StoppingSwitchesAutoSaveOffAndShowsTheScrollBar) {
  ScopeState state(2, 0, 0);
  state.SetFrameWidth(405);
  state.SetAutoSave(true);
  EXPECT_EQ(state.ViewEnd(1234), 1234);
  const RunChange stop = state.ToggleRunning(1234);
  EXPECT_FALSE(stop.running);
  EXPECT_TRUE(stop.autoSaveSwitchedOff);
  EXPECT_TRUE(stop.scrollBarShown);
  EXPECT_EQ(stop.caption, "START");
  EXPECT_FALSE(state.AutoSave());
  EXPECT_EQ(state.ViewEnd(1300), 1234);

  const RunChange start = state.ToggleRunning(1300);
  EXPECT_TRUE(start.running);
  EXPECT_FALSE(start.scrollBarShown);
  EXPECT_EQ(start.caption, " STOP ");
  EXPECT_FALSE(state.AutoSave());
  EXPECT_FALSE(state.ToggleRunning(10).autoSaveSwitchedOff);
  EXPECT_EQ(state.ScrollPosition(), 202);  // the scroll bar keeps to its minimum

  ScopeState loaded(2, 0, 0);
  const RunChange recording = loaded.StopForRecording();
  EXPECT_FALSE(recording.running);
  EXPECT_EQ(loaded.ViewEnd(17), kScrollMaximum);
}

TEST(ScopeStateTest, FullRedrawWaitsForTheNextSampleWhileRunning) {
  ScopeState state(1, 0, 0);
  EXPECT_EQ(state.RequestFullRedraw(), RedrawRequest::Deferred);
  EXPECT_TRUE(state.TakeFull(false));
  EXPECT_FALSE(state.TakeFull(false));
  EXPECT_TRUE(state.TakeFull(true));
  state.ToggleRunning(0);
  EXPECT_EQ(state.RequestFullRedraw(), RedrawRequest::FullNow);
}

TEST(ScopeStateTest, CursorIndexByMouseAndScrollBar) {
  ScopeState state(2, 0, 0);
  state.SetFrameWidth(405);
  state.ToggleRunning(1000);
  EXPECT_EQ(state.CursorIndexAt(399, 400), 1001);
  EXPECT_EQ(state.CursorIndexAt(1, 400), 802);
  EXPECT_EQ(state.CursorIndexAt(0, 400), 801);
  EXPECT_EQ(state.CursorIndexOfScroll(), 1001);
  state.SetScrollPosition(kScrollMaximum);
  EXPECT_EQ(state.CursorIndexAt(399, 400), 3599);  // kept inside the history
  EXPECT_EQ(state.CursorIndexOfScroll(), 3599);
  state.SetScrollPosition(0);
  EXPECT_EQ(state.ScrollPosition(), 202);
  EXPECT_EQ(state.CursorIndexAt(0, 400), 3);
}

TEST(ScopeStateTest, ButtonsCycleAndCaptions) {
  ScopeState state(1, 3, 3);
  EXPECT_EQ(state.BandCountCaption(), " 3 ");
  state.NextBandCount();
  state.NextGridStyle();
  EXPECT_EQ(state.BandCount(), 0);
  EXPECT_EQ(state.GridStyle(), 0);
  EXPECT_EQ(state.BandCountCaption(), " A ");
  EXPECT_EQ(ScopeState::TimeCaption(123), "12.3 s");
  EXPECT_EQ(ScopeState::TimeCaption(0), "0 s");
  EXPECT_EQ(ScopeState::TimeCaption(3599, ','), "359,9 s");
}

}  // namespace
}  // namespace zo::visual
