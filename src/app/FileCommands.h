// The main window's file commands: parameter files and recordings saved and
// opened through the file dialogs, the automatic recording when the history
// wraps, the comparison of a parameter file with the controller, and the
// export of the recording shown as CSV text and of the scope as a picture.
// What happens once a path is chosen is decided by files::FileSession; this
// class asks for the paths, shows the messages and applies the outcome.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/views/MenuCommands.h"
#include "files/FileSession.h"
#include "texts/TextsFwd.h"

class QMessageBox;
class QTimer;
class QWidget;

namespace zo::app {

class CompareDialog;
class LowerPanels;
class MainMenus;
class MessageDialog;
class ScopeView;

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

using files::AutoSaveStamp;

// What the file commands use of the main window.
struct FileHost {
  QWidget& window;  // the parent of the dialogs
  MainMenus& menus;
  LowerPanels& lower;  // the file buttons
  ScopeView& scope;
  const texts::TextCatalogue& texts;
  const model::ITextSource& textSource;
  files::FileFolders folders;
  files::SessionParts link;  // the parts of the link state the commands use
  MessageDialog& messages;
  QTimer& polling;  // `TimerTx`
  // The model handled for a file shown as a controller, named by its path.
  std::function<void(std::string_view path)> showFile;
  std::function<void()> rebuildGrid;
  std::function<void()> rebuildSignalList;
};

class FileCommands : public QObject {
  Q_OBJECT

 public:
  // The chosen path, or an empty text when the user cancelled.
  using PathChooser = std::function<std::string(const FileChoice&)>;
  using StampSource = std::function<AutoSaveStamp()>;

  // Takes the commands of the File menu, the file buttons and the scope
  // strip's auto-save mark.
  explicit FileCommands(FileHost host);
  ~FileCommands() override;
  FileCommands(const FileCommands&) = delete;
  FileCommands& operator=(const FileCommands&) = delete;

  // Replace the file dialog, the clock and the folder of automatic saves
  // (the current working folder unless set).
  void SetPathChooser(PathChooser chooser) { choose_ = std::move(chooser); }
  void SetStampSource(StampSource stamp) { stamp_ = std::move(stamp); }
  void SetAutoSaveFolder(std::filesystem::path folder) {
    session_.SetAutoSaveFolder(std::move(folder));
  }

  // A command of the File menu or of a file button.
  void Run(FileCommand command);
  void SaveParameters();  // `BtnSavePar`, `MenuFileSavePar`
  void OpenParameters();  // `BtnOpenPar`, `MenuFileOpenPar`
  void SaveRecording();   // `BtnSaveVis`, `MenuFileSaveVis`
  void OpenRecording();   // `BtnOpenVis`, `MenuFileOpenVis`
  // The history wrapped with automatic saving on.
  void AutoSave();
  void ToggleAutoSave();  // `MenuFileSaveAuto`
  void CompareWithController();
  // A support package's parameters and recording shown as a file.
  void ShowPackage(const files::ParameterFileContent& file, std::span<const std::uint8_t> recording,
                   const std::string& path);
  // A support package's parameters in the comparison window.
  void ComparePackage(const files::ParameterFileContent& file, const std::string& name);
  void ExportCsv();
  void ExportPng();
  // A new file's path from the save dialog, in the save folder, `name`
  // proposed, of the one kind named by `kindText` with `suffix`; empty when
  // the user cancelled.
  std::string ChooseNewFile(int titleText, const QString& name, int kindText,
                            const QString& suffix);
  // The change history as CSV into a file the user chooses.
  void ExportHistory(const std::string& csv);
  // The controller's parameters into a new backup file in the save folder
  // before a firmware upload: the path written, or nothing when no complete
  // read holds them or the file could not be written.
  std::optional<std::string> SaveBackup();

  // The comparison window while it is open, else null.
  [[nodiscard]] CompareDialog* Comparison() const;
  // The failed automatic save's message while it is shown, else null.
  [[nodiscard]] QMessageBox* AutoSaveFailure() const;

 private:
  void ConnectCommands();
  // The path chosen, empty when cancelled.
  std::string ChooseFile(bool save, int titleText, bool parameterFile, const QString& name = {});
  std::string ChooseExport(int titleText, const QString& suffix, const QString& filter);
  std::string ChooseSave(int titleText, const QString& name, const QString& filter,
                         const QString& suffix);
  void Apply(const files::FileOutcome& outcome);
  void ShowComparison(const files::FileComparison& comparison);
  void Message(int textId);
  void ShowAutoSaveFailure(int textId);

  FileHost host_;
  files::FileSession session_;
  PathChooser choose_;
  StampSource stamp_;
  QPointer<CompareDialog> comparison_;
  QPointer<QMessageBox> autoSaveFailure_;
};

}  // namespace zo::app
