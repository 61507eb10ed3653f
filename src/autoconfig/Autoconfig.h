// The guided autoconfiguration of the Configuration page. A petrol procedure
// (steps 1..6) finds the coil type, the TPS type and threshold and the lambda
// sensor type and threshold; a gas procedure (steps 10..18) finds the
// actuator positions for idle and for 3000 rpm. Found types go into the
// working copy of the parameter image at once, thresholds and positions when
// the installer applies them; the scheduler writes every changed byte to the
// controller. Cancelling puts the eight bytes back that a procedure may
// change, so no half-applied set-up stays in the controller.
//
// The link hands it every configuration-data reply (a reading for Sample) and
// one step after every poll (Step); the Configuration page shows it.
#pragma once

#include <array>
#include <optional>
#include <span>

#include "ConfigReading.h"
#include "ControllerIdentity.h"
#include "IAutoconfigEffects.h"
#include "Measurements.h"
#include "link/ChangeCauses.h"
#include "link/ImageMap.h"
#include "link/LinkTypes.h"
#include "link/ReplyConsumers.h"

namespace zo::autoconfig {

class Autoconfig : public link::IWizardReplies {
 public:
  // Image bytes a procedure may change, saved when it starts.
  static constexpr std::array<std::size_t, 8> kBackedUp{
      link::ImageMap::kCoilType,        link::ImageMap::kTpsType,
      link::ImageMap::kLambdaType,      link::ImageMap::kTpsThreshold,
      link::ImageMap::kLambdaThreshold, link::ImageMap::kOpeningThreshold,
      link::ImageMap::kPosition900,     link::ImageMap::kPosition3000};

  // The bytes it changes are marked in `causes` when given.
  Autoconfig(link::ImageArea& working, IAutoconfigEffects& effects,
             link::ChangeCauses* causes = nullptr);

  // The page was entered: no procedure.
  void Reset() {
    step_ = 0;
    hasReading_ = false;
  }
  // The measurements of one reply.
  void Sample(const ConfigReading& reading);
  // One step of the state machine with the last reading.
  void Step();

  // link::IWizardReplies: a configuration-data reply, one step after every
  // poll, and the page selected.
  void ConfigurationSample(std::span<const std::uint8_t> reply) override;
  void ConfigurationStep() override { Step(); }
  void ConfigurationEntered() override { Reset(); }

  // The wizard's buttons.
  void PetrolStart();
  void GasStart();
  void Next();
  void Apply();
  void Cancel();
  // Another page is chosen: asks whether to apply a procedure that has
  // measured something, and hides the wizard.
  void Leave();
  // The link was lost during a procedure: the procedure is cancelled. The
  // image as last read tells whether the controller read after the
  // reconnection is the same one: then the saved bytes go into the working
  // copy again (the read replaced it); another controller keeps its own
  // set-up, and the user is told that the earlier one was not restored.
  void LinkLost(const link::ImageArea& lastRead);
  void ControllerRead(const link::ImageArea& read);
  // The connection state the link reports, with the controller copy as last
  // read: a lost link ends a procedure, and the read after it tells whether
  // the same controller is back.
  void ConnectionStateChanged(link::ConnectionState state, const link::ImageArea& controllerCopy);

  [[nodiscard]] int StepNumber() const { return step_; }
  // The engine speed is not shown while the coil type is measured.
  [[nodiscard]] bool SpeedHidden() const { return step_ == 4; }
  [[nodiscard]] const Results& Found() const { return measure_.Found(); }

 private:
  void Say(std::vector<TextLine> lines);
  void AskSwitch();
  void Begin(int step, int titleText);
  void Restore();
  void ShowIdle();
  void StepStart(bool modeReady, int modeText, int row, int next);
  void StepEngine(bool modeReady, int startText);
  void StepIdle();
  void StepCoil();
  void StepAcceleration();
  void StepGasRunning();
  void StepCrossings();
  void SetByte(std::size_t index, int value);
  void Marked(std::size_t index);
  void ApplyResults();

  link::ImageArea& working_;
  link::ChangeCauses* causes_;
  IAutoconfigEffects& effects_;
  Measurements measure_;
  int step_ = 0;
  ConfigReading last_;
  bool hasReading_ = false;  // a reply arrived since the page was entered
  std::array<std::uint8_t, kBackedUp.size()> backup_{};
  // The controller a procedure was cut off on, until the next read.
  std::optional<ControllerIdentity> lostOn_;
};

}  // namespace zo::autoconfig
