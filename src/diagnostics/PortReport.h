// A serial port as the system describes it: the device node it leads to, its
// driver and, for a USB adapter, its ids, maker and product.
#pragma once

#include <optional>
#include <string>

namespace zo::diagnostics {

struct PortReport {
  std::string device;  // as the program knows it (a port folder link, /dev/ttyUSB0)
  std::string node;    // the device node it leads to, as the system names it
  bool present = false;
  std::string driver;  // ftdi_sio, ch341, cp210x, pl2303, cdc_acm, serial8250, ...
  std::string usbId;   // "0403:6001"; empty for a device not on USB
  std::string maker;
  std::string product;
  std::optional<int> latencyMs;  // the FTDI driver's latency timer
};

}  // namespace zo::diagnostics
