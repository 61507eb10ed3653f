// Whole procedures against the simulated controller on virtual time: each
// scenario's engine is found as it was built, and every way of breaking off
// leaves the controller as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "FakeWizardEffects.h"
#include "RecordingEffects.h"
#include "Scenario.h"
#include "SimController.h"
#include "SimTransport.h"
#include "VirtualClock.h"
#include "VirtualPump.h"
#include "autoconfig/Autoconfig.h"
#include "link/ControllerLink.h"
#include "link/PollScheduler.h"

namespace zo::autoconfig {
namespace {

// The link's effects; the wizard takes the configuration replies itself and
// hears of a completed read as the main window tells it.
struct WizardLinkEffects : test::RecordingEffects {
  Autoconfig* wizard = nullptr;
  void SetConnectionState(link::ConnectionState state) override {
    if (state == link::ConnectionState::ControllerRead) wizard->ControllerRead(*controllerCopy);
  }
  const link::ImageArea* controllerCopy = nullptr;
};

// The port the link talks through, to whichever controller is plugged in.
struct Cable : link::ITransport {
  explicit Cable(link::ITransport& to) : plugged(&to) {}
  link::ITransport* plugged;
  int InQueCount() override { return plugged->InQueCount(); }
  int ReadAvailable(std::span<std::uint8_t> buffer) override {
    return plugged->ReadAvailable(buffer);
  }
  int Write(std::span<const std::uint8_t> data) override { return plugged->Write(data); }
  bool WaitForInput(int count, std::chrono::microseconds timeout) override {
    return plugged->WaitForInput(count, timeout);
  }
};

struct SwitchingEffects : test::FakeWizardEffects {
  bool* switchRequest = nullptr;
  void RequestSwitch() override { *switchRequest = true; }
};

struct Rig {
  explicit Rig(const lpgsim::Scenario& s) : scenario(s), controller(Config(s)) {
    linkEffects.wizard = &wizard;
    linkEffects.consumers.wizard = &wizard;
    linkEffects.controllerCopy = &state.controllerCopy;
    fx.switchRequest = &state.switchRequest;
    state.portNumber = 1;
    Connect();
    for (int i = 0; i < 400 && state.readInProgress; ++i)
      Tick();
    scheduler.SelectPage(link::Page::Configuration);
    original = Bytes();
  }
  static lpgsim::SimConfig Config(const lpgsim::Scenario& s) {
    lpgsim::SimConfig config;
    config.scenario = std::string(s.name);
    return config;
  }
  void Connect() {
    state.connected = true;
    state.pollingMode = link::PollingMode::Read;
    state.failureCounter = 0;
    state.rotatingIndex = 0;
    state.readInProgress = true;
  }
  void Tick() {
    clock.AdvanceTo(clock.Now() + std::chrono::milliseconds(state.txIntervalMs));
    pump.ProcessMessages();
    scheduler.Step();
  }
  void Ticks(int count) {
    for (int i = 0; i < count; ++i)
      Tick();
  }
  // The cable out until the link counts as lost, as the connection
  // supervision reports it.
  bool Pull() {
    port.Faults().SetProbability(lpgsim::Fault::Drop, 1.0);
    for (int i = 0; i < 100 && state.failureCounter < 16; ++i)
      Tick();
    wizard.LinkLost(state.controllerCopy);
    return state.failureCounter >= 16;
  }
  bool RunTo(int step, int limit = 1500) {
    for (int i = 0; i < limit && wizard.StepNumber() != step; ++i)
      Tick();
    return wizard.StepNumber() == step;
  }
  // The eight bytes a procedure may change, as the controller holds them.
  std::array<int, 8> Bytes() const {
    std::array<int, 8> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
      bytes[i] = controller.Image()[Autoconfig::kBackedUp[i]];
    return bytes;
  }
  int Eeprom(std::size_t index) const { return controller.Image()[index]; }

