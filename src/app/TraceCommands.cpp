#include "app/TraceCommands.h"

#include <QDateTime>
#include <QMainWindow>

#include "app/FileCommands.h"
#include "app/MainViews.h"
#include "app/views/MainMenus.h"
#include "app/windows/MessageDialog.h"
#include "app/windows/TFormMsg.h"
#include "platform/TraceFile.h"
#include "texts/TextCatalogue.h"
#include "texts/TextIds.h"

namespace zo::app {

TraceCommands::TraceCommands(const MainParts& parts, link::LinkTrace& trace,
                             const link::IEventPump& clock)
    : QObject(&parts.window), p_(parts), trace_(trace), clock_(clock) {
  connect(p_.views.menus, &MainMenus::PortCommandChosen, this, &TraceCommands::Run);
  // A trace that stops by itself (full, or its file failing) says so at once.
  trace_.SetStatusHandler([this](link::LinkTrace::Status) { ShowState(); });
}

void TraceCommands::Run(PortCommand command) {
  if (command == PortCommand::RecordLinkTrace) ToggleLinkTrace();
}

QString TraceCommands::ProposedName(const QDateTime& now) {
  return QStringLiteral("link-trace-%1.txt").arg(now.toString(QStringLiteral("yyyy-MM-dd-HHmmss")));
}

void TraceCommands::ToggleLinkTrace() {
  if (trace_.Active()) {
    trace_.Stop();
    ShowState();
    return;
  }
  StartLinkTrace();
  ShowState();
}

void TraceCommands::StartLinkTrace() {
  const QDateTime now = QDateTime::currentDateTime();
  const std::string path = p_.views.files->ChooseNewFile(
      txt::kSaveLinkTraceTitle, ProposedName(now), txt::kLinkTraceFiles, QStringLiteral("txt"));
  if (path.empty()) return;
  std::string error;
  auto file = platform::TraceFile::Create(path, error);
  const std::string started = now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toStdString();
  if (!file || !trace_.Start(std::move(file), path, started, clock_.Now())) {
    if (error.empty()) error = path;
    p_.messages.ShowMessage(
        {texts::TextPiece::Id(txt::kTraceCannotCreate), texts::TextPiece::Literal("\n" + error)},
        txt::kTitleAttention, link::MsgIcon::Warning, link::MsgButtons::Ok);
  }
}

void TraceCommands::ShowState() {
  p_.views.menus->CheckLinkTrace(trace_.Active());
  p_.views.menus->ShowTraceMark(p_.texts, trace_.State(),
                                QString::fromStdString(trace_.LastTracePath()));
}

}  // namespace zo::app
