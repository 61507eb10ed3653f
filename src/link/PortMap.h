// The serial ports of this machine with stable numbers, so that a remembered
// port number keeps meaning the same device. Port N is, first, an entry
// COM<N> of the per-user port folder that leads to a character device; then
// the system's serial devices get automatic numbers: ttyS<n> -> n+1 (only
// ports that really exist), ttyUSB<n> -> 33+n, ttyACM<n> -> 65+n,
// ttyAMA<n> -> 97+n, rfcomm<n> -> 129+n. A number taken by the folder is not
// given to an automatic device.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "IPortList.h"
#include "PortEntry.h"

namespace zo::link {

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

class PortMap : public IPortList {
 public:
  static constexpr int kMaxPort = 1023;

  explicit PortMap(PortRoots roots = PortRoots::FromEnvironment());

  // Every port present, in ascending number.
  [[nodiscard]] std::vector<PortEntry> Discover() const override;

  // The device of port `number`, if present.
  [[nodiscard]] std::optional<std::string> DeviceFor(int number) const;

  // A device name as given to the serial port: "Com<N>" (any letter case) is
  // looked up in the map (nothing when the port is not present); any other
  // name is a path and used as it is.
  [[nodiscard]] std::optional<std::string> Resolve(std::string_view deviceName) const;

  // N of a name "Com<N>" with N in 1..1023.
  static std::optional<int> ComNumber(std::string_view name);
  // The automatic number of a device file name such as "ttyUSB0", before any
  // check that the device exists.
  static std::optional<int> AutomaticNumber(std::string_view fileName);

  [[nodiscard]] const PortRoots& Roots() const { return roots_; }

 private:
  void AddFolderPorts(std::vector<PortEntry>& ports) const;
  void AddSystemPorts(std::vector<PortEntry>& ports) const;
  [[nodiscard]] bool IsRealUart(std::string_view fileName) const;

  PortRoots roots_;
};

}  // namespace zo::link
