// The benchmarks' wait on the Qt event loop: run it until a condition holds
// or a time-out passes.
#pragma once

#include <QApplication>
#include <chrono>

namespace zo::bench {

// Runs the event loop until `done` holds or `timeout` passes; returns `done()`.
template <typename Done>
bool RunUntil(Done done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

}  // namespace zo::bench
