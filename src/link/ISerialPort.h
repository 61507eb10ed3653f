// The serial port as the connection manager sees it: open a device with the
// controller's line settings, close it, and whether it is open.
#pragma once

#include <string>

namespace zo::link {

class ISerialPort {
 public:
  virtual ~ISerialPort() = default;

  // Opens `deviceName` ("Com<N>" or a path) at 4800 baud, 8 data bits, no
  // parity, 1 stop bit. Returns 0 on success, otherwise the system's error
  // number of the failure (EBUSY when another program holds the port).
  virtual int OpenPort(const std::string& deviceName) = 0;
  virtual void ClosePort() = 0;
  [[nodiscard]] virtual bool IsOpen() const = 0;
  // Whether the device behind the open port has gone away, so that the port
  // must be opened again before anything can pass (false when closed).
  [[nodiscard]] virtual bool DeviceGone() const { return false; }
};

}  // namespace zo::link
