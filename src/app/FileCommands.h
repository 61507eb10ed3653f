// The main window's file commands: parameter files and recordings saved and
// opened through the file dialogs, the automatic recording when the history
// wraps, the comparison of a parameter file with the controller, and the
// export of the recording shown as CSV text and of the scope as a picture.
// The formats and rules live in src/files; this class asks the user, reads
// and writes through them and shows the outcome on the window.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "files/ParameterFile.h"

class QAction;
class QMessageBox;

namespace zo::app {

class TForm1;
class CompareDialog;

// What a file dialog is asked to show.
struct FileChoice {
  bool save = false;
  QString title;
  QString folder;
  QString name;  // proposed file name, without folder
  QStringList filters;
  int filterIndex = 0;
  QString defaultSuffix;
};

// The date and time an automatic recording is named by.
struct AutoSaveStamp {
  std::string shortDate;  // today as the system shows a short date
  int hour = 0;
  int minute = 0;
};

class FileCommands : public QObject {
  Q_OBJECT

 public:
  // The chosen path, or an empty text when the user cancelled.
  using PathChooser = std::function<std::string(const FileChoice&)>;
  using StampSource = std::function<AutoSaveStamp()>;

  static constexpr int kCompareText = 990;
  static constexpr int kExportCsvText = 991;
  static constexpr int kExportPngText = 992;

  // Adds its entries to the File menu and connects the file buttons.
  explicit FileCommands(TForm1& form);
  ~FileCommands() override;
  FileCommands(const FileCommands&) = delete;
  FileCommands& operator=(const FileCommands&) = delete;

  // Replace the file dialog, the clock and the folder of automatic saves
  // (the current working folder unless set).
  void SetPathChooser(PathChooser chooser) { choose_ = std::move(chooser); }
  void SetStampSource(StampSource stamp) { stamp_ = std::move(stamp); }
  void SetAutoSaveFolder(std::filesystem::path folder) { autoSaveFolder_ = std::move(folder); }
  void ApplyLanguage();

  void SaveParameters();  // `BtnSavePar`, `MenuFileSavePar`
  void OpenParameters();  // `BtnOpenPar`, `MenuFileOpenPar`
  void SaveRecording();   // `BtnSaveVis`, `MenuFileSaveVis`
  void OpenRecording();   // `BtnOpenVis`, `MenuFileOpenVis`
  // The history wrapped with automatic saving on.
  void AutoSave();
  void ToggleAutoSave();  // `MenuFileSaveAuto`
  void CompareWithController();
  void ExportCsv();
  void ExportPng();
  // The controller's parameters into a new backup file in the save folder
  // before a firmware upload: the path written, or nothing when no complete
  // read holds them or the file could not be written.
  std::optional<std::string> SaveBackup();

  // The comparison window while it is open, else null.
  [[nodiscard]] CompareDialog* Comparison() const;
  // The failed automatic save's message while it is shown, else null.
  [[nodiscard]] QMessageBox* AutoSaveFailure() const;

  QAction* MenuFileCompare = nullptr;
  QAction* MenuFileExportCsv = nullptr;
  QAction* MenuFileExportPng = nullptr;

 private:
  void AddMenuEntries();
  void ConnectCommands();
  // Asks for a path and remembers its folder; empty when cancelled or when
  // the extension is wrong (then text 701 was shown).
  std::string ChooseFile(bool save, int titleText, bool parameterFile, std::string_view extension,
                         const QString& name = {});
  std::string ChooseExport(int titleText, const QString& suffix, const QString& filter);
  // Reads a parameter file; nothing when it failed (the message was shown).
  std::optional<files::ParameterFileContent> ReadParameters(const std::string& path);
  void Write(const std::string& path, std::span<const std::uint8_t> bytes);
  void LoadForController(const files::ParameterFileContent& file);
  void ShowAsController(const files::ParameterFileContent& file, const std::string& path);
  void Message(int textId);

  TForm1& form_;
  PathChooser choose_;
  StampSource stamp_;
  std::filesystem::path autoSaveFolder_;
  QPointer<CompareDialog> comparison_;
  QPointer<QMessageBox> autoSaveFailure_;
};

}  // namespace zo::app
