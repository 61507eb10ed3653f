// The connection check against made-up systems in a temporary folder: sysfs
// with a USB adapter, /proc with its processes, /etc/group and the device
// nodes, one finding at a time and the cases that must find nothing.
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "TempFolder.h"
#include "diagnostics/CheckReportText.h"
#include "diagnostics/ConnectionCheck.h"
#include "diagnostics/FindingText.h"
#include "texts/LanguageRules.h"

namespace zo::diagnostics {
namespace {

namespace fs = std::filesystem;

constexpr unsigned kDialout = 20;
constexpr unsigned kUser = 1000;

// Device nodes by name: owner root, group dialout, 0660 unless set.
class FakeOwners : public INodeOwners {
 public:
  [[nodiscard]] std::optional<NodeOwner> Owner(const fs::path& node) const override {
    if (!fs::exists(node)) return std::nullopt;
    const auto it = owners.find(node.filename().string());
    return it != owners.end() ? it->second : NodeOwner{0, kDialout, 0660};
  }
  std::map<std::string, NodeOwner> owners;
};

class ConnectionCheckTest : public ::testing::Test {
 protected:
  void Write(const std::string& path, const std::string& text) {
    const fs::path file = root_ / path;
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text << "\n";
  }
  void Link(const std::string& path, const std::string& target) {
    const fs::path link = root_ / path;
    fs::create_directories(link.parent_path());
    fs::create_symlink(target, link);
  }
  // A USB device on bus 1 port `port` with a serial device `tty` (none when empty).
  void UsbAdapter(const std::string& port, const std::string& id, const std::string& driver,
                  const std::string& tty) {
    const std::string usb = "sys/devices/pci0000:00/usb1/1-" + port;
    Write(usb + "/idVendor", id.substr(0, 4));
    Write(usb + "/idProduct", id.substr(5));
    Write(usb + "/manufacturer", "Maker" + port);
    Write(usb + "/product", "Cable" + port);
    Link("sys/bus/usb/devices/1-" + port, "../../../devices/pci0000:00/usb1/1-" + port);
    const std::string interface = usb + "/1-" + port + ":1.0";
    fs::create_directories(root_ / interface);
    Link(interface + "/driver", "../../../../../bus/usb/drivers/" + driver);
    fs::create_directories(root_ / "sys/bus/usb/drivers" / driver);
    if (tty.empty()) return;
    const std::string serialPort = interface + "/" + tty;
    fs::create_directories(root_ / serialPort);
    Link(serialPort + "/driver", "../../../../../../bus/usb-serial/drivers/" + driver);
    fs::create_directories(root_ / "sys/bus/usb-serial/drivers" / driver);
    Link("sys/class/tty/" + tty + "/device",
         "../../../devices/pci0000:00/usb1/1-" + port + "/1-" + port + ":1.0/" + tty);
    Write("dev/" + tty, "");
  }
  void Process(int pid, const std::string& name, const std::string& openFile = {}) {
    Write("proc/" + std::to_string(pid) + "/comm", name);
    fs::create_directories(root_ / "proc" / std::to_string(pid) / "fd");
    if (!openFile.empty()) Link("proc/" + std::to_string(pid) + "/fd/3", openFile);
  }
  CheckReport Run(const std::vector<CheckedPort>& ports,
                  std::optional<link::ReplyCounts> replies = {}) {
    return ConnectionCheck(root_, user_, owners_).Run(CheckRequest{ports, replies});
  }
  std::vector<Finding> Findings(const std::vector<CheckedPort>& ports = {{"/dev/ttyUSB0", true}}) {
    return Run(ports).findings;
  }

