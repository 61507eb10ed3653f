#include "app/QtEventPump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <thread>

namespace zo::app {

void QtEventPump::ProcessMessages() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::Sleep(std::chrono::microseconds duration) {
  if (duration.count() > 0) std::this_thread::sleep_for(duration);
}

std::chrono::microseconds QtEventPump::Now() const {
  return std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
}

}  // namespace zo::app
