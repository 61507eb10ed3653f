#include "files/FileSession.h"

#include <system_error>

#include "files/AtomicFile.h"
#include "files/BackupFile.h"
#include "files/FileNames.h"
#include "files/RecordingCsv.h"
#include "files/RecordingFile.h"
#include "model/ControllerModel.h"
#include "model/LiveSignals.h"
#include "texts/TextIds.h"

namespace zo::files {

FileSession::FileSession(const SessionParts& parts, FileFolders folders,
                         const model::ITextSource& texts)
    : port_(parts.port),
      image_(parts.image),
      live_(parts.live),
      scheduler_(parts.scheduler),
      view_(parts.view),
      folders_(folders),
      texts_(texts) {}

const std::string& FileSession::Folder(bool save) const {
  return save ? folders_.save : folders_.open;
}

bool FileSession::Chosen(const std::string& path, bool save, std::string_view extension,
                         FileOutcome& outcome) {
  if (path.empty()) return false;
  (save ? folders_.save : folders_.open) = std::filesystem::path(path).parent_path().string();
  if (extension.empty() || FileNames::HasExtension(path, extension)) return true;
  outcome.message = txt::kWrongExtension;
  return false;
}

FileOutcome FileSession::Write(const std::string& path, std::span<const std::uint8_t> bytes) {
  FileOutcome outcome;
  if (!AtomicFile::Write(path, bytes)) outcome.message = txt::kCannotOpenFile;
  return outcome;
}

FileOutcome FileSession::SaveParameters(const std::string& path) {
  FileOutcome outcome;
  if (!Chosen(path, true, FileNames::kParameterExtension, outcome)) return outcome;
  return Write(path, ParameterFile::Encode(image_.workingCopy));
}

std::optional<ParameterFileContent> FileSession::ReadParameters(const std::string& path,
                                                                FileOutcome& outcome) {
  const ReadResult read = AtomicFile::Read(path, ParameterFile::kSize);
  ParameterFileContent file = ParameterFile::Decode(read.bytes, read.problem);
  if (file.problem == FileProblem::Unreadable) outcome.message = txt::kCannotOpenFile;
  if (file.problem == FileProblem::TooShort) outcome.message = txt::kErroneousData;
  if (outcome.message != 0) return std::nullopt;
  return file;
}

OpenedParameters FileSession::OpenParameters(const std::string& path) {
  OpenedParameters opened;
  if (!Chosen(path, false, FileNames::kParameterExtension, opened.outcome)) return opened;
  const auto file = ReadParameters(path, opened.outcome);
  if (!file) return opened;
  opened.outcome.question = txt::kLoadFileQuestion;
  opened.file = *file;
  opened.path = path;
  return opened;
}

FileOutcome FileSession::Answer(const OpenedParameters& opened, link::MsgResult result) {
  if (opened.outcome.question == 0) return {};
  if (result == link::MsgResult::Yes) return LoadForController(opened.file);
  if (result == link::MsgResult::No) return ShowAsController(opened.file, opened.path);
  return {};
}

FileOutcome FileSession::LoadForController(const ParameterFileContent& file) {
  ParameterFile::LoadForController(file, image_.workingCopy);
  image_.causes.MarkChanged(image_.workingCopy, image_.controllerCopy,
                            link::ChangeCause::ParameterFile);
  return {.rebuildGrid = true, .rebuildSignalList = true};
}

// Polling ends and the file is browsed as a controller would be.
FileOutcome FileSession::ShowAsController(const ParameterFileContent& file,
                                          const std::string& path) {
  ParameterFile::LoadForViewing(file, image_.workingCopy);
  view_.connectionState = link::ConnectionState::FileShown;
  return {.stopPolling = true, .shownFile = path, .rebuildSignalList = true};
}

FileOutcome FileSession::SaveRecording(const std::string& path) {
  FileOutcome outcome;
  if (!Chosen(path, true, FileNames::kRecordingExtension, outcome)) return outcome;
  return Write(path, RecordingFile::Encode(image_.workingCopy, live_.history,
                                           RecordingFile::OldestSlot(live_.history)));
}

FileOutcome FileSession::OpenRecording(const std::string& path) {
  FileOutcome outcome;
  if (!Chosen(path, false, FileNames::kRecordingExtension, outcome)) return outcome;
  const ReadResult read = AtomicFile::Read(path, RecordingFile::kSize);
  if (read.problem == FileProblem::Unreadable) return {.message = txt::kCannotOpenFile};
  // An empty file has nothing to show: opening it would only stop polling
  // and put the file's name over the controller's data.
  if (read.bytes.empty()) return {.message = txt::kErroneousData};
  // The window stops polling at once: the live link must no longer write the
  // history or the parameter image.
  RecordingFile::Load(RecordingFile::Decode(read.bytes, read.problem), image_.workingCopy,
                      live_.history);
  view_.connectionState = link::ConnectionState::FileShown;
  return {.stopPolling = true, .shownFile = path, .rebuildSignalList = true, .stopScope = true};
}

FileComparison FileSession::Compare(const std::string& path, bool polling) {
  FileComparison comparison;
  if (!Chosen(path, false, FileNames::kParameterExtension, comparison.outcome)) return comparison;
  const auto file = ReadParameters(path, comparison.outcome);
  if (!file) return comparison;
  return Compare(*file, FileNames::WithoutFolder(path), polling);
}

FileComparison FileSession::Compare(const ParameterFileContent& file, std::string name,
                                    bool polling) {
  FileComparison comparison;
  const bool controller =
      port_.connected && polling && view_.connectionState == link::ConnectionState::ControllerRead;
  comparison.show = true;
  comparison.rows = ParameterComparison::Compare(
      file, controller ? image_.controllerCopy : image_.workingCopy, texts_);
  comparison.file = file;
  comparison.name = std::move(name);
  return comparison;
}

FileOutcome FileSession::ShowPackage(const ParameterFileContent& file,
                                     std::span<const std::uint8_t> recording,
                                     const std::string& path) {
  // Polling stops with this outcome, as for a recording opened. Without a
  // recording the scope shows nothing rather than the live session's.
  if (recording.empty())
    live_.history.Clear();
  else
    RecordingFile::Load(RecordingFile::Decode(recording), image_.workingCopy, live_.history);
  FileOutcome outcome = ShowAsController(file, path);
  outcome.stopScope = true;
  return outcome;
}

FileOutcome FileSession::ExportCsv(const std::string& path) {
  FileOutcome outcome;
  if (!Chosen(path, true, {}, outcome)) return outcome;
  const std::string csv = RecordingCsv::Build(
      image_.workingCopy, live_.history, RecordingFile::OldestSlot(live_.history),
      model::LiveSignals::Listed(image_.workingCopy, view_.serviceMode, link::Page::Parameters),
      texts_);
  return Write(path, std::span(reinterpret_cast<const std::uint8_t*>(csv.data()), csv.size()));
}

FileOutcome FileSession::Export(const std::string& path,
                                std::optional<std::span<const std::uint8_t>> bytes) {
  FileOutcome outcome;
  if (!Chosen(path, true, {}, outcome)) return outcome;
  if (!bytes) return {.message = txt::kCannotOpenFile};
  return Write(path, *bytes);
}

FileOutcome FileSession::AutoSave(const AutoSaveStamp& stamp, bool reportShown) {
  std::error_code noFolder;  // a working folder removed meanwhile: the save fails below
  const std::filesystem::path folder =
      autoSaveFolder_.empty() ? std::filesystem::current_path(noFolder) : autoSaveFolder_;
  const std::filesystem::path path =
      folder / FileNames::AutoSave(stamp.shortDate, stamp.hour, stamp.minute);
  // At the wrap slot 0 holds the oldest sample.
  if (AtomicFile::Write(path, RecordingFile::Encode(image_.workingCopy, live_.history, 0)))
    return {};
  // The live-data reply that wrapped the history is still being handled,
  // and recording goes on while the report is up.
  if (reportShown) return {};
  return {.notice = txt::kAutoSaveFailed};
}

AutoSaveMark FileSession::ToggleAutoSave() {
  view_.autoSave = !view_.autoSave;
  return {view_.autoSave, view_.autoSave && scheduler_.activePage == link::Page::Parameters};
}

std::optional<std::string> FileSession::SaveBackup(const model::CalendarDate& today,
                                                   const AutoSaveStamp& stamp) {
  const auto path = BackupFile::Save(
      {image_, scheduler_, view_}, folders_.save,
      FileNames::Backup(today.year, today.month, today.day, stamp.hour, stamp.minute,
                        model::ControllerModel::Identify(image_.controllerCopy).name));
  if (!path) return std::nullopt;
  return path->string();
}

}  // namespace zo::files
