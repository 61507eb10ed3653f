// The whole link in real time against the lpgsim executable on a
// pseudo-terminal: the port found through the port folder, a complete read,
// live data at ten per second, link loss and the re-read, a missing port, and
// the same simulator behind a stand-in FTDI driver library.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

#include "LpgsimProcess.h"
#include "PtyPair.h"
#include "RealTimeLoop.h"
#include "RecordingEffects.h"
#include "TempFolder.h"
#include "link/ConnectionManager.h"
#include "link/ControllerLink.h"
#include "link/PollScheduler.h"
#include "serial/PortMap.h"
#include "serial/TMyComm.h"
#include "serial/TMyFtdi.h"

namespace zo::link {
namespace {

namespace d2xx = serial::d2xx;
using serial::PortMap;
using serial::PortRoots;
using serial::TMyComm;
using serial::TMyFtdi;

using namespace std::chrono_literals;
using test::LpgsimProcess;
using test::RealTimeLoop;
using test::RecordingEffects;
using test::TempFolder;

// The main window's wiring, without windows; the FTDI library from `ftdiLibrary`
// (none by default).
struct Workshop {
  explicit Workshop(const PortRoots& roots, const std::string& ftdiLibrary = {})
      : map(roots), comm(roots), ftdi({ftdiLibrary}) {
    loop.AddTimer({[this] { return effects.txTimer; }, [this] { return state.txIntervalMs; },
                   [this] { scheduler.Step(); }});
    loop.AddTimer({[] { return true; }, [] { return 900; }, [this] { manager.Tick(); }});
  }

  void Connect(int port) {
    state.portNumber = port;
    state.reconnectRequest = true;
    manager.Tick();
  }
  [[nodiscard]] bool ReadDone() const {
    return state.connected && !state.readInProgress && state.pollingMode == PollingMode::LiveData;
  }

  RealTimeLoop loop;
  LinkState state;
  PortMap map;
  TMyComm comm;
  TMyFtdi ftdi;
  RecordingEffects effects;
  ControllerLink link{state, comm, ftdi, loop, effects.parts, effects.consumers};
  PollScheduler scheduler{
      {state, state, state, state}, link, effects, effects, effects, effects.consumers, loop};
  ConnectionManager manager{{state, state, state, state, state.programming},
                            comm,
                            ftdi,
                            map,
                            loop,
                            effects.connectionParts};
};

class LpgsimEndToEndTest : public ::testing::Test {
 protected:
  LpgsimEndToEndTest() {
    roots.portFolder = folder / "Zo" / "ports";
    roots.dev = folder / "no-dev";  // only the simulator's port
    roots.sys = folder / "no-sys";
  }

