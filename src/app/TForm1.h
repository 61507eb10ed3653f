// The main window and the program's composition root. It creates the link,
// the scheduler, the connection manager, the parameter editing and the
// views, hands their parts to its pieces (the pages, the oscilloscope, the
// commands and the keys), runs the two timers and carries out the steps of
// its life. Every rule lives in a plain C++ class; the pieces ask them and
// carry out the answer.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/KeyCommands.h"
#include "app/MainCommands.h"
#include "app/MainEffects.h"
#include "app/MainPages.h"
#include "app/MainParts.h"
#include "app/MainScope.h"
#include "app/MainSettings.h"
#include "app/QtEventPump.h"
#include "app/rules/WindowLifecycle.h"
#include "app/windows/MessageDialog.h"
#include "app/windows/ProgressWindow.h"
#include "app/windows/TFormBar.h"
#include "app/windows/TFormMsg.h"
#include "autoconfig/Autoconfig.h"
#include "firmware/FirmwareUpload.h"
#include "link/ConnectionManager.h"
#include "link/ControllerLink.h"
#include "link/LinkState.h"
#include "link/LinkTrace.h"
#include "link/PollScheduler.h"
#include "model/ControllerSession.h"
#include "model/ParameterEditor.h"
#include "platform/LocalClock.h"
#include "serial/PortMap.h"
#include "serial/TMyComm.h"
#include "serial/TMyFtdi.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"
#include "texts/CatalogueTextSource.h"
#include "texts/TextCatalogue.h"

namespace zo::app {

class UploadWindow;
class UpgradePage;
class ProcessorPages;
class HelpTopics;
class AreaPlacement;

// Where the program keeps its settings and finds its files.
struct ProgramPaths {
  std::filesystem::path executable;     // the program file
  std::filesystem::path settingsFile;   // the per-user settings
  std::vector<std::string> arguments;   // the command line, argument 0 first
  std::string fileFolder;               // where file dialogs start by default
  std::filesystem::path journalFolder;  // the controllers' change journals
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

  // The window's parts, as the widget tests' rig reaches them.
  [[nodiscard]] const MainParts& Parts() const { return parts_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RunStartUpStep(StartUpStep step);
  void BuildWindow();
  void FormShow();
  void RunShowStep(ShowStep step);
  void FormCloseQuery();
  void RunCloseStep(CloseStep step);
  void FormDestroy();
  void RunDestroyStep(DestroyStep step);
  void TimerTxTimer();
  void TimerInfoTimer();
  // What the link's effects ask of the window.
  [[nodiscard]] MainWindowSteps EffectSteps();

  ProgramPaths paths_;
  settings::Settings settings_{std::string()};
  texts::TextCatalogue texts_;
  texts::CatalogueTextSource textSource_{texts_};
  link::LinkState state_;
  link::ReplyConsumers replies_;  // filled in as the wizard, pages and upload are built
  serial::TMyComm com_;
  serial::TMyFtdi ftdi_;  // the adapters and the byte stream of ports from 1024 up
  serial::PortMap ports_;
  QtEventPump pump_;
  platform::LocalClock clock_;
  link::LinkTrace trace_;  // off until the Port menu starts it
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
  std::unique_ptr<autoconfig::Autoconfig> wizard_;  // shown by the Configuration page
  std::unique_ptr<MainJournal> journal_;            // confirmed changes, undo and redo
  model::ControllerSession session_;                // identified, dates, switch panel

  QWidget* client_ = nullptr;
  MainViews views_;  // the views the window builds and owns
  MessageDialog messages_{this, texts_};
  ProgressWindow progress_{this, texts_};
  QTimer timerTx_;
  QTimer timerInfo_;
  std::unique_ptr<HelpTopics> help_;  // the help window and its context search
  MainParts parts_{.window = *this,
                   .settings = settings_,
                   .texts = texts_,
                   .textSource = textSource_,
                   .state = state_,
                   .session = session_,
                   .messages = messages_,
                   .timerTx = timerTx_,
                   .timerInfo = timerInfo_,
                   .views = views_,
                   .pages = &pages_,
                   .commands = &commands_};
  MainPages pages_{parts_};
  MainScope scope_{parts_};
  MainCommands commands_{parts_, paths_.executable};
  KeyCommands keyCommands_{parts_, commands_};
  MainSettings mainSettings_{parts_, scope_, paths_.settingsFile, paths_.executable,
                             paths_.fileFolder};
};

}  // namespace zo::app
