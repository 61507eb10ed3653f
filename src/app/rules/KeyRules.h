// Which command a key pressed in the main window stands for. The window sees
// every key before the focused control (which still gets it), so these rules
// only decide; the window carries the command out. The last three keys are
// remembered, modifiers included, for the Ctrl-then-letter commands and the
// two four-letter sequences.
#pragma once

#include <array>

#include "link/LinkTypes.h"

namespace zo::app {

// Toolkit-neutral key codes: letters are their upper-case ASCII codes.
namespace keys {
inline constexpr int kControl = 0x1000;
inline constexpr int kF1 = 0x1101;
inline constexpr int kF3 = 0x1103;
inline constexpr int kF4 = 0x1104;
inline constexpr int kF6 = 0x1106;
inline constexpr int kF7 = 0x1107;
inline constexpr int kF8 = 0x1108;
inline constexpr int kF9 = 0x1109;
inline constexpr int kF10 = 0x110A;
inline constexpr int kF11 = 0x110B;
inline constexpr int kF12 = 0x110C;
inline constexpr int kEnter = 0x1200;
inline constexpr int kLeft = 0x1201;
inline constexpr int kRight = 0x1202;
inline constexpr int kInsert = 0x1203;
inline constexpr int kDelete = 0x1204;
inline constexpr int kHome = 0x1205;
constexpr int Letter(char c) {
  return static_cast<int>(c);
}
}  // namespace keys

enum class KeyCommand {
  None,
  Help,
  ShowParameters,
  ShowConfiguration,
  ShowUpgrade,
  FocusGrid,
  Switch,
  CycleLayout,
  Reconnect,
  NextLanguage,
  NextFontSize,
  Window800x600,
  Window640x480,
  ToggleScope,
  Upload,
  StepDown,
  StepUp,
  IndicatorsTop,
  IndicatorsBottom,
  IndicatorsHome,
  StopLink,
  ResetColours,
  DatesTo255,
  DatesTo0,
  ToggleServiceMode,
  ToggleQuillon,
  Undo,  // Ctrl+Z
  Redo,  // Ctrl+Y, Ctrl+Shift+Z
};

// What the key rules need to know about the window at the moment of the key.
struct KeyContext {
  bool ctrlHeld = false;
  link::Page activePage = link::Page::Parameters;
  bool tabParVisible = true;
  bool tabCfgVisible = false;
  bool tabUpgVisible = false;
  bool parameterGridVisible = true;
  link::ConnectionState connectionState = link::ConnectionState::NotConnected;
  bool serviceMode = false;
  bool shiftHeld = false;
};

class KeyRules {
 public:
  // The two letter sequences; kept out of the user documentation.
  static constexpr std::array<char, 4> kServiceSequence{'Z', 'O', 'S', 'V'};
  static constexpr std::array<char, 4> kProtocolSequence{'Z', 'O', 'Q', 'V'};

  // Decides the command of `key` and then remembers the key.
  KeyCommand KeyDown(int key, const KeyContext& context);

 private:
  [[nodiscard]] KeyCommand Decide(int key, const KeyContext& context) const;
  [[nodiscard]] bool Completes(const std::array<char, 4>& sequence, int key) const;

  // last_[0] the key before the current one, last_[2] the third-last.
  std::array<int, 3> last_{};
};

}  // namespace zo::app
