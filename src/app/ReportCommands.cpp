#include "app/ReportCommands.h"

#include <QBuffer>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QMainWindow>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <optional>
#include <span>

#include "app/MainJournal.h"
#include "app/MainViews.h"
#include "app/QtText.h"
#include "app/views/MainMenus.h"
#include "app/views/ScopeView.h"
#include "app/windows/MessageDialog.h"
#include "app/windows/ReportDialog.h"
#include "app/windows/ReportPainter.h"
#include "app/windows/TFormMsg.h"
#include "files/AtomicFile.h"
#include "link/ControllerLink.h"
#include "link/LinkState.h"
#include "model/ControllerInfo.h"
#include "model/ControllerModel.h"
#include "model/ControllerSession.h"
#include "report/ServiceReport.h"
#include "settings/Settings.h"
#include "texts/CatalogueTextSource.h"
#include "texts/TextCatalogue.h"
#include "texts/TextIds.h"
#include "visual/ScopeRenderer.h"

namespace zo::app {

namespace {

// The picture: 600 samples (a minute at 100 ms) across, the scope's height.
constexpr int kScopeWidth = 600;
constexpr int kScopeHeight = 240;

std::string Today() {
  return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")).toStdString();
}

std::string AskTheUser(QWidget* parent, const QString& title, const QString& proposed) {
  return QFileDialog::getSaveFileName(parent, title, proposed, QStringLiteral("PDF (*.pdf)"))
      .toStdString();
}

}  // namespace

ReportCommands::ReportCommands(const MainParts& parts) : QObject(&parts.window), p_(parts) {
  choose_ = [this](const QString& proposed) {
    return AskTheUser(dialog_ ? static_cast<QWidget*>(dialog_) : &p_.window,
                      Q(p_.texts.Text(txt::kSaveAsPdf)).trimmed(), proposed);
  };
  choosePrinter_ = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, dialog_ ? static_cast<QWidget*>(dialog_) : &p_.window);
    return dialog.exec() == QDialog::Accepted;
  };
  connect(p_.views.menus, &MainMenus::JournalCommandChosen, this, [this](JournalCommand command) {
    if (command == JournalCommand::ServiceReport) Open();
  });
}

ReportDialog* ReportCommands::Dialog() const {
  return dialog_;
}

void ReportCommands::Message(const std::string& path, int textId) {
  texts::UserText text{texts::TextPiece::Id(textId)};
  if (!path.empty()) text.push_back(texts::TextPiece::Literal(path));
  p_.messages.ShowMessage(text, txt::kTitleAttention, link::MsgIcon::Information,
                          link::MsgButtons::Ok);
}

void ReportCommands::Open() {
  if (!p_.state.ControllerRead()) return Message({}, txt::kReportNeedsController);
  // Asked for while a transaction waits for its reply: again once it is over.
  if (p_.state.busy) {
    QTimer::singleShot(link::ControllerLink::kRound, this, &ReportCommands::Open);
    return;
  }
  ReadWorkingTimes();
  if (dialog_) {
    dialog_->raise();
    dialog_->activateWindow();
    return;
  }
  dialog_ =
      new ReportDialog(&p_.window, p_.texts, p_.settings.workshopName, p_.settings.workshopAddress);
  dialog_->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog_, &ReportDialog::SaveClicked, this, &ReportCommands::SaveAsPdf);
  connect(dialog_, &ReportDialog::PrintClicked, this, &ReportCommands::Print);
  dialog_->open();
}

// As the controller-information window does: the working times of firmware
// that counts them, into the counter block.
void ReportCommands::ReadWorkingTimes() {
  link::LinkState& state = p_.state;
  if (model::ControllerInfo::RefreshWorkingTimes(*p_.link, state.workingCopy, state))
    p_.session.WorkingTimesRead();
}

void ReportCommands::StoreWorkshop() {
  if (!dialog_) return;
  p_.settings.workshopName = dialog_->WorkshopName();
  p_.settings.workshopAddress = dialog_->WorkshopAddress();
}

report::ReportDocument ReportCommands::Document() const {
  const link::LinkState& state = p_.state;
  const std::vector<journal::Change> none;
  const std::vector<journal::Change>& changes =
      p_.journal != nullptr ? p_.journal->Keeper().Journal().CurrentSession().changes : none;
  return report::ServiceReport::Build(
      {state.workingCopy, state.counterBlock, p_.session.Dates(), changes, p_.settings.workshopName,
       p_.settings.workshopAddress, Today(), LocalTimeText},
      p_.textSource);
}

QImage ReportCommands::ScopePicture() const {
  visual::ScopeScene scene = p_.views.scope->Scene();
  scene.timeBase = 1;
  visual::ScopeRenderer renderer;
  renderer.Draw(p_.state.history, p_.state.history.WriteIndex(), scene,
                QSize(kScopeWidth, kScopeHeight), true);
  return renderer.Image();
}

std::optional<report::ReportDocument> ReportCommands::Current() {
  StoreWorkshop();
  if (!p_.state.ControllerRead()) {
    Message({}, txt::kReportNeedsController);
    return std::nullopt;
  }
  // A read since the window opened gave the counter block back to the dates.
  if (!p_.state.busy) ReadWorkingTimes();
  return Document();
}

void ReportCommands::SaveAsPdf() {
  const std::optional<report::ReportDocument> current = Current();
  if (!current) return;
  const report::ReportDocument& doc = *current;
  const QString name = QString::fromStdString(
      report::ServiceReport::FileName(doc.title, p_.state.workingCopy, Today()));
  const std::string path =
      choose_(QDir(QString::fromStdString(p_.settings.dirSave)).filePath(name));
  if (path.empty()) return;
  QByteArray pdf;
  bool painted = false;
  {
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(QString::fromStdString(doc.title));
    writer.setCreator(QStringLiteral("ZoLpgWin"));
    ReportPainter::SetUpPage(writer);
    painted = ReportPainter::Paint(writer, doc, ScopePicture());
  }
  const std::span bytes(reinterpret_cast<const std::uint8_t*>(pdf.constData()),
                        static_cast<std::size_t>(pdf.size()));
  if (!painted || !files::AtomicFile::Write(path, bytes)) Message(path, txt::kCannotOpenFile);
}

void ReportCommands::Print() {
  const std::optional<report::ReportDocument> current = Current();
  if (!current) return;
  const report::ReportDocument& doc = *current;
  QPrinter printer(QPrinter::HighResolution);
  ReportPainter::SetUpPage(printer);
  printer.setDocName(QString::fromStdString(doc.title));
  if (!choosePrinter_(printer)) return;
  if (!ReportPainter::Paint(printer, doc, ScopePicture())) Message({}, txt::kReportNotPrinted);
}

}  // namespace zo::app
