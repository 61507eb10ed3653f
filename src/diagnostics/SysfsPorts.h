// What sysfs says about serial ports and USB-serial adapters: a port's
// driver, its USB device's ids, maker and product and, on FTDI's kernel
// driver, the latency timer; and the USB-serial adapters plugged in that no
// serial device came of.
#pragma once

#include <string>
#include <vector>

#include "diagnostics/PortReport.h"
#include "diagnostics/RootedTree.h"

namespace zo::diagnostics {

// A USB device as sysfs lists it.
struct UsbDevice {
  std::string usbId;  // "1a86:7523"
  std::string maker;
  std::string product;
};

class SysfsPorts {
 public:
  explicit SysfsPorts(const RootedTree& tree) : tree_(tree) {}

  // The port the program knows as `device` (a path to a node or a link to it).
  [[nodiscard]] PortReport Describe(const std::string& device) const;
  // The USB-serial adapters present (by the ids of the common chips) that
  // have no serial device: a driver other than the serial one holds them.
  [[nodiscard]] std::vector<UsbDevice> AdaptersWithoutSerialDevice() const;
  // Whether `usbId` is one of the common USB-serial chips.
  [[nodiscard]] static bool IsUsbSerialChip(const std::string& usbId);

 private:
  [[nodiscard]] UsbDevice ReadUsbDevice(const std::filesystem::path& folder) const;

  const RootedTree& tree_;
};

}  // namespace zo::diagnostics
