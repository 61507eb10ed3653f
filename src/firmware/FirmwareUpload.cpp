#include "FirmwareUpload.h"

#include <string>
#include <utility>

#include "FirmwareKeys.h"
#include "ImageFile.h"
#include "link/Frame.h"
#include "link/ImageMap.h"
#include "texts/TextIds.h"

namespace zo::firmware {

using link::MsgButtons;
using link::MsgIcon;
using link::MsgResult;
using texts::TextPiece;
using texts::UserText;

namespace {

constexpr std::uint8_t kStateSendBlock = 3;
constexpr std::uint8_t kStateEnded = 5;
constexpr std::uint8_t kErrorBit = 0x20;

std::string VersionText(int version) {
  std::string minor = std::to_string(version % 100);
  if (minor.size() < 2) minor.insert(0, "0");
  return std::to_string(version / 100) + "." + minor;
}

}  // namespace

FirmwareUpload::FirmwareUpload(const UploadParts& parts, link::ControllerLink& link,
                               link::IMessageEffects& messages, link::IWindowEffects& mainWindow,
                               link::IEventPump& pump, IUploadWindow& window,
                               std::function<std::uint8_t()> transferKey)
    : copies_(parts.image),
      live_(parts.live),
      scheduler_(parts.scheduler),
      programming_(parts.programming),
      link_(link),
      messages_(messages),
      mainWindow_(mainWindow),
      pump_(pump),
      window_(window),
      transferKey_(std::move(transferKey)) {}

void FirmwareUpload::Start(const std::filesystem::path& path) {
  live_.statusByte = 255;
  if (path.empty() || running_ || !Confirmed()) return;

  window_.Open(txt::kTitleProgramming);
  window_.ShowProgressBar(false);
  window_.SetProgressPosition(0);
  mainWindow_.EnableMainWindow(false);
  window_.SetLine(0, {texts::TextPiece::Id(txt::kUploadFileReadout),
                      texts::TextPiece::Literal(path.filename().string())});
  if (!ReadImage(path) || !SaveBackup()) return;

  // The upload owns the link until it ends, and asks for the new read itself:
  // a reconnection still pending would reopen the port under it.
  scheduler_.reconnectRequest = false;
  auto& programming = programming_;
  programming.oldVersion = copies_.controllerCopy[link::ImageMap::kVersion];
  programming.watchdog = kStartWatchdog;
  running_ = true;
  // A transaction still running (it cannot be on this page) leaves the
  // start unanswered, and the watchdog ends the upload.
  link_.Transact(link::Request::WithBytes(link::Command::BootStart, 0x75, 0x70));
}

bool FirmwareUpload::Confirmed() {
  // Only an explicit OK starts: a dialog already open (result 255) must not
  // count as consent to reprogram the controller.
  return messages_.ShowMessage({texts::TextPiece::Id(txt::kUploadQuestion)}, txt::kTitleAttention,
                               MsgIcon::Warning, MsgButtons::OkCancel) == MsgResult::Ok;
}

bool FirmwareUpload::ReadImage(const std::filesystem::path& path) {
  const auto file = ImageFile::Read(path, true);
  if (!file) {
    Abandon({texts::TextPiece::Id(txt::kCannotOpenFile), texts::TextPiece::Literal(path.string())});
    return false;
  }
  if (!file->LengthFits()) {
    // The buffer holds 16 384 bytes: a longer image is not for this
    // controller family, and half of it must never reach the flash.
    Abandon({texts::TextPiece::Id(txt::kUploadTooLong), texts::TextPiece::Literal(path.string())});
    return false;
  }
  if (!file->Complete()) {
    // A file cut short (a broken copy or download) would program the rest
    // of the image from bytes it does not hold.
    Abandon({texts::TextPiece::Id(txt::kUploadCutShort), texts::TextPiece::Literal(path.string())});
    return false;
  }
  window_.SetLine(1, {texts::TextPiece::Id(txt::kVersion),
                      texts::TextPiece::Literal(" : V" + VersionText(file->Version()))});
  image_.assign(file->Image().begin(), file->Image().end());
  length_ = file->DeclaredLength();
  programming_.newVersion = file->Version();
  return true;
}

// The customer's set-up is kept in a file before anything reaches the boot
// loader; without one the user decides whether to go on.
bool FirmwareUpload::SaveBackup() {
  if (!backup_) return true;
  if (const auto where = backup_()) {
    window_.SetLine(
        0, {texts::TextPiece::Id(txt::kUploadBackedUp), texts::TextPiece::Literal(*where)});
    return true;
  }
  if (messages_.ShowMessage({texts::TextPiece::Id(txt::kUploadWithoutBackupQuestion)},
                            txt::kTitleAttention, MsgIcon::Warning,
                            MsgButtons::YesNo) == MsgResult::Yes)
    return true;
  mainWindow_.EnableMainWindow(true);
  CloseWindow();
  return false;
}

void FirmwareUpload::Abandon(const texts::UserText& message) {
  mainWindow_.EnableMainWindow(true);
  messages_.ShowMessage(message, txt::kTitleAttention, MsgIcon::Information, MsgButtons::Ok);
  CloseWindow();
}

std::optional<link::Request> FirmwareUpload::BootStatusReply(std::span<const std::uint8_t> reply) {
  if (!running_ || reply.size() < link::Frame::kBootStatusLength) return std::nullopt;
  const auto& p = programming_;
  plan_ = UploadBlocks::Plan(image_, length_, p.pageSizeWords);
  // Nothing to program (an empty image with no page size): leave it to the watchdog.
  if (plan_.totalBlocks == 0) return std::nullopt;
  const std::uint8_t key = transferKey_();
  blockKey_ = BlockKey(key);

  window_.SetProgressMax(static_cast<int>(plan_.totalBlocks));
  window_.SetProgressPosition(0);
  window_.ShowProgressBar(true);
  programming_.watchdog = kRunningWatchdog;
  const BootIdentity boot{p.bootModel, p.bootVersion, p.pageSizeWords, p.bootParameter};
  return link::Request::Block(UploadBlocks::Header(plan_, boot, key));
}

std::optional<link::Request> FirmwareUpload::BootBlockReply(std::span<const std::uint8_t>) {
  if (!running_) return std::nullopt;
  auto& p = programming_;
  p.watchdog = kRunningWatchdog;
  window_.SetProgressPosition(p.blockNumber);
  ShowRemainingTime(p.blockNumber);

  const int request = p.blockState & 0x0F;
  if (request == kStateSendBlock) {
    // A block past the image's last one is not ours to invent.
    if (p.blockNumber >= plan_.totalBlocks) return std::nullopt;
    return link::Request::Block(UploadBlocks::DataBlock(image_, p.blockNumber, p.pageNumber,
                                                        plan_.blocksPerPage, blockKey_));
  }
  if (request == kStateEnded) Finish((p.blockState & kErrorBit) != 0);
  return std::nullopt;
}

void FirmwareUpload::ShowRemainingTime(int position) {
  const int remaining = (static_cast<int>(plan_.totalBlocks) - position) / kBlocksPerSecond;
  window_.SetLine(2, {texts::TextPiece::Id(txt::kUploadTimeLeft),
                      texts::TextPiece::Literal(std::to_string(remaining / 60) + " min " +
                                                std::to_string(remaining % 60) + " s")});
}

void FirmwareUpload::Finish(bool failed) {
  mainWindow_.EnableMainWindow(true);
  programming_.watchdog = 0;
  scheduler_.pollingMode = link::PollingMode::Stopped;
  CloseWindow();
  pump_.ProcessMessages();
  messages_.ShowMessage({texts::TextPiece::Id(failed ? txt::kUploadFailed : txt::kUploadSucceeded)},
                        txt::kTitleAttention, failed ? MsgIcon::Warning : MsgIcon::Information,
                        MsgButtons::Ok);
  scheduler_.reconnectRequest = true;
}

void FirmwareUpload::Lost() {
  CloseWindow();
}

void FirmwareUpload::CloseWindow() {
  running_ = false;
  window_.ShowProgressBar(false);
  window_.SetProgressPosition(0);
  window_.Close();
}

}  // namespace zo::firmware
