#include "app/CheckCommands.h"

#include <QMainWindow>
#include <QTimer>

#include "app/MainPages.h"
#include "app/MainViews.h"
#include "app/views/MainMenus.h"
#include "app/windows/ConnectionCheckWindow.h"
#include "app/windows/MessageDialog.h"
#include "app/windows/TFormMsg.h"
#include "diagnostics/CheckReportText.h"
#include "link/ConnectionManager.h"
#include "link/LinkState.h"
#include "platform/SystemIdentity.h"
#include "texts/TextIds.h"

namespace zo::app {

CheckCommands::CheckCommands(const MainParts& parts) : QObject(&parts.window), p_(parts) {
  connect(p_.views.menus, &MainMenus::PortCommandChosen, this, [this](PortCommand command) {
    if (command == PortCommand::CheckConnection) CheckConnection();
  });
}

diagnostics::CheckReport CheckCommands::RunCheck() const {
  diagnostics::CheckRequest request;
  const link::ConnectionManager& connection = *p_.connection;
  for (const link::PortMenuEntry& entry : connection.Entries()) {
    // The FTDI library's adapters have no device of their own to look at.
    if (entry.tag >= link::ConnectionManager::kFirstFtdiPort) continue;
    const bool inUse = p_.state.connected && entry.tag == p_.state.portNumber;
    request.ports.push_back({entry.statusTip, inUse});
  }
  request.replies = connection.LinkReplies();
  const diagnostics::ConnectionCheck check(platform::SystemIdentity::CheckRoot(),
                                           platform::SystemIdentity::CurrentUser(), owners_);
  return check.Run(request);
}

std::string CheckCommands::FindingsText() const {
  return diagnostics::CheckReportText::Plain(RunCheck(), p_.texts);
}

ConnectionCheckWindow* CheckCommands::Window() const {
  return window_;
}

void CheckCommands::CheckConnection() {
  // The port list as the Port menu would show it now.
  if (!p_.state.busy) p_.connection->DiscoverPorts();
  if (!window_) {
    window_ = new ConnectionCheckWindow(&p_.window, p_.texts);
    window_->setAttribute(Qt::WA_DeleteOnClose);
    connect(window_, &ConnectionCheckWindow::CheckAgainClicked, this,
            &CheckCommands::CheckConnection);
  }
  window_->Show(RunCheck());
  window_->show();
  window_->raise();
  window_->activateWindow();
}

void CheckCommands::OfferCheck() {
  QTimer::singleShot(0, this, &CheckCommands::AskNow);
}

void CheckCommands::AskNow() {
  // A window on its way out, or not shown, asks nothing.
  if (p_.pages->Closing() || !p_.window.isVisible()) return;
  if (window_) {
    CheckConnection();
    return;
  }
  const link::MsgResult answer = p_.messages.ShowMessage(
      texts::UserText{texts::TextPiece::Id(txt::kCheckOffer)}, txt::kTitleAttention,
      link::MsgIcon::Question, link::MsgButtons::YesNo);
  if (answer == link::MsgResult::Yes) CheckConnection();
}

}  // namespace zo::app
