// What the autoconfiguration makes the user see and hear, and what it asks of
// the rest of the program. The Configuration page implements it; tests record
// it. The wizard never touches a window.
#pragma once

#include <vector>

#include "link/LinkTypes.h"
#include "texts/UserText.h"

namespace zo::autoconfig {

// One line of the instruction pane: a catalogue text with leading spaces, or
// an empty line (id -1).
struct TextLine {
  int id = -1;
  int indent = 0;
  friend bool operator==(const TextLine&, const TextLine&) = default;
};

enum class WizardButton { Next, Ok, Cancel };

class IAutoconfigEffects {
 public:
  virtual ~IAutoconfigEffects() = default;

  virtual void Beep() = 0;
  // Replaces the whole instruction pane; an empty list clears it.
  virtual void ShowText(const std::vector<TextLine>& lines) = 0;
  // Column 1 of configuration-grid row 1..7; an empty text empties the cell.
  virtual void SetGridValue(int row, const texts::UserText& value) = 0;
  virtual void SelectGridRow(int row) = 0;
  virtual void SetGaugeMaximum(int maximum) = 0;
  virtual void SetGaugeValue(int value) = 0;
  virtual void ShowGaugePanel(bool shown) = 0;
  virtual void ShowButton(WizardButton button, bool shown) = 0;
  // The program's message dialog with title txt::kTitleAttention and the question icon;
  // Busy when a dialog is already open.
  virtual link::MsgResult Ask(const TextLine& question, link::MsgButtons buttons) = 0;
  // A message in the program's message dialog with title txt::kTitleAttention, the warning
  // icon and OK; nothing waits for the answer.
  virtual void Tell(const TextLine& message) = 0;
  // The next poll asks the controller to change its operating mode.
  virtual void RequestSwitch() = 0;
  // The working copy changed: rebuild the grids that show it.
  virtual void RebuildGrid() = 0;
  // Applied: the caption is rebuilt for a read controller, which brings the
  // Parameters page back.
  virtual void ShowApplied() = 0;
};

}  // namespace zo::autoconfig
