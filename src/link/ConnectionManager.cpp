#include "ConnectionManager.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include "texts/TextIds.h"

namespace zo::link {

namespace {

constexpr int kMaxLinkLoss = 7;
constexpr int kMaxFailures = 255;
constexpr const char* kUsbSerial = "USB<->Serial";

}  // namespace

ConnectionManager::ConnectionManager(const ConnectionParts& parts, ISerialPort& com,
                                     IFtdiPorts& ftdi, const IPortList& ports, IEventPump& pump,
                                     const ConnectionEffects& effects,
                                     std::chrono::milliseconds reopenPause)
    : port_(parts.port),
      live_(parts.live),
      scheduler_(parts.scheduler),
      view_(parts.view),
      programming_(parts.programming),
      com_(com),
      ftdi_(ftdi),
      ports_(ports),
      pump_(pump),
      effects_(effects),
      reopenPause_(reopenPause) {}

void ConnectionManager::DiscoverPorts() {
  entries_.clear();
  for (const PortEntry& port : ports_.Discover())
    entries_.push_back(PortMenuEntry{port.Caption(), port.number, port.device});
  if (ftdi_.Loaded()) {
    const int count = ftdi_.NumDevices();
    ftdi_.CreateDeviceInfoList();
    for (int i = 0; i < count; ++i) {
      // The detail query only when the list call fails: an adapter that
      // reports an empty description is listed under the generic name.
      const std::optional<std::string> listed = ftdi_.ListDescription(i);
      std::string description = listed ? *listed : ftdi_.DetailDescription(i);
      if (description.empty()) description = kUsbSerial;
      entries_.push_back(PortMenuEntry{description, kFirstFtdiPort + i, description});
    }
  }
  effects_.menus.SetPortEntries(entries_);
  if (port_.portNumber > 0) effects_.menus.CheckPortEntries(port_.portNumber);
}

bool ConnectionManager::HasEntry(int tag) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [tag](const PortMenuEntry& e) { return e.tag == tag; });
}

void ConnectionManager::OpenPort(int portNumber) {
  const bool userOpen = std::exchange(userOpen_, false);
  // A port in use whose device is missing now (a cable pulled while a
  // message was shown) is looked for again on every tick until it is back.
  const bool inUse = port_.connected || deviceGone_;
  deviceGone_ = false;
  const int p = std::max(portNumber, 1);
  if (entries_.empty()) {
    // No port at all: nothing to open. A port left open from before (an
    // adapter that was pulled out) is closed, so the link shows as down.
    if (port_.connected) effects_.window.EnableTxTimer(false);
    if (inUse) LoseDevice();
    return;
  }
  if (!HasEntry(p)) {
    effects_.menus.SetConnectCaptions(txt::kConnect);
    effects_.menus.CheckPortEntries(0);
    scheduler_.readInProgress = false;
    effects_.progress.CloseProgress();
    effects_.progress.RestoreCursor();
    // The port that was open before must not go on being polled under
    // captions that say "not connected".
    if (port_.connected) effects_.window.EnableTxTimer(false);
    if (inUse) LoseDevice();
    effects_.messages.ShowSystemMessage(
        texts::UserText{texts::TextPiece::Id(txt::kAbsent),
                        texts::TextPiece::Literal(" Comm " + std::to_string(p))},
        txt::kTitleAttention);
    return;
  }

  // A port that was open gets time to settle before it is opened again; a
  // first open has nothing to wait for. The link stopped by the user during
  // the pause stays closed.
  const bool wasOpen = com_.IsOpen() || ftdi_.HasHandle();
  ClosePort();
  const unsigned stops = stopCount_;
  if (wasOpen) PauseWithMessages(reopenPause_);
  if (stopCount_ != stops) return;

  texts::UserText status{texts::TextPiece::Id(txt::kPortOpening)};
  texts::UserText advice;
  if (p < kFirstFtdiPort) {
    const std::string device = "Com" + std::to_string(p);
    status.push_back(texts::TextPiece::Literal(device));
    const int error = com_.OpenPort(device);
    port_.connected = error == 0 && com_.IsOpen();
    if (!port_.connected) advice = OpenFailureAdvice(error);
  } else {
    const int index = p - kFirstFtdiPort;
    std::string description =
        ftdi_.Loaded() ? ftdi_.ListDescription(index).value_or(std::string()) : std::string();
    status.push_back(texts::TextPiece::Literal(description.empty() ? kUsbSerial : description));
    port_.connected = ftdi_.Loaded() && ftdi_.Open(index);
    if (ftdi_.Loaded()) ftdi_.SetControllerLine();
    if (!port_.connected) {
      advice = {texts::TextPiece::Id(txt::kAdviceUsbAdapter)};
    }
  }

  status.push_back(texts::TextPiece::Literal(" - "));
  if (port_.connected) {
    status.push_back(texts::TextPiece::Id(txt::kPortOk));
    effects_.menus.SetConnectCaptions(txt::kDisconnect);
    effects_.menus.CheckPortEntries(p);
    effects_.window.EnableTxTimer(true);
    port_.failureCounter = 0;
    port_.quality.Clear();
    RestartIdentification();
    scheduler_.writesBeforeRead = false;  // a port just opened is read before anything is written
    effects_.progress.SetBusyCursor();
  } else {
    status.push_back(texts::TextPiece::Id(txt::kPortFailed));
    OpenFailed();
    // Offered for a port the user chose; the open at start-up says what
    // failed in its progress lines and leaves the check to the Port menu.
    if (userOpen && checkOffer_.OpenFailed()) checkOfferDue_ = true;
    if (inUse) LoseDevice();
  }
  if (!effects_.progress.ShowProgress(txt::kReadControllerParameters, status,
                                      ProgressPicture::Reading))
    effects_.progress.AddProgressLine(status);
  if (!advice.empty()) effects_.progress.AddProgressLine(advice);
  pump_.ProcessMessages();
}

