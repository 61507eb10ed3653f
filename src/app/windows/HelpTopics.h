// The Help command (`MenuHelpTema`, `PopMenTama`, F1): opens the help window
// with the help of the language and the identified controller, or, while one
// is open, finds the parameter selected in the grid in it. It keeps the help
// window's open mark and the setting `Help`, and serves the context search
// the connection tick runs after a grid cell was selected.
#pragma once

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <optional>
#include <string>

#include "app/windows/TFormHelp.h"
#include "help/HelpRules.h"
#include "link/LinkTypes.h"
#include "settings/SettingsFwd.h"
#include "texts/TextsFwd.h"

class QWidget;

namespace zo::app {

class MessageDialog;
class ParameterGridView;

// The parts of the main window the help window is placed by and searches.
struct HelpHost {
  QWidget& mainWindow;
  QWidget& client;  // the client area: the top panel and the signal list lie in it
  QWidget& topPanel;
  QWidget& signalList;
  ParameterGridView& grid;
};

class HelpTopics : public QObject {
  Q_OBJECT

 public:
  // Everything handed in outlives this; `executable` is the program file,
  // whose data folders hold the help files.
  HelpTopics(const HelpHost& host, const texts::TextCatalogue& texts, settings::Settings& settings,
             MessageDialog& messages, const link::ImageArea& workingCopy,
             std::filesystem::path executable);
  ~HelpTopics() override;
  HelpTopics(const HelpTopics&) = delete;
  HelpTopics& operator=(const HelpTopics&) = delete;

  // Opens the help window, or runs the context search when it is open.
  void ShowHelp();
  // Whether selecting a grid cell asks for the context search: a help window
  // is open and stays on top, and the Parameters page is shown.
  [[nodiscard]] bool FollowsGrid(link::Page activePage) const;
  // The context search of the connection tick; the main window keeps the
  // keyboard focus.
  void ContextRefresh();
  // The main window closes.
  void Close();

  [[nodiscard]] bool IsOpen() const { return open_ && window_ != nullptr; }
  [[nodiscard]] TFormHelp* Window() const { return window_; }

 private:
  // The pane's text; nothing after telling the user the help file is missing.
  [[nodiscard]] std::optional<std::string> Content();
  [[nodiscard]] help::HelpPlacementInputs PlacementInputs() const;
  void Search(bool activate);

  HelpHost host_;
  const texts::TextCatalogue& texts_;
  settings::Settings& settings_;
  MessageDialog& messages_;
  const link::ImageArea& image_;
  std::filesystem::path executable_;
  QPointer<TFormHelp> window_;
  bool open_ = false;
};

}  // namespace zo::app
