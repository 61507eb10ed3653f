// The program's serial port: the component with its published properties, as
// the controller link's transport and as the connection manager's port.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>

#include "link/ISerialPort.h"
#include "link/ITransport.h"
#include "serial/TCoreComm.h"

namespace zo::serial {

class TMyComm : public TCoreComm, public link::ITransport, public link::ISerialPort {
 public:
  explicit TMyComm(PortRoots roots = PortRoots::FromEnvironment()) : TCoreComm(std::move(roots)) {}

  // link::ITransport: -1 when closed. ReadAvailable takes only what is waiting and
  // never blocks; the component's Read waits up to its read time-out.
  int InQueCount() override { return TCoreComm::InQueCount(); }
  int ReadAvailable(std::span<std::uint8_t> buffer) override;
  int Write(std::span<const std::uint8_t> data) override { return TCoreComm::Write(data); }
  // Waits on the descriptor until `count` bytes are in or `timeout` passes,
  // waking on every arrival, so a complete reply is seen well within 2 ms of
  // its last byte however the line delivers it (byte by byte or in packets)
  // and without spinning. False at once when the port is closed or its line
  // has hung up.
  bool WaitForInput(int count, std::chrono::microseconds timeout) override;

  // link::ISerialPort
  int OpenPort(const std::string& deviceName) override;
  void ClosePort() override { Close(); }
  [[nodiscard]] bool IsOpen() const override { return Enabled(); }
  [[nodiscard]] bool DeviceGone() const override { return HungUp(); }

  // Longest single wait once part of a reply is in.
  static constexpr std::chrono::milliseconds kPartialCap{2};
};

}  // namespace zo::serial
