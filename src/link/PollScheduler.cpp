#include "PollScheduler.h"

#include "ImageMap.h"

namespace zo::link {

namespace {

constexpr const char* kBaseCaption = "Zo Viz V1.79";
constexpr int kLinkLossLimit = 6;

std::uint8_t Byte(int value) {
  return static_cast<std::uint8_t>(value & 0xFF);
}

// The poll each page needs.
PollingMode ModeOf(Page page) {
  switch (page) {
    case Page::Parameters:
      return PollingMode::LiveData;
    case Page::Configuration:
      return PollingMode::ConfigData;
    case Page::Map:
      return PollingMode::Map;
    case Page::Port:
      return PollingMode::ProcessorInputs;
    case Page::Ram:
      return PollingMode::RamPages;
    case Page::Eeprom:
      return PollingMode::EepromRows;
    case Page::Upgrade:
      break;
  }
  return PollingMode::Stopped;
}

}  // namespace

PollScheduler::PollScheduler(LinkState& state, ControllerLink& link, IProgressEffects& progress,
                             IMessageEffects& messages, IWindowEffects& window,
                             const ReplyConsumers& consumers, IEventPump& pump)
    : state_(state),
      link_(link),
      progress_(progress),
      messages_(messages),
      window_(window),
      consumers_(consumers),
      pump_(pump) {}

int PollScheduler::IntervalFor(int failureCounter) {
  if (failureCounter > 20) return 3000;
  if (failureCounter > 10) return 333;
  return 100;
}

void PollScheduler::Step() {
  if (!state_.connected || state_.reconnectRequest || state_.pollingMode == PollingMode::Stopped ||
      state_.busy) {
    return;
  }
  const int interval = IntervalFor(state_.failureCounter);
  if (interval != state_.txIntervalMs) {
    state_.txIntervalMs = interval;
    window_.SetTxInterval(interval);
  }

  if (state_.pollingMode == PollingMode::Read) {
    if (state_.writesBeforeRead && state_.readInProgress && WriteBack()) return;
    state_.writesBeforeRead = false;
    StepRead();
    return;
  }
  if (WriteBack()) return;
  if (state_.readInProgress) {
    state_.pollingMode = PollingMode::Read;  // the next tick starts the read
    return;
  }
  Poll();
}

void PollScheduler::StepRead() {
  if (!state_.readInProgress) {
    // After a read the page on screen decides; the processor pages other
    // than PORT and the upgrade page wait to be selected again.
    const Page page = state_.activePage;
    if (page == Page::Parameters || page == Page::Configuration || page == Page::Map ||
        page == Page::Port) {
      state_.pollingMode = ModeOf(page);
    }
    return;
  }
  const int index = state_.rotatingIndex;
  if (index == 0) {
    window_.SetMainCaption(kBaseCaption);
    progress_.SetProgressMax(kImageSize - 1);
    progress_.SetProgressPosition(0);
    link_.Transact(Request::WithByte(Command::ReadParam, 0));
    pump_.ProcessMessages();
    return;
  }
  // A read interrupted by a failed reply resumes where it stopped.
  const Command c =
      (state_.quillon && index > ImageMap::kVariant) ? Command::ReadParamExt : Command::ReadParam;
  link_.Transact(Request::WithByte(c, Byte(index)));
}

bool PollScheduler::WriteBack() {
  for (int i = 0; i < kImageSize; ++i) {
    const auto at = static_cast<std::size_t>(i);
    const std::uint8_t value = state_.workingCopy[at];
    if (value == state_.controllerCopy[at]) continue;

    const int read = link_.Transact(Request::WithBytes(Command::WriteParam, Byte(i), value));
    // Only a checked two-byte acknowledgement confirms the write; anything
    // else leaves the byte different so it is sent again on the next tick.
    // The value sent is what the controller now holds, even if the user
    // changed the working copy during the wait.
    if (state_.workingCopy[ImageMap::kVariant] == kVariantFull && read == 2 &&
        link_.LastReplyValid()) {
      state_.controllerCopy[at] = value;
      if (i < ImageMap::kInstallationDate) messages_.Beep();  // dates and counters: silently
    }
    return true;
  }
  return false;
}

void PollScheduler::Poll() {
  // A full read is over only with its counter page: one whose reply was lost
  // is asked for again before anything else is polled.
  if (state_.counterPageDue) {
    link_.Transact(Request::WithByte(Command::MemoryPage, 6));
    return;
  }
  switch (state_.pollingMode) {
    case PollingMode::LiveData:
      if (state_.switchRequest) {
        state_.switchRequest = false;
        link_.Transact(Request::WithByte(Command::SwitchRequest, Code(Command::LiveData)));
      } else {
        link_.Transact(Request::Short(Command::LiveData));
      }
      break;
    case PollingMode::ConfigData:
      if (state_.switchRequest) {
        state_.switchRequest = false;
        link_.Transact(Request::WithByte(Command::SwitchRequest, Code(Command::ConfigData)));
      } else {
        link_.Transact(Request::Short(Command::ConfigData));
      }
      if (consumers_.wizard) consumers_.wizard->ConfigurationStep();
      break;
    case PollingMode::ProcessorInputs:
      link_.Transact(Request::Short(Command::ProcessorInputs));
      break;
    case PollingMode::RamPages:
      PollRotating(Command::MemoryPage, kRamPages);
      break;
    case PollingMode::EepromRows:
      PollRotating(Command::EepromRow, kEepromRows);
      break;
    default:
      break;  // tester and map: write-back only
  }
}

void PollScheduler::PollRotating(Command command, int count) {
  // The index still points past the image after a read: start at the top.
  const int index = state_.rotatingIndex < count ? state_.rotatingIndex : 0;
  state_.rotatingIndex = (index + 1) % count;
  link_.Transact(Request::WithByte(command, Byte(index)));
}

void PollScheduler::SelectPage(Page page) {
  state_.activePage = page;
  state_.pollingMode = ModeOf(page);
  if (page == Page::Configuration && consumers_.wizard) consumers_.wizard->ConfigurationEntered();
  if (page == Page::Upgrade) state_.statusByte = 255;
  window_.RebuildGrid();
}

void PollScheduler::RequestSwitch(bool txTimerEnabled) {
  if (txTimerEnabled && state_.connected && state_.linkLossCounter < kLinkLossLimit) {
    state_.switchRequest = true;
  } else {
    state_.reconnectRequest = true;
  }
}

}  // namespace zo::link
