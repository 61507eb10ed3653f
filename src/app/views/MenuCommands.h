// What the user can ask for through the menus and the buttons that stand in
// for them: the views emit these, the main window's command parts run them.
#pragma once

namespace zo::app {

// The File menu's commands; the four file buttons above the grids and the
// scope strip's auto-save mark give the same ones.
enum class FileCommand {
  OpenRecording,   // `MenuFileOpenVis`, `BtnOpenVis`
  SaveRecording,   // `MenuFileSaveVis`, `BtnSaveVis`
  AutoSave,        // `MenuFileSaveAuto`, `BtnAutoSave`
  OpenParameters,  // `MenuFileOpenPar`, `BtnOpenPar`
  SaveParameters,  // `MenuFileSavePar`, `BtnSavePar`
  Compare,         // `MenuFileCompare`
  ExportCsv,       // `MenuFileExportCsv`
  ExportPng,       // `MenuFileExportPng`
};

// The File menu's entries over the change journal.
enum class JournalCommand {
  BackToConnect,  // `MenuFileBackToConnect`
  History,        // `MenuFileHistory`
  ServiceReport,  // `MenuFileReport`
};

// The File menu's support package entries.
enum class PackageCommand {
  Save,  // `MenuFileSavePackage`
  Open,  // `MenuFileOpenPackage`
};

// The Help menu and the help pop-up.
enum class HelpCommand {
  Topics,          // `MenuHelpTema`, `PopMenTama`
  Manual,          // `MenuHelpDoc`, `PopMenDoc`
  About,           // `MenuHelpAbout`, `PopMenAbout`
  ControllerInfo,  // `MenuHelpControl`, `PopMenControl`
};

// The Port menu's commands after its connect entry and the ports.
enum class PortCommand {
  CheckConnection,  // `MenuPortCheck`
  RecordLinkTrace,  // `MenuPortTrace`, checked while the link trace records
};

// The three pop-up menus the top toolbar opens.
enum class PopupMenu { Help, Indicators, Ports };

}  // namespace zo::app
