// A self-contained serial port component on a POSIX terminal device: opening
// by name (exclusive, non-blocking), line settings, reads and writes with
// time-outs, queue counts, purges, modem lines and a background thread that
// watches the port and hands each event to the user-interface thread.
//
// Events: the event thread never runs a handler itself. It queues the event
// and calls the notifier (from the event thread); the user-interface side
// then calls DispatchPendingEvents on its own thread, which runs
// HandleCommEvent for each queued event (the Qt window posts a queued call).
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>

#include <termios.h>

#include "platform/UniqueFd.h"
#include "serial/CommTypes.h"
#include "serial/PortMap.h"
#include "serial/TCommEventChars.h"

namespace zo::serial {

class TCommEventThread;

class TCoreComm {
 public:
  using NotifyEvent = std::function<void(TCoreComm& sender)>;
  using ErrorEvent = std::function<void(TCoreComm& sender, std::uint32_t errors)>;
  using RxCharEvent = std::function<void(TCoreComm& sender, std::uint32_t count)>;
  using ComStatEvent =
      std::function<void(TCoreComm& sender, std::uint32_t status, const TComStat& comStat)>;

  explicit TCoreComm(PortRoots roots = PortRoots::FromEnvironment());
  virtual ~TCoreComm();
  TCoreComm(const TCoreComm&) = delete;
  TCoreComm& operator=(const TCoreComm&) = delete;

  // Opens DeviceName with the line settings. Throws ECommError when the port
  // is open already (it stays open) or when the line settings cannot be
  // applied (it is closed again). A device that cannot be opened, is not a
  // terminal or is in use by another program leaves the port closed without
  // an exception; LastError tells why.
  void Open();
  void Close();
  [[nodiscard]] bool Enabled() const;
  // Whether the open port's device has gone away (a USB adapter unplugged,
  // the far end of a pseudo-terminal closed): its descriptor reports a
  // hang-up and will never read again. False when the port is closed.
  [[nodiscard]] bool HungUp() const;

  // The system's error number of the last failed open (0 after a success).
  // EBUSY: another program holds the port; ENOTTY: not a serial device.
  [[nodiscard]] int LastError() const { return lastError_; }
  // The device path the last open used (after resolving "Com<N>").
  [[nodiscard]] const std::string& DevicePath() const { return devicePath_; }

  // Writes all bytes, waiting for room within the write time-out; returns the
  // count written, -1 when closed.
  int Write(std::span<const std::uint8_t> data);
  // Reads up to data.size() bytes, waiting at most the read time-out for them
  // to arrive; returns the count read, -1 when closed.
  int Read(std::span<std::uint8_t> data);
  [[nodiscard]] int InQueCount() const;
  [[nodiscard]] int OutQueCount() const;
  void PurgeIn();
  void PurgeOut();

  // line 1 CTS, 2 DSR, 3 RING, 4 RLSD (carrier); false when closed or unknown.
  [[nodiscard]] bool GetModemState(int line) const;
  // 1 CTS hold, 2 DSR hold, 3 RLSD hold, 4 XOFF hold, 5 XOFF sent (others as 1).
  [[nodiscard]] bool GetComState(int flag) const;
  void EscapeComm(TEscapeFunction function);
  void SetDTRState(bool on);
  void SetRTSState(bool on);
  void SetBREAKState(bool on);
  void SetXONState(bool on);

  void Lock() { lock_.lock(); }
  void Unlock() { lock_.unlock(); }

  // Properties.
  [[nodiscard]] const std::string& DeviceName() const { return deviceName_; }
  void SetDeviceName(std::string name);
  [[nodiscard]] std::uint32_t ReadTimeout() const { return readTimeout_; }
  void SetReadTimeout(std::uint32_t ms) { readTimeout_ = ms; }
  [[nodiscard]] std::uint32_t WriteTimeout() const { return writeTimeout_; }
  void SetWriteTimeout(std::uint32_t ms) { writeTimeout_ = ms; }
  [[nodiscard]] std::uint16_t ReadBufSize() const { return readBufSize_; }
  void SetReadBufSize(std::uint16_t size);
  [[nodiscard]] std::uint16_t WriteBufSize() const { return writeBufSize_; }
  void SetWriteBufSize(std::uint16_t size);
  [[nodiscard]] std::uint32_t SuspendTime() const { return suspendTime_; }
  void SetSuspendTime(std::uint32_t time);
  [[nodiscard]] TCommEventTypes MonitorEvents() const { return monitorEvents_; }
  void SetMonitorEvents(TCommEventTypes events);
  [[nodiscard]] TBaudRate BaudRate() const { return baudRate_; }
  void SetBaudRate(TBaudRate rate);
  [[nodiscard]] TParity Parity() const { return parity_; }
  void SetParity(TParity parity);
  [[nodiscard]] TStopBits StopBits() const { return stopBits_; }
  void SetStopBits(TStopBits bits);
  [[nodiscard]] TDataBits DataBits() const { return dataBits_; }
  void SetDataBits(TDataBits bits);
  [[nodiscard]] TCommEventChars& EventChars() { return eventChars_; }
  [[nodiscard]] const TCommEventChars& EventChars() const { return eventChars_; }
  void SetEventChars(const TCommEventChars& chars) { eventChars_ = chars; }
  [[nodiscard]] TCommOptions Options() const { return options_; }
  void SetOptions(TCommOptions options);
  [[nodiscard]] TFlowControl FlowControl() const { return flowControl_; }
  void SetFlowControl(TFlowControl flow);

