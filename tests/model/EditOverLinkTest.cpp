// Edits reaching the simulated controller through the scheduler: the erase
// button and the factory parameters write their byte before the whole image
// is read again.
#include <gtest/gtest.h>

#include <algorithm>

#include "FakeEditorPorts.h"
#include "SimLink.h"
#include "link/ConnectionManager.h"
#include "link/NoFtdi.h"
#include "model/ParameterEditor.h"
#include "model/ParameterGrid.h"

namespace zo::model {
namespace {

using model::test::FixedClock;
using model::test::RecordingMessages;

TEST(EditOverLink, EraseWritesItsZeroBeforeTheImageIsReadAgain) {
  zo::test::SimLink t;
  t.ReadController();
  ASSERT_FALSE(t.state.readInProgress);
  t.state.connectionState = link::ConnectionState::ControllerRead;
  RecordingMessages messages{6};  // Yes to every question
  FixedClock clock;
  ParameterEditor editor({t.state, t.state, t.state}, messages, clock);
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

// A port that is open and is never reopened: the connection ticks below only
// serve requests.
class AlwaysOpenPort : public link::ISerialPort, public link::IPortList {
 public:
  int OpenPort(const std::string&) override { return 0; }
  void ClosePort() override {}
  [[nodiscard]] bool IsOpen() const override { return true; }
  [[nodiscard]] std::vector<link::PortEntry> Discover() const override { return {}; }
};

TEST(EditOverLink, FactoryParametersAreWrittenBeforeTheReadWhicheverTimerTicksFirst) {
  const zo::test::SimLink factory;
  for (const bool connectionTickFirst : {true, false}) {
    zo::test::SimLink t;
    t.ReadController();
    t.state.workingCopy[58] = static_cast<std::uint8_t>(factory.controller.Image()[58] + 5);
    t.Tick();
    ASSERT_NE(t.controller.Image()[58], factory.controller.Image()[58]);
    RecordingMessages messages{6};  // Yes to every question
    FixedClock clock;
    ParameterEditor editor({t.state, t.state, t.state}, messages, clock);
    AlwaysOpenPort port;
    link::NoFtdi ftdi;
    link::ConnectionManager manager({t.state, t.state, t.state, t.state, t.state.programming}, port,
                                    ftdi, port, t.pump, t.effects.connectionParts);

    ASSERT_TRUE(editor.FactoryParameters());
    if (connectionTickFirst) manager.Tick();
    t.Tick();
    if (!connectionTickFirst) manager.Tick();
    t.ReadController(400);

    EXPECT_EQ(t.controller.Image()[58], factory.controller.Image()[58]) << connectionTickFirst;
    EXPECT_EQ(t.state.workingCopy[58], factory.controller.Image()[58]);
    EXPECT_EQ(t.state.workingCopy[0], 100);
    EXPECT_EQ(t.state.workingCopy, t.state.controllerCopy);
  }
}

}  // namespace
}  // namespace zo::model