std::optional<ReplyCounts> ConnectionManager::LinkReplies() const {
  if (!port_.connected) return std::nullopt;
  return port_.quality.LastMinute(pump_.Now());
}

void ConnectionManager::PauseWithMessages(std::chrono::microseconds duration) {
  // In short slices with the messages processed between them: the windows
  // (a message shown over the main window, the progress window) keep
  // painting and answering through the pause instead of freezing for it.
  const auto deadline = pump_.Now() + duration;
  for (auto now = pump_.Now(); now < deadline; now = pump_.Now()) {
    pump_.ProcessMessages();
    pump_.Sleep(std::min<std::chrono::microseconds>(kPauseSlice, deadline - now));
  }
}

void ConnectionManager::OpenFailed() {
  effects_.menus.SetConnectCaptions(txt::kConnect);
  effects_.window.EnableTxTimer(false);
  scheduler_.readInProgress = false;
  effects_.progress.RestoreCursor();
}

void ConnectionManager::RestartIdentification() {
  scheduler_.pollingMode = PollingMode::Read;
  live_.statusByte = 255;
  live_.faultCode = 0;
  scheduler_.rotatingIndex = 0;
  scheduler_.readInProgress = true;
  scheduler_.counterPageDue = false;
}

void ConnectionManager::ClosePort() {
  port_.connected = false;
  if (com_.IsOpen()) com_.ClosePort();
  if (ftdi_.Loaded() && ftdi_.HasHandle()) ftdi_.Close();
  pump_.ProcessMessages();
}

void ConnectionManager::PortEntryClick(int tag) {
  port_.portNumber = tag;
  scheduler_.reconnectRequest = true;
  userOpen_ = true;
}

void ConnectionManager::ConnectClick() {
  effects_.progress.CloseProgress();
  effects_.progress.RestoreCursor();
  if (port_.connected) {
    deviceGone_ = false;
    scheduler_.reconnectRequest = false;
    effects_.window.EnableTxTimer(false);
    ClosePort();
    effects_.menus.SetConnectCaptions(txt::kConnect);
  } else {
    scheduler_.reconnectRequest = true;
    userOpen_ = true;
    effects_.menus.SetConnectCaptions(txt::kDisconnect);
  }
}

void ConnectionManager::StopLink() {
  ++stopCount_;
  deviceGone_ = false;
  scheduler_.reconnectRequest = false;
  scheduler_.readInProgress = false;
  effects_.window.EnableTxTimer(false);
  ClosePort();
  effects_.progress.CloseProgress();
  effects_.progress.RestoreCursor();
}

void ConnectionManager::Tick() {
  if (scheduler_.reconnectRequest) {
    scheduler_.reconnectRequest = false;
    DiscoverPorts();
    OpenPort(port_.portNumber);
    return;
  }
  if (programming_.watchdog > 0) {
    if (--programming_.watchdog == 0) UploadLost();
    return;
  }

  RecoverGoneDevice();
  SuperviseLink();
  if (helpRefreshRequest_) {
    helpRefreshRequest_ = false;
    effects_.window.RefreshHelp();
  }
  if (hintTimedOut_) {
    hintTimedOut_ = false;
    effects_.window.HideHintPanel();
  }
  if (scheduler_.factoryResetRequest) {
    scheduler_.factoryResetRequest = false;
    effects_.window.EnableTxTimer(true);
    port_.failureCounter = 0;
    RestartIdentification();
    // The factory parameters are ordered by a write: it goes out first.
    scheduler_.RereadAfterPendingWrites();
    if (!effects_.progress.ShowProgress(
            txt::kReadControllerParameters,
            texts::UserText{texts::TextPiece::Id(txt::kWriteFactoryParameters)},
            ProgressPicture::Reading)) {
      effects_.progress.AddProgressLine(
          texts::UserText{texts::TextPiece::Id(txt::kWriteFactoryParameters)});
    }
    effects_.progress.SetBusyCursor();
  }
  if (scheduler_.plausibilityRequest) {
    scheduler_.plausibilityRequest = false;
    effects_.window.RunPlausibilityCheck();
  }
  if (lampLayout_ != 0 && blinkFlag_ != 0) effects_.panels.ToggleGasLamp();
  ++tickCounter_;
  effects_.panels.ResetOptionsPanel();

  const bool alive =
      effects_.window.TxTimerEnabled() && port_.connected && port_.linkLossCounter < 6;
  blinkFlag_ = effects_.panels.ShowLinkState(
      LinkStateDisplay{alive, live_.statusByte, live_.faultCode, live_.levelReading, tickCounter_});
}

