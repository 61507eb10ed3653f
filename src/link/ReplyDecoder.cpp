#include "ReplyDecoder.h"

#include <charconv>

#include "Frame.h"
#include "ImageMap.h"
#include "MigrationDefaults.h"
#include "texts/TextIds.h"

namespace zo::link {

namespace {

constexpr int kFullReadPauseMs = 1000;
constexpr int kLastIndex = kImageSize - 1;

std::size_t At(int index) {
  return static_cast<std::size_t>(index);
}

}  // namespace

ReplyDecoder::ReplyDecoder(LinkState& state, const LinkEffects& effects,
                           const ReplyConsumers& consumers, IEventPump& pump)
    : state_(state), effects_(effects), consumers_(consumers), pump_(pump) {}

int ReplyDecoder::ParseRamWatchAddress(const std::string& text) {
  int value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last) return 0;
  return value;
}

std::optional<Request> ReplyDecoder::Decode(const Request& sent, std::uint8_t command,
                                            std::span<const std::uint8_t> reply) {
  switch (static_cast<Command>(command)) {
    case Command::ReadParam:
    case Command::ReadParamExt:
      return ReadParamReply(reply);
    case Command::WriteParam:
      WriteParamReply(reply);
      return std::nullopt;
    case Command::LiveData:
    case Command::SwitchRequest:
      return LiveDataReply(reply);
    case Command::RamWatch:
      RamWatchReply(sent, reply);
      return std::nullopt;
    case Command::ConfigData:
      ConfigDataReply(reply);
      return std::nullopt;
    case Command::ProcessorInputs:
      ProcessorInputsReply(reply);
      return std::nullopt;
    case Command::MemoryPage:
      MemoryPageReply(reply);
      return std::nullopt;
    case Command::EepromRow:
      EepromRowReply(reply);
      return std::nullopt;
    case Command::BootStart:
      return BootStartReply(reply);
    case Command::BootBlock:
      return BootBlockReply(reply);
  }
  return std::nullopt;
}

std::optional<Request> ReplyDecoder::ReadParamReply(std::span<const std::uint8_t> r) {
  const int index = r[1];
  const std::uint8_t value = r[2];
  state_.workingCopy[At(index)] = value;
  state_.controllerCopy[At(index)] = value;

  effects_.progress.ShowProgress(txt::kReadControllerParameters,
                                 {texts::TextPiece::Id(txt::kControllerReadout)},
                                 ProgressPicture::Reading);
  effects_.progress.SetProgressPosition(index);
  if (index == 2)
    effects_.progress.AddProgressLine({texts::TextPiece::Id(txt::kControllerReadout)});

  const auto& programming = state_.programming;
  if (auto fill = MigrationDefaults::For(index, value, programming.oldVersion,
                                         programming.newVersion, state_.workingCopy)) {
    state_.workingCopy[At(index)] = *fill;  // the controller copy keeps 255: it gets written
    state_.causes.Mark(index, *fill, ChangeCause::Migration);
  }

  const auto& image = state_.controllerCopy;
  if (index >= 4 && image[ImageMap::kModel] == kModelK3010) {
    state_.pollingMode = PollingMode::Tester;
    FinishRead();
    EnterConnectionState(ConnectionState::Tester);
    effects_.window.RebuildGrid();
    return std::nullopt;
  }
  if (index >= ImageMap::kVariant && image[ImageMap::kVariant] != kVariantFull && !state_.quillon) {
    state_.pollingMode = PollingMode::Stopped;
    FinishRead();
    EnterConnectionState(ConnectionState::UploadOnly);
    effects_.window.RebuildGrid();
    return std::nullopt;
  }
  if (index < kLastIndex) {
    const int next = index + 1;
    state_.rotatingIndex = next;
    const Command c =
        (state_.quillon && next > ImageMap::kVariant) ? Command::ReadParamExt : Command::ReadParam;
    return Request::WithByte(c, static_cast<std::uint8_t>(next));
  }

  state_.pollingMode = PollingMode::LiveData;
  FinishRead();
  effects_.window.SetIndicatorsAuxState(2);
  state_.plausibilityRequest = true;
  if (!ReadsCounterPageAfterRead(image)) {
    EndOfFullRead();
    return std::nullopt;
  }
  state_.counterPageDue = true;
  return Request::WithByte(Command::MemoryPage, CounterMap::kReadClosingPage);
}

