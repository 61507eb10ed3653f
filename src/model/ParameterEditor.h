// Every change the Parameters page makes to the working copy: the value
// editor (text box, wrap-around arrows, temperature stepping, button), the
// follow-up changes of an edit, the plausibility warning, the factory
// parameters, the erase buttons, the installation date the tool fills in,
// the service-mode date keys and the migration defaults after an upgrade.
// Nothing here talks to the controller: the scheduler writes each differing
// byte of the working copy.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "IClock.h"
#include "IMessages.h"
#include "ParameterGrid.h"
#include "link/ImageCopies.h"
#include "link/SchedulerState.h"
#include "link/ViewFlags.h"

namespace zo::model {

// What the window does after an edit.
struct EditOutcome {
  bool rebuildGrid = false;
  bool rebuildSignalList = false;
  std::optional<int> lampLayout;  // new layout of the petrol/gas switch panel
};

// The controls placed over a value cell.
struct EditControls {
  bool arrows = false;
  bool textBox = false;
  bool button = false;
  std::string text;  // the formatted value without unit, for the text box
};

enum class PlausibilityMode { Full, AfterEdit };

// The parts of the link state the editor reads and changes.
struct EditorParts {
  link::ImageCopies& image;
  link::SchedulerState& scheduler;
  const link::ViewFlags& view;
};

class ParameterEditor {
 public:
  ParameterEditor(const EditorParts& parts, IMessages& messages, const IClock& clock)
      : image_(parts.image),
        scheduler_(parts.scheduler),
        view_(parts.view),
        messages_(messages),
        clock_(clock) {}

  // Edit controls exist only with a controller read (connection state 2) on
  // the Parameters page, and never for a model-80 controller below 1.60.
  [[nodiscard]] bool ControlsActive() const;

  // Selecting a value cell: the controls of the row's edit style. Placing the
  // text box does not count as an edit.
  EditControls PlaceControls(const ParameterRow& row);
  // A change of the text box: parsed with the row's scale and stored at once.
  // The first notification after placing is skipped when it carries the
  // placed text (the box being filled); report programmatic changes too.
  // Returns whether the working copy was changed.
  bool TextChanged(const ParameterRow& row, std::string_view text);

  // Arrows wrap around the row's range (the temperature threshold steps
  // through the table instead), then the follow-up actions run.
  EditOutcome ArrowUp(const ParameterRow& row);
  EditOutcome ArrowDown(const ParameterRow& row);
  // The button of the erase rows runs the follow-up actions.
  EditOutcome ButtonPressed(const ParameterRow& row);

  // The follow-up actions hand their outcome to this handler before the
  // plausibility check, so the window rebuilds the grid (and the signal list
  // and lamp layout) before a warning appears over it. A window that sets it
  // acts on the handler's call and may ignore the outcome the edit returns.
  void SetOutcomeHandler(std::function<void(const EditOutcome&)> handler) {
    outcomeHandler_ = std::move(handler);
  }

  // A mouse click on a grid row forgets the byte of the last warning.
  void RowClicked() { warnedByte_.reset(); }
  [[nodiscard]] std::optional<int> WarnedByte() const { return warnedByte_; }

  // Runs the check; after an edit only for the checked bytes and not for the
  // byte that raised the last warning. Returns whether a warning was shown.
  bool CheckPlausibility(PlausibilityMode mode, int editedByte = -1);
  // Serves the link's request for the check after a complete read.
  bool ServePlausibilityRequest();

  // Asks first; on Yes the controller is told to restore its factory
  // parameters and is read again. Returns whether that was requested.
  bool FactoryParameters();
  // Reads the whole image again.
  void ReadAgain() { scheduler_.reconnectRequest = true; }

  // Fills in today as installation date when the image holds no valid one; called while the caption
  // is built for connection state 2, after the controller dates are formatted (the information
  // shows "--.--.--" for a date being filled in). Returns whether it did.
  bool FillInstallationDate();
  // Service-mode keys: all bytes of both dates to 255 (Ctrl+E) or 0 (Ctrl+R).
  bool SetDateBytes(std::uint8_t value);

 private:
  EditOutcome Step(const ParameterRow& row, bool up);
  EditOutcome FollowUp(int byte, std::uint8_t previous);
  void FollowUpByte(int byte, std::uint8_t previous, EditOutcome& outcome);
  void SensorTypeChanged(int byte, std::uint8_t value);
  void StampConfigurationDate();
  void EraseByte(int byte);
  void SetBoth(int byte, std::uint8_t value);
  std::uint8_t& Working(int byte) { return image_.workingCopy[static_cast<std::size_t>(byte)]; }

  link::ImageCopies& image_;
  link::SchedulerState& scheduler_;
  const link::ViewFlags& view_;
  IMessages& messages_;
  const IClock& clock_;
  std::function<void(const EditOutcome&)> outcomeHandler_;
  std::optional<int> warnedByte_;
  bool ignoreNextChange_ = false;
  std::string placedText_;
};

}  // namespace zo::model
