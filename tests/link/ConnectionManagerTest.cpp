// The connection manager against stand-in ports: discovery into the menus,
// opening by number, the missing-port message, failed opens with their
// advice, the connection tick's branch order, link supervision and the
// request flags.
#include <gtest/gtest.h>

#include <cstring>

#include <cerrno>

#include "RecordingEffects.h"
#include "VirtualClock.h"
#include "VirtualPump.h"
#include "link/ConnectionManager.h"
#include "link/LinkState.h"

namespace zo::link {
namespace {

using test::RecordingEffects;
using namespace std::chrono_literals;

class FakeSerialPort : public ISerialPort {
 public:
  int OpenPort(const std::string& deviceName) override {
    opened.push_back(deviceName);
    open = error == 0;
    return error;
  }
  void ClosePort() override {
    ++closes;
    open = false;
  }
  [[nodiscard]] bool IsOpen() const override { return open; }
  [[nodiscard]] bool DeviceGone() const override { return open && gone; }

  int error = 0;
  bool open = false;
  bool gone = false;
  int closes = 0;
  std::vector<std::string> opened;
};

class FakePortList : public IPortList {
 public:
  [[nodiscard]] std::vector<PortEntry> Discover() const override { return ports; }
  std::vector<PortEntry> ports;
};

class FakeFtdi : public IFtdiPorts {
 public:
  [[nodiscard]] bool Loaded() const override { return loaded; }
  int NumDevices() override { return static_cast<int>(descriptions.size()); }
  void CreateDeviceInfoList() override { calls.push_back("CreateDeviceInfoList"); }
  std::optional<std::string> ListDescription(int index) override {
    calls.push_back("ListDescription " + std::to_string(index));
    const auto& d = descriptions[static_cast<std::size_t>(index)];
    if (d == "fail") return std::nullopt;
    return d;
  }
  std::string DetailDescription(int index) override {
    calls.push_back("DetailDescription " + std::to_string(index));
    return "detail";
  }
  bool Open(int index) override {
    calls.push_back("Open " + std::to_string(index));
    handle = openSucceeds;
    return openSucceeds;
  }
  void SetControllerLine() override { calls.push_back("SetControllerLine"); }
  [[nodiscard]] bool HasHandle() const override { return handle; }
  [[nodiscard]] bool DeviceGone() override { return handle && gone; }
  void Close() override {
    calls.push_back("Close");
    handle = false;
  }

  bool loaded = true;
  bool openSucceeds = true;
  bool handle = false;
  bool gone = false;
  std::vector<std::string> descriptions;
  std::vector<std::string> calls;
};

// Stand-in ports and recorded effects around one connection manager.
struct Rig {
  Rig() {
    ports.ports = {PortEntry{1, "/dev/ttyS0", false}, PortEntry{5, "/dev/pts/3", true},
                   PortEntry{33, "/dev/ttyUSB0", false}};
    ftdi.loaded = false;
  }

  // A state after a complete read, polling live data.
  void Connected(int port = 5) {
    state.portNumber = port;
    state.reconnectRequest = true;
    manager.Tick();
    ASSERT_TRUE(state.connected);
    state.readInProgress = false;
    state.pollingMode = PollingMode::LiveData;
    effects.CloseProgress();
    effects.log.clear();
  }

  static std::string Text(const texts::UserText& t) {
    std::string s;
    for (const auto& piece : t)
      s += piece.id >= 0 ? "[" + std::to_string(piece.id) + "]" : piece.literal;
    return s;
  }

