// What the program keeps about the shown controller across connection states.
#include <gtest/gtest.h>

#include "FakeTexts.h"
#include "TestImages.h"
#include "model/ControllerSession.h"

namespace zo::model {
namespace {

using S = link::ConnectionState;

TEST(ControllerSession, DatesFollowTheReadUnlessTheWorkingTimesTookTheCounterBlock) {
  test::Image image = test::Vela100AllOn();
  std::array<std::int32_t, 16> counters{};
  counters[13] = 23;
  counters[14] = 11;
  counters[15] = 5;
  const test::FakeTexts texts;
  ControllerSession session;
  const ControllerSession::Controller controller{image, counters, false};
  // The installation date written before the dates are taken is the one kept.
  session.Enter(S::ControllerRead, controller, texts, {}, [&] { image[169] = 13; });
  EXPECT_EQ(session.Dates().production, "2023.11.05");
  EXPECT_EQ(session.Dates().installation, "--.--.--");
  EXPECT_TRUE(session.Identified());

  // The information window read the working times over entries 13..15.
  session.WorkingTimesRead();
  counters[13] = 99;
  session.Enter(S::ControllerRead, controller, texts, {}, {});
  EXPECT_EQ(session.Dates().production, "2023.11.05");
  session.LinkChanged();
  session.Enter(S::ControllerRead, controller, texts, {}, {});
  EXPECT_EQ(session.Dates().production, "2099.11.05");

  // Other states leave the dates; a file shown is no identified controller.
  const SessionView view = session.Enter(S::FileShown, controller, texts, "car.zop", {});
  EXPECT_FALSE(session.Identified());
  EXPECT_EQ(session.Dates().production, "2099.11.05");
  EXPECT_EQ(view.switchPanelShown, std::nullopt);
}

TEST(ControllerSession, TheSwitchPanelChoiceStaysUntilAStateMakesItAgain) {
  test::Image image = test::Vela100AllOn();
  test::Set(image, {{0, 100}, {1, 179}, {6, 255}});
  const std::array<std::int32_t, 16> counters{};
  const test::FakeTexts texts;
  ControllerSession session;
  const ControllerSession::Controller controller{image, counters, false};
  SessionView view = session.Enter(S::ControllerRead, controller, texts, {}, {});
  ASSERT_EQ(view.switchPanelShown, true);
  EXPECT_EQ(view.lampLayout, ControllerModel::Identify(image).lampLayout);
  test::Set(image, {{6, 254}});
  view = session.Enter(S::ControllerRead, controller, texts, {}, {});
  EXPECT_EQ(view.switchPanelShown, false);
  EXPECT_EQ(view.lampLayout, 0);
  EXPECT_FALSE(session.SwitchPanelShown());
  session.Enter(S::NotConnected, controller, texts, {}, {});
  EXPECT_FALSE(session.SwitchPanelShown());
}

}  // namespace
}  // namespace zo::model
