// What the window's file commands decide once the user has chosen a path:
// the folder remembered, the extension checked, the file read or written, a
// parameter file loaded for the controller or shown as one, a recording
// shown, the comparison with the controller, the automatic recording named
// and its failure reported. Each command returns what the window does next;
// the window asks for the paths and shows the messages.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "files/ParameterComparison.h"
#include "files/ParameterFile.h"
#include "link/ImageCopies.h"
#include "link/LiveData.h"
#include "link/PortHealth.h"
#include "link/SchedulerState.h"
#include "link/ViewFlags.h"
#include "model/IClock.h"
#include "model/ITextSource.h"

namespace zo::files {

// The date and time an automatic recording and a backup are named by.
struct AutoSaveStamp {
  std::string shortDate;  // today as the system shows a short date
  int hour = 0;
  int minute = 0;
};

// What the window does after a command, in the order of the fields.
struct FileOutcome {
  int message = 0;   // a text shown with OK, or 0
  int question = 0;  // a Yes/No/Cancel question whose answer goes to Answer(), or 0
  int notice = 0;    // a text shown without waiting, or 0
  bool stopPolling = false;
  std::string shownFile{};  // a file now shown as a controller, named in the caption
  bool rebuildGrid = false;
  bool rebuildSignalList = false;
  bool stopScope = false;  // the scope stops on the recording shown
  bool operator==(const FileOutcome&) const = default;
};

// A parameter file opened: read, the load question is asked about it.
struct OpenedParameters {
  FileOutcome outcome;  // a message when the file could not be read, else the question
  ParameterFileContent file;
  std::string path;
};

// A parameter file compared with the controller; `file` is what loading it
// from the comparison window loads.
struct FileComparison {
  FileOutcome outcome;  // a message when the file could not be read
  bool show = false;    // the comparison window opens
  std::vector<DifferenceRow> rows;
  ParameterFileContent file;
  std::string name;  // the file's name without its folder
};

// Whether automatic saving is on, and whether the scope marks it.
struct AutoSaveMark {
  bool on = false;
  bool shown = false;
};

// The folders the file dialogs start in, as the settings keep them.
struct FileFolders {
  std::string& open;
  std::string& save;
};

// The parts of the link state the file commands read and change.
struct SessionParts {
  const link::PortHealth& port;
  link::ImageCopies& image;
  link::LiveData& live;
  const link::SchedulerState& scheduler;
  link::ViewFlags& view;
};

class FileSession {
 public:
  FileSession(const SessionParts& parts, FileFolders folders, const model::ITextSource& texts);

  // The folder a dialog to open or to save starts in.
  [[nodiscard]] const std::string& Folder(bool save) const;
  // Automatic recordings go to the current working folder unless set.
  void SetAutoSaveFolder(std::filesystem::path folder) { autoSaveFolder_ = std::move(folder); }

  // Each command takes the path chosen, empty when the user cancelled; a
  // chosen path's folder is where the next dialog of its kind starts.
  FileOutcome SaveParameters(const std::string& path);
  // A readable parameter file raises the load question.
  OpenedParameters OpenParameters(const std::string& path);
  // The load question's answer: Yes loads the file for the controller, No
  // shows it as a controller, anything else changes nothing.
  FileOutcome Answer(const OpenedParameters& opened, link::MsgResult result);
  // The file's bytes 16..167 become the working copy's; the scheduler then
  // writes every byte that differs from the controller.
  FileOutcome LoadForController(const ParameterFileContent& file);
  FileOutcome SaveRecording(const std::string& path);
  FileOutcome OpenRecording(const std::string& path);
  // Compared with what the controller holds while one is read and polled,
  // else with the parameters shown.
  FileComparison Compare(const std::string& path, bool polling);
  // The same for parameters that came from elsewhere (a support package),
  // named `name` in the window.
  FileComparison Compare(const ParameterFileContent& file, std::string name, bool polling);
  // A support package shown as a controller: its recording into the history
  // (an empty history when it has none) with the scope stopped on it, and its
  // parameters over the image.
  FileOutcome ShowPackage(const ParameterFileContent& file, std::span<const std::uint8_t> recording,
                          const std::string& path);
  FileOutcome ExportCsv(const std::string& path);
  // An export's bytes (a picture, the change history); nothing when they
  // could not be made.
  FileOutcome Export(const std::string& path, std::optional<std::span<const std::uint8_t>> bytes);

  // The history wrapped with automatic saving on. A failure is reported
  // without waiting, unless its report is still shown, and saving stays on.
  FileOutcome AutoSave(const AutoSaveStamp& stamp, bool reportShown);
  AutoSaveMark ToggleAutoSave();
  // The controller's parameters into a new backup file in the save folder:
  // the path written, or nothing when no complete read holds them or the
  // file could not be written.
  std::optional<std::string> SaveBackup(const model::CalendarDate& today,
                                        const AutoSaveStamp& stamp);

 private:
  // Remembers the folder; false when cancelled or the extension is wrong.
  bool Chosen(const std::string& path, bool save, std::string_view extension, FileOutcome& outcome);
  std::optional<ParameterFileContent> ReadParameters(const std::string& path, FileOutcome& outcome);
  static FileOutcome Write(const std::string& path, std::span<const std::uint8_t> bytes);
  FileOutcome ShowAsController(const ParameterFileContent& file, const std::string& path);

  const link::PortHealth& port_;
  link::ImageCopies& image_;
  link::LiveData& live_;
  const link::SchedulerState& scheduler_;
  link::ViewFlags& view_;
  FileFolders folders_;
  const model::ITextSource& texts_;
  std::filesystem::path autoSaveFolder_;
};

}  // namespace zo::files
