// The byte stream to the controller: a serial port, an FTDI device, or the
// in-process simulator. The link only ever asks how much input is waiting,
// reads what is waiting and writes a whole frame.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>

namespace zo::link {

class ITransport {
 public:
  virtual ~ITransport() = default;

  // Number of received bytes waiting to be read; -1 when the port is not open.
  virtual int InQueCount() = 0;

  // Reads at most buffer.size() of the waiting bytes; returns how many were read
  // (0 when nothing is waiting or the port is not open).
  virtual int ReadAvailable(std::span<std::uint8_t> buffer) = 0;

  // Sends all bytes; returns how many were accepted, -1 when the port is not open.
  virtual int Write(std::span<const std::uint8_t> data) = 0;

  // Blocks until at least `count` bytes are waiting or `timeout` has passed,
  // whichever comes first. Returns false without waiting when the transport
  // has no such facility (or is closed); the caller then sleeps instead.
  virtual bool WaitForInput(int count, std::chrono::microseconds timeout) {
    static_cast<void>(count);
    static_cast<void>(timeout);
    return false;
  }
};

}  // namespace zo::link
