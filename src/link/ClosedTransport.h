// A transport with nothing behind it: the FTDI side of the link while no
// FTDI driver library is present. Every call reports a closed port.
#pragma once

#include "ITransport.h"

namespace zo::link {

class ClosedTransport : public ITransport {
 public:
  int InQueCount() override { return -1; }
  int ReadAvailable(std::span<std::uint8_t>) override { return 0; }
  int Write(std::span<const std::uint8_t>) override { return -1; }
};

}  // namespace zo::link
