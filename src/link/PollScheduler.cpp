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

PollScheduler::PollScheduler(const SchedulerParts& parts, ControllerLink& link,
                             IProgressEffects& progress, IMessageEffects& messages,
                             IWindowEffects& window, const ReplyConsumers& consumers,
                             IEventPump& pump)
    : port_(parts.port),
      image_(parts.image),
      live_(parts.live),
      scheduler_(parts.scheduler),
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
  if (!port_.connected || scheduler_.reconnectRequest ||
      scheduler_.pollingMode == PollingMode::Stopped || port_.busy) {
    return;
  }
  const int interval = IntervalFor(port_.failureCounter);
  if (interval != scheduler_.txIntervalMs) {
    scheduler_.txIntervalMs = interval;
    window_.SetTxInterval(interval);
  }

  if (scheduler_.pollingMode == PollingMode::Read) {
    if (scheduler_.writesBeforeRead && scheduler_.readInProgress && WriteBack()) return;
    scheduler_.writesBeforeRead = false;
    StepRead();
    return;
  }
  if (WriteBack()) return;
  if (scheduler_.readInProgress) {
    scheduler_.pollingMode = PollingMode::Read;  // the next tick starts the read
    return;
  }
  Poll();
}

void PollScheduler::StepRead() {
  if (!scheduler_.readInProgress) {
    // After a read the page on screen decides; the processor pages other
    // than PORT and the upgrade page wait to be selected again.
    const Page page = scheduler_.activePage;
    if (page == Page::Parameters || page == Page::Configuration || page == Page::Map ||
        page == Page::Port) {
      scheduler_.pollingMode = ModeOf(page);
    }
    return;
  }
  const int index = scheduler_.rotatingIndex;
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
      (port_.quillon && index > ImageMap::kVariant) ? Command::ReadParamExt : Command::ReadParam;
  link_.Transact(Request::WithByte(c, Byte(index)));
}

bool PollScheduler::WriteBack() {
  for (int i = 0; i < kImageSize; ++i) {
    const auto at = static_cast<std::size_t>(i);
    const std::uint8_t value = image_.workingCopy[at];
    if (value == image_.controllerCopy[at]) continue;

    const int read = link_.Transact(Request::WithBytes(Command::WriteParam, Byte(i), value));
    // Only a checked two-byte acknowledgement confirms the write; anything
    // else leaves the byte different so it is sent again on the next tick.
    // The value sent is what the controller now holds, even if the user
    // changed the working copy during the wait.
    if (image_.workingCopy[ImageMap::kVariant] == kVariantFull && read == 2 &&
        link_.LastReplyValid()) {
      const ChangeCauses::Confirmation why = image_.causes.Of(i, value, image_.controllerCopy[at]);
      image_.controllerCopy[at] = value;
      if (consumers_.writes)
        consumers_.writes->WriteConfirmed(i, why.before, value, why.cause, why.action);
      if (i < ImageMap::kInstallationDate) messages_.Beep();  // dates and counters: silently
    }
    return true;
  }
  return false;
}

void PollScheduler::Poll() {
  // A full read is over only with its counter page: one whose reply was lost
  // is asked for again before anything else is polled.
  if (scheduler_.counterPageDue) {
    link_.Transact(Request::WithByte(Command::MemoryPage, CounterMap::kReadClosingPage));
    return;
  }
  switch (scheduler_.pollingMode) {
    case PollingMode::LiveData:
      if (scheduler_.switchRequest) {
        scheduler_.switchRequest = false;
        link_.Transact(Request::WithByte(Command::SwitchRequest, Code(Command::LiveData)));
      } else {
        link_.Transact(Request::Short(Command::LiveData));
      }
      break;
    case PollingMode::ConfigData:
      if (scheduler_.switchRequest) {
        scheduler_.switchRequest = false;
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
  const int index = scheduler_.rotatingIndex < count ? scheduler_.rotatingIndex : 0;
  scheduler_.rotatingIndex = (index + 1) % count;
  link_.Transact(Request::WithByte(command, Byte(index)));
}

void PollScheduler::SelectPage(Page page) {
  scheduler_.activePage = page;
  scheduler_.pollingMode = ModeOf(page);
  if (page == Page::Configuration && consumers_.wizard) consumers_.wizard->ConfigurationEntered();
  if (page == Page::Upgrade) live_.statusByte = 255;
  window_.RebuildGrid();
}

void PollScheduler::RequestSwitch(bool txTimerEnabled) {
  if (txTimerEnabled && port_.connected && port_.linkLossCounter < kLinkLossLimit) {
    scheduler_.switchRequest = true;
  } else {
    scheduler_.reconnectRequest = true;
  }
}

}  // namespace zo::link
