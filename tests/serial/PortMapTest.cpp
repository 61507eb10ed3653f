// Port numbers on this machine: the user's port folder first, then the
// system's serial devices with their automatic numbers; all in temporary
// folders standing in for /dev, /sys and the configuration folder.
#include <fcntl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempFolder.h"
#include "platform/UniqueFd.h"
#include "serial/PortMap.h"

namespace zo::serial {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

class PortMapTest : public ::testing::Test {
 protected:
  PortMapTest() {
    roots.dev = folder / "dev";
    roots.sys = folder / "sys";
    roots.portFolder = folder / "config" / "Zo" / "ports";
    fs::create_directories(roots.dev);
    fs::create_directories(roots.sys);
    fs::create_directories(roots.portFolder);
  }

  // A device node: a link to a real character device (a test cannot make one).
  void Device(const std::string& name) { fs::create_symlink("/dev/null", roots.dev / name); }
  void Uart(const std::string& name, const std::string& type, bool withDevice = true) {
    Device(name);
    const fs::path tty = roots.sys / "class" / "tty" / name;
    fs::create_directories(tty);
    if (withDevice) fs::create_directories(tty / "device");
    std::ofstream(tty / "type") << type << "\n";
  }
  void Entry(const std::string& name, const fs::path& target) {
    fs::create_symlink(target, roots.portFolder / name);
  }

