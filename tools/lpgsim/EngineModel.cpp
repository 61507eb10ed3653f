#include "EngineModel.h"

#include <algorithm>
#include <cmath>

#include "FactoryImage.h"

namespace lpgsim {

namespace {

constexpr double kDt = 0.01;  // seconds per step

// Reducer temperature sensor table: degrees C per row and the raw reading of
// the two sensor types (10k and 2k2 thermistors).
constexpr std::array<int, 44> kCelsius = {185, 175, 155, 145, 135, 130, 125, 120, 115, 110, 105,
                                          100, 95,  90,  85,  80,  75,  70,  65,  60,  55,  50,
                                          45,  40,  35,  30,  25,  20,  15,  10,  5,   0,   -5,
                                          -10, -15, -20, -25, -30, -35, -40, -45, -50, -55, -60};
constexpr std::array<int, 44> kRaw10k = {0,   1,   2,   3,   4,   5,   7,   9,   11,  13,  15,
                                         17,  19,  21,  25,  29,  33,  38,  44,  51,  59,  68,
                                         78,  89,  101, 113, 127, 141, 155, 169, 182, 194, 205,
                                         215, 223, 230, 238, 240, 245, 250, 252, 253, 254, 255};
constexpr std::array<int, 44> kRaw2k2 = {0,   1,   1,   1,   2,   2,   3,   3,   4,   4,   4,
                                         5,   5,   5,   6,   7,   8,   10,  12,  13,  16,  19,
                                         22,  26,  30,  36,  42,  49,  58,  68,  80,  92,  106,
                                         121, 137, 153, 168, 182, 200, 220, 240, 253, 254, 255};

// Ignition pulses per crankshaft turn for each coil setting; the engine has
// four cylinders and so really gives two.
constexpr std::array<double, 7> kPulsesPerTurn = {2.0, 2.5, 3.0, 4.0, 1.0, 0.5, 1.5};

double ImageByte(std::span<const std::uint8_t> image, int index) {
  const auto i = static_cast<std::size_t>(index);
  return i < image.size() ? static_cast<double>(image[i]) : 0.0;
}

// The actuator position the mixture needs at a given engine speed, from the
// positions set for 900 and 3000 rpm.
double PositionForRpm(std::span<const std::uint8_t> image, double rpm) {
  const double p900 = ImageByte(image, ImageMap::kPosition900);
  const double p3000 = ImageByte(image, ImageMap::kPosition3000);
  return p900 + (p3000 - p900) * (rpm - 900.0) / 2100.0;
}

}  // namespace

EngineModel::EngineModel(std::uint32_t seed) : random_(seed) {}

double EngineModel::Uniform() {
  return static_cast<double>(random_()) / 4294967296.0;  // 2^32
}

void EngineModel::AdvanceTo(std::chrono::microseconds now, std::span<const std::uint8_t> image) {
  while (time_ + kStep <= now) {
    time_ += kStep;
    Step(image);
  }
}

double EngineModel::IdealPosition(std::span<const std::uint8_t> image, double rpm) const {
  if (!traits_.idealIdle || !traits_.idealHigh) return PositionForRpm(image, rpm);
  return *traits_.idealIdle + (*traits_.idealHigh - *traits_.idealIdle) * (rpm - 900.0) / 2100.0;
}

void EngineModel::SetIgnition(bool on) {
  if (on && !ignition_) crankSeconds_ = 0.0;
  ignition_ = on;
}

void EngineModel::SetTargetRpm(double rpm) {
  targetRpm_ = std::clamp(rpm, kIdleRpm, 7000.0);
}

void EngineModel::SetSelected(FuelSelect mode) {
  selected_ = mode;
  switchOverSpeedSeen_ = false;
  dualSeconds_ = 0.0;
  if (mode == FuelSelect::Petrol) inUse_ = FuelInUse::Petrol;
  if (mode == FuelSelect::Auto) inUse_ = FuelInUse::AutoWaiting;
  if (mode == FuelSelect::Gas) inUse_ = FuelInUse::Dual;
}

void EngineModel::CycleSelected() {
  switch (selected_) {
    case FuelSelect::Petrol:
      SetSelected(FuelSelect::Gas);
      break;
    case FuelSelect::Gas:
      SetSelected(FuelSelect::Auto);
      break;
    case FuelSelect::Auto:
      SetSelected(FuelSelect::Petrol);
      break;
  }
}

void EngineModel::Step(std::span<const std::uint8_t> image) {
  StepSpeed();
  StepFuel(image);
  StepMixture(image);
  StepSignals(image);
  StepCounters();
}

void EngineModel::StepSpeed() {
  lastRpm_ = rpm_;
  if (!ignition_) {
    running_ = false;
    smoothRpm_ = std::max(0.0, smoothRpm_ - 1500.0 * kDt);
    rpm_ = smoothRpm_;
    return;
  }
  if (!running_) {
    // Cranking for a second, then the engine catches.
    crankSeconds_ += kDt;
    smoothRpm_ = 250.0;
    rpm_ = smoothRpm_ + Noise(20.0);
    if (crankSeconds_ >= 1.0) {
      running_ = true;
      runSeconds_ = 0.0;
      coldSeconds_ = 0.0;
    }
    return;
  }
  runSeconds_ += kDt;
  coldSeconds_ += kDt;
  smoothRpm_ += (targetRpm_ - smoothRpm_) * kDt / 0.3;
  rpmNoise_ = 0.9 * rpmNoise_ + Noise(6.0);
  rpm_ = smoothRpm_ + rpmNoise_;
}

void EngineModel::StepFuel(std::span<const std::uint8_t> image) {
  if (!running_) {
    if (selected_ != FuelSelect::Petrol) SetSelected(selected_);
    waitFlags_ = 0;
    return;
  }
  const bool warm =
      ImageByte(image, ImageMap::kSwitchByTemperature) == 0.0 ||
      reducerCelsius_ >=
          CelsiusOfRaw(static_cast<std::uint8_t>(ImageByte(image, ImageMap::kTemperatureThreshold)),
                       static_cast<std::uint8_t>(ImageByte(image, ImageMap::kTemperatureSensor)));
  const double switchRpm = ImageByte(image, ImageMap::kSwitchOverRpm) * 100.0;
  const double maxGasRpm = ImageByte(image, ImageMap::kMaxGasRpm) * 100.0;
  const double dualTime = ImageByte(image, ImageMap::kSwitchOverTime) * 0.01;
  waitFlags_ = 0;

  switch (selected_) {
    case FuelSelect::Petrol:
      inUse_ = FuelInUse::Petrol;
      return;
    case FuelSelect::Gas:
      // Forced gas: straight over, through the dual phase.
      if (inUse_ != FuelInUse::Gas) {
        inUse_ = FuelInUse::Dual;
        dualSeconds_ += kDt;
        if (dualSeconds_ >= dualTime) inUse_ = FuelInUse::Gas;
      }
      return;
    case FuelSelect::Auto:
      break;
  }
  if (rpm_ >= switchRpm) switchOverSpeedSeen_ = true;
  if (!warm) {
    inUse_ = FuelInUse::AutoWaiting;
    waitFlags_ = 16;
  } else if (!switchOverSpeedSeen_) {
    inUse_ = FuelInUse::AutoWaiting;
    waitFlags_ = 8;
  } else if (maxGasRpm > 0.0 && rpm_ > maxGasRpm) {
    inUse_ = FuelInUse::AutoWaiting;
    waitFlags_ = 136;
    dualSeconds_ = 0.0;
  } else if (inUse_ != FuelInUse::Gas) {
    inUse_ = FuelInUse::Dual;
    dualSeconds_ += kDt;
    if (dualSeconds_ >= dualTime) inUse_ = FuelInUse::Gas;
  }
}

void EngineModel::StepMixture(std::span<const std::uint8_t> image) {
  const double minPos = ImageByte(image, ImageMap::kMinPosition);
  const double maxPos = std::max(minPos, ImageByte(image, ImageMap::kMaxPosition));
  const bool onGas = running_ && inUse_ == FuelInUse::Gas;

  // The mixture's slow drift, pulled back towards zero.
  wander_ += Noise(traits_.mixtureDrift) - wander_ * kDt / 5.0;

  const double ideal = IdealPosition(image, rpm_) + reducerOffset_ + wander_;
  const double exhaust = onGas ? actuator_ - ideal : petrolTrim_ - wander_;

  // The probe sees the exhaust after about 150 ms.
  richHistory_[richIndex_] = exhaust > 0.0;
  richIndex_ = (richIndex_ + 1) % richHistory_.size();
  const bool rich = richHistory_[richIndex_];
  const double target = !running_ ? traits_.lambdaRest
                                  : (rich ? traits_.lambdaRich : traits_.lambdaLean) + Noise(0.02);
  lambdaVolts_ += (target - lambdaVolts_) * kDt / 0.06;

  const double threshold = ImageByte(image, ImageMap::kLambdaThreshold) * 0.02;
  const bool probeRich = lambdaVolts_ > threshold;

  // The petrol computer's own closed loop, on the middle of its probe.
  const bool petrolRich = lambdaVolts_ > (traits_.lambdaLean + traits_.lambdaRich) / 2.0;
  if (running_ && !onGas)
    petrolTrim_ += (petrolRich ? -12.0 : 12.0) * kDt;
  else
    petrolTrim_ *= 0.99;

  const bool cold = coldSeconds_ < ImageByte(image, ImageMap::kLambdaCold) * 5.0;
  if (onGas) {
    // Follow the engine speed along the 900/3000 rpm positions, and correct
    // by the lambda probe at the regulation speed.
    actuator_ += PositionForRpm(image, rpm_) - PositionForRpm(image, lastRpm_);
    if (!cold && ImageByte(image, 53) == 1.0) {
      const double speed = 4.0 + ImageByte(image, ImageMap::kLambdaActuatorSpeed);
      actuator_ += (probeRich ? -speed : speed) * kDt;
    }
    actuator_ = std::clamp(actuator_, minPos, maxPos);
  } else {
    // Parked at the switching position, ready for the switch-over.
    const double park = ImageByte(image, ImageMap::kSwitchingPosition);
    const double move = std::clamp(park - actuator_, -50.0 * kDt, 50.0 * kDt);
    actuator_ = std::clamp(actuator_ + move, 0.0, 255.0);
  }

  std::uint8_t flags = 0;
  if (running_ && cold) flags |= 0x01;
  // Regulation from engine speed while the speed is still settling.
  if (onGas && ImageByte(image, 52) == 1.0 && std::abs(targetRpm_ - smoothRpm_) > 150.0) {
    flags |= 0x04;
  }
  if (ImageByte(image, 47) == 1.0 && rpm_ > ImageByte(image, 48) * 100.0 && tpsVolts_ < 0.7)
    flags |= 0x08;
  if (ImageByte(image, 54) == 1.0 && tpsVolts_ > ImageByte(image, 57) * 0.02) flags |= 0x20;
  if (running_) flags |= probeRich ? 0x80 : 0x40;
  regulationFlags_ = flags;
}

void EngineModel::StepSignals(std::span<const std::uint8_t> image) {
  const bool onGas = running_ && inUse_ == FuelInUse::Gas;
  const double opening = std::max(0.0, targetRpm_ - kIdleRpm) / 2200.0;
  const double travel = traits_.tpsSwitch ? (opening > 0.1 ? 1.0 : 0.0) : opening;
  const double tps = traits_.tpsClosed + (traits_.tpsOpen - traits_.tpsClosed) * travel;
  tpsVolts_ = ignition_ ? std::max(0.0, tps + Noise(0.01)) : 0.0;
  tpsMarker_ = tpsVolts_ > ImageByte(image, 57) * 0.02;
  vacuumVolts_ = running_ ? 1.2 + 1.5 * opening + Noise(0.02) : 4.5;
  injectionMs_ = running_ ? 3.0 + 3.0 * opening + Noise(0.1) : 0.0;

  if (onGas) {
    // The simulated probe for the petrol computer: the typical square wave.
    const double hi = std::max(1.0, ImageByte(image, ImageMap::kSimulationTimeHi)) * 0.02;
    const double lo = std::max(1.0, ImageByte(image, ImageMap::kSimulationTimeLo)) * 0.02;
    simPhaseSeconds_ = std::fmod(simPhaseSeconds_ + kDt, hi + lo);
    simVolts_ = simPhaseSeconds_ < hi ? traits_.lambdaRich : traits_.lambdaLean;
    gasLevelVolts_ = std::max(0.2, gasLevelVolts_ - 0.0005 * kDt);
  } else {
    simVolts_ = lambdaVolts_;
  }

  if (running_)
    reducerCelsius_ += (85.0 - reducerCelsius_) * kDt / 150.0;
  else
    reducerCelsius_ += (20.0 - reducerCelsius_) * kDt / 900.0;
}

void EngineModel::StepCounters() {
  if (!running_) return;
  constexpr std::int64_t kSecond = 1000000;
  std::int64_t& micros = inUse_ == FuelInUse::Gas ? gasMicros_ : petrolMicros_;
  std::uint32_t& seconds = inUse_ == FuelInUse::Gas ? gasSeconds_ : petrolSeconds_;
  micros += kStep.count();
  while (micros >= kSecond) {
    micros -= kSecond;
    ++seconds;
  }
}

std::uint8_t EngineModel::StatusByte() const {
  unsigned status = static_cast<unsigned>(selected_);
  if (ignition_) status |= 0x80u;
  if (running_) status |= 0x40u | static_cast<unsigned>(inUse_);
  if (tpsMarker_) status |= 0x20u;
  return static_cast<std::uint8_t>(status);
}

std::uint8_t EngineModel::RpmReading(std::uint8_t coilType) const {
  const double pulses = coilType < kPulsesPerTurn.size() ? kPulsesPerTurn[coilType] : 2.0;
  const double reading = rpm_ * traits_.pulsesPerTurn / pulses / 100.0;
  return static_cast<std::uint8_t>(std::clamp(std::lround(reading), 0L, 255L));
}

std::uint8_t EngineModel::VoltsByte(double volts) {
  return static_cast<std::uint8_t>(std::clamp(std::lround(volts / 0.02), 0L, 255L));
}

double EngineModel::CelsiusOfRaw(std::uint8_t raw, std::uint8_t sensorType) {
  const auto& column = sensorType == 1 ? kRaw2k2 : kRaw10k;
  for (std::size_t row = 0; row < column.size(); ++row) {
    if (column[row] >= raw) return kCelsius[row];
  }
  return kCelsius.back();
}

std::uint8_t EngineModel::TemperatureRaw(std::uint8_t sensorType) const {
  // Interpolate the table between the two rows around the temperature.
  const auto& column = sensorType == 1 ? kRaw2k2 : kRaw10k;
  const double t = reducerCelsius_;
  for (std::size_t row = 1; row < kCelsius.size(); ++row) {
    const double upper = kCelsius[row - 1];
    const double lower = kCelsius[row];
    if (t <= upper && t >= lower) {
      const double f = (upper - t) / (upper - lower);
      const double raw = column[row - 1] + f * (column[row] - column[row - 1]);
      return static_cast<std::uint8_t>(std::lround(raw));
    }
  }
  return static_cast<std::uint8_t>(t > kCelsius.front() ? column.front() : column.back());
}

}  // namespace lpgsim
