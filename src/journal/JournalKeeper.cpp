#include "journal/JournalKeeper.h"

#include "journal/JournalCodec.h"
#include "link/ImageMap.h"

namespace zo::journal {

JournalKeeper::JournalKeeper(IJournalFiles& files, link::ImageCopies& image,
                             const model::ITextSource& texts, ChangeRecorder::Clock now,
                             std::string programVersion, ChangeRecorder::Report report)
    : journal_(files),
      image_(image),
      recorder_(journal_, image.workingCopy, texts, now, std::move(report)),
      now_(std::move(now)),
      programVersion_(std::move(programVersion)) {}

void JournalKeeper::ConnectionStateChanged(link::ConnectionState state,
                                           const std::array<std::int32_t, 16>& counterBlock) {
  if (state != link::ConnectionState::ControllerRead) {
    journal_.Close();
    return;
  }
  const ControllerKey key = ControllerKey::Of(image_.controllerCopy, counterBlock, true);
  if (journal_.IsOpen() && journal_.Key() == key) return;
  if (lastKey_ != key) {
    recorder_.History().Clear();
    atConnect_ = image_.controllerCopy;
    lastKey_ = key;
  }
  journal_.Open(key,
                SessionStart{now_ ? now_() : 0, image_.controllerCopy[link::ImageMap::kVersion],
                             programVersion_, JournalCodec::ImageHex(image_.controllerCopy)});
}

bool JournalKeeper::Put(const std::vector<ByteWrite>& writes, link::ChangeCause cause) {
  // One action: taken back again in one step.
  bool first = true;
  for (const ByteWrite& write : writes) {
    image_.workingCopy[static_cast<std::size_t>(write.byte)] = write.value;
    if (first)
      image_.causes.Mark(write.byte, write.value, cause);
    else
      image_.causes.MarkAlong(write.byte, write.value, cause);
    first = false;
  }
  return !writes.empty();
}

bool JournalKeeper::Undo() {
  return journal_.IsOpen() && Put(recorder_.History().Undo(), link::ChangeCause::Undo);
}

bool JournalKeeper::Redo() {
  return journal_.IsOpen() && Put(recorder_.History().Redo(), link::ChangeCause::Redo);
}

std::vector<ByteWrite> JournalKeeper::DifferencesFromConnect() const {
  if (!atConnect_ || !journal_.IsOpen()) return {};
  return journal::BackToConnect(*atConnect_, image_.workingCopy);
}

bool JournalKeeper::BackToConnect(const ControllerKey& shownFor) {
  return journal_.IsOpen() && journal_.Key() == shownFor && BackToConnect();
}

bool JournalKeeper::BackToConnect() {
  return Put(DifferencesFromConnect(), link::ChangeCause::BackToConnect);
}

}  // namespace zo::journal