void ConnectionManager::UploadLost() {
  effects_.window.EnableMainWindow(true);
  scheduler_.pollingMode = PollingMode::Stopped;
  effects_.window.CloseUploadWindow();
  pump_.ProcessMessages();
  effects_.messages.ShowMessage(texts::UserText{texts::TextPiece::Id(txt::kUploadLost)},
                                txt::kTitleAttention, MsgIcon::Warning, MsgButtons::Ok);
  effects_.window.ShowParametersPage();
  pump_.ProcessMessages();
  scheduler_.reconnectRequest = true;
}

// A device that went away (a USB adapter unplugged, the far end of a
// pseudo-terminal closed) leaves a descriptor or handle that never reads
// again, so the link could not recover when the device comes back under the
// same port number. The port is closed and looked for quietly on each tick
// instead; once it is open again the controller is identified and read anew.
void ConnectionManager::RecoverGoneDevice() {
  if (!deviceGone_) {
    if (!port_.connected || !SelectedDeviceGone()) return;
    LoseDevice();
  }
  if (!ReopenSelectedPort()) return;
  deviceGone_ = false;
  port_.connected = true;
  DiscoverPorts();
  effects_.menus.SetConnectCaptions(txt::kDisconnect);
  RestartIdentification();
  scheduler_.writesBeforeRead = false;
}

void ConnectionManager::LoseDevice() {
  deviceGone_ = true;
  ClosePort();
  // The loss is reported as for a controller that stopped answering, even
  // when the device is back at once: whatever ran with the controller (a
  // write, the autoconfiguration) is over, the state panels and the caption
  // show the link as down, and the read starts anew.
  port_.failureCounter = std::max(port_.failureCounter, kLinkLostFailures);
}

bool ConnectionManager::SelectedDeviceGone() {
  if (port_.portNumber < kFirstFtdiPort) return com_.DeviceGone();
  return ftdi_.Loaded() && ftdi_.HasHandle() && ftdi_.DeviceGone();
}

bool ConnectionManager::ReopenSelectedPort() {
  const int p = std::max(port_.portNumber, 1);
  if (p < kFirstFtdiPort) return com_.OpenPort("Com" + std::to_string(p)) == 0 && com_.IsOpen();
  if (!ftdi_.Loaded()) return false;
  // The library looks for the adapters again before the open.
  ftdi_.CreateDeviceInfoList();
  if (!ftdi_.Open(p - kFirstFtdiPort)) return false;
  ftdi_.SetControllerLine();
  return true;
}

void ConnectionManager::SuperviseLink() {
  if (port_.failureCounter < kLinkLostFailures) {
    port_.linkLossCounter = 0;
    if (port_.connected) checkOffer_.LinkAnswering(pump_.Now());
    return;
  }
  port_.linkLossCounter = std::min(port_.linkLossCounter + 1, kMaxLinkLoss);
  if ((port_.connected || deviceGone_) && checkOffer_.LinkLost()) checkOfferDue_ = true;
  port_.failureCounter = std::min(port_.failureCounter, kMaxFailures);
  effects_.window.EnableTxTimer(true);
  RestartIdentification();
  switch (port_.linkLossCounter) {
    case 1: {
      view_.connectionState = ConnectionState::NotConnected;
      effects_.window.SetConnectionState(ConnectionState::NotConnected);
      effects_.messages.Beep();
      effects_.menus.SetConnectCaptions(txt::kConnect);
      const texts::UserText line{texts::TextPiece::Id(txt::kNoConnection)};
      if (!effects_.progress.ShowProgress(txt::kReadControllerParameters, line,
                                          ProgressPicture::Reading))
        effects_.progress.AddProgressLine(line);
      effects_.progress.SetBusyCursor();
      break;
    }
    case 2:
    case 3:
    case 4:
      if (effects_.progress.ProgressShown())
        effects_.progress.AddProgressLine(
            texts::UserText{texts::TextPiece::Id(txt::kControllerReadout)});
      break;
    case 5:
      effects_.progress.CloseProgress();
      effects_.progress.RestoreCursor();
      break;
    default:
      break;
  }
}

texts::UserText ConnectionManager::OpenFailureAdvice(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return {texts::TextPiece::Id(txt::kAdvicePermission)};
    case EBUSY:
    case EWOULDBLOCK:
      return {texts::TextPiece::Id(txt::kAdvicePortBusy)};
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return {texts::TextPiece::Id(txt::kAdviceDeviceAbsent)};
    case ENOTTY:
      return {texts::TextPiece::Id(txt::kAdviceNotSerial)};
    case EIO:
      return {texts::TextPiece::Id(txt::kAdviceNoResponse)};
    default:
      return {texts::TextPiece::Id(txt::kPortNotOpened),
              texts::TextPiece::Literal(std::string(std::strerror(error)) + ".")};
  }
}

}  // namespace zo::link
