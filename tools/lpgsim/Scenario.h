// Scenarios for trying the autoconfiguration without a car: an engine with
// its coil, throttle sensor and lambda probe, a controller set up wrongly for
// it, and a driver who does what the wizard asks. The engine stands with
// automatic mode selected; once petrol is selected it starts, idles, rises
// slowly to 3000 rpm, holds and comes back to idle. Once automatic mode is
// selected again it speeds up until the controller switches over to gas,
// idles on gas while the reducer is adjusted (the actuator settles in the
// range the wizard asks for), then holds 3000 rpm on gas.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string_view>

#include "EngineModel.h"
#include "SimConfig.h"

namespace lpgsim {

struct Scenario {
  std::string_view name;
  std::string_view description;
  EngineTraits traits;
  // What the autoconfiguration should find.
  std::uint8_t coilType = 0;
  std::uint8_t tpsType = 0;
  std::uint8_t lambdaType = 0;

  // All scenarios, and the one named, if any.
  static std::span<const Scenario> All();
  static const Scenario* Find(std::string_view name);

  // The factory image set up wrongly for this engine: other types, other
  // thresholds and positions, a switch-over that does not wait for warmth.
  [[nodiscard]] ParameterImage Image(const SimConfig& config) const;
  // Expected thresholds in 0.02 V and positions in steps.
  [[nodiscard]] int LambdaThreshold() const;
  [[nodiscard]] int TpsThreshold() const;
  [[nodiscard]] int IdlePosition() const { return static_cast<int>(*traits.idealIdle); }
  [[nodiscard]] int HighPosition() const { return static_cast<int>(*traits.idealHigh); }
};

// The driver of a scenario.
class ScenarioDriver {
 public:
  // Seconds of each part of the drive.
  static constexpr double kPetrolIdle = 18.0;
  static constexpr double kRise = 14.0;  // from idle to 3000 rpm
  static constexpr double kPetrolHigh = 12.0;
  static constexpr double kReducerAdjusted = 5.0;  // into the idle on gas
  static constexpr double kGasIdle = 40.0;

  // Sets the engine up: standing, automatic mode selected.
  ScenarioDriver(const Scenario& scenario, EngineModel& engine);
  // What the driver does up to `now`.
  void Drive(std::chrono::microseconds now);

 private:
  enum class Phase {
    Standing,
    Starting,
    Petrol,
    PetrolDone,
    AutoIdle,
    SwitchOver,
    GasIdle,
    GasHigh
  };
  void Enter(Phase phase, double now);
  void DrivePetrol(double seconds);

  EngineModel& engine_;
  Phase phase_ = Phase::Standing;
  double since_ = 0.0;  // when the phase began, seconds
};

}  // namespace lpgsim
