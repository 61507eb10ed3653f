// Keeps the user interface alive while the link waits, and tells the time.
// Production pumps the Qt event loop and sleeps for real; tests run on a
// virtual clock, so a 2.7 s wait costs no real time.
#pragma once

#include <chrono>

namespace zo::link {

class IEventPump {
 public:
  virtual ~IEventPump() = default;

  // Runs whatever is pending once: timers, paint, user input. Handlers run from
  // here may call back into the link; the busy flag turns them away.
  virtual void ProcessMessages() = 0;

  // Waits without processing anything.
  virtual void Sleep(std::chrono::microseconds duration) = 0;

  // Monotonic time since an arbitrary origin.
  [[nodiscard]] virtual std::chrono::microseconds Now() const = 0;
};

}  // namespace zo::link