  lpgsim::VirtualClock clock;
  lpgsim::VirtualPump pump{clock};
  LinkState state;
  FakeSerialPort com;
  FakeFtdi ftdi;
  FakePortList ports;
  RecordingEffects effects;
  ConnectionManager manager{{state, state, state, state, state.programming},
                            com,
                            ftdi,
                            ports,
                            pump,
                            effects.connectionParts};
};

class ConnectionManagerTest : public ::testing::Test, public Rig {};

// --- Discovery -------------------------------------------------------------------

TEST_F(ConnectionManagerTest, DiscoveryListsComPortsWithCaptionsAndDevicesThenAdapters) {
  ftdi.loaded = true;
  ftdi.descriptions = {"FT232R USB UART", "", "fail"};
  state.portNumber = 33;
  manager.DiscoverPorts();
  const std::vector<PortMenuEntry> expected = {
      {"Com &1", 1, "/dev/ttyS0"},
      {"Com &5", 5, "/dev/pts/3"},
      {"Com &33", 33, "/dev/ttyUSB0"},
      {"FT232R USB UART", 1024, "FT232R USB UART"},
      {"USB<->Serial", 1025, "USB<->Serial"},  // empty description
      {"detail", 1026, "detail"},              // failed list call: the detail query
  };
  EXPECT_EQ(effects.entries, expected);
  EXPECT_EQ(effects.checkedTag, 33);
  const std::vector<std::string> calls = {"CreateDeviceInfoList", "ListDescription 0",
                                          "ListDescription 1", "ListDescription 2",
                                          "DetailDescription 2"};
  EXPECT_EQ(ftdi.calls, calls);
}

TEST_F(ConnectionManagerTest, WithoutTheFtdiLibraryOnlyComPortsAreListed) {
  ftdi.descriptions = {"adapter"};
  manager.DiscoverPorts();
  EXPECT_EQ(effects.entries.size(), 3u);
  EXPECT_TRUE(ftdi.calls.empty());
}

// --- Opening ---------------------------------------------------------------------

TEST_F(ConnectionManagerTest, OpeningAComPortStartsTheReadAndShowsTheStatusLine) {
  state.portNumber = 5;
  state.failureCounter = 9;
  state.reconnectRequest = true;
  manager.Tick();
  EXPECT_EQ(com.opened, (std::vector<std::string>{"Com5"}));
  EXPECT_TRUE(state.connected);
  EXPECT_TRUE(effects.txTimer);
  EXPECT_EQ(effects.checkedTag, 5);
  EXPECT_EQ(effects.connectCaptions, 954);
  EXPECT_EQ(state.pollingMode, PollingMode::Read);
  EXPECT_EQ(state.failureCounter, 0);
  EXPECT_EQ(state.statusByte, 255);
  EXPECT_EQ(state.rotatingIndex, 0);
  EXPECT_TRUE(state.readInProgress);
  EXPECT_FALSE(state.reconnectRequest);
  ASSERT_EQ(effects.progressLines.size(), 1u);
  EXPECT_EQ(Text(effects.progressLines[0]), "[721]Com5 - [723]");
  EXPECT_EQ(effects.log.back(), "ShowProgress 129");
  // A first open does not wait; an open port is closed and the line rests
  // 500 ms before it is opened again, the windows kept alive all through.
  EXPECT_EQ(clock.Now(), 0ms);
  pump.ResetStatistics();
  state.reconnectRequest = true;
  manager.Tick();
  EXPECT_EQ(clock.Now(), 500ms);
  EXPECT_LE(pump.MaxGap(), ConnectionManager::kPauseSlice);
}

TEST_F(ConnectionManagerTest, TheLinkStoppedWhileThePortRestsIsNotOpenedAgain) {
  Connected();
  com.opened.clear();
  state.reconnectRequest = true;
  clock.Schedule(200ms, [this] { manager.StopLink(); });
  manager.Tick();
  EXPECT_TRUE(com.opened.empty());
  EXPECT_FALSE(state.connected);
  EXPECT_FALSE(effects.txTimer);
}

TEST_F(ConnectionManagerTest, OnlyAListedPortIsOpenedAndAMissingOneIsNamed) {
  struct Case {
    const char* name;
    int port;
    bool listed;      // the port list holds ports at all
    bool openBefore;  // COM5 was open and went away
    const char* opened;
    bool message;
  };
  for (const Case& c : {Case{"port 0 means port 1", 0, true, false, "Com1", false},
                        Case{"missing port", 3, true, false, nullptr, true},
                        Case{"the open port went away", 3, true, true, nullptr, true},
                        Case{"no ports at all", 5, false, false, nullptr, false}}) {
    SCOPED_TRACE(c.name);
    Rig t;
    if (c.openBefore) t.Connected(5);
    if (!c.listed) t.ports.ports.clear();
    t.com.opened.clear();
    t.state.portNumber = c.port;
    t.state.reconnectRequest = true;
    t.manager.Tick();
    EXPECT_EQ(t.com.opened,
              c.opened ? std::vector<std::string>{c.opened} : std::vector<std::string>{});
    EXPECT_EQ(t.state.connected, c.opened != nullptr);
    EXPECT_EQ(t.com.open, c.opened != nullptr);
    ASSERT_EQ(t.effects.systemTexts.size(), c.message ? 1u : 0u);
    if (!c.message) continue;
    EXPECT_EQ(t.effects.systemTexts[0].first,
              (texts::UserText{texts::TextPiece::Id(431), texts::TextPiece::Literal(" Comm 3")}));
    EXPECT_EQ(t.effects.systemTexts[0].second, 700);
    EXPECT_EQ(t.effects.connectCaptions, 140);
    EXPECT_EQ(t.effects.checkedTag, 0);
    EXPECT_FALSE(t.state.readInProgress);
    EXPECT_FALSE(t.effects.txTimer);
  }
}

TEST_F(ConnectionManagerTest, AFailedOpenStopsTheTimerAndExplainsWhatToDo) {
  const struct {
    int error;
    const char* hint;
  } table[] = {
      {EACCES, "[970]"}, {EBUSY, "[971]"}, {ENOENT, "[972]"}, {ENOTTY, "[973]"}, {EIO, "[974]"},
  };
  for (const auto& row : table) {
    com.error = row.error;
    effects.progressLines.clear();
    effects.progressShown = false;
    state.portNumber = 5;
    state.readInProgress = true;
    state.reconnectRequest = true;
    manager.Tick();
    EXPECT_FALSE(state.connected);
    EXPECT_FALSE(effects.txTimer);
    EXPECT_FALSE(state.readInProgress);
    EXPECT_EQ(effects.connectCaptions, 140);
    ASSERT_EQ(effects.progressLines.size(), 2u);
    EXPECT_EQ(Text(effects.progressLines[0]), "[721]Com5 - [722]");
    EXPECT_EQ(Text(effects.progressLines[1]), row.hint) << row.error;
  }
}

TEST_F(ConnectionManagerTest, AStatusLineGoesIntoAProgressWindowAlreadyShown) {
  effects.progressShown = true;
  state.portNumber = 5;
  state.reconnectRequest = true;
  manager.Tick();
  ASSERT_EQ(effects.progressLines.size(), 1u);
  EXPECT_EQ(effects.log.back(), "AddProgressLine");
}

TEST_F(ConnectionManagerTest, FtdiPortsOpenTheAdapterAndSetItsLineEvenWhenTheOpenFails) {
  ftdi.loaded = true;
  ftdi.descriptions = {"", "Adapter B"};
  for (const bool succeeds : {true, false}) {
    ftdi.calls.clear();
    ftdi.openSucceeds = succeeds;
    effects.progressLines.clear();
    effects.progressShown = false;
    state.portNumber = 1025;
    state.reconnectRequest = true;
    manager.Tick();
    EXPECT_EQ(state.connected, succeeds);
    EXPECT_TRUE(com.opened.empty());
    const auto& c = ftdi.calls;
    EXPECT_NE(std::find(c.begin(), c.end(), "Open 1"), c.end());
    EXPECT_EQ(c.back(), "SetControllerLine");
    EXPECT_EQ(Text(effects.progressLines[0]),
              std::string("[721]Adapter B - ") + (succeeds ? "[723]" : "[722]"));
  }
}

// --- Commands --------------------------------------------------------------------

TEST_F(ConnectionManagerTest, APortEntryAsksForAReconnection) {
  manager.PortEntryClick(33);
  EXPECT_EQ(state.portNumber, 33);
  EXPECT_TRUE(state.reconnectRequest);
  manager.Tick();
  EXPECT_EQ(com.opened.back(), "Com33");
}

TEST_F(ConnectionManagerTest, TheConnectEntryDisconnectsAndReconnects) {
  Connected();
  manager.ConnectClick();
  EXPECT_FALSE(state.connected);
  EXPECT_FALSE(com.open);
  EXPECT_FALSE(effects.txTimer);
  EXPECT_FALSE(state.reconnectRequest);
  EXPECT_EQ(effects.connectCaptions, 140);
  EXPECT_EQ(effects.log.front(), "CloseProgress");

  manager.ConnectClick();
  EXPECT_TRUE(state.reconnectRequest);
  EXPECT_EQ(effects.connectCaptions, 954);
  manager.Tick();
  EXPECT_TRUE(state.connected);
}

TEST_F(ConnectionManagerTest, CtrlQStopsTheLink) {
  Connected();
  state.reconnectRequest = true;
  state.readInProgress = true;
  manager.StopLink();
  EXPECT_FALSE(state.reconnectRequest);
  EXPECT_FALSE(state.readInProgress);
  EXPECT_FALSE(effects.txTimer);
  EXPECT_FALSE(state.connected);
  EXPECT_FALSE(com.open);
  EXPECT_EQ(effects.log.back(), "RestoreCursor");
}

// --- The connection tick -----------------------------------------------------------

TEST_F(ConnectionManagerTest, AReconnectTickDoesNothingElse) {
  state.factoryResetRequest = true;
  state.plausibilityRequest = true;
  state.failureCounter = 20;
  state.reconnectRequest = true;
  manager.Tick();
  EXPECT_TRUE(state.factoryResetRequest);
  EXPECT_TRUE(state.plausibilityRequest);
  EXPECT_EQ(state.linkLossCounter, 0);
  EXPECT_TRUE(effects.displays.empty());
  EXPECT_EQ(manager.TickCounter(), 0u);
}

TEST_F(ConnectionManagerTest, AnUploadWatchdogCountsDownAndDeclaresTheUploadLost) {
  Connected();
  state.programming.watchdog = 2;
  state.plausibilityRequest = true;
  manager.Tick();
  EXPECT_EQ(state.programming.watchdog, 1);
  EXPECT_TRUE(effects.displays.empty());
  EXPECT_FALSE(state.reconnectRequest);

  manager.Tick();
  EXPECT_EQ(state.programming.watchdog, 0);
  EXPECT_EQ(state.pollingMode, PollingMode::Stopped);
  EXPECT_EQ(effects.mainWindowEnabled, true);
  EXPECT_EQ(effects.uploadWindowCloses, 1);
  ASSERT_EQ(effects.messages.size(), 1u);
  EXPECT_EQ(effects.messages[0].text, texts::UserText{texts::TextPiece::Id(909)});
  EXPECT_EQ(effects.messages[0].title, 700);
  EXPECT_EQ(effects.messages[0].icon, MsgIcon::Warning);
  EXPECT_EQ(effects.parametersPageShown, 1);
  EXPECT_TRUE(state.reconnectRequest);
  EXPECT_TRUE(state.plausibilityRequest);  // served by a later tick
}

TEST_F(ConnectionManagerTest, APortWhoseDeviceWentAwayIsOpenedAgainUntilItIsBack) {
  Connected(5);
  com.opened.clear();
  const auto lines = effects.progressLines.size();
  com.gone = true;
  com.error = ENOENT;  // unplugged: the device is missing
  manager.Tick();
  manager.Tick();
  EXPECT_FALSE(state.connected);
  EXPECT_EQ(state.linkLossCounter, 2);
  EXPECT_EQ(com.opened, (std::vector<std::string>{"Com5", "Com5"}));
  // The lost link is reported; the attempts to open add no status lines.
  EXPECT_EQ(Text(effects.progressLines.at(lines)), "[724]");
  for (auto i = lines; i < effects.progressLines.size(); ++i)
    EXPECT_NE(Text(effects.progressLines[i]).rfind("[721]", 0), 0u);

  com.gone = false;  // plugged in again
  com.error = 0;
  manager.Tick();
  EXPECT_TRUE(state.connected);
  EXPECT_EQ(state.pollingMode, PollingMode::Read);
  EXPECT_EQ(state.rotatingIndex, 0);
  manager.Tick();
  EXPECT_EQ(com.opened.size(), 3u) << "an open port with its device is left alone";

  // Stopping the link by hand ends the reopening.
  com.gone = true;
  com.error = ENOENT;
  manager.Tick();
  manager.StopLink();
  manager.Tick();
  EXPECT_EQ(com.opened.size(), 4u);

  // Back before the tick that finds it gone: reported lost all the same.
  com.gone = false;
  com.error = 0;
  Connected(5);
  manager.Tick();  // answering again
  effects.connectionStates.clear();
  com.gone = true;
  manager.Tick();
  com.gone = false;
  EXPECT_TRUE(state.connected);
  EXPECT_EQ(effects.connectionStates, std::vector<ConnectionState>{ConnectionState::NotConnected});
  EXPECT_TRUE(state.readInProgress);
}

TEST_F(ConnectionManagerTest, APortMissingWhenReconnectingIsLookedForOnEveryTickUntilBack) {
  // A COM port and an adapter reached through the driver library, missing
  // at a reconnection or found gone by the tick.
  for (const auto& [port, reconnect] : {std::pair{5, true}, {1024, true}, {1024, false}}) {
    SCOPED_TRACE(port);
    Rig t;
    t.ftdi.loaded = true;
    t.ftdi.descriptions = {"Adapter"};
    t.Connected(port);
    // Pulled while a message was shown: the reconnection it asks for finds
    // no such port.
    const auto listed = t.ports.ports;
    t.ports.ports.erase(t.ports.ports.begin() + 1);
    t.ftdi.descriptions.clear();
    t.com.gone = t.ftdi.gone = true;
    t.com.error = ENOENT;
    t.ftdi.openSucceeds = false;
    t.state.reconnectRequest = reconnect;
    for (int tick = 0; tick < 4; ++tick)
      t.manager.Tick();
    EXPECT_FALSE(t.state.connected);
    EXPECT_FALSE(t.ftdi.handle);
    EXPECT_EQ(t.effects.systemTexts.size(), reconnect ? 1u : 0u) << "named once at most";
    EXPECT_EQ(t.effects.connectionStates,
              std::vector<ConnectionState>{ConnectionState::NotConnected});
    EXPECT_EQ(t.effects.connectCaptions, 140);
    ASSERT_FALSE(t.effects.displays.empty());
    EXPECT_FALSE(t.effects.displays.back().alive);

    t.ports.ports = listed;  // plugged in again
    t.ftdi.descriptions = {"Adapter"};
    t.com.gone = t.ftdi.gone = false;
    t.com.error = 0;
    t.ftdi.openSucceeds = true;
    t.manager.Tick();
    EXPECT_TRUE(t.state.connected);
    EXPECT_TRUE(t.com.open || t.ftdi.handle);
    EXPECT_TRUE(t.state.readInProgress);
    EXPECT_EQ(t.state.rotatingIndex, 0);
    EXPECT_TRUE(t.effects.txTimer);
    EXPECT_EQ(t.effects.checkedTag, port);
    EXPECT_EQ(t.effects.connectCaptions, 954);
  }
}

TEST_F(ConnectionManagerTest, LinkLossShowsItsMessagesOnTicksOneToFive) {
  Connected();
  state.connectionState = ConnectionState::ControllerRead;
  state.failureCounter = 16;
  manager.Tick();  // 1
  EXPECT_EQ(state.linkLossCounter, 1);
  EXPECT_EQ(effects.connectionStates.back(), ConnectionState::NotConnected);
  EXPECT_EQ(effects.beeps, 1);
  EXPECT_EQ(effects.connectCaptions, 140);
  ASSERT_TRUE(effects.progressShown);
  EXPECT_EQ(effects.progressLines.back(), texts::UserText{texts::TextPiece::Id(724)});
  EXPECT_TRUE(effects.txTimer);
  EXPECT_EQ(state.pollingMode, PollingMode::Read);
  EXPECT_TRUE(state.readInProgress);
  EXPECT_EQ(state.rotatingIndex, 0);
  EXPECT_EQ(state.statusByte, 255);
  for (int tick = 2; tick <= 4; ++tick) {
    const auto lines = effects.progressLines.size();
    manager.Tick();
    EXPECT_EQ(state.linkLossCounter, tick);
    ASSERT_EQ(effects.progressLines.size(), lines + 1);
    EXPECT_EQ(effects.progressLines.back(), texts::UserText{texts::TextPiece::Id(725)});
  }
  effects.log.clear();
  manager.Tick();  // 5
  EXPECT_FALSE(effects.progressShown);
  const std::vector<std::string> closing = {"EnableTxTimer", "CloseProgress", "RestoreCursor",
                                            "ShowLinkState"};
  EXPECT_EQ(effects.log, closing);
  EXPECT_TRUE(effects.displays.back().alive);
  manager.Tick();  // 6: the link counts as down
  EXPECT_FALSE(effects.displays.back().alive);
  for (int i = 0; i < 5; ++i)
    manager.Tick();
  EXPECT_EQ(state.linkLossCounter, 7);
  EXPECT_EQ(effects.beeps, 1);
  state.failureCounter = 400;
  manager.Tick();
  EXPECT_EQ(state.failureCounter, 255);

  state.failureCounter = 0;  // a reply came
  manager.Tick();
  EXPECT_EQ(state.linkLossCounter, 0);
  EXPECT_TRUE(effects.displays.back().alive);
}

TEST_F(ConnectionManagerTest, ReadingLinesAreAddedOnlyWhileTheProgressWindowIsShown) {
  Connected();
  state.failureCounter = 16;
  manager.Tick();
  effects.CloseProgress();  // the user closed it
  const auto lines = effects.progressLines.size();
  manager.Tick();
  EXPECT_EQ(effects.progressLines.size(), lines);
}

TEST_F(ConnectionManagerTest, RequestsAreServedInTheirOrderAfterSupervision) {
  Connected();
  manager.RequestHelpRefresh();
  manager.SetHintPanelTimedOut();
  state.factoryResetRequest = true;
  state.plausibilityRequest = true;
  state.failureCounter = 7;
  manager.Tick();
  const std::vector<std::string> expected = {
      "RefreshHelp",   "HideHintPanel",        "EnableTxTimer", "ShowProgress 129",
      "SetBusyCursor", "RunPlausibilityCheck", "ShowLinkState"};
  EXPECT_EQ(effects.log, expected);
  EXPECT_FALSE(state.factoryResetRequest);
  EXPECT_FALSE(state.plausibilityRequest);
  EXPECT_EQ(state.failureCounter, 0);
  EXPECT_TRUE(state.readInProgress);
  EXPECT_EQ(state.pollingMode, PollingMode::Read);
  EXPECT_EQ(effects.progressLines.back(), texts::UserText{texts::TextPiece::Id(130)});
  manager.Tick();
  EXPECT_EQ(effects.helpRefreshes, 1);
  EXPECT_EQ(effects.hintHides, 1);
  EXPECT_EQ(effects.plausibilityChecks, 1);
}

TEST_F(ConnectionManagerTest, TheStateDisplayGetsTheLiveValuesAndTheTickCounter) {
  Connected();
  state.statusByte = 0x41;
  state.faultCode = 3;
  state.levelReading = 120;
  manager.Tick();
  manager.Tick();
  const LinkStateDisplay& d = effects.displays.back();
  EXPECT_TRUE(d.alive);
  EXPECT_EQ(d.statusByte, 0x41);
  EXPECT_EQ(d.faultCode, 3);
  EXPECT_EQ(d.levelReading, 120);
  EXPECT_EQ(d.tickCounter, 2u);
  EXPECT_EQ(effects.optionsPanelResets, 2);
  effects.txTimer = false;
  manager.Tick();
  EXPECT_FALSE(effects.displays.back().alive);
}

TEST_F(ConnectionManagerTest, TheGasLampBlinksOnlyWithALayoutAndTheBlinkFlag) {
  Connected();
  effects.blinkFlag = 1;
  manager.Tick();  // sets the flag
  manager.Tick();
  EXPECT_EQ(effects.gasLampToggles, 0);  // layout 0
  manager.SetLampLayout(2);
  manager.Tick();
  EXPECT_EQ(effects.gasLampToggles, 1);
  effects.blinkFlag = 0;
  manager.Tick();  // uses the flag from the previous tick
  manager.Tick();
  EXPECT_EQ(effects.gasLampToggles, 2);
}

TEST_F(ConnectionManagerTest, UnknownOpenErrorsNameTheSystemsReason) {
  EXPECT_EQ(Text(ConnectionManager::OpenFailureAdvice(EPERM)), "[970]");
  EXPECT_EQ(Text(ConnectionManager::OpenFailureAdvice(ENOSPC)),
            "[975]" + std::string(std::strerror(ENOSPC)) + ".");
}

}  // namespace
}  // namespace zo::link