void ReplyDecoder::FinishRead() {
  state_.identifiedOnce = true;
  state_.readInProgress = false;
  effects_.menus.SetConnectCaptions(txt::kDisconnect);
  effects_.progress.CloseProgress();
  effects_.progress.RestoreCursor();
  pump_.ProcessMessages();
}

void ReplyDecoder::EnterConnectionState(ConnectionState connectionState) {
  state_.connectionState = connectionState;
  effects_.window.SetConnectionState(connectionState);
}

void ReplyDecoder::EndOfFullRead() {
  state_.txIntervalMs = kFullReadPauseMs;
  effects_.window.SetTxInterval(kFullReadPauseMs);
  EnterConnectionState(ConnectionState::ControllerRead);
  effects_.window.RebuildGrid();
}

void ReplyDecoder::WriteParamReply(std::span<const std::uint8_t> r) {
  // The two-byte acknowledgement carries nothing; the scheduler marks the
  // byte written. The four-byte echo names index and value itself.
  if (!state_.quillon) return;
  const int index = r[1];
  const ChangeCauses::Confirmation why =
      state_.causes.Of(index, r[2], state_.controllerCopy[At(index)]);
  state_.workingCopy[At(index)] = r[2];
  state_.controllerCopy[At(index)] = r[2];
  if (consumers_.writes)
    consumers_.writes->WriteConfirmed(index, why.before, r[2], why.cause, why.action);
  if (index < ImageMap::kInstallationDate)
    effects_.messages.Beep();  // dates and counters: silently
}

bool ReplyDecoder::LiveViewOn(Page page) const {
  return state_.activePage == page && state_.scopeRunning;
}

std::optional<Request> ReplyDecoder::LiveDataReply(std::span<const std::uint8_t> r) {
  if (!LiveViewOn(Page::Parameters)) return std::nullopt;
  state_.statusByte = r[1];
  state_.faultCode = r[7];
  state_.levelReading = r[13];
  HistorySample& sample = state_.history.Current();
  for (std::size_t i = 1; i <= 14; ++i)
    sample[i] = r[i];
  if (state_.serviceMode) {
    const int address = ParseRamWatchAddress(state_.ramWatchText);
    return Request::WithByte(Command::RamWatch, static_cast<std::uint8_t>(address & 0xFF));
  }
  RecordSample(Page::Parameters);
  return std::nullopt;
}

void ReplyDecoder::RamWatchReply(const Request& sent, std::span<const std::uint8_t> r) {
  if (!LiveViewOn(Page::Parameters)) return;
  HistorySample& sample = state_.history.Current();
  sample[15] = r[2];
  sample[0] = sent.b1;
  RecordSample(Page::Parameters);
}

void ReplyDecoder::RecordSample(Page owner) {
  effects_.live.DrawSample(state_.history.WriteIndex());
  if (!LiveViewOn(owner)) return;
  if (state_.history.Advance() && state_.autoSave) effects_.live.AutoSave();
  state_.history.ClearCurrent();
  effects_.live.SetTimeCaption(state_.history.WriteIndex());
}

void ReplyDecoder::ConfigDataReply(std::span<const std::uint8_t> r) {
  if (!LiveViewOn(Page::Configuration)) return;
  state_.statusByte = r[1];
  state_.faultCode = 0;
  HistorySample& sample = state_.history.Current();
  sample[1] = r[1];
  sample[2] = r[2];
  sample[3] = r[3];
  sample[4] = r[4];
  sample[8] = r[6];
  sample[10] = r[5];
  const auto frame = r.first(static_cast<std::size_t>(Frame::CheckedLength(r[0], false)));
  effects_.live.ShowConfigData(frame);
  RecordSample(Page::Configuration);
  if (consumers_.wizard) consumers_.wizard->ConfigurationSample(frame);
}

