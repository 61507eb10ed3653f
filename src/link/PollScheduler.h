// One step of the transmit timer: read the parameter image after a
// connection, write back every byte the user changed, one per tick, and
// otherwise send the one poll the page on screen needs. The timer interval
// follows the health of the link.
#pragma once

#include "ControllerLink.h"
#include "IEventPump.h"
#include "IMessageEffects.h"
#include "IProgressEffects.h"
#include "IWindowEffects.h"
#include "ImageCopies.h"
#include "LiveData.h"
#include "PortHealth.h"
#include "ReplyConsumers.h"
#include "SchedulerState.h"

namespace zo::link {

// The parts of the link state the scheduler reads and changes.
struct SchedulerParts {
  PortHealth& port;
  ImageCopies& image;
  LiveData& live;
  SchedulerState& scheduler;
};

class PollScheduler {
 public:
  PollScheduler(const SchedulerParts& parts, ControllerLink& link, IProgressEffects& progress,
                IMessageEffects& messages, IWindowEffects& window, const ReplyConsumers& consumers,
                IEventPump& pump);

  // Called by every transmit-timer tick.
  void Step();

  // Shows a page and sets the polling mode that belongs to it. The processor
  // page is selected through its sub-pages Port, Ram and Eeprom.
  void SelectPage(Page page);

  // The petrol/gas switch: asks for one switch request while the link is
  // alive, for a reconnection otherwise.
  void RequestSwitch(bool txTimerEnabled);

  // Interval of the transmit timer for a failure count.
  static int IntervalFor(int failureCounter);

  static constexpr int kRamPages = 39;
  static constexpr int kEepromRows = 33;

 private:
  void StepRead();
  bool WriteBack();
  void Poll();
  void PollRotating(Command command, int count);

  PortHealth& port_;
  ImageCopies& image_;
  LiveData& live_;
  SchedulerState& scheduler_;
  ControllerLink& link_;
  IProgressEffects& progress_;
  IMessageEffects& messages_;
  IWindowEffects& window_;
  const ReplyConsumers& consumers_;
  IEventPump& pump_;
};

}  // namespace zo::link
