#include "Autoconfig.h"

#include <algorithm>

#include "link/ImageMap.h"
#include "texts/TextIds.h"

namespace zo::autoconfig {

namespace {

using M = link::ImageMap;

constexpr int kOneCylinderCoil = 5;
constexpr int kAbsent = 4;
// Texts of a byte's options: the first text id and how many there are.
struct OptionList {
  int firstText;
  int count;
};
constexpr OptionList kCoilTexts{txt::kOptCoil4Cylinders, 7};
constexpr OptionList kTpsTexts{txt::kOpt0To5V, 5};
constexpr OptionList kLambdaTexts{txt::kOptLambda0To1V, 5};
constexpr int kFirstMeasuringStep = 4;
constexpr int kAsking = -1;  // leaving the page, the question open
constexpr int kPercent = 100;

TextLine Line(int id) {
  return TextLine{id, 2};
}

// A type byte in a grid row by its option's text; a value outside the list
// shows what the parameter grid shows for it.
void ShowOption(IAutoconfigEffects& effects, int row, const OptionList& list, int value) {
  const bool listed = value >= 0 && value < list.count;
  effects.SetGridValue(row,
                       {texts::TextPiece::Id(listed ? list.firstText + value : txt::kValueSet)});
}

}  // namespace

Autoconfig::Autoconfig(link::ImageArea& working, IAutoconfigEffects& effects,
                       link::ChangeCauses* causes)
    : working_(working), causes_(causes), effects_(effects), measure_(effects) {}

void Autoconfig::Sample(const ConfigReading& reading) {
  last_ = reading;
  hasReading_ = true;
  measure_.Take(step_, reading);
}

void Autoconfig::Say(std::vector<TextLine> lines) {
  effects_.Beep();
  effects_.ShowText(lines);
}

void Autoconfig::AskSwitch() {
  if (effects_.Ask(TextLine{txt::kSwitchModeQuestion, 2}, link::MsgButtons::YesNo) ==
      link::MsgResult::Yes)
    effects_.RequestSwitch();
}

void Autoconfig::SetByte(std::size_t index, int value) {
  working_[index] = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
  Marked(index);
}

void Autoconfig::Marked(std::size_t index) {
  if (causes_)
    causes_->Mark(static_cast<int>(index), working_[index], link::ChangeCause::Autoconfiguration);
}

void Autoconfig::Begin(int step, int titleText) {
  // A start pressed while a procedure runs keeps the bytes saved when it
  // began, so that Cancel still brings the original set-up back.
  if (step_ == 0) {
    for (std::size_t i = 0; i < kBackedUp.size(); ++i)
      backup_[i] = working_[kBackedUp[i]];
  }
  step_ = step;
  effects_.ShowText({TextLine{titleText, 0}});
  measure_.ClearResults();
}

void Autoconfig::PetrolStart() {
  Begin(1, txt::kWizardTitlePetrol);
  // The speed readings of the coil measurement are taken under this setting.
  SetByte(M::kCoilType, kOneCylinderCoil);
}

void Autoconfig::GasStart() {
  Begin(10, txt::kWizardTitleLpg);
  ShowOption(effects_, Measurements::kCoilRow, kCoilTexts, working_[M::kCoilType]);
  if (working_[M::kTpsType] != kAbsent)
    ShowOption(effects_, Measurements::kTpsTypeRow, kTpsTexts, working_[M::kTpsType]);
  if (working_[M::kLambdaType] != kAbsent)
    ShowOption(effects_, Measurements::kLambdaTypeRow, kLambdaTexts, working_[M::kLambdaType]);
}

void Autoconfig::Next() {
  if (step_ == 6) {
    const Results& found = measure_.Found();
    SetByte(M::kTpsThreshold, found.tpsThreshold);
    SetByte(M::kOpeningThreshold, found.tpsThreshold);
    SetByte(M::kLambdaThreshold, found.lambdaThreshold);
    // The petrol results are taken: the gas procedure saves them as its own
    // starting point.
    step_ = 0;
    GasStart();
  } else if (step_ == 15) {
    measure_.ClearCounters();
    effects_.SetGaugeMaximum(Measurements::kCrossingTarget);
    effects_.SetGaugeValue(0);
    effects_.ShowGaugePanel(true);
    step_ = 16;
  }
}

void Autoconfig::ApplyResults() {
  // Before the coil type is found its byte holds the reference setting of
  // the measurement, not a result: the installer's own setting goes back.
  if (step_ == 4) working_[M::kCoilType] = backup_[0];
  Results& found = measure_.Found();
  if (found.tpsThreshold != 0) {
    SetByte(M::kTpsThreshold, found.tpsThreshold);
    SetByte(M::kOpeningThreshold, found.tpsThreshold);
  }
  if (found.lambdaThreshold != 0) SetByte(M::kLambdaThreshold, found.lambdaThreshold);
  if (found.idlePosition > found.highPosition) found.highPosition = found.idlePosition;
  if (found.idlePosition != 0) {
    SetByte(M::kPosition900, found.idlePosition);
    SetByte(M::kPosition3000, found.highPosition);
  }
  effects_.RebuildGrid();
  step_ = 0;
}

void Autoconfig::Apply() {
  ApplyResults();
  effects_.ShowApplied();
}

void Autoconfig::Restore() {
  for (std::size_t i = 0; i < kBackedUp.size(); ++i) {
    working_[kBackedUp[i]] = backup_[i];
    Marked(kBackedUp[i]);
  }
}

void Autoconfig::Cancel() {
  if (step_ != 0) Restore();
  effects_.RebuildGrid();
  step_ = 0;
}

void Autoconfig::Leave() {
  if (step_ >= kFirstMeasuringStep) {
    // The polls go on while the question is open: no step may end the
    // procedure under it.
    const int from = step_;
    step_ = kAsking;
    const bool apply = effects_.Ask(TextLine{txt::kApplyAutoconfigQuestion, 0},
                                    link::MsgButtons::OkCancel) == link::MsgResult::Ok;
    step_ = from;
    // The page change under way decides which page comes next, so applying
    // here does not bring the Parameters page back.
    if (apply) {
      ApplyResults();
    } else {
      Cancel();
    }
  } else if (step_ != 0) {
    Cancel();  // the controller's mode may have been asked for, nothing measured
  }
  for (const WizardButton b : {WizardButton::Next, WizardButton::Ok, WizardButton::Cancel})
    effects_.ShowButton(b, false);
  effects_.ShowGaugePanel(false);
  effects_.SetGaugeValue(0);
  effects_.ShowText({});
}

void Autoconfig::LinkLost(const link::ImageArea& lastRead) {
  if (step_ == 0) return;
  Cancel();
  lostOn_.emplace(lastRead, kBackedUp);
}

void Autoconfig::ControllerRead(const link::ImageArea& read) {
  if (!lostOn_) return;
  const bool same = *lostOn_ == ControllerIdentity(read, kBackedUp);
  lostOn_.reset();
  if (!same) return effects_.Tell(TextLine{txt::kSetUpNotRestored, 0});
  Restore();
  effects_.RebuildGrid();
}

void Autoconfig::ShowIdle() {
  effects_.ShowText({Line(txt::kWizardStartWithPetrol), TextLine{txt::kWizardPetrolMark, 4},
                     Line(txt::kWizardStartWithLpg), TextLine{txt::kWizardLpgMark, 4}});
  effects_.ShowGaugePanel(false);
  for (int row = Measurements::kCoilRow; row <= Measurements::kHighPositionRow; ++row)
    effects_.SetGridValue(row, {});
  for (const WizardButton b : {WizardButton::Next, WizardButton::Ok, WizardButton::Cancel})
    effects_.ShowButton(b, false);
}

void Autoconfig::ConfigurationSample(std::span<const std::uint8_t> reply) {
  if (const auto reading = ConfigReading::FromReply(reply)) Sample(*reading);
}

void Autoconfig::ConnectionStateChanged(link::ConnectionState state,
                                        const link::ImageArea& controllerCopy) {
  if (state == link::ConnectionState::NotConnected) LinkLost(controllerCopy);
  if (state == link::ConnectionState::ControllerRead) ControllerRead(controllerCopy);
}

void Autoconfig::Step() {
  if (step_ == 0) return ShowIdle();
  if (!hasReading_ || step_ == kAsking) return;
  const ConfigReading& r = last_;
  switch (step_) {
    case 1:
      return StepStart(r.PetrolSelected(), txt::kWizardSetPetrolMode, Measurements::kCoilRow, 2);
    case 2:
      return StepEngine(r.PetrolSelected(), txt::kWizardStartEngine);
    case 3:
      return StepIdle();
    case 4:
      return StepCoil();
    case 5:
      return StepAcceleration();
    case 10:
      return StepStart(r.AutoSelected(), txt::kWizardSetAutoMode, Measurements::kIdlePositionRow,
                       11);
    case 11:
      return StepEngine(r.AutoSelected(), txt::kWizardStartEngineOnAuto);
    case 12:
      if (!r.Running()) return;
      if (r.WaitingForGas()) Say({Line(txt::kWizardIncreaseToSwitchOver)});
      step_ = 13;
      return;
    case 13:
      if (r.GasState()) step_ = 14;
      return;
    case 14:
      return StepGasRunning();
    case 16:
    case 17:
      return StepCrossings();
    default:
      return;  // 6, 15 and 18 wait for a button
  }
}

// Steps 1 and 10: the controller's mode.
void Autoconfig::StepStart(bool modeReady, int modeText, int row, int next) {
  effects_.SelectGridRow(row);
  step_ = next;  // before asking: the timers keep running while the question is open
  if (modeReady) return;
  Say({Line(modeText)});
  AskSwitch();
}

// Steps 2 and 11: waits for the mode, then for the engine.
void Autoconfig::StepEngine(bool modeReady, int startText) {
  if (!modeReady) return;
  if (!last_.Running()) Say({Line(startText)});
  ++step_;
}

// Step 3: the engine runs; on petrol the idle measurement begins.
void Autoconfig::StepIdle() {
  if (!last_.Running()) return;
  if (!last_.PetrolState()) return Cancel();
  Say({Line(txt::kWizardKeepIdle)});
  effects_.ShowButton(WizardButton::Ok, true);
  effects_.ShowButton(WizardButton::Cancel, true);
  effects_.ShowButton(WizardButton::Next, false);
  effects_.SelectGridRow(Measurements::kCoilRow);
  measure_.ClearCounters();
  effects_.SetGaugeMaximum(kPercent);
  effects_.SetGaugeValue(0);
  effects_.ShowGaugePanel(true);
  step_ = 4;
}

// Step 4: the coil type from the idle speed.
void Autoconfig::StepCoil() {
  if (!last_.PetrolState()) return Cancel();
  effects_.SetGaugeValue(measure_.LargestCoilCount());
  if (const auto coil = measure_.CoilType()) {
    SetByte(M::kCoilType, *coil);
    ShowOption(effects_, Measurements::kCoilRow, kCoilTexts, *coil);
  }
  if (measure_.LargestCoilCount() < Measurements::kBandTarget) return;
  Say({Line(txt::kWizardIncreaseTo3000Rpm)});
  effects_.SelectGridRow(Measurements::kTpsTypeRow);
  measure_.ClearKeepingIdleReference();
  effects_.SetGaugeMaximum(kPercent);
  effects_.SetGaugeValue(0);
  step_ = 5;
}

// Step 5: the TPS and lambda sensor types once up to speed.
void Autoconfig::StepAcceleration() {
  effects_.SetGaugeValue(std::min(measure_.Progress(), kPercent));
  if (measure_.Progress() < kPercent) return;
  const int tps = measure_.TpsType();
  SetByte(M::kTpsType, tps);
  ShowOption(effects_, Measurements::kTpsTypeRow, kTpsTexts, tps);
  const int lambda = Measurements::LambdaType(measure_.Found().lambdaThreshold);
  SetByte(M::kLambdaType, lambda);
  ShowOption(effects_, Measurements::kLambdaTypeRow, kLambdaTexts, lambda);
  Say({Line(txt::kWizardContinueWithLpg), Line(txt::kWizardApplySaves),
       Line(txt::kWizardDeleteOmits), TextLine{}});
  effects_.SelectGridRow(Measurements::kIdlePositionRow);
  effects_.ShowButton(WizardButton::Next, true);
  effects_.ShowGaugePanel(false);
  step_ = 6;
}

// Step 14: on gas; the installer adjusts the reducer.
void Autoconfig::StepGasRunning() {
  if (!last_.GasState()) return Cancel();
  Say({Line(txt::kWizardKeepEngineIdle), Line(txt::kWizardAdjustRegulator),
       Line(txt::kWizardActuatorRange), Line(txt::kWizardContinueConfirms),
       Line(txt::kWizardDeleteOmitsLpg)});
  effects_.SelectGridRow(Measurements::kIdlePositionRow);
  measure_.ClearCounters();
  effects_.SetGaugeMaximum(kPercent);
  effects_.SetGaugeValue(0);
  effects_.ShowGaugePanel(false);
  effects_.ShowButton(WizardButton::Ok, false);
  effects_.ShowButton(WizardButton::Cancel, true);
  effects_.ShowButton(WizardButton::Next, true);
  step_ = 15;
}

// Steps 16 and 17: five crossings at idle, then five at 3000 rpm.
void Autoconfig::StepCrossings() {
  effects_.SetGaugeValue(measure_.Crossings());
  if (measure_.Crossings() < Measurements::kCrossingTarget) return;
  if (step_ == 16) {
    Say({Line(txt::kWizardKeep3000Rpm)});
    effects_.SelectGridRow(Measurements::kHighPositionRow);
    measure_.ClearCounters();
    effects_.SetGaugeMaximum(Measurements::kCrossingTarget);
    effects_.SetGaugeValue(0);
    effects_.ShowGaugePanel(true);
    step_ = 17;
    return;
  }
  Say({Line(txt::kWizardApplySavesLpg), Line(txt::kWizardDeleteOmitsLpg)});
  effects_.ShowGaugePanel(false);
  effects_.ShowButton(WizardButton::Ok, true);
  effects_.ShowButton(WizardButton::Cancel, true);
  Results& found = measure_.Found();
  if (found.idlePosition >= found.highPosition)
    found.highPosition = std::min(found.idlePosition + 1, 255);
  step_ = 18;
}

}  // namespace zo::autoconfig
