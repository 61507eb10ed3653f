// The controller's side of the protocol: it takes request bytes one at a time,
// frames them, and answers each complete request byte-exact from its EEPROM,
// RAM, engine model and boot loader.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "BootLoader.h"
#include "EngineModel.h"
#include "RequestFramer.h"
#include "RequestLog.h"
#include "Scenario.h"
#include "SimConfig.h"
#include "TraceReplay.h"

namespace lpgsim {

class SimController {
 public:
  static constexpr std::size_t kEepromSize = 528;  // 33 rows of 16
  static constexpr std::size_t kRamSize = 624;     // 39 pages of 16

  // RAM addresses of the values the controller works with (page 4), the
  // counter block with the production date (page 6) and the working-time
  // counters in seconds (page 14).
  static constexpr std::size_t kRamLive = 0x40;
  static constexpr std::size_t kRamCounterBlock = 0x60;
  static constexpr std::size_t kRamWorkingTimes = 0xE0;

  explicit SimController(SimConfig config = {});

  // One request byte, arrived at `now`. Returns the reply when it completes a
  // request that the controller answers.
  std::optional<std::vector<std::uint8_t>> Receive(std::uint8_t byte,
                                                   std::chrono::microseconds now);

  // Brings the engine, the working-time counters and the RAM up to `now`.
  void AdvanceTo(std::chrono::microseconds now);

  [[nodiscard]] const SimConfig& Config() const { return config_; }
  [[nodiscard]] std::chrono::microseconds Turnaround() const { return config_.turnaround; }
  [[nodiscard]] bool InBootLoader() const { return inBootLoader_; }
  [[nodiscard]] bool UsesWriteEcho() const { return config_.UsesWriteEcho(); }

  [[nodiscard]] std::span<const std::uint8_t, kImageSize> Image() const {
    return std::span<const std::uint8_t, kImageSize>(eeprom_.data(), kImageSize);
  }
  [[nodiscard]] const std::array<std::uint8_t, kEepromSize>& Eeprom() const { return eeprom_; }
  [[nodiscard]] const std::array<std::uint8_t, kRamSize>& Ram() const { return ram_; }
  [[nodiscard]] const ParameterImage& Factory() const { return factory_; }
  void SetEepromByte(std::size_t index, std::uint8_t value);
  // Answers the polls the trace recorded with its replies, in their order;
  // the trace's image is the configuration's (TraceReplay::Configure).
  void UseReplay(TraceReplay replay) { replay_ = std::move(replay); }

  [[nodiscard]] EngineModel& Engine() { return engine_; }
  [[nodiscard]] const EngineModel& Engine() const { return engine_; }
  [[nodiscard]] const BootLoader& Boot() const { return boot_; }
  [[nodiscard]] const RequestFramer& Framer() const { return framer_; }
  [[nodiscard]] const RequestLog& Log() const { return log_; }
  [[nodiscard]] RequestLog& Log() { return log_; }

 private:
  std::optional<std::vector<std::uint8_t>> Answer(std::span<const std::uint8_t> frame);
  std::optional<std::vector<std::uint8_t>> AnswerBootLoader(std::span<const std::uint8_t> frame);

  std::vector<std::uint8_t> ReadParam(std::uint8_t command, std::uint8_t index) const;
  std::vector<std::uint8_t> WriteParam(std::uint8_t index, std::uint8_t value);
  std::vector<std::uint8_t> LiveData() const;
  std::vector<std::uint8_t> RamWatch(std::uint8_t address) const;
  std::vector<std::uint8_t> ConfigData() const;
  std::vector<std::uint8_t> ProcessorInputs() const;
  std::vector<std::uint8_t> MemoryPage(std::uint8_t page) const;
  std::vector<std::uint8_t> EepromRow(std::uint8_t row) const;

  void FactoryReset();
  void UpdateWorkingTimes();
  void UpdateRam();
  [[nodiscard]] std::uint8_t ImageByte(std::size_t index) const { return eeprom_[index]; }

  SimConfig config_;
  ParameterImage factory_;
  std::array<std::uint8_t, kEepromSize> eeprom_{};
  std::array<std::uint8_t, kRamSize> ram_{};
  EngineModel engine_;
  std::optional<ScenarioDriver> driver_;
  std::optional<TraceReplay> replay_;
  RequestFramer framer_;
  BootLoader boot_;
  RequestLog log_;
  bool inBootLoader_;
  std::uint32_t countedPetrolSeconds_ = 0;
  std::uint32_t countedGasSeconds_ = 0;
};

}  // namespace lpgsim
