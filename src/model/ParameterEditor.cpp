#include "ParameterEditor.h"

#include "ControllerModel.h"
#include "ImageLayout.h"
#include "PlausibilityCheck.h"
#include "TemperatureTable.h"
#include "ValueFormat.h"
#include "texts/TextIds.h"

namespace zo::model {

namespace {

using M = link::ImageMap;

// Whether a row names a byte of the exchanged image; any other row is not
// edited (the image areas must not be indexed outside their bounds).
bool EditsImageByte(const ParameterRow& row) {
  return row.byte >= 0 && row.byte < link::kImageSize;
}

}  // namespace

bool ParameterEditor::ControlsActive() const {
  return view_.connectionState == link::ConnectionState::ControllerRead &&
         scheduler_.activePage == link::Page::Parameters &&
         !ControllerModel::IsReadOnly(image_.workingCopy);
}

EditControls ParameterEditor::PlaceControls(const ParameterRow& row) {
  EditControls controls;
  if (!ControlsActive()) return controls;
  controls.arrows = row.HasArrows();
  controls.textBox = row.HasTextBox();
  controls.button = row.HasButton();
  if (controls.textBox) {
    controls.text = row.value;
    placedText_ = row.value;
    ignoreNextChange_ = true;
  }
  return controls;
}

bool ParameterEditor::TextChanged(const ParameterRow& row, std::string_view text) {
  // Only the notification of the box being filled is skipped: when the box
  // already held that text there is none, and the first change is the user's.
  if (ignoreNextChange_) {
    ignoreNextChange_ = false;
    if (text == placedText_) return false;
  }
  if (!ControlsActive() || !row.HasTextBox() || !EditsImageByte(row)) return false;
  Working(row.byte) = ValueFormat::Parse(text, row.scale);
  image_.causes.MarkChanged(image_.workingCopy, image_.controllerCopy, link::ChangeCause::GridEdit);
  return true;
}

EditOutcome ParameterEditor::ArrowUp(const ParameterRow& row) {
  return Step(row, true);
}

EditOutcome ParameterEditor::ArrowDown(const ParameterRow& row) {
  return Step(row, false);
}

EditOutcome ParameterEditor::Step(const ParameterRow& row, bool up) {
  if (!ControlsActive() || !row.HasArrows() || !EditsImageByte(row)) return {};
  const std::uint8_t previous = Working(row.byte);
  std::uint8_t& value = Working(row.byte);
  if (row.byte == M::kTemperatureThreshold && row.kind == ValueKind::Temperature) {
    const std::uint8_t sensor = Working(M::kTemperatureSensor);
    value = up ? TemperatureTable::StepWarmer(previous, sensor)
               : TemperatureTable::StepColder(previous, sensor);
  } else if (up) {
    value = static_cast<std::uint8_t>(previous >= row.maximum ? row.minimum : previous + 1);
  } else {
    value = static_cast<std::uint8_t>(previous <= row.minimum ? row.maximum : previous - 1);
  }
  return FollowUp(row.byte, previous);
}

EditOutcome ParameterEditor::ButtonPressed(const ParameterRow& row) {
  if (!ControlsActive() || !row.HasButton() || !EditsImageByte(row)) return {};
  return FollowUp(row.byte, Working(row.byte));
}

EditOutcome ParameterEditor::FollowUp(int byte, std::uint8_t previous) {
  StampConfigurationDate();
  EditOutcome outcome;
  FollowUpByte(byte, previous, outcome);
  image_.causes.MarkChanged(image_.workingCopy, image_.controllerCopy, link::ChangeCause::GridEdit);
  outcome.rebuildGrid = true;
  if (outcomeHandler_) outcomeHandler_(outcome);
  CheckPlausibility(PlausibilityMode::AfterEdit, byte);
  return outcome;
}

void ParameterEditor::FollowUpByte(int byte, std::uint8_t previous, EditOutcome& outcome) {
  const std::uint8_t value = Working(byte);
  switch (byte) {
    case M::kTpsType:
    case M::kLambdaType:
    case M::kVacuumType:
      SensorTypeChanged(byte, value);
      outcome.rebuildSignalList = true;
      break;
    case M::kSimulation:
    case M::kSecondSimulation:  // "Typowa": the controller sets the same timing itself
      if (value == 3 && (byte == M::kSimulation ||
                         ControllerModel::MirrorsSecondSimulation(image_.workingCopy))) {
        SetBoth(M::kSimulationTimeHi, 40);
        SetBoth(M::kSimulationTimeLo, 40);
        SetBoth(M::kSimulationTimeOff, 0);
        SetBoth(M::kSimulationImpulse, 0);
      }
      break;
    case M::kLevelSensor: {
      constexpr std::uint8_t kLevels[4][4] = {
          {120, 90, 60, 30}, {30, 60, 90, 120}, {200, 150, 100, 50}, {50, 100, 150, 200}};
      if (value < 4)
        for (int i = 0; i < 4; ++i)
          Working(M::kLevel1 + i) = kLevels[value][i];
      break;
    }
    case M::kLevelSensorTwoWay:
      Working(M::kLevel1) = (value & 1) != 0 ? 50 : 200;
      break;
    case M::kPowerErrors:
    case M::kErrorFlags:
      EraseByte(byte);
      break;
    case M::kSwitchPanelLamps:
      outcome.lampLayout = (value & 1) != 0 ? 1 : 2;
      break;
    case M::kTemperatureSensor:
      // Keep the threshold's temperature when the sensor column changes.
      Working(M::kTemperatureThreshold) = TemperatureTable::Convert(
          Working(M::kTemperatureThreshold), TemperatureTable::Column(previous),
          TemperatureTable::Column(value));
      break;
    default:
      break;
  }
}

void ParameterEditor::SensorTypeChanged(int byte, std::uint8_t value) {
  if (byte == M::kTpsType) {  // thresholds for the sensor's range, regulation on
    constexpr std::uint8_t kThresholds[] = {40, 210, 125, 125};
    if (value < 4) {
      Working(M::kTpsThreshold) = Working(M::kOpeningThreshold) = kThresholds[value];
      Working(M::kTpsRegulation) = 1;
    } else if (value == 4) {
      Working(M::kOpening) = Working(M::kCutOff) = Working(M::kTpsRegulation) = 0;
    }
  } else if (byte == M::kLambdaType) {
    constexpr std::uint8_t kThresholds[] = {25, 125, 125, 60};
    if (value < 4) {
      Working(M::kLambdaThreshold) = kThresholds[value];
      Working(M::kLambdaRegulation) = 1;
    } else if (value == 4) {
      Working(M::kLambdaRegulation) = 0;
    }
  } else if (byte == M::kVacuumType) {
    Working(M::kVacuumRegulation) = value != 0 ? 1 : 0;
  }
}

void ParameterEditor::StampConfigurationDate() {
  ImageLayout::WriteDate(image_.workingCopy, M::kConfigurationDate,
                         ImageDate::FromCalendar(clock_.Today()));
}

void ParameterEditor::EraseByte(int byte) {
  // The controller copy is made to differ so that the scheduler writes the 0.
  Working(byte) = 0;
  image_.causes.Mark(byte, 0, link::ChangeCause::GridEdit,
                     image_.controllerCopy[static_cast<std::size_t>(byte)]);
  image_.controllerCopy[static_cast<std::size_t>(byte)] = 255;
  scheduler_.RereadAfterPendingWrites();
}

void ParameterEditor::SetBoth(int byte, std::uint8_t value) {
  Working(byte) = value;
  image_.controllerCopy[static_cast<std::size_t>(byte)] = value;
}

bool ParameterEditor::CheckPlausibility(PlausibilityMode mode, int editedByte) {
  if (ControllerModel::IsReadOnly(image_.workingCopy)) return false;
  if (mode == PlausibilityMode::AfterEdit &&
      (!PlausibilityCheck::IsChecked(editedByte) || warnedByte_ == editedByte))
    return false;
  const texts::UserText message = PlausibilityCheck::Message(image_.workingCopy);
  if (message.empty()) return false;
  messages_.ShowMessage(message, txt::kTitleAttention, link::MsgIcon::Warning,
                        link::MsgButtons::Ok);
  if (mode == PlausibilityMode::AfterEdit) warnedByte_ = editedByte;
  return true;
}

bool ParameterEditor::ServePlausibilityRequest() {
  if (!scheduler_.plausibilityRequest) return false;
  scheduler_.plausibilityRequest = false;
  return CheckPlausibility(PlausibilityMode::Full);
}

bool ParameterEditor::FactoryParameters() {
  messages_.Beep();
  const link::MsgResult answer =
      messages_.ShowMessage({texts::TextPiece::Id(txt::kFactoryParametersQuestion)},
                            txt::kTitleAttention, link::MsgIcon::Question, link::MsgButtons::YesNo);
  if (answer != link::MsgResult::Yes) return false;
  Working(M::kModel) = 0;
  image_.causes.Mark(M::kModel, 0, link::ChangeCause::FactoryParameters,
                     image_.controllerCopy[M::kModel]);
  image_.controllerCopy[M::kModel] = 255;
  scheduler_.factoryResetRequest = true;
  return true;
}

bool ParameterEditor::FillInstallationDate() {
  if (ImageLayout::ReadDate(image_.workingCopy, M::kInstallationDate).IsValid()) return false;
  ImageLayout::WriteDate(image_.workingCopy, M::kInstallationDate,
                         ImageDate::FromCalendar(clock_.Today()));
  image_.causes.MarkChanged(image_.workingCopy, image_.controllerCopy,
                            link::ChangeCause::InstallationDate);
  return true;
}

bool ParameterEditor::SetDateBytes(std::uint8_t value) {
  if (!view_.serviceMode) return false;
  for (int i = M::kInstallationDate; i < M::kPetrolTime; ++i)
    Working(i) = value;
  image_.causes.MarkChanged(image_.workingCopy, image_.controllerCopy,
                            link::ChangeCause::ServiceDates);
  return true;
}

}  // namespace zo::model