  TempFolder folder;
  PortRoots roots;
};

bool IsReadOf(const test::LoggedRequest& r, int index) {
  return r.command == 0x55 && r.frame.size() == 3 && r.frame[1] == index;
}

TEST_F(LpgsimEndToEndTest, OpensByNumberReadsTheImageAndPollsTenTimesASecond) {
  LpgsimProcess sim(LPGSIM_EXE, folder.Path(), {"--port", "77"});
  ASSERT_TRUE(sim.Running());
  EXPECT_EQ(sim.Port(), 77);
  Workshop w(roots);
  w.Connect(77);
  ASSERT_TRUE(w.state.connected) << w.comm.LastError();
  EXPECT_EQ(w.comm.DevicePath(), sim.Device());
  ASSERT_FALSE(w.effects.entries.empty());
  EXPECT_EQ(w.effects.entries[0], (PortMenuEntry{"Com &77", 77, sim.Device()}));

  ASSERT_TRUE(w.loop.RunUntil([&] { return w.ReadDone(); }, 15s));
  EXPECT_EQ(w.state.workingCopy[0], 100);  // a Vela100
  EXPECT_EQ(w.state.workingCopy[1], 179);
  EXPECT_TRUE(std::equal(w.state.workingCopy.begin(), w.state.workingCopy.begin() + kImageSize,
                         w.state.controllerCopy.begin()));
  EXPECT_EQ(w.state.connectionState, ConnectionState::ControllerRead);
  const auto reads = sim.Requests();
  for (int index : {0, 100, 183})
    EXPECT_TRUE(std::any_of(reads.begin(), reads.end(), [index](const auto& r) {
      return IsReadOf(r, index);
    })) << index;

  // Live data: count the requests of two seconds by the simulator's clock.
  w.loop.RunFor(3500ms);
  const auto requests = sim.Requests();
  ASSERT_FALSE(requests.empty());
  const double end = requests.back().timeMs;
  const auto live = std::count_if(requests.begin(), requests.end(), [end](const auto& r) {
    return r.command == 0x33 && r.timeMs > end - 2000.0;
  });
  EXPECT_GE(live, 15);
  EXPECT_LE(live, 21);
  EXPECT_EQ(w.state.failureCounter, 0);
  EXPECT_FALSE(w.effects.drawnSamples.empty());
}

TEST_F(LpgsimEndToEndTest, ASilentControllerIsLostThenReadAgainFromTheStart) {
  LpgsimProcess sim(LPGSIM_EXE, folder.Path(), {"--port", "78"});
  ASSERT_TRUE(sim.Running());
  Workshop w(roots);
  w.Connect(78);
  ASSERT_TRUE(w.state.connected);
  // Silence in the middle of the read.
  ASSERT_TRUE(w.loop.RunUntil([&] { return w.state.rotatingIndex > 20; }, 10s));
  sim.ToggleSilence();

  ASSERT_TRUE(w.loop.RunUntil([&] { return w.state.linkLossCounter >= 1; }, 20s));
  EXPECT_TRUE(w.effects.progressShown);
  EXPECT_EQ(w.effects.progressLines.back(), texts::UserText{texts::TextPiece::Id(724)});
  EXPECT_EQ(w.effects.connectCaptions, 140);
  ASSERT_TRUE(w.loop.RunUntil([&] { return w.state.linkLossCounter >= 5; }, 10s));
  EXPECT_FALSE(w.effects.progressShown);  // closed on the fifth tick
  // Ticks 2..4 added a reading line each after the link-loss line.
  const auto& lines = w.effects.progressLines;
  const auto lost =
      std::find(lines.rbegin(), lines.rend(), texts::UserText{texts::TextPiece::Id(724)});
  ASSERT_NE(lost, lines.rend());
  EXPECT_EQ(std::count(lines.rbegin(), lost, texts::UserText{texts::TextPiece::Id(725)}), 3);

  const std::size_t before = sim.Requests().size();
  sim.ToggleSilence();
  ASSERT_TRUE(w.loop.RunUntil(
      [&] { return w.state.linkLossCounter == 0 && w.state.rotatingIndex > 30; }, 15s));
  const auto requests = sim.Requests();
  ASSERT_GT(requests.size(), before);
  // The first request answered after the silence reads index 0 again.
  const auto firstAnswered =
      std::find_if(requests.begin() + static_cast<long>(before), requests.end(),
                   [](const auto& r) { return IsReadOf(r, 1); });
  ASSERT_NE(firstAnswered, requests.end());
  EXPECT_TRUE(IsReadOf(*(firstAnswered - 1), 0));
}

TEST_F(LpgsimEndToEndTest, APulledCableIsFoundAgainWhenThePortComesBack) {
  // The simulator killed in the middle of the read leaves its entry behind,
  // pointing at a terminal that is gone; a new one takes the same number.
  auto sim = std::make_unique<LpgsimProcess>(LPGSIM_EXE, folder.Path(),
                                             std::vector<std::string>{"--port", "79"});
  ASSERT_TRUE(sim->Running());
  Workshop w(roots);
  w.Connect(79);
  ASSERT_TRUE(w.loop.RunUntil([&] { return w.state.rotatingIndex > 20; }, 10s));
  sim->Stop(SIGKILL);
  ASSERT_TRUE(w.loop.RunUntil([&] { return w.state.linkLossCounter >= 2; }, 30s));
  EXPECT_FALSE(w.ReadDone());

  sim = std::make_unique<LpgsimProcess>(LPGSIM_EXE, folder.Path(),
                                        std::vector<std::string>{"--port", "79"});
  ASSERT_TRUE(sim->Running());
  ASSERT_TRUE(w.loop.RunUntil([&] { return w.ReadDone(); }, 30s));
  EXPECT_EQ(w.state.linkLossCounter, 0);
  const auto requests = sim->Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_TRUE(IsReadOf(requests.front(), 0)) << "read again from the start";
}

TEST_F(LpgsimEndToEndTest, TheSimulatorOwnsOnlyItsPortEntryAndRemovesItWhenItEnds) {
  struct Case {
    const char* name;
    int port;
    const char* entryBefore;  // what the port entry already points at
    int signal;
    bool closeOutput;  // as when piped into a program that has ended
    bool starts;
  };
  const auto ports = folder.Path() / "Zo" / "ports";
  std::filesystem::create_directories(ports);
  for (const Case& c : {Case{"ended", 82, nullptr, SIGTERM, false, true},
                        Case{"terminal closed", 85, nullptr, SIGHUP, false, true},
                        Case{"output nobody reads", 86, nullptr, SIGTERM, true, true},
                        Case{"entry left behind", 88, "gone", SIGTERM, false, true},
                        Case{"another device's entry", 87, "/dev/null", SIGTERM, false, false}}) {
    SCOPED_TRACE(c.name);
    const auto entry = ports / ("COM" + std::to_string(c.port));
    if (c.entryBefore) std::filesystem::create_symlink(folder.Path() / c.entryBefore, entry);
    LpgsimProcess sim(LPGSIM_EXE, folder.Path(), {"--port", std::to_string(c.port)});
    ASSERT_EQ(sim.Running(), c.starts);
    if (!c.starts) {
      sim.Stop();
      EXPECT_EQ(std::filesystem::read_symlink(entry), "/dev/null");
      continue;
    }
    EXPECT_EQ(PortMap(roots).DeviceFor(c.port), sim.Device());
    if (c.closeOutput) {
      sim.CloseOutput();
      sim.ToggleSilence();  // prints a line
      std::this_thread::sleep_for(200ms);
    }
    EXPECT_EQ(sim.Stop(c.signal), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(entry)));
  }
}

TEST_F(LpgsimEndToEndTest, ASimulatorStartedAgainReplacesTheEntryOfOneThatWasKilled) {
  const auto entry = folder.Path() / "Zo" / "ports" / "COM89";
  LpgsimProcess killed(LPGSIM_EXE, folder.Path(), {"--port", "89"});
  ASSERT_TRUE(killed.Running());
  killed.Stop(SIGKILL);
  // Another program is given the terminal the entry left behind leads to.
  std::vector<std::unique_ptr<test::PtyPair>> others;
  while (!std::filesystem::exists(entry) && others.size() < 256)
    others.push_back(std::make_unique<test::PtyPair>());
  ASSERT_TRUE(std::filesystem::exists(entry));

  LpgsimProcess again(LPGSIM_EXE, folder.Path(), {"--port", "89"});
  ASSERT_TRUE(again.Running());
  EXPECT_EQ(PortMap(roots).DeviceFor(89), again.Device());
  LpgsimProcess second(LPGSIM_EXE, folder.Path(), {"--port", "89"});
  EXPECT_FALSE(second.Running()) << "the number of a simulator that runs is not taken";
}

TEST_F(LpgsimEndToEndTest, ASecondProgramCannotTakeThePortInUse) {
  LpgsimProcess sim(LPGSIM_EXE, folder.Path(), {"--port", "83"});
  ASSERT_TRUE(sim.Running());
  TMyComm first(roots), second(roots);
  EXPECT_EQ(first.OpenPort("Com83"), 0);
  EXPECT_EQ(second.OpenPort("Com83"), EBUSY);
  EXPECT_EQ(ConnectionManager::OpenFailureAdvice(EBUSY),
            texts::UserText{texts::TextPiece::Id(971)});
}

// The stand-in FTDI library serves the simulator's terminal as its one adapter.
class FtdiEndToEndTest : public LpgsimEndToEndTest {
 protected:
  ~FtdiEndToEndTest() override {
    ::unsetenv("ZO_FTDI_STANDIN_DEVICE");
    ::unsetenv("ZO_FTDI_STANDIN_DESCRIPTION");
  }
};

TEST_F(FtdiEndToEndTest, TheAdapterIsListedOpenedAt4800EightNOneAndReadInFull) {
  LpgsimProcess sim(LPGSIM_EXE, folder.Path(), {"--port", "79"});
  ASSERT_TRUE(sim.Running());
  ::setenv("ZO_FTDI_STANDIN_DEVICE", sim.Device().c_str(), 1);
  // Longer than the 64 bytes the library documents: it arrives whole.
  const std::string description(126, 'D');
  ::setenv("ZO_FTDI_STANDIN_DESCRIPTION", description.c_str(), 1);
  Workshop w(roots, FTDI_STANDIN);
  ASSERT_TRUE(w.ftdi.Loaded());
  w.Connect(1024);
  ASSERT_TRUE(w.state.connected);
  EXPECT_EQ(w.effects.entries.back(), (PortMenuEntry{description, 1024, description}));
  EXPECT_EQ(w.effects.entries.size(), 2u);  // the simulator's COM79 and the adapter

  using LineFn = void (*)(d2xx::Dword*, unsigned char*, unsigned char*, unsigned char*);
  void* standIn = ::dlopen(FTDI_STANDIN, RTLD_NOW | RTLD_NOLOAD);
  ASSERT_NE(standIn, nullptr);
  d2xx::Dword baud = 0;
  unsigned char bits = 0, stop = 0, parity = 0;
  reinterpret_cast<LineFn>(::dlsym(standIn, "ZoFtdiStandInLine"))(&baud, &bits, &stop, &parity);
  using LatencyFn = unsigned char (*)();
  const unsigned char latency =
      reinterpret_cast<LatencyFn>(::dlsym(standIn, "ZoFtdiStandInLatency"))();
  ::dlclose(standIn);
  EXPECT_EQ(latency, d2xx::kLeastLatency) << "replies passed on without the 16 ms hold";
  EXPECT_EQ(baud, 4800u);
  EXPECT_EQ(bits, d2xx::kBits8);
  EXPECT_EQ(stop, d2xx::kStopBits1);
  EXPECT_EQ(parity, d2xx::kParityNone);

  ASSERT_TRUE(w.loop.RunUntil([&] { return w.ReadDone(); }, 15s));
  EXPECT_EQ(w.state.workingCopy[0], 100);
  EXPECT_TRUE(std::equal(w.state.workingCopy.begin(), w.state.workingCopy.begin() + kImageSize,
                         w.state.controllerCopy.begin()));
  w.manager.StopLink();
  EXPECT_FALSE(w.ftdi.HasHandle());
  EXPECT_EQ(w.ftdi.InQueCount(), -1);
}

TEST_F(FtdiEndToEndTest, ALibraryWithoutTheLatencyTimerReadsAsEver) {
  LpgsimProcess sim(LPGSIM_EXE, folder.Path(), {"--port", "86"});
  ASSERT_TRUE(sim.Running());
  ::setenv("ZO_FTDI_STANDIN_DEVICE", sim.Device().c_str(), 1);
  Workshop w(roots, FTDI_OLDER);
  ASSERT_TRUE(w.ftdi.Loaded());
  w.Connect(1024);
  ASSERT_TRUE(w.state.connected);
  ASSERT_TRUE(w.loop.RunUntil([&] { return w.ReadDone(); }, 30s));
  EXPECT_EQ(w.state.workingCopy[0], 100);
}

TEST_F(FtdiEndToEndTest, WithoutTheLibraryOrOneOfItsEntryPointsNoAdapterIsListed) {
  LpgsimProcess sim(LPGSIM_EXE, folder.Path(), {"--port", "84"});
  ASSERT_TRUE(sim.Running());
  ::setenv("ZO_FTDI_STANDIN_DEVICE", sim.Device().c_str(), 1);
  for (const std::string library : {"", "/nonexistent/libftd2xx.so", FTDI_PARTIAL}) {
    SCOPED_TRACE(library);
    Workshop w(roots, library);
    EXPECT_FALSE(w.ftdi.Loaded());
    EXPECT_EQ(w.ftdi.NumDevices(), 0);
    EXPECT_FALSE(w.ftdi.Open(0));
    w.Connect(84);
    EXPECT_TRUE(w.state.connected);  // the COM port works as ever
    EXPECT_EQ(w.effects.entries, (std::vector<PortMenuEntry>{{"Com &84", 84, sim.Device()}}));
    EXPECT_TRUE(w.effects.systemTexts.empty());
  }
}

}  // namespace
}  // namespace zo::link
