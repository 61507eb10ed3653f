// Finds the ports, opens the one the user selected with the controller's line
// settings, and watches the link on every tick of the connection timer
// (`TimerInfo`, 900 ms): reconnection, a lost firmware upload, link loss and
// its messages, the request flags, and the state panels. It says when the
// connection check is to be offered.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CheckOffer.h"
#include "IEventPump.h"
#include "IFtdiPorts.h"
#include "IMenuEffects.h"
#include "IMessageEffects.h"
#include "IPortList.h"
#include "IProgressEffects.h"
#include "ISerialPort.h"
#include "IStatePanelEffects.h"
#include "IWindowEffects.h"
#include "LiveData.h"
#include "PortHealth.h"
#include "ProgrammingState.h"
#include "SchedulerState.h"
#include "ViewFlags.h"

namespace zo::link {

// The parts of the link state the connection timer reads and changes.
struct ConnectionParts {
  PortHealth& port;
  LiveData& live;
  SchedulerState& scheduler;
  ViewFlags& view;
  ProgrammingState& programming;
};

// The parts the connection manager draws on, handed in by its owner.
struct ConnectionEffects {
  IProgressEffects& progress;
  IMessageEffects& messages;
  IWindowEffects& window;
  IMenuEffects& menus;
  IStatePanelEffects& panels;
};

class ConnectionManager {
 public:
  static constexpr std::chrono::milliseconds kTickInterval{900};
  static constexpr int kFirstFtdiPort = 1024;
  static constexpr int kLinkLostFailures = 16;
  // The longest stretch a pause goes without processing the messages.
  static constexpr std::chrono::milliseconds kPauseSlice{10};

  ConnectionManager(const ConnectionParts& parts, ISerialPort& com, IFtdiPorts& ftdi,
                    const IPortList& ports, IEventPump& pump, const ConnectionEffects& effects,
                    std::chrono::milliseconds reopenPause = std::chrono::milliseconds(500));

  // Rebuilds both port menus: COM ports, then FTDI adapters.
  void DiscoverPorts();
  // Closes the current port and opens port `portNumber` (COM below 1024).
  void OpenPort(int portNumber);
  void ClosePort();

  // User commands.
  void PortEntryClick(int tag);
  void ConnectClick();  // the connect/disconnect entry
  void StopLink();      // Ctrl+Q

  // One tick of the connection timer.
  void Tick();

  // Flags and settings other parts of the window hand in.
  void RequestHelpRefresh() { helpRefreshRequest_ = true; }
  void SetHintPanelTimedOut() { hintTimedOut_ = true; }
  void SetLampLayout(int layout) { lampLayout_ = layout; }

  [[nodiscard]] const std::vector<PortMenuEntry>& Entries() const { return entries_; }
  [[nodiscard]] unsigned TickCounter() const { return tickCounter_; }
  // The replies of the last minute while a port is open.
  [[nodiscard]] std::optional<ReplyCounts> LinkReplies() const;
  // Whether the connection check should be offered now (the failed open of
  // a port the user chose, a link lost again and again); true once for each
  // such trouble.
  [[nodiscard]] bool TakeCheckOffer() { return std::exchange(checkOfferDue_, false); }

  // The system's reason for a failed open in plain words, with what to do.
  static texts::UserText OpenFailureAdvice(int error);

 private:
  void PauseWithMessages(std::chrono::microseconds duration);
  void OpenFailed();
  void UploadLost();
  void SuperviseLink();
  void RecoverGoneDevice();
  void LoseDevice();
  [[nodiscard]] bool SelectedDeviceGone();
  bool ReopenSelectedPort();
  void RestartIdentification();
  [[nodiscard]] bool HasEntry(int tag) const;

  PortHealth& port_;
  LiveData& live_;
  SchedulerState& scheduler_;
  ViewFlags& view_;
  ProgrammingState& programming_;
  ISerialPort& com_;
  IFtdiPorts& ftdi_;
  const IPortList& ports_;
  IEventPump& pump_;
  ConnectionEffects effects_;
  std::chrono::milliseconds reopenPause_;

  std::vector<PortMenuEntry> entries_;
  unsigned tickCounter_ = 0;
  int blinkFlag_ = 0;
  int lampLayout_ = 0;
  bool helpRefreshRequest_ = false;
  bool hintTimedOut_ = false;
  // The selected port's device went away while in use; it is looked for on
  // every tick until it is back or the user stops the link.
  bool deviceGone_ = false;
  // Counts the user's stops of the link, so that an open paused meanwhile
  // does not open the port again.
  unsigned stopCount_ = 0;
  // The next open is one the user asked for (a port entry, the connect entry).
  bool userOpen_ = false;
  CheckOffer checkOffer_;
  bool checkOfferDue_ = false;
};

}  // namespace zo::link
