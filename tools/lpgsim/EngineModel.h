// A small deterministic model of the car around the controller: engine speed,
// narrow-band lambda probe, gas actuator, throttle, vacuum, injection, gas
// level, reducer temperature and the controller's petrol/gas decisions. It
// steps in 10 ms increments and reads its settings from the parameter image.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <random>
#include <span>

namespace lpgsim {

// The fuel mode chosen with the petrol/gas switch (status byte bits 0..1).
enum class FuelSelect : std::uint8_t { Gas = 1, Petrol = 2, Auto = 3 };

// The fuel the engine runs on (status byte bits 2..4, while running).
enum class FuelInUse : std::uint8_t { Gas = 4, Dual = 8, Petrol = 16, AutoWaiting = 24 };

// What the engine and its sensors are like. The defaults are a four-cylinder
// engine with a 0-1 V probe and a 0-5 V throttle sensor whose ideal actuator
// positions are those set in the image.
struct EngineTraits {
  double pulsesPerTurn = 2.0;  // ignition pulses per crankshaft turn
  double tpsClosed = 0.6;      // TPS volts at idle
  double tpsOpen = 1.8;        // ... at the throttle of 3000 rpm
  bool tpsSwitch = false;      // a switch: closed or open, nothing between
  double lambdaLean = 0.10;
  double lambdaRich = 0.80;
  double lambdaRest = 0.0;    // while the engine stands
  double mixtureDrift = 0.4;  // the mixture's random drift per step, actuator steps
  // The actuator positions the mixture really needs at 900 and 3000 rpm;
  // unset: the positions of the image.
  std::optional<double> idealIdle;
  std::optional<double> idealHigh;
};

class EngineModel {
 public:
  static constexpr std::chrono::microseconds kStep{10000};
  static constexpr double kIdleRpm = 800.0;

  explicit EngineModel(std::uint32_t seed = 1);

  // Steps the model up to `now` with the settings in `image` (184 bytes).
  void AdvanceTo(std::chrono::microseconds now, std::span<const std::uint8_t> image);
  [[nodiscard]] std::chrono::microseconds Time() const { return time_; }

  void SetTraits(const EngineTraits& traits) { traits_ = traits; }
  [[nodiscard]] const EngineTraits& Traits() const { return traits_; }
  // How far the reducer's setting shifts the gas the actuator has to let
  // through, in actuator steps; 0 is a well adjusted reducer.
  void SetReducerOffset(double steps) { reducerOffset_ = steps; }

  // What the driver does.
  void SetIgnition(bool on);
  void SetTargetRpm(double rpm);  // the throttle, as the speed it settles at
  void SetSelected(FuelSelect mode);
  // The petrol/gas switch pressed once: petrol -> gas -> auto -> petrol.
  void CycleSelected();

  // Physical values.
  [[nodiscard]] bool Ignition() const { return ignition_; }
  [[nodiscard]] bool Running() const { return running_; }
  [[nodiscard]] double Rpm() const { return rpm_; }
  [[nodiscard]] double LambdaVolts() const { return lambdaVolts_; }
  [[nodiscard]] double ActuatorSteps() const { return actuator_; }
  [[nodiscard]] double TpsVolts() const { return tpsVolts_; }
  [[nodiscard]] double VacuumVolts() const { return vacuumVolts_; }
  [[nodiscard]] double SimulationVolts() const { return simVolts_; }
  [[nodiscard]] double InjectionMs() const { return injectionMs_; }
  [[nodiscard]] double GasLevelVolts() const { return gasLevelVolts_; }
  [[nodiscard]] double ReducerCelsius() const { return reducerCelsius_; }
  [[nodiscard]] double SupplyVolts() const { return running_ ? 13.8 : (ignition_ ? 12.4 : 12.6); }
  [[nodiscard]] FuelSelect Selected() const { return selected_; }
  [[nodiscard]] FuelInUse InUse() const { return inUse_; }

  // Seconds run on petrol and on gas since the model started.
  [[nodiscard]] std::uint32_t PetrolSeconds() const { return petrolSeconds_; }
  [[nodiscard]] std::uint32_t GasSeconds() const { return gasSeconds_; }

  // The controller's bytes.
  [[nodiscard]] std::uint8_t StatusByte() const;
  [[nodiscard]] std::uint8_t RegulationFlags() const { return regulationFlags_; }
  [[nodiscard]] std::uint8_t WaitFlags() const { return waitFlags_; }
  // Engine speed in 100 rpm as the controller counts it with coil setting
  // `coilType`; the engine itself has four cylinders.
  [[nodiscard]] std::uint8_t RpmReading(std::uint8_t coilType) const;
  // Reducer temperature as the raw reading of sensor type `sensorType`.
  [[nodiscard]] std::uint8_t TemperatureRaw(std::uint8_t sensorType) const;

  // Volts to the controller's 0.02 V units, clamped to a byte.
  static std::uint8_t VoltsByte(double volts);
  // The temperature table's reading for `raw` on sensor `sensorType`.
  static double CelsiusOfRaw(std::uint8_t raw, std::uint8_t sensorType);

 private:
  void Step(std::span<const std::uint8_t> image);
  void StepSpeed();
  void StepFuel(std::span<const std::uint8_t> image);
  void StepMixture(std::span<const std::uint8_t> image);
  void StepSignals(std::span<const std::uint8_t> image);
  void StepCounters();
  double Uniform();  // [0, 1)
  double Noise(double amplitude) { return (Uniform() * 2.0 - 1.0) * amplitude; }

  [[nodiscard]] double IdealPosition(std::span<const std::uint8_t> image, double rpm) const;

  EngineTraits traits_;
  double reducerOffset_ = 0.0;
  std::mt19937 random_;
  std::chrono::microseconds time_{0};

  bool ignition_ = true;
  bool running_ = true;
  double crankSeconds_ = 0.0;
  double runSeconds_ = 30.0;  // warm enough that the probe already swings
  double targetRpm_ = kIdleRpm;
  double smoothRpm_ = kIdleRpm;
  double rpmNoise_ = 0.0;
  double rpm_ = kIdleRpm;
  double lastRpm_ = kIdleRpm;

  FuelSelect selected_ = FuelSelect::Auto;
  FuelInUse inUse_ = FuelInUse::AutoWaiting;
  double dualSeconds_ = 0.0;
  bool switchOverSpeedSeen_ = false;

  // Mixture: the fuel control (actuator on gas, the petrol computer's trim on
  // petrol) against the ideal amount, seen by the probe after a delay.
  double petrolTrim_ = 0.0;
  double wander_ = 0.0;
  std::array<bool, 16> richHistory_{};
  std::size_t richIndex_ = 0;
  double lambdaVolts_ = 0.45;
  double actuator_ = 60.0;
  double coldSeconds_ = 0.0;

  double tpsVolts_ = 0.6;
  double vacuumVolts_ = 1.2;
  double simVolts_ = 0.45;
  double simPhaseSeconds_ = 0.0;
  double injectionMs_ = 3.0;
  double gasLevelVolts_ = 2.6;
  double reducerCelsius_ = 20.0;

  std::uint8_t regulationFlags_ = 0;
  std::uint8_t waitFlags_ = 0;
  bool tpsMarker_ = false;

  std::int64_t petrolMicros_ = 0;
  std::int64_t gasMicros_ = 0;
  std::uint32_t petrolSeconds_ = 0;
  std::uint32_t gasSeconds_ = 0;
};

}  // namespace lpgsim
