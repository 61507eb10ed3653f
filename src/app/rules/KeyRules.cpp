#include "app/rules/KeyRules.h"

namespace zo::app {

using link::Page;

KeyCommand KeyRules::KeyDown(int key, const KeyContext& context) {
  const KeyCommand command = Decide(key, context);
  last_[2] = last_[1];
  last_[1] = last_[0];
  last_[0] = key;
  return command;
}

bool KeyRules::Completes(const std::array<char, 4>& sequence, int key) const {
  return key == keys::Letter(sequence[3]) && last_[0] == keys::Letter(sequence[2]) &&
         last_[1] == keys::Letter(sequence[1]) && last_[2] == keys::Letter(sequence[0]);
}

KeyCommand KeyRules::Decide(int key, const KeyContext& c) const {
  if (Completes(kServiceSequence, key)) return KeyCommand::ToggleServiceMode;
  if (Completes(kProtocolSequence, key)) return KeyCommand::ToggleQuillon;
  const bool afterCtrl = last_[0] == keys::kControl;
  switch (key) {
    case keys::kF1:
      return KeyCommand::Help;
    case keys::kF3:
      return c.tabParVisible ? KeyCommand::ShowParameters : KeyCommand::None;
    case keys::kF4:
      return c.tabCfgVisible ? KeyCommand::ShowConfiguration : KeyCommand::None;
    case keys::kF6:
      return c.tabUpgVisible ? KeyCommand::ShowUpgrade : KeyCommand::None;
    case keys::kF7:
      return c.parameterGridVisible ? KeyCommand::FocusGrid : KeyCommand::None;
    case keys::kF8:
      return KeyCommand::Switch;
    case keys::kF9:
      return KeyCommand::CycleLayout;
    case keys::kF10:
      return KeyCommand::Reconnect;
    case keys::kF11:
      return c.ctrlHeld ? KeyCommand::Window800x600 : KeyCommand::NextLanguage;
    case keys::kF12:
      return c.ctrlHeld ? KeyCommand::Window640x480 : KeyCommand::NextFontSize;
    case keys::kEnter:
      if (c.activePage == Page::Parameters) return KeyCommand::ToggleScope;
      return c.activePage == Page::Upgrade ? KeyCommand::Upload : KeyCommand::None;
    case keys::kLeft:
    case keys::kRight:
      if (c.activePage != Page::Parameters ||
          c.connectionState != link::ConnectionState::ControllerRead)
        return KeyCommand::None;
      return key == keys::kLeft ? KeyCommand::StepDown : KeyCommand::StepUp;
    case keys::kInsert:
      return KeyCommand::IndicatorsTop;
    case keys::kDelete:
      return KeyCommand::IndicatorsBottom;
    case keys::kHome:
      return KeyCommand::IndicatorsHome;
    case keys::Letter('Q'):
      return afterCtrl ? KeyCommand::StopLink : KeyCommand::None;
    case keys::Letter('W'):
      return afterCtrl ? KeyCommand::ResetColours : KeyCommand::None;
    case keys::Letter('E'):
      return c.ctrlHeld && c.serviceMode ? KeyCommand::DatesTo255 : KeyCommand::None;
    case keys::Letter('R'):
      return c.ctrlHeld && c.serviceMode ? KeyCommand::DatesTo0 : KeyCommand::None;
    case keys::Letter('Z'):
      if (!c.ctrlHeld) return KeyCommand::None;
      return c.shiftHeld ? KeyCommand::Redo : KeyCommand::Undo;
    case keys::Letter('Y'):
      return c.ctrlHeld ? KeyCommand::Redo : KeyCommand::None;
    default:
      return KeyCommand::None;
  }
}

}  // namespace zo::app
