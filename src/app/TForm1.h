// The main window and the program's composition root. It creates the link,
// the scheduler, the connection manager, the parameter editing and the
// views, wires them, runs the two timers and renders. Every rule it follows
// lives in a plain C++ class (key rules, window rules, layout routine,
// settings store); the window asks them and carries out the answer.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/MainEffects.h"
#include "app/QtEventPump.h"
#include "app/rules/KeyRules.h"
#include "app/rules/WindowLifecycle.h"
#include "app/rules/WindowRules.h"
#include "app/windows/MessageDialog.h"
#include "app/windows/ProgressWindow.h"
#include "app/windows/TFormBar.h"
#include "app/windows/TFormMsg.h"
#include "firmware/FirmwareUpload.h"
#include "link/ConnectionManager.h"
#include "link/ControllerLink.h"
#include "link/LinkState.h"
#include "link/PollScheduler.h"
#include "model/ControllerModel.h"
#include "model/ControllerSession.h"
#include "model/ParameterEditor.h"
#include "model/ParameterGrid.h"
#include "platform/LocalClock.h"
#include "serial/PortMap.h"
#include "serial/TMyComm.h"
#include "serial/TMyFtdi.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"
#include "texts/CatalogueTextSource.h"
#include "texts/TextCatalogue.h"
#include "visual/IndicatorSlots.h"
#include "visual/ScopeRenderer.h"

class QLabel;
class QTextEdit;
class QScrollBar;

namespace zo::app {

class MainEffects;
class FileCommands;
class MainMenus;
class TopPanel;
class LowerPanels;
class ParameterGridView;
class SignalListView;
class ScopeView;
class SignalListWidgets;
class Splitter;
class HintPanel;
class IndicatorWindows;
class ConfigurationPage;
class UploadWindow;
class UpgradePage;
class ProcessorPages;
class HelpTopics;
class AreaPlacement;
struct LayoutResult;

// Where the program keeps its settings and finds its files.
struct ProgramPaths {
  std::filesystem::path executable;    // the program file
  std::filesystem::path settingsFile;  // the per-user settings
  std::vector<std::string> arguments;  // the command line, argument 0 first
  std::string fileFolder;              // where file dialogs start by default
};

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kTxInterval = 100;
  static constexpr int kInfoInterval = 900;
  static constexpr int kMinWidth = 640;
  static constexpr int kMinHeight = 480;

  // The start-up sequence: creates the port objects, reads the settings,
  // applies the language and raises the reconnect request.
  explicit TForm1(ProgramPaths paths, QWidget* parent = nullptr);
  // Writes the settings and frees the port objects.
  ~TForm1() override;
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Read access for the tests and the effect handlers.
  [[nodiscard]] const link::LinkState& State() const { return state_; }
  [[nodiscard]] const TextCatalogue& Texts() const { return texts_; }
  [[nodiscard]] MainMenus& Menus() const { return *views_.menus; }
  [[nodiscard]] ParameterGridView& ParameterView() const { return *views_.gridView; }
  [[nodiscard]] SignalListView& SignalView() const { return *views_.signalView; }
  [[nodiscard]] SignalListWidgets& ListWidgets() const { return *views_.listWidgets; }
  [[nodiscard]] TopPanel& Top() const { return *views_.top; }
  [[nodiscard]] ScopeView& Scope() const { return *views_.scope; }
  [[nodiscard]] const Settings& CurrentSettings() const { return settings_; }
  [[nodiscard]] bool ServiceMode() const { return state_.serviceMode; }
  [[nodiscard]] int WindowLayout() const { return settings_.visuSco; }
  [[nodiscard]] QTimer& TimerTx() { return timerTx_; }
  [[nodiscard]] QTimer& TimerInfo() { return timerInfo_; }
  [[nodiscard]] MessageDialog& Messages() { return messages_; }
  [[nodiscard]] IndicatorWindows& Indicators() const { return *views_.indicators; }
  [[nodiscard]] ConfigurationPage& Configuration() const { return *views_.config; }
  [[nodiscard]] FileCommands& Files() const { return *views_.files; }
  [[nodiscard]] UploadWindow& Upload() const { return *uploadWindow_; }
  [[nodiscard]] HelpTopics& Help() const { return *help_; }

