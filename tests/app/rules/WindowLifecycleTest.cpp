// The order of the main window's life: each step after what it needs.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/rules/WindowLifecycle.h"

namespace zo::app {
namespace {

template <typename Steps, typename Step>
std::ptrdiff_t At(const Steps& steps, Step step) {
  const auto found = std::find(steps.begin(), steps.end(), step);
  EXPECT_NE(found, steps.end());
  return found - steps.begin();
}

TEST(WindowLifecycle, EachStepFollowsWhatItNeeds) {
  using S = StartUpStep;
  const auto& up = WindowLifecycle::kStartUp;
  // The oscilloscope is built from the settings; they are applied once the window exists.
  EXPECT_LT(At(up, S::ReadSettings), At(up, S::BuildWindow));
  EXPECT_LT(At(up, S::BuildWindow), At(up, S::ApplySettings));
  EXPECT_LT(At(up, S::ApplySettings), At(up, S::ApplyLanguage));
  EXPECT_LT(At(up, S::ApplyLanguage), At(up, S::ShowParametersPage));

  const auto& show = WindowLifecycle::kShow;
  EXPECT_EQ(At(show, ShowStep::MarkShown), 0) << "a layout before it places nothing";
  EXPECT_LT(At(show, ShowStep::StartTimers), At(show, ShowStep::FirstConnectionTick));

  const auto& close = WindowLifecycle::kClose;
  EXPECT_EQ(At(close, CloseStep::StoreIndicators), 0) << "before they close with the window";
  EXPECT_LT(At(close, CloseStep::StopTimers), At(close, CloseStep::ClosePort))
      << "nothing polls a closed port";

  const auto& destroy = WindowLifecycle::kDestroy;
  EXPECT_EQ(At(destroy, DestroyStep::SaveSettings), std::ssize(destroy) - 1);
  EXPECT_LT(At(destroy, DestroyStep::Close), At(destroy, DestroyStep::StoreLinkSettings))
      << "the settings are taken from the closed window";
}

}  // namespace
}  // namespace zo::app
