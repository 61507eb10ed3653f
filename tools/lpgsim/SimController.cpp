#include "SimController.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "FactoryImage.h"
#include "SimulatorProgram.h"
#include "WireSum.h"

namespace lpgsim {

namespace {

// Appends the check sum of everything before it.
std::vector<std::uint8_t> Sealed(std::vector<std::uint8_t> reply) {
  reply.push_back(WireSum(reply));
  return reply;
}

std::uint8_t Clamp(double value) {
  return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

std::uint32_t ReadLittleEndian32(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void WriteLittleEndian32(std::span<std::uint8_t> bytes, std::uint32_t value) {
  for (std::size_t k = 0; k < 4; ++k)
    bytes[k] = static_cast<std::uint8_t>((value >> (8 * k)) & 0xFFu);
}

}  // namespace

SimController::SimController(SimConfig config)
    : config_(std::move(config)),
      factory_(config_.initialImage.value_or(FactoryImage::Build(config_))),
      engine_(config_.seed),
      boot_(config_),
      log_(config_.requestLogCapacity),
      inBootLoader_(config_.startInBootLoader) {
  eeprom_.fill(0xFF);
  std::copy(factory_.begin(), factory_.end(), eeprom_.begin());
  if (const Scenario* scenario = Scenario::Find(config_.scenario)) {
    const ParameterImage image = scenario->Image(config_);
    std::copy(image.begin(), image.end(), eeprom_.begin());
    driver_.emplace(*scenario, engine_);
  } else if (config_.fuel) {
    engine_.SetSelected(*config_.fuel);
  }
  if (config_.storedImage)
    std::copy(config_.storedImage->begin(), config_.storedImage->end(), eeprom_.begin());

  // RAM: working registers of no particular meaning, then the known blocks.
  std::uint32_t x = config_.seed * 2654435761u + 12345u;
  for (std::uint8_t& b : ram_) {
    x = x * 1103515245u + 12345u;
    b = static_cast<std::uint8_t>((x >> 16) & 0xFFu);
  }
  const std::array<std::uint8_t, 16> counterBlock = {42, 0, 1, 0, 3, 0,  0, 0,
                                                     0,  0, 0, 0, 0, 23, 5, 17};  // made 2023-05-17
  std::copy(counterBlock.begin(), counterBlock.end(), ram_.begin() + kRamCounterBlock);
  UpdateRam();
}

void SimController::SetEepromByte(std::size_t index, std::uint8_t value) {
  if (index < eeprom_.size()) eeprom_[index] = value;
}

std::optional<std::vector<std::uint8_t>> SimController::Receive(std::uint8_t byte,
                                                                std::chrono::microseconds now) {
  AdvanceTo(now);
  const std::optional<std::vector<std::uint8_t>> frame = framer_.Push(byte, now, inBootLoader_);
  if (!frame) return std::nullopt;
  log_.Add(now, *frame);
  return inBootLoader_ ? AnswerBootLoader(*frame) : Answer(*frame);
}

void SimController::AdvanceTo(std::chrono::microseconds now) {
  if (inBootLoader_) return;  // the application, and with it the engine model, is not running
  if (driver_) driver_->Drive(now);
  engine_.AdvanceTo(now, Image());
  // A replayed controller's image is the traced one: its counters stand.
  if (!replay_) UpdateWorkingTimes();
  UpdateRam();
}

std::optional<std::vector<std::uint8_t>> SimController::Answer(
    std::span<const std::uint8_t> frame) {
  if (replay_) {
    if (auto traced = replay_->Answer(frame)) return traced;
  }
  switch (frame[0]) {
    case 0x55:
    case 0x56:
      return ReadParam(frame[0], frame[1]);
    case 0xAA:
      return WriteParam(frame[1], frame[2]);
    case 0x33:
      return LiveData();
    case 0x35:
      // The petrol/gas switch, pressed from the Parameters (0x33) or the
      // Configuration page (0xAC); answered with live data either way. The
      // autoconfiguration asks only for petrol or automatic mode: from the
      // Configuration page the request toggles between the two.
      if (frame[1] == 0x33) engine_.CycleSelected();
      if (frame[1] == 0xAC)
        engine_.SetSelected(engine_.Selected() == FuelSelect::Petrol ? FuelSelect::Auto
                                                                     : FuelSelect::Petrol);
      return LiveData();
    case 0x5A:
      return RamWatch(frame[1]);
    case 0xAC:
      return ConfigData();
    case 0xCA:
      return ProcessorInputs();
    case 0xC5:
      return MemoryPage(frame[1]);
    case 0x5C:
      return EepromRow(frame[1]);
    case 0x3A:
      if (frame[1] != 0x75 || frame[2] != 0x70) return std::nullopt;
      inBootLoader_ = true;
      return boot_.StatusReply(ImageByte(0), ImageByte(1));
    default:
      return std::nullopt;
  }
}

std::optional<std::vector<std::uint8_t>> SimController::AnswerBootLoader(
    std::span<const std::uint8_t> frame) {
  switch (frame[0]) {
    case 0x55:
    case 0x56:
    case 0x3A:
      return boot_.StatusReply(ImageByte(0), ImageByte(1));
    case 0x07: {
      std::optional<std::vector<std::uint8_t>> reply =
          boot_.Handle(frame, ImageByte(0), ImageByte(1));
      if (boot_.Result() == BootLoader::Outcome::Succeeded) {
        // The new program starts, as the controller it names.
        if (const auto identity = SimulatorProgram::Of(boot_.Flash())) {
          eeprom_[ImageMap::kModel] = identity->model;
          eeprom_[ImageMap::kVersion] = identity->version;
        } else if (config_.versionAfterUpload) {
          eeprom_[ImageMap::kVersion] = *config_.versionAfterUpload;
        }
        inBootLoader_ = false;
        framer_.Reset();
      }
      return reply;
    }
    default:
      return std::nullopt;
  }
}

std::vector<std::uint8_t> SimController::ReadParam(std::uint8_t command, std::uint8_t index) const {
  return Sealed({command, index, eeprom_[index]});
}

std::vector<std::uint8_t> SimController::WriteParam(std::uint8_t index, std::uint8_t value) {
  if (index == 0 && value == 0) {
    FactoryReset();
  } else if (index > 1) {
    // Model code and firmware version belong to the program, not to the user.
    eeprom_[index] = value;
  }
  if (!UsesWriteEcho()) return {0xAA, 0xAA};
  return Sealed({0xAA, index, eeprom_[index]});
}

void SimController::FactoryReset() {
  // Flags, bitmap and parameters come back; the identity, the dates and the
  // working-time counters stay.
  for (std::size_t i = 2; i < static_cast<std::size_t>(ImageMap::kInstallationDate); ++i) {
    if (i != 6) eeprom_[i] = factory_[i];
  }
}

std::vector<std::uint8_t> SimController::LiveData() const {
  const EngineModel& e = engine_;
  return Sealed({
      0x33,
      e.StatusByte(),                                // r1 status
      e.RegulationFlags(),                           // r2 regulation flags
      e.RpmReading(ImageByte(ImageMap::kCoilType)),  // r3 engine speed, 100 rpm
      EngineModel::VoltsByte(e.LambdaVolts()),       // r4 lambda
      EngineModel::VoltsByte(e.VacuumVolts()),       // r5 PSI
      EngineModel::VoltsByte(e.SimulationVolts()),   // r6 SIM
      e.WaitFlags(),                                 // r7 what the switch-over waits for
      EngineModel::VoltsByte(e.TpsVolts()),          // r8 TPS
      0,                                             // r9
      Clamp(e.ActuatorSteps()),                      // r10 actuator
      Clamp(e.InjectionMs() * 10.0),                 // r11 injection time, 0.1 ms
      Clamp(e.SupplyVolts() * 10.0),                 // r12 supply, 0.1 V
      EngineModel::VoltsByte(e.GasLevelVolts()),     // r13 gas level
      e.TemperatureRaw(ImageByte(ImageMap::kTemperatureSensor)),  // r14 temperature
  });
}

std::vector<std::uint8_t> SimController::RamWatch(std::uint8_t address) const {
  return Sealed({0x5A, address, ram_[address]});
}

std::vector<std::uint8_t> SimController::ConfigData() const {
  const EngineModel& e = engine_;
  return Sealed({
      0xAC,
      e.StatusByte(),                                             // r1 status
      e.RegulationFlags(),                                        // r2 flags
      e.RpmReading(ImageByte(ImageMap::kCoilType)),               // r3 engine speed, 100 rpm
      EngineModel::VoltsByte(e.LambdaVolts()),                    // r4 lambda
      Clamp(e.ActuatorSteps()),                                   // r5 actuator
      EngineModel::VoltsByte(e.TpsVolts()),                       // r6 TPS
      EngineModel::VoltsByte(e.VacuumVolts()),                    // r7 PSI
      EngineModel::VoltsByte(e.SimulationVolts()),                // r8 SIM
      Clamp(e.InjectionMs() * 10.0),                              // r9 injection time
      EngineModel::VoltsByte(e.GasLevelVolts()),                  // r10 gas level
      e.TemperatureRaw(ImageByte(ImageMap::kTemperatureSensor)),  // r11 temperature
      e.WaitFlags(),                                              // r12
      Clamp(e.SupplyVolts() * 10.0),                              // r13 supply
  });
}

std::vector<std::uint8_t> SimController::ProcessorInputs() const {
  const EngineModel& e = engine_;
  const bool onGas = e.Running() && e.InUse() == FuelInUse::Gas;
  const bool gasValve = e.Running() && (onGas || e.InUse() == FuelInUse::Dual);

  // Stepper phases A..D on B.4, B.3, B.2, B.1, one at a time by position.
  constexpr std::array<unsigned, 4> kPhase = {0x10, 0x08, 0x04, 0x02};
  const auto step = static_cast<std::size_t>(std::lround(e.ActuatorSteps())) % 4u;
  unsigned portB = kPhase[step];
  if (onGas) portB |= 0x01u;                                         // MotorEN
  if (ImageByte(ImageMap::kTemperatureSensor) & 1u) portB |= 0x20u;  // TypTemp
  if (e.GasLevelVolts() > ImageByte(69) * 0.02) portB |= 0x40u;      // level bar
  if (onGas) portB |= 0x80u;                                         // gas lamp

  unsigned portC = 0x08u;  // controller type strap
  if (onGas)
    portC |= 0x10u;
  else
    portC |= 0x20u;
  if (ImageByte(90) == 1) portC |= 0x40u;
  if (ImageByte(90) == 2) portC |= 0x80u;

  unsigned portD = 0x07u;  // RXD, TXD idle high; the switch button released
  if (((e.Time().count() / 10000) & 1) != 0 && e.Running()) portD |= 0x08u;  // coil pulses
  if (onGas && e.SimulationVolts() > 0.45) portD |= 0x30u;
  if (onGas) portD |= 0x40u;  // injectors cut
  if (gasValve) portD |= 0x80u;

  return Sealed({
      0xCA,
      EngineModel::VoltsByte(e.LambdaVolts()),                             // ADC0 lambda
      EngineModel::VoltsByte(e.SimulationVolts()),                         // ADC1 simulation
      EngineModel::VoltsByte(e.TpsVolts()),                                // ADC2 TPS
      EngineModel::VoltsByte(e.GasLevelVolts()),                           // ADC3 gas level
      e.TemperatureRaw(ImageByte(ImageMap::kTemperatureSensor)),           // ADC4 temperature
      EngineModel::VoltsByte(e.VacuumVolts()),                             // ADC5 PSI
      EngineModel::VoltsByte(e.Ignition() ? e.SupplyVolts() / 4.0 : 0.0),  // ADC6 ignition
      EngineModel::VoltsByte(e.SupplyVolts() / 4.0),                       // ADC7 supply
      static_cast<std::uint8_t>(portB),
      static_cast<std::uint8_t>(portC),
      static_cast<std::uint8_t>(portD),
      e.StatusByte(),
  });
}

std::vector<std::uint8_t> SimController::MemoryPage(std::uint8_t page) const {
  std::vector<std::uint8_t> r = {0xC5, engine_.StatusByte(), page};
  const std::size_t base = static_cast<std::size_t>(page) * 16u;
  for (std::size_t i = 0; i < 16; ++i)
    r.push_back(base + i < ram_.size() ? ram_[base + i] : 0);
  // Three trailing bytes: the page's start address, high and low, and 0.
  r.push_back(static_cast<std::uint8_t>((base >> 8) & 0xFFu));
  r.push_back(static_cast<std::uint8_t>(base & 0xFFu));
  r.push_back(0);
  return Sealed(std::move(r));
}

std::vector<std::uint8_t> SimController::EepromRow(std::uint8_t row) const {
  std::vector<std::uint8_t> r = {0x5C, engine_.StatusByte(), row};
  const std::size_t base = static_cast<std::size_t>(row) * 16u;
  for (std::size_t i = 0; i < 16; ++i) {
    r.push_back(base + i < eeprom_.size() ? eeprom_[base + i] : 0xFF);
  }
  return Sealed(std::move(r));
}

void SimController::UpdateWorkingTimes() {
  // Add the seconds run since the last update to the counters in the EEPROM,
  // so that a counter the tool wrote keeps counting from its new value.
  const auto add = [this](std::size_t at, std::uint32_t seconds, std::uint32_t& counted) {
    if (seconds == counted) return;
    const std::span<std::uint8_t> bytes(eeprom_.data() + at, 4);
    WriteLittleEndian32(bytes, ReadLittleEndian32(bytes) + (seconds - counted));
    counted = seconds;
  };
  add(ImageMap::kPetrolTime, engine_.PetrolSeconds(), countedPetrolSeconds_);
  add(ImageMap::kGasTime, engine_.GasSeconds(), countedGasSeconds_);
}

void SimController::UpdateRam() {
  const EngineModel& e = engine_;
  const std::array<std::uint8_t, 16> live = {
      e.StatusByte(),
      e.RegulationFlags(),
      e.RpmReading(ImageByte(ImageMap::kCoilType)),
      EngineModel::VoltsByte(e.LambdaVolts()),
      EngineModel::VoltsByte(e.VacuumVolts()),
      EngineModel::VoltsByte(e.SimulationVolts()),
      e.WaitFlags(),
      EngineModel::VoltsByte(e.TpsVolts()),
      Clamp(e.ActuatorSteps()),
      Clamp(e.InjectionMs() * 10.0),
      EngineModel::VoltsByte(e.GasLevelVolts()),
      e.TemperatureRaw(ImageByte(ImageMap::kTemperatureSensor)),
      static_cast<std::uint8_t>(e.Selected()),
      static_cast<std::uint8_t>(e.InUse()),
      Clamp(e.Rpm() / 100.0),
      static_cast<std::uint8_t>((e.Time().count() / 10000) & 0xFF),  // 10 ms tick counter
  };
  std::copy(live.begin(), live.end(), ram_.begin() + kRamLive);
  std::copy(eeprom_.begin() + ImageMap::kPetrolTime, eeprom_.begin() + ImageMap::kPetrolTime + 8,
            ram_.begin() + kRamWorkingTimes);
}

}  // namespace lpgsim
