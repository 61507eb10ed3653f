#include "app/FileCommands.h"

#include <QApplication>
#include <QBuffer>
#include <QDate>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QTime>
#include <QTimer>

#include "app/QtText.h"
#include "app/views/LowerPanels.h"
#include "app/views/MainMenus.h"
#include "app/views/ScopeView.h"
#include "app/windows/CompareDialog.h"
#include "app/windows/MessageDialog.h"
#include "app/windows/TFormMsg.h"
#include "files/FileNames.h"
#include "platform/LocalClock.h"
#include "texts/TextCatalogue.h"
#include "texts/TextIds.h"

namespace zo::app {

namespace {

using files::FileNames;
using files::FileOutcome;

// The dialogs' filter lists as the window has always offered them.
const QStringList& OpenFilters() {
  static const QStringList filters{QStringLiteral("plik wizualiuzacji (*.zov)"),
                                   QStringLiteral("plik parametrów  (*.zop)")};
  return filters;
}

const QStringList& SaveFilters() {
  static const QStringList filters{QStringLiteral("plik wizualizacji  (*.zov)"),
                                   QStringLiteral("plik parametrów (*.zop)"),
                                   QStringLiteral("wszystkie pliki (*)")};
  return filters;
}

std::string AskTheUser(QWidget* parent, const FileChoice& choice) {
  QFileDialog dialog(parent, choice.title, choice.folder);
  dialog.setAcceptMode(choice.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(choice.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // Saving replaces an existing file without asking, as the program always did.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.setNameFilters(choice.filters);
  if (choice.filterIndex < choice.filters.size())
    dialog.selectNameFilter(choice.filters[choice.filterIndex]);
  dialog.setDefaultSuffix(choice.defaultSuffix);
  if (!choice.name.isEmpty()) dialog.selectFile(choice.name);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst().toStdString();
}

AutoSaveStamp LocalStamp() {
  const QTime now = QTime::currentTime();
  return {QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString(),
          now.hour(), now.minute()};
}

}  // namespace

FileCommands::FileCommands(FileHost host)
    : QObject(&host.window),
      host_(std::move(host)),
      session_(host_.link, host_.folders, host_.textSource),
      choose_([window = &host_.window](const FileChoice& choice) {
        return AskTheUser(window, choice);
      }),
      stamp_(LocalStamp) {
  ConnectCommands();
}

FileCommands::~FileCommands() = default;

CompareDialog* FileCommands::Comparison() const {
  return comparison_;
}

QMessageBox* FileCommands::AutoSaveFailure() const {
  return autoSaveFailure_;
}

void FileCommands::ConnectCommands() {
  connect(&host_.menus, &MainMenus::FileCommandChosen, this, &FileCommands::Run);
  connect(&host_.lower, &LowerPanels::FileButtonClicked, this, &FileCommands::Run);
  connect(&host_.scope, &ScopeView::AutoSaveClicked, this, &FileCommands::ToggleAutoSave);
}

void FileCommands::Run(FileCommand command) {
  switch (command) {
    case FileCommand::OpenRecording:
      return OpenRecording();
    case FileCommand::SaveRecording:
      return SaveRecording();
    case FileCommand::AutoSave:
      return ToggleAutoSave();
    case FileCommand::OpenParameters:
      return OpenParameters();
    case FileCommand::SaveParameters:
      return SaveParameters();
    case FileCommand::Compare:
      return CompareWithController();
    case FileCommand::ExportCsv:
      return ExportCsv();
    case FileCommand::ExportPng:
      return ExportPng();
  }
}

void FileCommands::Message(int textId) {
  host_.messages.ShowMessage({texts::TextPiece::Id(textId)}, txt::kTitleAttention,
                             link::MsgIcon::Information, link::MsgButtons::Ok);
}

// Shown without waiting: the live-data reply that wrapped the history is
// still being handled, and recording goes on while the message is up.
void FileCommands::ShowAutoSaveFailure(int textId) {
  autoSaveFailure_ =
      new QMessageBox(QMessageBox::Information, Q(host_.texts.Text(txt::kTitleAttention)),
                      Q(host_.texts.Text(textId)), QMessageBox::Ok, &host_.window);
  autoSaveFailure_->setAttribute(Qt::WA_DeleteOnClose);
  autoSaveFailure_->open();
}

void FileCommands::Apply(const FileOutcome& outcome) {
  if (outcome.message != 0) Message(outcome.message);
  if (outcome.notice != 0) ShowAutoSaveFailure(outcome.notice);
  if (outcome.stopPolling) host_.polling.stop();
  if (!outcome.shownFile.empty()) host_.showFile(outcome.shownFile);
  if (outcome.rebuildGrid) host_.rebuildGrid();
  if (outcome.rebuildSignalList) host_.rebuildSignalList();
  if (outcome.stopScope) host_.scope.StopForRecording();
}

std::string FileCommands::ChooseFile(bool save, int titleText, bool parameterFile,
                                     const QString& name) {
  return choose_(FileChoice{save, Q(host_.texts.Text(titleText)), Q(session_.Folder(save)), name,
                            save ? SaveFilters() : OpenFilters(), parameterFile ? 1 : 0,
                            parameterFile ? QStringLiteral("zop") : QStringLiteral("zov")});
}

std::string FileCommands::ChooseExport(int titleText, const QString& suffix,
                                       const QString& filter) {
  const QTime now = QTime::currentTime();
  const QString name = QStringLiteral("%1%2.%3")
                           .arg(now.hour(), 2, 10, QLatin1Char('0'))
                           .arg(now.minute(), 2, 10, QLatin1Char('0'))
                           .arg(suffix);
  return ChooseSave(titleText, name, filter, suffix);
}

std::string FileCommands::ChooseNewFile(int titleText, const QString& name, int kindText,
                                        const QString& suffix) {
  return ChooseSave(
      titleText, name,
      QStringLiteral("%1 (*.%2)").arg(Q(host_.texts.Text(kindText)).trimmed(), suffix), suffix);
}

std::string FileCommands::ChooseSave(int titleText, const QString& name, const QString& filter,
                                     const QString& suffix) {
  return choose_(FileChoice{true,
                            Q(host_.texts.Text(titleText)).trimmed(),
                            Q(session_.Folder(true)),
                            name,
                            {filter},
                            0,
                            suffix});
}

void FileCommands::SaveParameters() {
  Apply(session_.SaveParameters(
      ChooseFile(true, txt::kSaveParametersTitle, true, QStringLiteral(".zop"))));
}

void FileCommands::OpenParameters() {
  const files::OpenedParameters opened =
      session_.OpenParameters(ChooseFile(false, txt::kOpenParametersTitle, true));
  Apply(opened.outcome);
  if (opened.outcome.question == 0) return;
  QApplication::beep();
  const link::MsgResult answer = host_.messages.ShowMessage(
      {texts::TextPiece::Id(opened.outcome.question)}, txt::kTitleAttention,
      link::MsgIcon::Question, link::MsgButtons::YesNoCancel);
  Apply(session_.Answer(opened, answer));
}

void FileCommands::SaveRecording() {
  const QTime now = QTime::currentTime();
  Apply(session_.SaveRecording(
      ChooseFile(true, txt::kSaveRecordingTitle, false,
                 Q(FileNames::ProposedRecording(now.hour(), now.minute())))));
}

void FileCommands::OpenRecording() {
  Apply(session_.OpenRecording(ChooseFile(false, txt::kOpenRecordingTitle, false)));
}

void FileCommands::AutoSave() {
  Apply(session_.AutoSave(stamp_(), autoSaveFailure_ != nullptr));
}

std::optional<std::string> FileCommands::SaveBackup() {
  const AutoSaveStamp stamp = stamp_();
  return session_.SaveBackup(platform::LocalClock().Today(), stamp);
}

void FileCommands::ToggleAutoSave() {
  QApplication::beep();
  const files::AutoSaveMark mark = session_.ToggleAutoSave();
  host_.menus.CheckAutoSave(mark.on);
  host_.scope.SetAutoSaveMarker(mark.shown);
}

void FileCommands::CompareWithController() {
  // Polling is looked at once the dialog has closed.
  const std::string path = ChooseFile(false, txt::kCompareWithController, true);
  ShowComparison(session_.Compare(path, host_.polling.isActive()));
}

void FileCommands::ComparePackage(const files::ParameterFileContent& file,
                                  const std::string& name) {
  ShowComparison(session_.Compare(file, name, host_.polling.isActive()));
}

void FileCommands::ShowPackage(const files::ParameterFileContent& file,
                               std::span<const std::uint8_t> recording, const std::string& path) {
  Apply(session_.ShowPackage(file, recording, path));
}

void FileCommands::ShowComparison(const files::FileComparison& comparison) {
  Apply(comparison.outcome);
  if (!comparison.show) return;
  if (comparison_) comparison_->close();
  const CompareDialog::Captions captions{
      Q(host_.texts.Text(txt::kCompareWithController)).trimmed() + QStringLiteral(" - ") +
          Q(comparison.name),
      txt::kColumnFile, txt::kLoadIntoController};
  comparison_ = new CompareDialog(&host_.window, host_.texts, comparison.rows, captions);
  comparison_->setAttribute(Qt::WA_DeleteOnClose);
  connect(comparison_, &QDialog::accepted, this,
          [this, loaded = comparison.file] { Apply(session_.LoadForController(loaded)); });
  comparison_->open();
}

void FileCommands::ExportCsv() {
  const std::string path =
      ChooseExport(txt::kExportCsv, QStringLiteral("csv"), QStringLiteral("CSV (*.csv)"));
  Apply(session_.ExportCsv(path));
}

void FileCommands::ExportHistory(const std::string& csv) {
  const std::string path =
      ChooseExport(txt::kExportAsCsv, QStringLiteral("csv"), QStringLiteral("CSV (*.csv)"));
  Apply(session_.Export(path,
                        std::span(reinterpret_cast<const std::uint8_t*>(csv.data()), csv.size())));
}

void FileCommands::ExportPng() {
  const std::string path =
      ChooseExport(txt::kExportPng, QStringLiteral("png"), QStringLiteral("PNG (*.png)"));
  if (path.empty()) return;
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  const bool encoded = host_.scope.Image().save(&buffer, "PNG");
  const std::span bytes(reinterpret_cast<const std::uint8_t*>(png.constData()),
                        static_cast<std::size_t>(png.size()));
  Apply(session_.Export(path, encoded ? std::optional(bytes) : std::nullopt));
}

}  // namespace zo::app
