// One serial port of the machine: its stable number and its device.
#pragma once

#include <string>

namespace zo::link {

struct PortEntry {
  int number = 0;
  std::string device;       // path of the device (the status tip of its menu entry)
  bool fromFolder = false;  // listed in the user's port folder

  // Menu caption: "Com &" followed by the number.
  [[nodiscard]] std::string Caption() const { return "Com &" + std::to_string(number); }
  bool operator==(const PortEntry&) const = default;
};

}  // namespace zo::link
