#include "app/KeyCommands.h"

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QTimer>

#include "app/MainCommands.h"
#include "app/MainJournal.h"
#include "app/MainPages.h"
#include "app/MainViews.h"
#include "app/views/ParameterGridView.h"
#include "app/views/ScopeView.h"
#include "app/views/TopPanel.h"
#include "app/widgets/StringGrid.h"
#include "app/windows/HelpTopics.h"
#include "link/LinkState.h"
#include "model/ParameterEditor.h"
#include "settings/Settings.h"
#include "texts/LanguageRules.h"
#include "texts/TextCatalogue.h"

namespace zo::app {

void KeyCommands::FormKeyDown(int key, bool ctrlHeld, bool shiftHeld) {
  const PageButtonVisibility tabs = p_.views.top->VisibleButtons();
  const link::LinkState& state = p_.state;
  const KeyContext context{ctrlHeld,
                           state.activePage,
                           tabs.parameters,
                           tabs.configuration,
                           tabs.upgrade,
                           p_.views.gridView->Grid().isVisible(),
                           state.connectionState,
                           state.serviceMode,
                           shiftHeld};
  RunKeyCommand(keys_.KeyDown(key, context));
}

void KeyCommands::RunKeyCommand(KeyCommand command) {
  MainPages& pages = *p_.pages;
  switch (command) {
    case KeyCommand::ShowParameters:
      return pages.TabClick(PageButton::Parameters);
    case KeyCommand::ShowConfiguration:
      return pages.TabClick(PageButton::Configuration);
    case KeyCommand::ShowUpgrade:
      return pages.TabClick(PageButton::Upgrade);
    case KeyCommand::FocusGrid:
      return p_.views.gridView->FocusGrid();
    case KeyCommand::Switch:
      return commands_.SwitchClick();
    case KeyCommand::CycleLayout:
      return commands_.BtnWindowClick();
    case KeyCommand::Reconnect:
      p_.state.reconnectRequest = true;
      return;
    case KeyCommand::NextLanguage:
      return commands_.SetLanguage(texts::LanguageRules::NextLanguage(p_.texts.Language()));
    case KeyCommand::NextFontSize:
      return commands_.SetFontSize(texts::LanguageRules::NextFontSize(p_.settings.fontSize));
    case KeyCommand::Window800x600:
      return commands_.MoveWindow(800, 600);
    case KeyCommand::Window640x480:
      return commands_.MoveWindow(640, 480);
    case KeyCommand::StopLink:
      return commands_.StopLinkCommand();
    case KeyCommand::ResetColours:
      return commands_.ResetColours();
    case KeyCommand::ToggleServiceMode:
      return commands_.ToggleServiceMode();
    case KeyCommand::ToggleQuillon:
      return commands_.ToggleQuillon();
    default:
      return RunDataKeyCommand(command);
  }
}

// The commands on the controller's data and its views.
void KeyCommands::RunDataKeyCommand(KeyCommand command) {
  MainPages& pages = *p_.pages;
  switch (command) {
    case KeyCommand::StepDown:
      return p_.views.gridView->StepSelected(false);
    case KeyCommand::StepUp:
      return p_.views.gridView->StepSelected(true);
    case KeyCommand::DatesTo255:
      p_.editor->SetDateBytes(255);
      return pages.RebuildGrid();
    case KeyCommand::DatesTo0:
      p_.editor->SetDateBytes(0);
      return pages.RebuildGrid();
    case KeyCommand::IndicatorsTop:
      return commands_.IndicatorArrangement(visual::IndicatorArrangement::Top);
    case KeyCommand::IndicatorsBottom:
      return commands_.IndicatorArrangement(visual::IndicatorArrangement::Bottom);
    case KeyCommand::IndicatorsHome:
      return commands_.IndicatorArrangement(visual::IndicatorArrangement::Home);
    case KeyCommand::ToggleScope:
      // Enter also ends typing in the value editor; only a plain Enter asks.
      if (qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr) return;
      return p_.views.scope->ToggleRunning();
    case KeyCommand::Undo:
    case KeyCommand::Redo: {
      // Typing in the value editor keeps its own undo.
      if (qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr) return;
      journal::JournalKeeper& keeper = p_.journal->Keeper();
      if (command == KeyCommand::Undo ? keeper.Undo() : keeper.Redo()) pages.RebuildGrid();
      return;
    }
    case KeyCommand::Help:
      return p_.views.help->ShowHelp();
    case KeyCommand::Upload:
      // After the key has been delivered: the upload runs for many seconds
      // with events processed, and the focus it leaves behind must not see
      // the same Enter again and start a second upload.
      QTimer::singleShot(0, &p_.window, [&pages] { pages.StartUpload(); });
      return;
    default:  // the window's own commands, and None
      return;
  }
}

}  // namespace zo::app
