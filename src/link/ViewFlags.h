// What the views set that changes how replies are taken (the scope running,
// service mode, auto-save, the RAM-watch address), and the connection state
// the views show.
#pragma once

#include <string>

#include "LinkTypes.h"

namespace zo::link {

struct ViewFlags {
  bool scopeRunning = true;
  bool serviceMode = false;
  bool autoSave = false;
  std::string ramWatchText;  // the RAM-watch address box, a decimal number
  ConnectionState connectionState = ConnectionState::NotConnected;
};

}  // namespace zo::link
