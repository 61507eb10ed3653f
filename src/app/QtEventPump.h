// The event pump behind `Transact` in the running program: while the link
// waits for a reply, the Qt event loop keeps timers, painting and input
// alive. Handlers that run from here may try to start another transaction;
// the link's busy flag turns them away.
#pragma once

#include <chrono>

#include "link/IEventPump.h"

namespace zo::app {

class QtEventPump : public link::IEventPump {
 public:
  void ProcessMessages() override;
  void Sleep(std::chrono::microseconds duration) override;
  [[nodiscard]] std::chrono::microseconds Now() const override;
};

}  // namespace zo::app
