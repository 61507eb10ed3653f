#include "Scenario.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "FactoryImage.h"

namespace lpgsim {

namespace {

int Byte(double volts) {
  return static_cast<int>(std::lround(volts / 0.02));
}

EngineTraits Traits(double pulses, double closed, double open, bool tpsSwitch, double lean,
                    double rich, double idle, double high) {
  EngineTraits t;
  t.pulsesPerTurn = pulses;
  t.tpsClosed = closed;
  t.tpsOpen = open;
  t.tpsSwitch = tpsSwitch;
  t.lambdaLean = lean;
  t.lambdaRich = rich;
  t.lambdaRest = lean;   // a standing engine's exhaust is air
  t.mixtureDrift = 0.2;  // a sound engine: the positions found hold
  t.idealIdle = idle;
  t.idealHigh = high;
  return t;
}

const std::array<Scenario, 3> kScenarios{{
    {"four-cylinder", "4 cylinders, 0-1 V probe, 0-5 V TPS",
     Traits(2.0, 0.6, 2.6, false, 0.10, 0.80, 72.0, 118.0), 0, 0, 0},
    {"two-cylinder-coil", "coil for 2 cylinders, 0-5 V probe, 5-0 V TPS",
     Traits(1.0, 4.4, 1.4, false, 0.20, 4.80, 64.0, 104.0), 4, 1, 1},
    {"switch-tps", "3 cylinders, 0.8-1.6 V probe, TPS switch",
     Traits(1.5, 0.0, 5.0, true, 0.90, 1.50, 80.0, 126.0), 6, 2, 3},
}};

constexpr double kIdle = 800.0;
constexpr double kHigh = 3000.0;
constexpr double kSwitchOverSpeed = 2200.0;
constexpr double kCrankDelay = 1.5;  // from petrol selected to the key turned
constexpr double kReducerOffset = -35.0;

}  // namespace

std::span<const Scenario> Scenario::All() {
  return kScenarios;
}

const Scenario* Scenario::Find(std::string_view name) {
  const auto found = std::find_if(kScenarios.begin(), kScenarios.end(),
                                  [name](const Scenario& s) { return s.name == name; });
  return found == kScenarios.end() ? nullptr : &*found;
}

ParameterImage Scenario::Image(const SimConfig& config) const {
  ParameterImage image = FactoryImage::Build(config);
  image[ImageMap::kCoilType] = coilType == 3 ? 2 : 3;
  image[ImageMap::kTpsType] = 4;
  image[ImageMap::kLambdaType] = 4;
  image[ImageMap::kOpeningThreshold] = 100;
  image[ImageMap::kTpsThreshold] = 100;
  image[ImageMap::kLambdaThreshold] = 80;
  image[ImageMap::kPosition900] = 40;
  image[ImageMap::kPosition3000] = 60;
  image[ImageMap::kSwitchByTemperature] = 0;
  image[ImageMap::kLambdaCold] = 1;
  return image;
}

int Scenario::LambdaThreshold() const {
  return (Byte(traits.lambdaLean) + Byte(traits.lambdaRich)) / 2;
}

int Scenario::TpsThreshold() const {
  return std::min(Byte(traits.tpsClosed), Byte(traits.tpsOpen)) + 12;
}

ScenarioDriver::ScenarioDriver(const Scenario& scenario, EngineModel& engine) : engine_(engine) {
  engine_.SetTraits(scenario.traits);
  engine_.SetSelected(FuelSelect::Auto);
  engine_.SetIgnition(false);
  engine_.SetTargetRpm(kIdle);
  engine_.SetReducerOffset(kReducerOffset);
}

void ScenarioDriver::Enter(Phase phase, double now) {
  phase_ = phase;
  since_ = now;
}

void ScenarioDriver::Drive(std::chrono::microseconds now) {
  const double t = std::chrono::duration<double>(now).count();
  const double in = t - since_;
  const FuelSelect selected = engine_.Selected();
  switch (phase_) {
    case Phase::Standing:
      if (selected == FuelSelect::Petrol) Enter(Phase::Starting, t);
      return;
    case Phase::Starting:
      if (in < kCrankDelay) return;
      engine_.SetIgnition(true);
      return Enter(Phase::Petrol, t);
    case Phase::Petrol:
      if (selected == FuelSelect::Auto) {
        engine_.SetTargetRpm(kIdle);
        return Enter(Phase::AutoIdle, t);
      }
      DrivePetrol(in);
      if (in > kPetrolIdle + kRise + kPetrolHigh) Enter(Phase::PetrolDone, t);
      return;
    case Phase::PetrolDone:
      engine_.SetTargetRpm(kIdle);
      if (selected == FuelSelect::Auto) Enter(Phase::AutoIdle, t);
      return;
    case Phase::AutoIdle:
      engine_.SetTargetRpm(kIdle);
      if (in > 2.0) Enter(Phase::SwitchOver, t);
      return;
    case Phase::SwitchOver:
      engine_.SetTargetRpm(kSwitchOverSpeed);
      if (engine_.InUse() == FuelInUse::Gas) Enter(Phase::GasIdle, t);
      return;
    case Phase::GasIdle:
      engine_.SetTargetRpm(kIdle);
      // The installer turns the reducer's screw until the actuator settles.
      engine_.SetReducerOffset(kReducerOffset *
                               std::clamp(1.0 - (in - kReducerAdjusted) / 3.0, 0.0, 1.0));
      if (in > kGasIdle) Enter(Phase::GasHigh, t);
      return;
    case Phase::GasHigh:
      engine_.SetTargetRpm(kHigh);
      return;
  }
}

void ScenarioDriver::DrivePetrol(double seconds) {
  const double rising = std::clamp((seconds - kPetrolIdle) / kRise, 0.0, 1.0);
  engine_.SetTargetRpm(
      seconds > kPetrolIdle + kRise + kPetrolHigh ? kIdle : kIdle + (kHigh - kIdle) * rising);
}

}  // namespace lpgsim
