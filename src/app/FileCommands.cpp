#include "app/FileCommands.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QDate>
#include <QFileDialog>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QTime>
#include <QToolButton>
#include <array>
#include <tuple>

#include "app/QtText.h"
#include "app/TForm1.h"
#include "app/views/LowerPanels.h"
#include "app/views/MainMenus.h"
#include "app/views/ScopeView.h"
#include "app/windows/CompareDialog.h"
#include "files/AtomicFile.h"
#include "files/BackupFile.h"
#include "files/FileNames.h"
#include "files/ParameterComparison.h"
#include "files/RecordingCsv.h"
#include "files/RecordingFile.h"
#include "model/ControllerModel.h"
#include "model/LiveSignals.h"
#include "platform/LocalClock.h"

namespace zo::app {

namespace {

using files::FileNames;
using files::FileProblem;

constexpr int kTitleText = 700;
constexpr int kWrongExtensionText = 701;
constexpr int kCannotOpenText = 702;
constexpr int kBadDataText = 703;
constexpr int kLoadQuestionText = 704;
constexpr int kAutoSaveFailedText = 730;
constexpr int kOpenRecordingTitle = 104;
constexpr int kSaveRecordingTitle = 105;
constexpr int kOpenParametersTitle = 106;
constexpr int kSaveParametersTitle = 107;

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

std::string FolderOf(const std::string& path) {
  return std::filesystem::path(path).parent_path().string();
}

}  // namespace

FileCommands::FileCommands(TForm1& form)
    : QObject(&form),
      form_(form),
      choose_([&form](const FileChoice& choice) { return AskTheUser(&form, choice); }),
      stamp_(LocalStamp) {
  AddMenuEntries();
  ConnectCommands();
}

FileCommands::~FileCommands() = default;

CompareDialog* FileCommands::Comparison() const {
  return comparison_;
}

QMessageBox* FileCommands::AutoSaveFailure() const {
  return autoSaveFailure_;
}

void FileCommands::AddMenuEntries() {
  QMenu* file = form_.menus_->MenuFile;
  // After the parameter-file entries, before the separator above Exit.
  const QList<QAction*> entries = file->actions();
  QAction* separator = entries.at(entries.indexOf(form_.menus_->MenuFileExit) - 1);
  MenuFileCompare = new QAction(file);
  MenuFileExportCsv = new QAction(file);
  MenuFileExportPng = new QAction(file);
  file->insertAction(separator, MenuFileCompare);
  file->insertSeparator(separator);
  file->insertActions(separator, {MenuFileExportCsv, MenuFileExportPng});
}

void FileCommands::ConnectCommands() {
  const MainMenus& m = *form_.menus_;
  const LowerPanels& lower = *form_.lower_;
  const std::array<std::tuple<QAction*, QToolButton*, void (FileCommands::*)()>, 4> commands{{
      {m.MenuFileOpenVis, lower.BtnOpenVis, &FileCommands::OpenRecording},
      {m.MenuFileSaveVis, lower.BtnSaveVis, &FileCommands::SaveRecording},
      {m.MenuFileOpenPar, lower.BtnOpenPar, &FileCommands::OpenParameters},
      {m.MenuFileSavePar, lower.BtnSavePar, &FileCommands::SaveParameters},
  }};
  for (const auto& [action, button, command] : commands) {
    connect(action, &QAction::triggered, this, command);
    connect(button, &QToolButton::clicked, this, command);
  }
  connect(m.MenuFileSaveAuto, &QAction::triggered, this, &FileCommands::ToggleAutoSave);
  // The scope strip's auto-save mark switches it as well.
  if (auto* mark = form_.scope_->findChild<QAbstractButton*>(QStringLiteral("BtnAutoSave")))
    connect(mark, &QAbstractButton::clicked, this, &FileCommands::ToggleAutoSave);
  connect(MenuFileCompare, &QAction::triggered, this, &FileCommands::CompareWithController);
  connect(MenuFileExportCsv, &QAction::triggered, this, &FileCommands::ExportCsv);
  connect(MenuFileExportPng, &QAction::triggered, this, &FileCommands::ExportPng);
}

void FileCommands::ApplyLanguage() {
  MenuFileCompare->setText(Q(form_.texts_.Text(kCompareText)));
  MenuFileExportCsv->setText(Q(form_.texts_.Text(kExportCsvText)));
  MenuFileExportPng->setText(Q(form_.texts_.Text(kExportPngText)));
}

void FileCommands::Message(int textId) {
  form_.messages_.ShowMessage({link::TextPiece::Id(textId)}, kTitleText, link::MsgIcon::Information,
                              link::MsgButtons::Ok);
}

std::string FileCommands::ChooseFile(bool save, int titleText, bool parameterFile,
                                     std::string_view extension, const QString& name) {
  Settings& settings = form_.settings_;
  FileChoice choice{save,
                    Q(form_.texts_.Text(titleText)),
                    Q(save ? settings.dirSave : settings.dirOpen),
                    name,
                    save ? SaveFilters() : OpenFilters(),
                    parameterFile ? 1 : 0,
                    parameterFile ? QStringLiteral("zop") : QStringLiteral("zov")};
  const std::string path = choose_(choice);
  if (path.empty()) return {};
  (save ? settings.dirSave : settings.dirOpen) = FolderOf(path);
  if (!FileNames::HasExtension(path, extension)) {
    Message(kWrongExtensionText);
    return {};
  }
  return path;
}

std::string FileCommands::ChooseExport(int titleText, const QString& suffix,
                                       const QString& filter) {
  const QTime now = QTime::currentTime();
  const QString name = QStringLiteral("%1%2.%3")
                           .arg(now.hour(), 2, 10, QLatin1Char('0'))
                           .arg(now.minute(), 2, 10, QLatin1Char('0'))
                           .arg(suffix);
  const std::string path = choose_(FileChoice{true,
                                              Q(form_.texts_.Text(titleText)).trimmed(),
                                              Q(form_.settings_.dirSave),
                                              name,
                                              {filter},
                                              0,
                                              suffix});
  if (!path.empty()) form_.settings_.dirSave = FolderOf(path);
  return path;
}

void FileCommands::Write(const std::string& path, std::span<const std::uint8_t> bytes) {
  if (!files::AtomicFile::Write(path, bytes)) Message(kCannotOpenText);
}

void FileCommands::SaveParameters() {
  const std::string path = ChooseFile(true, kSaveParametersTitle, true,
                                      FileNames::kParameterExtension, QStringLiteral(".zop"));
  if (path.empty()) return;
  Write(path, files::ParameterFile::Encode(form_.state_.workingCopy));
}

std::optional<files::ParameterFileContent> FileCommands::ReadParameters(const std::string& path) {
  const files::ReadResult read = files::AtomicFile::Read(path, files::ParameterFile::kSize);
  const files::ParameterFileContent file = files::ParameterFile::Decode(read.bytes, read.problem);
  if (file.problem == FileProblem::Unreadable) {
    Message(kCannotOpenText);
    return std::nullopt;
  }
  if (file.problem == FileProblem::TooShort) {
    Message(kBadDataText);
    return std::nullopt;
  }
  return file;
}

void FileCommands::OpenParameters() {
  const std::string path =
      ChooseFile(false, kOpenParametersTitle, true, FileNames::kParameterExtension);
  if (path.empty()) return;
  const auto file = ReadParameters(path);
  if (!file) return;
  QApplication::beep();
  const link::MsgResult answer =
      form_.messages_.ShowMessage({link::TextPiece::Id(kLoadQuestionText)}, kTitleText,
                                  link::MsgIcon::Question, link::MsgButtons::YesNoCancel);
  if (answer == link::MsgResult::Yes) LoadForController(*file);
  if (answer == link::MsgResult::No) ShowAsController(*file, path);
}

// The scheduler then writes every byte that now differs from the controller.
void FileCommands::LoadForController(const files::ParameterFileContent& file) {
  files::ParameterFile::LoadForController(file, form_.state_.workingCopy);
  form_.RebuildGrid();
  form_.RebuildSignalList();
}

// Polling ends and the file is browsed as a controller would be.
void FileCommands::ShowAsController(const files::ParameterFileContent& file,
                                    const std::string& path) {
  form_.timerTx_.stop();
  files::ParameterFile::LoadForViewing(file, form_.state_.workingCopy);
  form_.state_.connectionState = link::ConnectionState::FileShown;
  form_.ModelHandling(form_.state_.connectionState, path);
  form_.RebuildSignalList();
}

void FileCommands::SaveRecording() {
  const QTime now = QTime::currentTime();
  const std::string path =
      ChooseFile(true, kSaveRecordingTitle, false, FileNames::kRecordingExtension,
                 Q(FileNames::ProposedRecording(now.hour(), now.minute())));
  if (path.empty()) return;
  const link::SampleHistory& history = form_.state_.history;
  Write(path, files::RecordingFile::Encode(form_.state_.workingCopy, history,
                                           files::RecordingFile::OldestSlot(history)));
}

void FileCommands::OpenRecording() {
  const std::string path =
      ChooseFile(false, kOpenRecordingTitle, false, FileNames::kRecordingExtension);
  if (path.empty()) return;
  const files::ReadResult read = files::AtomicFile::Read(path, files::RecordingFile::kSize);
  if (read.problem == FileProblem::Unreadable) return Message(kCannotOpenText);
  // An empty file has nothing to show: opening it would only stop polling
  // and put the file's name over the controller's data.
  if (read.bytes.empty()) return Message(kBadDataText);
  // The live link must no longer write the history or the parameter image.
  form_.timerTx_.stop();
  files::RecordingFile::Load(files::RecordingFile::Decode(read.bytes, read.problem),
                             form_.state_.workingCopy, form_.state_.history);
  form_.state_.connectionState = link::ConnectionState::FileShown;
  form_.ModelHandling(form_.state_.connectionState, path);
  form_.RebuildSignalList();
  form_.scope_->StopForRecording();
}

void FileCommands::AutoSave() {
  const AutoSaveStamp stamp = stamp_();
  std::error_code noFolder;  // a working folder removed meanwhile: the save fails below
  const std::filesystem::path folder =
      autoSaveFolder_.empty() ? std::filesystem::current_path(noFolder) : autoSaveFolder_;
  const std::filesystem::path path =
      folder / FileNames::AutoSave(stamp.shortDate, stamp.hour, stamp.minute);
  // At the wrap slot 0 holds the oldest sample.
  if (files::AtomicFile::Write(
          path, files::RecordingFile::Encode(form_.state_.workingCopy, form_.state_.history, 0)))
    return;
  // Shown without waiting: the live-data reply that wrapped the history is
  // still being handled, and recording goes on while the message is up.
  if (autoSaveFailure_) return;
  autoSaveFailure_ =
      new QMessageBox(QMessageBox::Information, Q(form_.texts_.Text(kTitleText)),
                      Q(form_.texts_.Text(kAutoSaveFailedText)), QMessageBox::Ok, &form_);
  autoSaveFailure_->setAttribute(Qt::WA_DeleteOnClose);
  autoSaveFailure_->open();
}

std::optional<std::string> FileCommands::SaveBackup() {
  const AutoSaveStamp stamp = stamp_();
  const model::CalendarDate today = LocalClock().Today();
  const link::LinkState& state = form_.state_;
  const auto path = files::BackupFile::Save(
      state, form_.settings_.dirSave,
      FileNames::Backup(today.year, today.month, today.day, stamp.hour, stamp.minute,
                        model::ControllerModel::Identify(state.controllerCopy).name));
  if (!path) return std::nullopt;
  return path->string();
}

void FileCommands::ToggleAutoSave() {
  QApplication::beep();
  link::LinkState& state = form_.state_;
  state.autoSave = !state.autoSave;
  form_.menus_->MenuFileSaveAuto->setChecked(state.autoSave);
  form_.scope_->SetAutoSaveMarker(state.autoSave && state.activePage == link::Page::Parameters);
}

void FileCommands::CompareWithController() {
  const std::string path = ChooseFile(false, kCompareText, true, FileNames::kParameterExtension);
  if (path.empty()) return;
  const auto file = ReadParameters(path);
  if (!file) return;
  const link::LinkState& state = form_.state_;
  // Connected: what the controller holds; else the parameters shown.
  const bool controller = state.connected && form_.timerTx_.isActive() &&
                          state.connectionState == link::ConnectionState::ControllerRead;
  const auto rows = files::ParameterComparison::Compare(
      *file, controller ? state.controllerCopy : state.workingCopy, form_.textSource_);
  if (comparison_) comparison_->close();
  comparison_ = new CompareDialog(&form_, form_.texts_, rows, Q(FileNames::WithoutFolder(path)));
  comparison_->setAttribute(Qt::WA_DeleteOnClose);
  connect(comparison_, &QDialog::accepted, this,
          [this, loaded = *file] { LoadForController(loaded); });
  comparison_->open();
}

void FileCommands::ExportCsv() {
  const std::string path =
      ChooseExport(kExportCsvText, QStringLiteral("csv"), QStringLiteral("CSV (*.csv)"));
  if (path.empty()) return;
  const link::LinkState& state = form_.state_;
  const std::string csv = files::RecordingCsv::Build(
      state.workingCopy, state.history, files::RecordingFile::OldestSlot(state.history),
      model::LiveSignals::Listed(state.workingCopy, state.serviceMode, link::Page::Parameters),
      form_.textSource_);
  Write(path, std::span(reinterpret_cast<const std::uint8_t*>(csv.data()), csv.size()));
}

void FileCommands::ExportPng() {
  const std::string path =
      ChooseExport(kExportPngText, QStringLiteral("png"), QStringLiteral("PNG (*.png)"));
  if (path.empty()) return;
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!form_.scope_->Image().save(&buffer, "PNG")) return Message(kCannotOpenText);
  Write(path, std::span(reinterpret_cast<const std::uint8_t*>(png.constData()),
                        static_cast<std::size_t>(png.size())));
}

}  // namespace zo::app