  // Time-outs as applied at opening: a read waits at most this long, a write
  // at most the multiplier times the byte count.
  static constexpr std::chrono::milliseconds kReadTotalConstant{1000};
  [[nodiscard]] std::uint32_t WriteTotalMultiplier() const;
  // How long a write of `bytes` may wait for room in the driver's queue.
  [[nodiscard]] std::chrono::milliseconds WriteBudget(std::size_t bytes) const;

  // The terminal settings the line settings make of the driver's `current`
  // ones (raw bytes, rate, parity, stop and data bits, special characters,
  // handshake). Throws ECommError for 4 data bits, which terminals lack.
  [[nodiscard]] termios ComposeLineSettings(termios current) const;

  // Events, run by HandleCommEvent on the dispatching thread.
  NotifyEvent OnBreak, OnCts, OnDsr, OnRing, OnRlsd, OnRxFlag, OnTxEmpty;
  ErrorEvent OnError;
  RxCharEvent OnRxChar;
  ComStatEvent OnComStatEvent;

  // Called from the event thread whenever an event has been queued.
  void SetEventNotifier(std::function<void()> notifier);
  // Runs HandleCommEvent for every queued event; returns how many ran. Call
  // on the user-interface thread.
  int DispatchPendingEvents();
  // Reads the error state and the status record and calls the assigned
  // handlers whose event is in `mask` (bits of TCommEventType).
  void HandleCommEvent(std::uint32_t mask);

  // Whether the event thread runs (for tests and diagnostics).
  [[nodiscard]] bool EventThreadRunning() const;

 protected:
  [[nodiscard]] int Descriptor() const { return fd_.Get(); }

 private:
  bool CreateHandle(const std::string& path);
  // Asks the device's driver to pass received bytes on at once, where it can.
  static void RequestLowLatency(int fd);
  void ApplyTimeouts();
  void ApplyLineSettings();
  void ApplyLineSettingsIfOpen();
  void CloseUnlocked();
  void QueueEvent(std::uint32_t mask);
  std::uint32_t ClearErrors(TComStat& comStat);
  [[nodiscard]] std::uint32_t HoldFlags() const;
  void WaitWritable(std::chrono::steady_clock::time_point deadline) const;

  mutable std::recursive_mutex lock_;
  PortMap portMap_;
  platform::UniqueFd fd_;
  bool enabled_ = false;
  int lastError_ = 0;
  std::string devicePath_;
  bool outputSuspended_ = false;  // SetXONState(false) holds our transmission
  std::uint32_t writeMultiplier_ = 0;
  // Line error counters seen at the last ClearErrors (frame, overrun, parity,
  // break, buffer overrun).
  std::array<int, 5> errorCounts_{};

  std::string deviceName_ = "Com2";
  std::uint32_t readTimeout_ = 1000;
  std::uint32_t writeTimeout_ = 1000;
  std::uint16_t readBufSize_ = 4096;
  std::uint16_t writeBufSize_ = 2048;
  std::uint32_t suspendTime_ = 5;
  TCommEventTypes monitorEvents_ = kAllCommEvents;
  TBaudRate baudRate_ = TBaudRate::br9600;
  TParity parity_ = TParity::paNone;
  TStopBits stopBits_ = TStopBits::sb10;
  TDataBits dataBits_ = TDataBits::da8;
  TCommEventChars eventChars_;
  TCommOptions options_;
  TFlowControl flowControl_ = TFlowControl::fcDefault;

  std::unique_ptr<TCommEventThread> eventThread_;
  mutable std::mutex eventsLock_;
  std::deque<std::uint32_t> pendingEvents_;
  std::function<void()> notifier_;
};

}  // namespace zo::serial