  TempFolder folder;
  PortRoots roots;
};

TEST(PortNumbers, AutomaticNumbersByKind) {
  const struct {
    const char* name;
    std::optional<int> number;
  } table[] = {
      {"ttyS0", 1},
      {"ttyS3", 4},
      {"ttyUSB0", 33},
      {"ttyUSB5", 38},
      {"ttyACM0", 65},
      {"ttyACM1", 66},
      {"ttyAMA0", 97},
      {"rfcomm0", 129},
      {"rfcomm2", 131},
      {"ttyUSB31", 64},
      {"ttyS32", std::nullopt},  // past the range of its kind: a spare number
      {"tty1", std::nullopt},
      {"ttyUSB", std::nullopt},
      {"ttyUSBx", std::nullopt},
      {"ttyS2000", std::nullopt},
      {"ttyS-1", std::nullopt},  // a sign is not part of a device number
      {"ttyUSB-1", std::nullopt},
      {"rfcomm+2", std::nullopt},
      {"console", std::nullopt},
  };
  for (const auto& row : table)
    EXPECT_EQ(PortMap::AutomaticNumber(row.name), row.number) << row.name;
}

TEST(PortNumbers, ComNamesInAnyCaseFromOneTo1023) {
  EXPECT_EQ(PortMap::ComNumber("Com3"), 3);
  EXPECT_EQ(PortMap::ComNumber("COM99"), 99);
  EXPECT_EQ(PortMap::ComNumber("com1023"), 1023);
  EXPECT_EQ(PortMap::ComNumber("Com0"), std::nullopt);
  EXPECT_EQ(PortMap::ComNumber("Com1024"), std::nullopt);
  EXPECT_EQ(PortMap::ComNumber("Com"), std::nullopt);
  EXPECT_EQ(PortMap::ComNumber("Com3a"), std::nullopt);
  EXPECT_EQ(PortMap::ComNumber("Com-3"), std::nullopt);
  EXPECT_EQ(PortMap::ComNumber("/dev/ttyS0"), std::nullopt);
  EXPECT_EQ(PortMap::ComNumber("COM01"), std::nullopt);  // one spelling per number
}

TEST(PortNumbers, TheOrderInWhichDevicesAreFoundChangesNoNumber) {
  // Two spellings of ttyUSB1's number on different devices: the plain one keeps it.
  const std::vector<FoundPort> found = {{"ttyUSB01", "/dev/a", 1}, {"ttyUSB1", "/dev/b", 2}};
  const auto ports = PortMap::Number({}, found);
  EXPECT_EQ(ports, PortMap::Number({}, {found.rbegin(), found.rend()}));
  EXPECT_EQ(ports, (std::vector<link::PortEntry>{{34, "/dev/b", false}, {161, "/dev/a", false}}));
}

TEST_F(PortMapTest, FolderEntriesLeadingToCharacterDevicesArePorts) {
  Entry("COM5", "/dev/null");
  std::ofstream(folder / "plain") << "x";
  Entry("COM6", folder / "plain");  // not a device
  Entry("COM7", folder / "gone");   // dangling
  Entry("COM0", "/dev/null");       // out of range
  Entry("COM1024", "/dev/null");
  Entry("PORT8", "/dev/null");  // not a COM name
  const auto ports = PortMap(roots).Discover();
  ASSERT_EQ(ports.size(), 1u);
  EXPECT_EQ(ports[0].number, 5);
  EXPECT_EQ(ports[0].device, "/dev/null");
  EXPECT_TRUE(ports[0].fromFolder);
  EXPECT_EQ(ports[0].Caption(), "Com &5");
}

TEST_F(PortMapTest, AnEntryWhoseLockBesideItNobodyHoldsWasLeftBehind) {
  Entry("COM8", "/dev/null");
  Entry("COM9", "/dev/null");
  std::ofstream(roots.portFolder / ".COM8.lock") << "/dev/null";
  std::ofstream(roots.portFolder / ".COM9.lock") << "/dev/null";
  // The program that serves COM9 runs and holds its lock.
  const platform::UniqueFd held(
      ::open((roots.portFolder / ".COM9.lock").c_str(), O_RDWR | O_CLOEXEC));
  struct flock whole {};
  whole.l_type = F_WRLCK;
  ASSERT_EQ(::fcntl(held.Get(), F_OFD_SETLK, &whole), 0);
  const auto ports = PortMap(roots).Discover();
  ASSERT_EQ(ports.size(), 1u);
  EXPECT_EQ(ports[0].number, 9);
}

TEST_F(PortMapTest, SystemDevicesGetAutomaticNumbersInAscendingOrder) {
  Device("ttyUSB1");
  Device("ttyACM0");
  Device("ttyAMA2");
  Device("rfcomm0");
  Device("ttyUSB0");
  std::ofstream(roots.dev / "ttyUSB9") << "";  // not a device
  Device("tty5");                              // a console, not a serial port
  const auto ports = PortMap(roots).Discover();
  std::vector<int> numbers;
  for (const auto& p : ports)
    numbers.push_back(p.number);
  EXPECT_EQ(numbers, (std::vector<int>{33, 34, 65, 99, 129}));
  EXPECT_EQ(ports[0].device, (roots.dev / "ttyUSB0").string());
  EXPECT_FALSE(ports[0].fromFolder);
}

TEST_F(PortMapTest, OnlyRealUartsOfTheTtySKindAreListed) {
  Uart("ttyS0", "4");         // a 16550A
  Uart("ttyS1", "0");         // the kernel's placeholder: type unknown
  Uart("ttyS2", "4", false);  // no device behind it
  Device("ttyS3");            // nothing in /sys at all
  const auto ports = PortMap(roots).Discover();
  ASSERT_EQ(ports.size(), 1u);
  EXPECT_EQ(ports[0].number, 1);
}

TEST_F(PortMapTest, EveryDeviceHasOneNumberAndDisplacedOnesGetSpareNumbers) {
  Uart("ttyS0", "4");
  Uart("ttyS32", "4");  // 33 belongs to ttyUSB0
  Device("ttyUSB0");
  Device("ttyUSB1");
  Device("ttyUSB33");
  Entry("COM34", roots.dev / "ttyUSB1");  // ttyUSB1's own number: listed once
  Entry("COM5", "/dev/zero");
  Entry("Com5", "/dev/zero");    // another spelling of the same port
  Entry("com5", "/dev/full");    // another device under number 5
  Entry("COM1", "/dev/random");  // displaces ttyS0
  Entry("COM161", "/dev/urandom");
  std::vector<std::pair<int, std::string>> got;
  for (const auto& p : PortMap(roots).Discover())
    got.emplace_back(p.number, p.device);
  const std::string dev = roots.dev.string() + "/";
  EXPECT_EQ(got, (std::vector<std::pair<int, std::string>>{{1, "/dev/random"},
                                                           {5, "/dev/zero"},
                                                           {33, dev + "ttyUSB0"},
                                                           {34, dev + "ttyUSB1"},
                                                           {161, "/dev/urandom"},
                                                           {162, "/dev/full"},
                                                           {163, dev + "ttyS0"},
                                                           {164, dev + "ttyS32"},
                                                           {165, dev + "ttyUSB33"}}));
}

TEST_F(PortMapTest, ComNamesResolveThroughTheMapAndPathsStayPaths) {
  Entry("COM12", "/dev/null");
  Device("ttyACM0");
  const PortMap map(roots);
  EXPECT_EQ(map.Resolve("Com12"), "/dev/null");
  EXPECT_EQ(map.Resolve("COM65"), (roots.dev / "ttyACM0").string());
  EXPECT_EQ(map.Resolve("Com13"), std::nullopt);
  EXPECT_EQ(map.Resolve("/dev/ttyXYZ"), "/dev/ttyXYZ");
  EXPECT_EQ(map.DeviceFor(12), "/dev/null");
  EXPECT_EQ(map.DeviceFor(1), std::nullopt);
}

TEST_F(PortMapTest, MissingFoldersMeanNoPorts) {
  PortRoots none;
  none.dev = folder / "nowhere";
  none.sys = folder / "nowhere";
  none.portFolder = folder / "nowhere";
  EXPECT_TRUE(PortMap(none).Discover().empty());
}

TEST(PortRootsTest, ThePortFolderFollowsXdgConfigHome) {
  const char* old = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = old ? old : "";
  ::setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
  EXPECT_EQ(PortRoots::FromEnvironment().portFolder, fs::path("/tmp/cfg/Zo/ports"));
  ::unsetenv("XDG_CONFIG_HOME");
  if (const char* home = std::getenv("HOME")) {
    EXPECT_EQ(PortRoots::DefaultPortFolder(), fs::path(home) / ".config" / "Zo" / "ports");
  }
  if (old) ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}

}  // namespace
}  // namespace zo::serial
