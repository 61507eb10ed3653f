// The background thread of an open serial port: waits for input and for
// changes of the modem lines and line-error counters, and reports each batch
// of events as a mask of TCommEventType bits. It never touches the port's
// settings or data; stopping wakes it at once and joins it.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "platform/UniqueFd.h"
#include "serial/CommTypes.h"

namespace zo::serial {

class TCommEventThread {
 public:
  using Handler = std::function<void(std::uint32_t mask)>;

  // How often the modem lines, the error counters, a held input queue and a
  // draining output queue are looked at when the descriptor cannot signal them.
  static constexpr int kPollIntervalMs = 10;

  TCommEventThread(int fd, TCommEventTypes events, Handler handler);
  ~TCommEventThread();
  TCommEventThread(const TCommEventThread&) = delete;
  TCommEventThread& operator=(const TCommEventThread&) = delete;

  // Starts the thread; throws std::system_error when it cannot.
  void Start();
  // Detaches the handler, wakes the thread and waits for it to end.
  void Stop();
  [[nodiscard]] bool Running() const { return thread_.joinable(); }

  // Bytes were handed to the driver: watch for the output queue to empty.
  void OutputQueued();

 private:
  struct ModemLines {
    int bits = 0;
    bool known = false;
  };
  void Run();
  std::uint32_t CheckInput(int& lastCount, bool& held) const;
  std::uint32_t CheckModem(ModemLines& lines) const;
  std::uint32_t CheckCounters(std::array<int, 5>& counts, bool& known) const;
  std::uint32_t CheckOutput();
  void Wake() const;

  int fd_;
  TCommEventTypes events_;
  Handler handler_;
  platform::UniqueFd wake_;  // eventfd: stop or output queued
  std::atomic<bool> stop_{false};
  std::atomic<bool> outputPending_{false};
  std::thread thread_;
};

}  // namespace zo::serial
