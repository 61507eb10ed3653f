#include "diagnostics/SysfsPorts.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <string_view>

namespace zo::diagnostics {

namespace fs = std::filesystem;

namespace {

// FTDI FT232R/FT2232/FT232H, CH340/CH341, PL2303, CP210x: the chips of
// nearly every USB-serial cable, and those brltty's rules claim.
constexpr std::array<std::string_view, 7> kUsbSerialChips{
    "0403:6001", "0403:6010", "0403:6014", "0403:6015", "1a86:7523", "067b:2303", "10c4:ea60"};

// A USB interface's folder holds its serial device as "ttyUSB<n>" (the
// usb-serial drivers) or below "tty" (cdc_acm).
bool HasSerialDevice(const fs::path& device) {
  constexpr int kDepth = 3;
  std::error_code ec;
  fs::recursive_directory_iterator it(device, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it.depth() > kDepth) {
      it.pop(ec);
      if (ec) break;
      continue;
    }
    const std::string name = it->path().filename().string();
    if (name == "tty" || name.starts_with("ttyUSB") || name.starts_with("ttyACM")) return true;
  }
  return false;
}

}  // namespace

bool SysfsPorts::IsUsbSerialChip(const std::string& usbId) {
  return std::find(kUsbSerialChips.begin(), kUsbSerialChips.end(), usbId) != kUsbSerialChips.end();
}

UsbDevice SysfsPorts::ReadUsbDevice(const fs::path& folder) const {
  // `folder` is a path below the tree's root already.
  const auto read = [&folder](const char* name) {
    std::ifstream in(folder / name);
    std::string line;
    std::getline(in, line);
    return line;
  };
  return UsbDevice{read("idVendor") + ":" + read("idProduct"), read("manufacturer"),
                   read("product")};
}

PortReport SysfsPorts::Describe(const std::string& device) const {
  PortReport report;
  report.device = device;
  const std::optional<fs::path> node = tree_.Resolve(device);
  if (!node) return report;
  report.present = true;
  report.node = node->string();
  const fs::path sysDevice = "/sys/class/tty" / node->filename() / "device";
  std::error_code ec;
  const fs::path hardware = fs::canonical(tree_.Rooted(sysDevice), ec);
  if (ec) return report;
  const fs::path driver = fs::canonical(hardware / "driver", ec);
  if (!ec) report.driver = driver.filename().string();
  if (const auto latency = tree_.FirstLine(sysDevice / "latency_timer")) {
    try {
      report.latencyMs = std::stoi(*latency);
    } catch (const std::exception&) {
      report.latencyMs.reset();
    }
  }
  // The USB device is the nearest folder above that has the vendor's id.
  const fs::path sysRoot = tree_.Rooted("/sys");
  for (fs::path folder = hardware; folder.has_relative_path() && folder != sysRoot;
       folder = folder.parent_path()) {
    if (fs::exists(folder / "idVendor", ec)) {
      const UsbDevice usb = ReadUsbDevice(folder);
      report.usbId = usb.usbId;
      report.maker = usb.maker;
      report.product = usb.product;
      break;
    }
    if (folder == folder.parent_path()) break;
  }
  return report;
}

std::vector<UsbDevice> SysfsPorts::AdaptersWithoutSerialDevice() const {
  std::vector<UsbDevice> found;
  std::error_code ec;
  for (fs::directory_iterator it(tree_.Rooted("/sys/bus/usb/devices"), ec);
       !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code linkError;
    const fs::path device = fs::canonical(it->path(), linkError);
    if (linkError || !fs::exists(device / "idVendor", linkError)) continue;
    UsbDevice usb = ReadUsbDevice(device);
    if (IsUsbSerialChip(usb.usbId) && !HasSerialDevice(device)) found.push_back(std::move(usb));
  }
  std::sort(found.begin(), found.end(),
            [](const UsbDevice& a, const UsbDevice& b) { return a.usbId < b.usbId; });
  return found;
}

}  // namespace zo::diagnostics