void ReplyDecoder::ProcessorInputsReply(std::span<const std::uint8_t> r) {
  if (state_.activePage != Page::Port) return;
  if (consumers_.processor) consumers_.processor->ShowProcessorInputs(r.subspan(1, 11));
  state_.statusByte = r[12];
  state_.faultCode = 0;
}

void ReplyDecoder::MemoryPageReply(std::span<const std::uint8_t> r) {
  state_.statusByte = r[1];
  state_.faultCode = 0;
  const int page = r[2];
  const auto values = r.subspan(3, 16);
  // The counter page that ends a full read is the counter block on any page.
  const bool endsRead = state_.counterPageDue && page == CounterMap::kReadClosingPage;
  if (state_.activePage == Page::Ram && !endsRead) {
    if (consumers_.processor) consumers_.processor->ShowMemoryRow(page, values);
    return;
  }
  for (std::size_t i = 0; i < values.size(); ++i)
    state_.counterBlock[i] = values[i];
  if (page == CounterMap::kReadClosingPage) {
    state_.counterPageDue = false;
    EndOfFullRead();
  }
}

void ReplyDecoder::EepromRowReply(std::span<const std::uint8_t> r) {
  state_.statusByte = r[1];
  state_.faultCode = 0;
  if (state_.activePage == Page::Eeprom && consumers_.processor)
    consumers_.processor->ShowEepromRow(r[2], r.subspan(3, 16));
}

std::optional<Request> ReplyDecoder::BootStartReply(std::span<const std::uint8_t> r) {
  auto& p = state_.programming;
  p.bootModel = r[1];
  p.bootVersion = r[2];
  p.pageSizeWords = static_cast<std::uint16_t>((r[3] << 8) | r[4]);
  p.bootParameter = r[5];
  p.lastState = r[6];
  if (!consumers_.bootLoader) return std::nullopt;
  return consumers_.bootLoader->BootStatusReply(r.first(Frame::kBootStatusLength));
}

std::optional<Request> ReplyDecoder::BootBlockReply(std::span<const std::uint8_t> r) {
  auto& p = state_.programming;
  p.blockState = r[2];
  p.pageNumber = static_cast<std::uint16_t>((r[3] << 8) | r[4]);
  p.blockNumber = static_cast<std::uint16_t>((r[5] << 8) | r[6]);
  if (!consumers_.bootLoader) return std::nullopt;
  return consumers_.bootLoader->BootBlockReply(r.first(8));
}

bool ReplyDecoder::DecodeBootStatusForRead(std::span<const std::uint8_t> r) {
  if (!Frame::IsValidBootStatus(r) || r[6] == 0xFF) return false;
  state_.failureCounter = 0;
  for (auto* image : {&state_.workingCopy, &state_.controllerCopy}) {
    (*image)[ImageMap::kModel] = r[1];
    (*image)[ImageMap::kVersion] = r[2];
  }
  state_.programming.lastState = r[6];
  state_.pollingMode = PollingMode::Stopped;
  EnterConnectionState(ConnectionState::UploadOnly);
  state_.identifiedOnce = true;
  state_.readInProgress = false;
  state_.reconnectRequest = false;
  effects_.window.EnableMainWindow(true);
  effects_.menus.SetConnectCaptions(txt::kDisconnect);
  effects_.progress.CloseProgress();
  effects_.progress.RestoreCursor();

  texts::UserText message{texts::TextPiece::Id(txt::kSoftwareError)};
  if (r[6] <= 3) message.push_back(texts::TextPiece::Id(txt::kSoftwareError + 1 + r[6]));
  effects_.messages.ShowMessage(message, txt::kTitleAttention, MsgIcon::Information,
                                MsgButtons::Ok);
  return true;
}

}  // namespace zo::link
