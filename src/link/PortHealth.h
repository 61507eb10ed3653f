// The port in use and the counters that measure the health of the link.
#pragma once

#include "LinkQuality.h"

namespace zo::link {

struct PortHealth {
  int portNumber = 0;  // below 1024 a COM port, 1024 + index an FTDI device
  bool connected = false;
  bool busy = false;        // a transaction is in progress
  int failureCounter = 0;   // frames sent since the last valid reply
  int linkLossCounter = 0;  // connection ticks in a row with the link lost
  bool quillon = false;     // protocol variant "Transmisja QUILLON"
  LinkQuality quality;      // the replies of the last minute
};

}  // namespace zo::link