  test::TempFolder folder_;
  fs::path root_ = folder_.Path();
  FakeOwners owners_;
  UserIdentity user_{"anna", kUser, {kUser, kDialout}, 4242};
};

TEST_F(ConnectionCheckTest, DescribesAUsbPortReachedThroughThePortFolder) {
  UsbAdapter("2", "0403:6001", "ftdi_sio", "ttyUSB0");
  Write("sys/devices/pci0000:00/usb1/1-2/1-2:1.0/ttyUSB0/latency_timer", "16");
  Link("dev/serial/by-id/usb-FTDI-if00-port0", "../../ttyUSB0");
  Link("home/anna/.config/Zo/ports/COM5", "/dev/serial/by-id/usb-FTDI-if00-port0");
  const CheckReport report =
      Run({{"/home/anna/.config/Zo/ports/COM5", false}, {"/dev/ttyUSB7", false}});
  ASSERT_EQ(report.ports.size(), 2u);
  const PortReport& port = report.ports[0];
  EXPECT_TRUE(port.present);
  EXPECT_EQ(port.node, "/dev/ttyUSB0");
  EXPECT_EQ(port.driver, "ftdi_sio");
  EXPECT_EQ(port.usbId, "0403:6001");
  EXPECT_EQ(port.maker, "Maker2");
  EXPECT_EQ(port.product, "Cable2");
  EXPECT_EQ(port.latencyMs, 16);
  EXPECT_FALSE(report.ports[1].present);
  EXPECT_TRUE(report.findings.empty());  // not in use: the timer is lowered on opening
}

TEST_F(ConnectionCheckTest, ADeviceOfAGroupTheSessionLacksNeedsTheGroupOrANewLogin) {
  UsbAdapter("1", "1a86:7523", "ch341", "ttyUSB0");
  user_.groups = {kUser};
  Write("etc/group", "root_:x:0:\ndialout:x:20:bob\nanna:x:1000:");
  EXPECT_EQ(Findings(),
            (std::vector<Finding>{{FindingKind::NotInGroup, "/dev/ttyUSB0", "dialout", 0, {}}}));
  Write("etc/group", "dialout:x:20:bob,anna");
  EXPECT_EQ(
      Findings(),
      (std::vector<Finding>{{FindingKind::GroupNeedsLogin, "/dev/ttyUSB0", "dialout", 0, {}}}));
  // Nothing for a node open to all, one the user owns, or for root.
  owners_.owners["ttyUSB0"] = {0, kDialout, 0666};
  EXPECT_TRUE(Findings().empty());
  owners_.owners["ttyUSB0"] = {kUser, kDialout, 0600};
  EXPECT_TRUE(Findings().empty());
  owners_.owners.clear();
  user_.uid = 0;
  EXPECT_TRUE(Findings().empty());
  user_.uid = kUser;
  user_.groups = {kUser, kDialout};
  EXPECT_TRUE(Findings().empty());
}

TEST_F(ConnectionCheckTest, BrlttyIsNamedWhenItHoldsAUsbSerialAdapter) {
  UsbAdapter("1", "1a86:7523", "usbfs", "");            // taken: no serial device
  UsbAdapter("2", "0403:6001", "ftdi_sio", "ttyUSB0");  // a serial device: fine
  UsbAdapter("3", "046d:c52b", "usbhid", "");           // not a serial chip
  // Without brltty an adapter without a serial device is someone else's
  // (FTDI's own library): nothing to say.
  EXPECT_TRUE(Findings().empty());
  const std::vector<Finding> taken{
      {FindingKind::BrlttyTookAdapter, {}, "Maker1 Cable1 (1a86:7523)", 0, {}}};
  Write("usr/lib/udev/rules.d/85-brltty.rules", "# rules");
  EXPECT_EQ(Findings(), taken);
  fs::remove_all(root_ / "usr");
  Process(77, "brltty");
  EXPECT_EQ(Findings(), taken);
}

TEST_F(ConnectionCheckTest, ModemManagerIsNamedForAcmPortsWhileItRuns) {
  UsbAdapter("1", "0483:5740", "cdc_acm", "ttyACM0");
  UsbAdapter("2", "0403:6001", "ftdi_sio", "ttyUSB0");
  const std::vector<CheckedPort> ports{{"/dev/ttyACM0", false}, {"/dev/ttyUSB0", true}};
  EXPECT_TRUE(Findings(ports).empty());
  Process(900, "ModemManager");
  EXPECT_EQ(
      Findings(ports),
      (std::vector<Finding>{{FindingKind::ModemManager, "/dev/ttyACM0", "ModemManager", 0, {}}}));
  EXPECT_TRUE(Findings({{"/dev/ttyUSB0", true}}).empty());
}

TEST_F(ConnectionCheckTest, AnotherProcessWithThePortOpenIsNamedButNotThisProgram) {
  UsbAdapter("1", "067b:2303", "pl2303", "ttyUSB0");
  Process(4242, "ZoLpgWin", "/dev/ttyUSB0");
  Process(1500, "bash", "/dev/pts/1");
  EXPECT_TRUE(Findings().empty());
  Process(321, "minicom", "/dev/ttyUSB0");
  EXPECT_EQ(Findings(),
            (std::vector<Finding>{{FindingKind::PortInUse, "/dev/ttyUSB0", "minicom", 321, {}}}));
}

TEST_F(ConnectionCheckTest, AnFtdiLatencyTimerLeftHighIsNamedForThePortInUse) {
  UsbAdapter("1", "0403:6001", "ftdi_sio", "ttyUSB0");
  const std::string timer = "sys/devices/pci0000:00/usb1/1-1/1-1:1.0/ttyUSB0/latency_timer";
  Write(timer, "16");
  EXPECT_EQ(Findings(),
            (std::vector<Finding>{{FindingKind::LatencyHigh, "/dev/ttyUSB0", "ttyUSB0", 16, {}}}));
  EXPECT_TRUE(Findings({{"/dev/ttyUSB0", false}}).empty());
  Write(timer, "1");
  EXPECT_TRUE(Findings().empty());
}

TEST_F(ConnectionCheckTest, TheLinkOfTheLastMinuteIsGoodOrPoor) {
  EXPECT_TRUE(Run({}, link::ReplyCounts{}).findings.empty());
  const link::ReplyCounts good{590, 3, 7};
  EXPECT_EQ(Run({}, good).findings,
            (std::vector<Finding>{{FindingKind::LinkGood, {}, {}, 0, good}}));
  const link::ReplyCounts poor{500, 40, 60};
  EXPECT_EQ(Run({}, poor).findings,
            (std::vector<Finding>{{FindingKind::LinkPoor, {}, {}, 0, poor}}));
}

TEST_F(ConnectionCheckTest, AsPlainTextEachPortAndFindingHasItsLineAndTheRemedyFollows) {
  UsbAdapter("1", "067b:2303", "pl2303", "ttyUSB0");
  Process(321, "minicom", "/dev/ttyUSB0");
  const texts::TextCatalogue english(texts::kEnglish, 10);
  const std::string text = CheckReportText::Plain(Run({{"/dev/ttyUSB0", true}}, {}), english);
  const std::string statement =
      "/dev/ttyUSB0: " + english.Compose(FindingText::Statement(Findings().front())) + "\n  -> ";
  EXPECT_NE(text.find("/dev/ttyUSB0 | "), std::string::npos) << text;
  EXPECT_NE(text.find(" [067b:2303]"), std::string::npos) << text;
  EXPECT_NE(text.find(statement), std::string::npos) << text;
  EXPECT_NE(text.find("minicom"), std::string::npos) << text;
}

}  // namespace
}  // namespace zo::diagnostics