namespace zo::link {
namespace {

TEST_F(ConnectionManagerTest,
       TheCheckIsOfferedOnceAfterAChosenPortFailsAndAfterALinkLostThreeTicks) {
  com.error = EBUSY;
  state.portNumber = 5;
  state.reconnectRequest = true;  // the open at start-up
  manager.Tick();
  EXPECT_FALSE(manager.TakeCheckOffer());
  for (int attempt = 0; attempt < 2; ++attempt) {
    manager.PortEntryClick(5);
    manager.Tick();
    EXPECT_EQ(manager.TakeCheckOffer(), attempt == 0) << attempt;
  }
  com.error = 0;
  Connected();
  for (int tick = 0; tick < 13; ++tick) {  // answering for more than 10 s
    manager.Tick();
    clock.Advance(ConnectionManager::kTickInterval);
  }
  EXPECT_FALSE(manager.TakeCheckOffer());
  state.failureCounter = ConnectionManager::kLinkLostFailures;
  std::vector<bool> offers;
  for (int tick = 0; tick < 5; ++tick) {
    manager.Tick();
    offers.push_back(manager.TakeCheckOffer());
  }
  EXPECT_EQ(offers, (std::vector<bool>{false, false, true, false, false}));
}

}  // namespace
}  // namespace zo::link