  const lpgsim::Scenario& scenario;
  lpgsim::VirtualClock clock;
  lpgsim::VirtualPump pump{clock};
  lpgsim::SimController controller;
  lpgsim::SimTransport port{clock, controller};
  WizardLinkEffects linkEffects;
  link::LinkState state;
  Cable cable{port};
  link::ControllerLink link{state, cable, cable, pump, linkEffects.parts, linkEffects.consumers};
  link::PollScheduler scheduler{
      {state, state, state, state}, link, linkEffects, linkEffects, linkEffects,
      linkEffects.consumers,        pump};
  SwitchingEffects fx;
  Autoconfig wizard{state.workingCopy, fx};
  std::array<int, 8> original{};
};

class AutoconfigScenario : public testing::TestWithParam<lpgsim::Scenario> {};

TEST_P(AutoconfigScenario, PetrolAndGasRunsFindTheEngineAndStoreIt) {
  const lpgsim::Scenario& s = GetParam();
  Rig rig(s);
  rig.wizard.PetrolStart();
  ASSERT_TRUE(rig.RunTo(6)) << "stuck at step " << rig.wizard.StepNumber();
  rig.wizard.Next();
  ASSERT_TRUE(rig.RunTo(15)) << "stuck at step " << rig.wizard.StepNumber();
  rig.Ticks(150);  // the installer adjusts the reducer, then confirms
  rig.wizard.Next();
  ASSERT_TRUE(rig.RunTo(18)) << "stuck at step " << rig.wizard.StepNumber();
  rig.wizard.Apply();
  rig.Ticks(10);

  EXPECT_EQ(rig.Eeprom(32), s.coilType);
  EXPECT_EQ(rig.Eeprom(33), s.tpsType);
  EXPECT_EQ(rig.Eeprom(34), s.lambdaType);
  EXPECT_NEAR(rig.Eeprom(58), s.LambdaThreshold(), 3);
  EXPECT_NEAR(rig.Eeprom(57), s.TpsThreshold(), 3);
  EXPECT_EQ(rig.Eeprom(46), rig.Eeprom(57));
  // The mixture drifts a little: the positions found are those of the moment.
  EXPECT_NEAR(rig.Eeprom(64), s.IdlePosition(), 10);
  EXPECT_NEAR(rig.Eeprom(65), s.HighPosition(), 10);
  EXPECT_EQ(rig.fx.applied, 1);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, AutoconfigScenario,
                         testing::ValuesIn(lpgsim::Scenario::All().begin(),
                                           lpgsim::Scenario::All().end()),
                         [](const auto& param) {
                           std::string name(param.param.name);
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

TEST(AutoconfigBreakOff, CancelStallAndPulledCableRestoreTheController) {
  const lpgsim::Scenario& s = lpgsim::Scenario::All()[0];
  Rig cancelled(s);
  cancelled.wizard.PetrolStart();
  ASSERT_TRUE(cancelled.RunTo(5));
  EXPECT_NE(cancelled.Bytes(), cancelled.original);  // the coil type went out
  cancelled.wizard.Cancel();
  cancelled.Ticks(5);
  EXPECT_EQ(cancelled.Bytes(), cancelled.original);

  Rig stalled(s);
  stalled.wizard.PetrolStart();
  ASSERT_TRUE(stalled.RunTo(4));
  stalled.Ticks(20);
  stalled.controller.Engine().SetIgnition(false);
  stalled.Ticks(20);
  EXPECT_EQ(stalled.wizard.StepNumber(), 0);
  EXPECT_EQ(stalled.Bytes(), stalled.original);

  Rig pulled(s);
  pulled.wizard.PetrolStart();
  ASSERT_TRUE(pulled.RunTo(5));
  ASSERT_TRUE(pulled.Pull());
  pulled.port.Faults().SetProbability(lpgsim::Fault::Drop, 0.0);
  pulled.Connect();
  pulled.Ticks(400);
  EXPECT_EQ(pulled.Bytes(), pulled.original);
  EXPECT_TRUE(pulled.fx.told.empty());
}

TEST(AutoconfigBreakOff, AnotherControllerOnThePortKeepsItsOwnSetUp) {
  Rig rig(lpgsim::Scenario::All()[0]);
  // A controller like the first, fitted a day later in a car set up otherwise.
  lpgsim::ParameterImage image{};
  std::copy_n(rig.controller.Image().begin(), image.size(), image.begin());
  image[170] += 1;
  image[171] += 1;  // the date's check sum
  for (const std::size_t i : Autoconfig::kBackedUp)
    image[i] ^= 1;
  lpgsim::SimConfig config = Rig::Config(rig.scenario);
  config.storedImage = image;
  lpgsim::SimController other(config);
  lpgsim::SimTransport otherPort(rig.clock, other);

  rig.wizard.PetrolStart();
  ASSERT_TRUE(rig.RunTo(5));
  ASSERT_TRUE(rig.Pull());
  rig.cable.plugged = &otherPort;
  rig.Connect();
  rig.Ticks(400);
  EXPECT_FALSE(rig.state.readInProgress);
  for (const std::size_t i : Autoconfig::kBackedUp)
    EXPECT_EQ(other.Image()[i], image[i]) << i;
  EXPECT_EQ(rig.fx.told, std::vector<int>{981});
}

}  // namespace
}  // namespace zo::autoconfig
