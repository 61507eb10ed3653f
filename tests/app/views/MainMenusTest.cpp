// The menus and the buttons standing in for them say what the user chose:
// each entry and button, found by its given name, emits its own command.
#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolButton>
#include <stdexcept>
#include <vector>

#include "app/views/LowerPanels.h"
#include "app/views/MainMenus.h"
#include "app/views/TopPanel.h"

namespace zo::app {
namespace {

template <class T>
T& Named(const QObject& owner, const char* name) {
  T* found = owner.findChild<T*>(QString::fromLatin1(name));
  if (found == nullptr) throw std::logic_error(name);
  return *found;
}

TEST(MainMenus, EveryEntryEmitsItsOwnCommand) {
  QMainWindow window;
  MainMenus menus(window.menuBar(), &window);
  std::vector<FileCommand> files;
  std::vector<HelpCommand> help;
  std::vector<model::SignalKind> kinds;
  std::vector<int> other;  // font sizes, languages; -1 exit, -2 connect
  QObject::connect(&menus, &MainMenus::FileCommandChosen,
                   [&](FileCommand c) { files.push_back(c); });
  QObject::connect(&menus, &MainMenus::HelpCommandChosen,
                   [&](HelpCommand c) { help.push_back(c); });
  QObject::connect(&menus, &MainMenus::IndicatorChosen,
                   [&](model::SignalKind k) { kinds.push_back(k); });
  QObject::connect(&menus, &MainMenus::FontSizeChosen,
                   [&](int points) { other.push_back(points); });
  QObject::connect(&menus, &MainMenus::LanguageChosen,
                   [&](int language) { other.push_back(language); });
  QObject::connect(&menus, &MainMenus::ExitChosen, [&] { other.push_back(-1); });
  QObject::connect(&menus, &MainMenus::ConnectChosen, [&] { other.push_back(-2); });

  for (const char* name :
       {"MenuFileOpenVis", "MenuFileSaveVis", "MenuFileSaveAuto", "MenuFileOpenPar",
        "MenuFileSavePar", "MenuFileCompare", "MenuFileExportCsv", "MenuFileExportPng"})
    Named<QAction>(window, name).trigger();
  using F = FileCommand;
  EXPECT_EQ(files, (std::vector{F::OpenRecording, F::SaveRecording, F::AutoSave, F::OpenParameters,
                                F::SaveParameters, F::Compare, F::ExportCsv, F::ExportPng}));
  std::vector<JournalCommand> journal;
  QObject::connect(&menus, &MainMenus::JournalCommandChosen,
                   [&](JournalCommand c) { journal.push_back(c); });
  for (const char* name : {"MenuFileBackToConnect", "MenuFileHistory", "MenuFileReport"})
    Named<QAction>(window, name).trigger();
  using J = JournalCommand;
  EXPECT_EQ(journal, (std::vector{J::BackToConnect, J::History, J::ServiceReport}));
  for (const char* name : {"MenuHelpTema", "PopMenDoc", "MenuHelpAbout", "PopMenControl"})
    Named<QAction>(window, name).trigger();
  using H = HelpCommand;
  EXPECT_EQ(help, (std::vector{H::Topics, H::Manual, H::About, H::ControllerInfo}));
  for (const char* name :
       {"PopupMenuIndLAM", "PopupMenuIndRPM", "PopupMenuIndTPS", "PopupMenuIndACT"})
    Named<QAction>(window, name).trigger();
  using K = model::SignalKind;
  EXPECT_EQ(kinds, (std::vector{K::Lam, K::Rpm, K::Tps, K::Mot}));

  const QList<QAction*> fonts = window.menuBar()->actions().at(2)->menu()->actions();
  fonts.at(4)->trigger();
  window.menuBar()->actions().at(3)->menu()->actions().at(4)->trigger();  // Russian
  Named<QAction>(window, "MenuFileExit").trigger();
  Named<QAction>(window, "MenuCommNone").trigger();
  EXPECT_EQ(other, (std::vector{16, 4, -1, -2}));
  std::vector<PortCommand> port;
  QObject::connect(&menus, &MainMenus::PortCommandChosen,
                   [&](PortCommand c) { port.push_back(c); });
  Named<QAction>(window, "MenuPortCheck").trigger();
  EXPECT_EQ(port, (std::vector{PortCommand::CheckConnection}));

  // The arrangement is a radio group read back as the enum.
  using A = visual::IndicatorArrangement;
  EXPECT_EQ(menus.Arrangement(), A::Bottom);
  std::vector<A> arrangements;
  QObject::connect(&menus, &MainMenus::ArrangementChosen, [&](A a) { arrangements.push_back(a); });
  for (const char* name : {"PopupMenuIndTop", "PopupMenuIndHome"}) {
    Named<QAction>(window, name).trigger();
    EXPECT_EQ(menus.Arrangement(), arrangements.back());
  }
  EXPECT_EQ(arrangements, (std::vector{A::Top, A::Home}));
  menus.CheckAutoSave(true);
  EXPECT_TRUE(Named<QAction>(window, "MenuFileSaveAuto").isChecked());
}

TEST(MainMenus, PanelButtonsEmitTheirCommands) {
  QWidget client;
  LowerPanels lower(&client);
  TopPanel top(&client);
  std::vector<FileCommand> files;
  std::vector<int> other;
  QObject::connect(&lower, &LowerPanels::FileButtonClicked,
                   [&](FileCommand c) { files.push_back(c); });
  QObject::connect(&lower, &LowerPanels::FactoryParametersClicked, [&] { other.push_back(1); });
  QObject::connect(&lower, &LowerPanels::ReadAgainClicked, [&] { other.push_back(2); });
  QObject::connect(&top, &TopPanel::HelpClicked, [&] { other.push_back(3); });
  QObject::connect(&top, &TopPanel::WindowClicked, [&] { other.push_back(4); });
  QObject::connect(&top, &TopPanel::IndicatorsClicked, [&] { other.push_back(5); });
  QObject::connect(&top, &TopPanel::PortClicked, [&] { other.push_back(6); });
  for (const char* name : {"BtnOpenVis", "BtnSaveVis", "BtnOpenPar", "BtnSavePar", "BtnManPar",
                           "BtnRefPar", "BtnHelp", "BtnWindow", "BtnInd", "BtnPort"})
    Named<QToolButton>(client, name).click();
  using F = FileCommand;
  EXPECT_EQ(files, (std::vector{F::OpenRecording, F::SaveRecording, F::OpenParameters,
                                F::SaveParameters}));
  EXPECT_EQ(other, (std::vector{1, 2, 3, 4, 5, 6}));
}

}  // namespace
}  // namespace zo::app
