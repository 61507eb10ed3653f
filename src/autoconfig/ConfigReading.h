// The values of one configuration-data reply the autoconfiguration works
// with, and the status-byte tests it makes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace zo::autoconfig {

struct ConfigReading {
  int status = 0;    // S
  int rpm = 0;       // R, 100 rpm as the controller counts with its coil setting
  int lambda = 0;    // L, 0.02 V
  int position = 0;  // P, actuator steps
  int tps = 0;       // T, 0.02 V

  // From the reply frame: command byte, then r1 status, r2 flags, r3 speed,
  // r4 lambda, r5 actuator, r6 TPS. Nothing when the frame is too short.
  static std::optional<ConfigReading> FromReply(std::span<const std::uint8_t> reply) {
    if (reply.size() < 7) return std::nullopt;
    return ConfigReading{reply[1], reply[3], reply[4], reply[5], reply[6]};
  }

  [[nodiscard]] bool PetrolSelected() const { return (status & 3) == 2; }
  [[nodiscard]] bool AutoSelected() const { return (status & 3) == 3; }
  [[nodiscard]] bool Running() const { return (status & 192) == 192; }
  // Running on petrol with petrol selected.
  [[nodiscard]] bool PetrolState() const { return (status & 223) == 210; }
  // Automatic mode waiting for the switch-over to gas.
  [[nodiscard]] bool WaitingForGas() const { return (status & 28) == 24; }
  // Running on gas with automatic selected.
  [[nodiscard]] bool GasState() const { return (status & 223) == 199; }
};

}  // namespace zo::autoconfig
