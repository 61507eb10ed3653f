// The views the main window builds and owns, as the parts that draw on them
// (effects, placement) receive them.
#pragma once

#include <array>

class QTextEdit;
class QWidget;

namespace zo::app {

class ConfigurationPage;
class FileCommands;
class HelpTopics;
class HintPanel;
class IndicatorWindows;
class JournalCommands;
class LowerPanels;
class PackageCommands;
class MainMenus;
class ParameterGridView;
class TraceCommands;
class CheckCommands;
class ProcessorPages;
class ReportCommands;
class ScopeView;
class SignalListView;
class SignalListWidgets;
class Splitter;
class TopPanel;

// Filled in as the window builds the views.
struct MainViews {
  ParameterGridView* gridView = nullptr;
  SignalListView* signalView = nullptr;
  Splitter* splitter = nullptr;
  QTextEdit* memo1 = nullptr;             // the diagnostic pane
  std::array<QWidget*, 3> pageButtons{};  // Btn1..Btn3
  MainMenus* menus = nullptr;
  TopPanel* top = nullptr;
  LowerPanels* lower = nullptr;
  SignalListWidgets* listWidgets = nullptr;  // gauges, trace switches and colours
  ScopeView* scope = nullptr;                // Bevel1
  ConfigurationPage* config = nullptr;       // the wizard's controls and the autoconfiguration
  HintPanel* hint = nullptr;                 // PanelHint
  IndicatorWindows* indicators = nullptr;
  ProcessorPages* processor = nullptr;
  HelpTopics* help = nullptr;
  FileCommands* files = nullptr;
  JournalCommands* journal = nullptr;  // back to the state at connect, the change history
  ReportCommands* report = nullptr;    // the service report
  PackageCommands* package = nullptr;  // the support package
  TraceCommands* trace = nullptr;      // the Port menu's link trace
  CheckCommands* check = nullptr;      // the connection check
};

}  // namespace zo::app
