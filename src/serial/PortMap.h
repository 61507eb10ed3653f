// The serial ports of this machine with stable numbers, so that a remembered
// port number keeps meaning the same device. Port N is, first, an entry
// COM<N> of the per-user port folder that leads to a character device; then
// the system's serial devices get automatic numbers: ttyS<n> -> n+1 (only
// ports that really exist), ttyUSB<n> -> 33+n, ttyACM<n> -> 65+n,
// ttyAMA<n> -> 97+n, rfcomm<n> -> 129+n, for n below 32. No number names two
// devices and no device is left out: a device numbered past its kind's range
// (ttyS32, ttyUSB40), or whose number the folder gives to another device
// (two spellings such as COM5 and com5, or COM33 beside ttyUSB0), gets the
// next free number from 161 up, folder entries first in name order, then
// system devices by kind and number. The numbers never depend on the order
// in which the folders list their entries.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/IPortList.h"
#include "link/PortEntry.h"

namespace zo::serial {

// Where the map looks; tests point these at temporary folders.
struct PortRoots {
  std::filesystem::path dev = "/dev";
  std::filesystem::path sys = "/sys";
  std::filesystem::path portFolder;  // $XDG_CONFIG_HOME/Zo/ports

  // The system folders and the user's port folder from XDG_CONFIG_HOME (or
  // HOME/.config when it is not set).
  static PortRoots FromEnvironment();
  static std::filesystem::path DefaultPortFolder();
};

// A port as found on the machine, before it is numbered: the folder entry's
// or the device file's name, the device shown for it and the device node it
// leads to (names leading to one node are one device).
struct FoundPort {
  std::string name;
  std::string device;
  std::uint64_t node = 0;
};

class PortMap : public link::IPortList {
 public:
  static constexpr int kMaxPort = 1023;
  // Devices of one kind that get their automatic number.
  static constexpr int kKindRange = 32;
  // Where the numbers of the devices without their own number start.
  static constexpr int kFirstSpareNumber = 161;

  explicit PortMap(PortRoots roots = PortRoots::FromEnvironment());

  // Every port present, in ascending number.
  [[nodiscard]] std::vector<link::PortEntry> Discover() const override;

  // The device of port `number`, if present.
  [[nodiscard]] std::optional<std::string> DeviceFor(int number) const;

  // A device name as given to the serial port: "Com<N>" (any letter case) is
  // looked up in the map (nothing when the port is not present); any other
  // name is a path and used as it is.
  [[nodiscard]] std::optional<std::string> Resolve(std::string_view deviceName) const;

  // N of a name "Com<N>" with N in 1..1023.
  static std::optional<int> ComNumber(std::string_view name);
  // The automatic number of a device file name such as "ttyUSB0", before any
  // check that the device exists; nothing past its kind's range.
  static std::optional<int> AutomaticNumber(std::string_view fileName);
  // The ports numbered from the port folder's entries and the system's
  // devices, found in any order; entries without a COM name and devices of
  // no known kind are left out. Discover numbers what it finds with this.
  static std::vector<link::PortEntry> Number(std::vector<FoundPort> folder,
                                             std::vector<FoundPort> system);

  [[nodiscard]] const PortRoots& Roots() const { return roots_; }

 private:
  class Numbering;
  [[nodiscard]] std::vector<FoundPort> FolderPorts() const;
  [[nodiscard]] std::vector<FoundPort> SystemPorts() const;
  [[nodiscard]] bool IsRealUart(std::string_view fileName) const;

  PortRoots roots_;
};

}  // namespace zo::serial
