#include "app/MainJournal.h"

#include <QTimer>
#include <chrono>

#include "ProgramVersion.h"
#include "model/ControllerInfo.h"
#include "texts/TextIds.h"

namespace zo::app {

namespace {

std::int64_t SecondsNow() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

MainJournal::MainJournal(QObject* owner, const std::filesystem::path& folder,
                         link::LinkState& state, const model::ITextSource& texts,
                         link::IMessageEffects& messages)
    : QObject(owner),
      messages_(messages),
      folder_(folder),
      keeper_(folder_, state, texts, SecondsNow,
              model::ControllerInfo::ProgramVersionText(kProgramVersion),
              [this](journal::JournalWrite written) { Report(written); }) {}

void MainJournal::Report(journal::JournalWrite written) {
  if (written != journal::JournalWrite::Failed) return;
  const std::string reason = folder_.LastError();
  QTimer::singleShot(0, this, [this, reason] {
    messages_.ShowMessage(
        {texts::TextPiece::Id(txt::kJournalNotWritten), texts::TextPiece::Literal("\n\n" + reason)},
        txt::kTitleAttention, link::MsgIcon::Warning, link::MsgButtons::Ok);
  });
}

}  // namespace zo::app
