// FTDI adapters reached directly through the vendor's driver library, as the
// connection manager uses them. The binding to the library implements it;
// while the library is not loaded no adapter is listed or opened.
#pragma once

#include <optional>
#include <string>

namespace zo::link {

class IFtdiPorts {
 public:
  virtual ~IFtdiPorts() = default;

  // The library was loaded with all its entry points.
  [[nodiscard]] virtual bool Loaded() const = 0;
  virtual int NumDevices() = 0;
  virtual void CreateDeviceInfoList() = 0;
  // Description of device `index` by the list call; nothing when it fails.
  virtual std::optional<std::string> ListDescription(int index) = 0;
  // Description from the device information detail.
  virtual std::string DetailDescription(int index) = 0;
  // Opens device `index`; true on success.
  virtual bool Open(int index) = 0;
  // 8 data bits, 1 stop bit, no parity, 4800 baud.
  virtual void SetControllerLine() = 0;
  [[nodiscard]] virtual bool HasHandle() const = 0;
  // Whether the open adapter has gone away (unplugged), so that it must be
  // opened again before anything can pass.
  [[nodiscard]] virtual bool DeviceGone() { return false; }
  virtual void Close() = 0;
};

}  // namespace zo::link
