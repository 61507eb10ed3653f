// The firmware upload through the controller's boot loader: confirmation,
// the upload window, reading the image, `BootStart`, the programming header
// and every block the boot loader asks for, and the end with its message and
// a new read of the controller. The whole upload is one chain of
// transactions; the connection timer's watchdog (set here, counted by the
// connection manager) ends an upload that stops answering, and calls Lost.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "IUploadWindow.h"
#include "UploadBlocks.h"
#include "link/ControllerLink.h"
#include "link/IEventPump.h"
#include "link/IMessageEffects.h"
#include "link/IWindowEffects.h"
#include "link/ImageCopies.h"
#include "link/LiveData.h"
#include "link/ProgrammingState.h"
#include "link/ReplyConsumers.h"
#include "link/SchedulerState.h"

namespace zo::firmware {

// The parts of the link state an upload reads and changes.
struct UploadParts {
  link::ImageCopies& image;
  link::LiveData& live;
  link::SchedulerState& scheduler;
  link::ProgrammingState& programming;
};

class FirmwareUpload : public link::IBootLoaderReplies {
 public:
  // Seconds of transfer the remaining-time line assumes per 12 blocks.
  static constexpr int kBlocksPerSecond = 12;
  static constexpr int kStartWatchdog = 6;
  static constexpr int kRunningWatchdog = 5;

  // `transferKey` draws the random transfer key of each upload.
  // `mainWindow` takes no input while the upload runs.
  FirmwareUpload(const UploadParts& parts, link::ControllerLink& link,
                 link::IMessageEffects& messages, link::IWindowEffects& mainWindow,
                 link::IEventPump& pump, IUploadWindow& window,
                 std::function<std::uint8_t()> transferKey);

  // `Btn1` on the Upgrade page with the path of the selected row (empty when
  // no row names a file). Returns after the chain of transactions ends.
  void Start(const std::filesystem::path& path);

  // The boot loader's replies, decoded by the link; the result is the next
  // frame to send.
  std::optional<link::Request> BootStatusReply(std::span<const std::uint8_t> reply) override;
  std::optional<link::Request> BootBlockReply(std::span<const std::uint8_t> reply) override;

  // The watchdog ran out: hide and zero the bar, close the window.
  void Lost();

  // Saves the controller's parameters before an upload: the path written, or
  // nothing when it could not be written.
  using Backup = std::function<std::optional<std::string>()>;
  void SetBackup(Backup backup) { backup_ = std::move(backup); }

  [[nodiscard]] bool Running() const { return running_; }
  [[nodiscard]] const UploadPlan& Plan() const { return plan_; }

 private:
  bool Confirmed();
  bool ReadImage(const std::filesystem::path& path);
  bool SaveBackup();
  void Abandon(const texts::UserText& message);
  void ShowRemainingTime(int position);
  void Finish(bool failed);
  void CloseWindow();

  link::ImageCopies& copies_;
  link::LiveData& live_;
  link::SchedulerState& scheduler_;
  link::ProgrammingState& programming_;
  link::ControllerLink& link_;
  link::IMessageEffects& messages_;
  link::IWindowEffects& mainWindow_;
  link::IEventPump& pump_;
  IUploadWindow& window_;
  std::function<std::uint8_t()> transferKey_;
  Backup backup_;

  std::vector<std::uint8_t> image_;
  std::size_t length_ = 0;
  UploadPlan plan_;
  std::uint8_t blockKey_ = 0;
  bool running_ = false;
};

}  // namespace zo::firmware
