#include "app/JournalCommands.h"

#include <QMainWindow>

#include "app/FileCommands.h"
#include "app/MainJournal.h"
#include "app/MainPages.h"
#include "app/MainViews.h"
#include "app/QtText.h"
#include "app/views/MainMenus.h"
#include "app/windows/CompareDialog.h"
#include "app/windows/HistoryWindow.h"
#include "app/windows/MessageDialog.h"
#include "app/windows/TFormMsg.h"
#include "files/ParameterComparison.h"
#include "journal/JournalIndex.h"
#include "link/LinkState.h"
#include "texts/CatalogueTextSource.h"
#include "texts/TextIds.h"

namespace zo::app {

JournalCommands::JournalCommands(const MainParts& parts) : QObject(&parts.window), p_(parts) {
  connect(p_.views.menus, &MainMenus::JournalCommandChosen, this, &JournalCommands::Run);
}

CompareDialog* JournalCommands::BackDialog() const {
  return back_;
}

HistoryWindow* JournalCommands::History() const {
  return history_;
}

void JournalCommands::Run(JournalCommand command) {
  switch (command) {
    case JournalCommand::BackToConnect:
      return BackToConnect();
    case JournalCommand::History:
      return ShowHistory();
    case JournalCommand::ServiceReport:
      return;  // the report's own command
  }
}

void JournalCommands::BackToConnect() {
  const journal::JournalKeeper& keeper = p_.journal->Keeper();
  if (!keeper.Journal().IsOpen() || !keeper.AtConnect()) {
    p_.messages.ShowMessage({texts::TextPiece::Id(txt::kNoConnection)}, txt::kTitleAttention,
                            link::MsgIcon::Information, link::MsgButtons::Ok);
    return;
  }
  const std::vector<files::DifferenceRow> rows =
      files::ParameterComparison::Between(*keeper.AtConnect(), p_.state.workingCopy, p_.textSource);
  if (back_) back_->close();
  const CompareDialog::Captions captions{Q(p_.texts.Text(txt::kBackToConnect)).remove('&'),
                                         txt::kColumnAtConnect, txt::kWriteBack};
  back_ = new CompareDialog(&p_.window, p_.texts, rows, captions);
  back_->setObjectName(QStringLiteral("BackToConnectDialog"));
  back_->setAttribute(Qt::WA_DeleteOnClose);
  connect(back_, &QDialog::accepted, this,
          [this, shownFor = keeper.Journal().Key()] { WriteBack(shownFor); });
  back_->open();
}

void JournalCommands::WriteBack(const journal::ControllerKey& shownFor) {
  if (p_.journal->Keeper().BackToConnect(shownFor)) p_.pages->RebuildGrid();
}

void JournalCommands::ShowHistory() {
  journal::ChangeTable table(p_.textSource, LocalTimeText);
  const journal::JournalKeeper& keeper = p_.journal->Keeper();
  std::vector<journal::JournalEntry> entries = journal::JournalIndex::List(
      p_.journal->Folder(), keeper.Journal().Key().FileName(), p_.textSource, LocalTimeText);
  if (history_) history_->close();
  history_ = new HistoryWindow(&p_.window, p_.texts, std::move(table), std::move(entries));
  history_->setAttribute(Qt::WA_DeleteOnClose);
  connect(history_, &HistoryWindow::ExportRequested, this,
          [this](const std::string& csv) { p_.views.files->ExportHistory(csv); });
  history_->show();
}

}  // namespace zo::app
