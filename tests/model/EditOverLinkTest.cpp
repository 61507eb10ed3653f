// Edits reaching the simulated controller through the scheduler: the erase
// button writes its 0 before the whole image is read again, and a follow-up
// edit's bytes go out lowest first.
#include <gtest/gtest.h>

#include <algorithm>

#include "SimLink.h"
#include "model/ParameterEditor.h"
#include "model/ParameterGrid.h"

namespace zo::model {
namespace {

class NoMessages : public IMessages {
 public:
  int ShowMessage(const link::UserText&, int, link::MsgIcon, link::MsgButtons) override {
    return 1;
  }
  void Beep() override {}
};

class FixedClock : public IClock {
 public:
  CalendarDate Today() const override { return {2026, 3, 9}; }
};

TEST(EditOverLink, EraseWritesItsZeroBeforeTheImageIsReadAgain) {
  test::SimLink t;
  t.ReadController();
  ASSERT_FALSE(t.state.readInProgress);
  t.state.connectionState = 2;
  NoMessages messages;
  FixedClock clock;
  ParameterEditor editor(t.state, messages, clock);
  ParameterRow eraseRow;
  eraseRow.byte = 78;
  eraseRow.editStyle = kEditButton;
  t.state.workingCopy[78] = 3;
  t.state.controllerCopy[78] = 3;
  const std::size_t before = t.port.Written().size();

  editor.ButtonPressed(eraseRow);
  t.ReadController(400);

  std::vector<std::vector<std::uint8_t>> frames;
  for (std::size_t i = before; i < t.port.Written().size(); ++i)
    frames.push_back(t.port.Written()[i].bytes);
  const auto writeOf78 = std::find_if(frames.begin(), frames.end(), [](const auto& f) {
    return f.size() >= 3 && f[0] == 0xAA && f[1] == 78 && f[2] == 0;
  });
  const auto readOf0 = std::find_if(frames.begin(), frames.end(), [](const auto& f) {
    return f.size() >= 2 && f[0] == 0x55 && f[1] == 0;
  });
  ASSERT_NE(writeOf78, frames.end());
  ASSERT_NE(readOf0, frames.end());
  EXPECT_LT(writeOf78 - frames.begin(), readOf0 - frames.begin());
  EXPECT_EQ(t.controller.Image()[78], 0);
  EXPECT_EQ(t.controller.Image()[172], 26) << "the configuration date went out too";
  EXPECT_FALSE(t.state.readInProgress);
  EXPECT_EQ(t.state.workingCopy, t.state.controllerCopy);
}

}  // namespace
}  // namespace zo::model
