// The change journal over a connection: a controller read opens its session
// (a re-read of the same controller keeps it), anything else closes it; the
// undo list and the image read at connect stay while the same controller
// comes back, and start anew with another. Undo, redo and the way back to
// the image at connect put their values into the working copy, marked, and
// the normal write-back sends them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "journal/ChangeJournal.h"
#include "journal/ChangeRecorder.h"
#include "link/ImageCopies.h"

namespace zo::journal {

class JournalKeeper {
 public:
  JournalKeeper(IJournalFiles& files, link::ImageCopies& image, const model::ITextSource& texts,
                ChangeRecorder::Clock now, std::string programVersion,
                ChangeRecorder::Report report);

  [[nodiscard]] link::IWriteConfirmations& Confirmations() { return recorder_; }
  void ConnectionStateChanged(link::ConnectionState state,
                              const std::array<std::int32_t, 16>& counterBlock);

  // Ctrl+Z and Ctrl+Y: false when there is nothing to do or no controller.
  bool Undo();
  bool Redo();
  // The bytes that differ from the image read at connect, and writing them.
  [[nodiscard]] std::vector<ByteWrite> DifferencesFromConnect() const;
  bool BackToConnect();
  // The same, only while `shownFor` is still the controller connected: the
  // differences the user agreed to were that controller's.
  bool BackToConnect(const ControllerKey& shownFor);

  [[nodiscard]] const ChangeJournal& Journal() const { return journal_; }
  [[nodiscard]] const std::optional<link::ImageArea>& AtConnect() const { return atConnect_; }

 private:
  bool Put(const std::vector<ByteWrite>& writes, link::ChangeCause cause);

  ChangeJournal journal_;
  link::ImageCopies& image_;
  ChangeRecorder recorder_;
  ChangeRecorder::Clock now_;
  std::string programVersion_;
  std::optional<ControllerKey> lastKey_;
  std::optional<link::ImageArea> atConnect_;
};

}  // namespace zo::journal
