// The parts of the main window that its pieces (pages, oscilloscope,
// commands, keys) share: the window-wide objects, and the link's objects and
// pieces as the window creates them.
#pragma once

#include "settings/SettingsFwd.h"
#include "texts/TextsFwd.h"

class QMainWindow;
class QTimer;
class QWidget;

namespace zo::link {
class ConnectionManager;
class ControllerLink;
class LinkTrace;
class PollScheduler;
struct LinkState;
}  // namespace zo::link

namespace zo::model {
class ControllerSession;
class ParameterEditor;
}  // namespace zo::model

namespace zo::autoconfig {
class Autoconfig;
}  // namespace zo::autoconfig

namespace zo::firmware {
class FirmwareUpload;
}  // namespace zo::firmware

namespace zo::app {

class AreaPlacement;
class MainCommands;
class MainPages;
class MessageDialog;
class UpgradePage;
class UploadWindow;
struct MainViews;
class MainJournal;

struct MainParts {
  QMainWindow& window;
  settings::Settings& settings;
  texts::TextCatalogue& texts;
  texts::CatalogueTextSource& textSource;
  link::LinkState& state;
  model::ControllerSession& session;  // identified, dates, switch panel
  MessageDialog& messages;
  QTimer& timerTx;
  QTimer& timerInfo;
  MainViews& views;
  // Filled in as the window creates them.
  QWidget* client = nullptr;
  link::ControllerLink* link = nullptr;
  link::PollScheduler* scheduler = nullptr;
  link::ConnectionManager* connection = nullptr;
  link::LinkTrace* trace = nullptr;  // the link trace, and the path of the last one
  model::ParameterEditor* editor = nullptr;
  firmware::FirmwareUpload* upload = nullptr;
  UploadWindow* uploadWindow = nullptr;
  UpgradePage* upgrade = nullptr;
  AreaPlacement* placement = nullptr;
  MainPages* pages = nullptr;                // the page shown and what is on it
  MainCommands* commands = nullptr;          // menus, buttons and the window's own commands
  autoconfig::Autoconfig* wizard = nullptr;  // shown by the Configuration page
  MainJournal* journal = nullptr;            // confirmed changes, undo and redo
};

}  // namespace zo::app