  // The keyboard command of one key, as the key filter hands it in.
  void FormKeyDown(int key, bool ctrlHeld);
  // Page buttons and `Btn1`..`Btn3`.
  void TabClick(PageButton button);
  void PageButtonNClick(int index);
  void SetLanguage(int language);
  void SetFontSize(int points);
  // Places every area for the current page, size, font and layout.
  void Layout();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RunStartUpStep(StartUpStep step);
  void BuildWindow();
  void ConnectCommands();
  void ConnectMenus();
  void ApplySettings();
  void ApplyLanguage();
  void FormShow();
  void RunShowStep(ShowStep step);
  void FormCloseQuery();
  void RunCloseStep(CloseStep step);
  void FormDestroy();
  void RunDestroyStep(DestroyStep step);
  void StoreWindowBounds();

  void RunKeyCommand(KeyCommand command);
  void RunDataKeyCommand(KeyCommand command);
  void TimerTxTimer();
  void TimerInfoTimer();

  void ShowPage(link::Page page);
  void LeavePage(link::Page from);
  void BtnWindowClick();
  void SwitchClick();
  void ConnectClick();
  void StopLinkCommand();
  void ToggleServiceMode();
  void ToggleQuillon();
  void IndicatorArrangement(visual::IndicatorArrangement arrangement);
  [[nodiscard]] visual::ArrangeInputs IndicatorArrangeInputs() const;
  void ResetColours();
  // A trace switch or trace colour changed in the settings.
  void TraceSettingsChanged();
  // The petrol/gas switch's lamp layout, 0..2, for the lamps and the ticks.
  void SetLampLayout(int layout);
  void MoveWindow(int width, int height);
  void OpenManual();
  // The About window; the controller-information window, which first reads
  // the working times from a controller with firmware 1.78 or above.
  void ShowAbout();
  void ShowControllerInfo();
  // `Btn1` and Enter on the Upgrade page: the selected image to the controller.
  void StartUpload();
  [[nodiscard]] std::string ProgramFolder() const;
  // Where file dialogs start when no folder was chosen yet.
  [[nodiscard]] std::string FileFolder() const;

  // What the link's effects ask of the window.
  // A file shown as a controller names itself in the caption.
  void ModelHandling(link::ConnectionState connectionState, std::string_view filePath = {});
  [[nodiscard]] MainWindowSteps EffectSteps();
  void RebuildGrid();
  void RebuildSignalList();
  void ShowSample(int index);

  // The oscilloscope.
  void BuildScope();
  [[nodiscard]] visual::ScopeScene ScopeScene() const;
  void ShowCursorSample(int index);
  void ScopeRunningChanged(bool running, bool autoSaveOff);
  void StoreScopeSettings();

  ProgramPaths paths_;
  Settings settings_{std::string()};
  TextCatalogue texts_;
  CatalogueTextSource textSource_{texts_};
  link::LinkState state_;
  link::ReplyConsumers replies_;  // filled in as the wizard, pages and upload are built
  serial::TMyComm com_;
  serial::TMyFtdi ftdi_;  // the adapters and the byte stream of ports from 1024 up
  serial::PortMap ports_;
  QtEventPump pump_;
  LocalClock clock_;
  std::unique_ptr<MainEffects> effects_;
  std::unique_ptr<link::ControllerLink> link_;
  std::unique_ptr<link::PollScheduler> scheduler_;
  std::unique_ptr<link::ConnectionManager> connection_;
  std::unique_ptr<model::ParameterEditor> editor_;
  std::unique_ptr<UploadWindow> uploadWindow_;
  std::unique_ptr<firmware::FirmwareUpload> upload_;
  std::unique_ptr<UpgradePage> upgrade_;
  std::unique_ptr<AreaPlacement> placement_;
  std::unique_ptr<ProcessorPages> processor_;
  model::ParameterGrid grid_;
  KeyRules keys_;
  WindowRules rules_;
  model::ControllerSession session_;  // identified, dates, switch panel
  bool shown_ = false;
  bool closing_ = false;

  QWidget* client_ = nullptr;
  MainViews views_;  // the views the window builds and owns
  MessageDialog messages_{this, texts_};
  ProgressWindow progress_{this, texts_};
  QTimer timerTx_;
  QTimer timerInfo_;
  std::unique_ptr<HelpTopics> help_;  // the help window and its context search
};

}  // namespace zo::app
