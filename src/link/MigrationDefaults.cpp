#include "MigrationDefaults.h"

#include <array>

#include "ImageMap.h"

namespace zo::link {

namespace {

struct Rule {
  int index;
  std::uint8_t threshold;  // first version that has the byte
  int value;               // the default, or -1 - (byte to copy)
};

constexpr int CopyOf(int byte) {
  return -1 - byte;
}

using M = ImageMap;

constexpr std::array<Rule, 8> kRules{{
    {M::kSwitchingPosition, 163, 120},
    {M::kLambdaSpeedAboveTps, 163, CopyOf(M::kLambdaActuatorSpeed)},
    {M::kLambdaSpeedBelowTps, 163, 100},
    {M::kSecondSimulation, 165, CopyOf(M::kSimulation)},
    {M::kTurbo, 178, 0},
    {M::kTurboThreshold, 178, 200},
    {M::kTurboPosition, 178, 160},
    {M::kTurboActuatorSpeed, 178, 250},
}};

}  // namespace

std::optional<std::uint8_t> MigrationDefaults::For(int index, std::uint8_t valueRead,
                                                   std::uint8_t oldVersion, std::uint8_t newVersion,
                                                   const ImageArea& working) {
  if (oldVersion == 0 || newVersion == 0 || valueRead != 0xFF) return std::nullopt;
  for (const Rule& rule : kRules) {
    if (rule.index != index) continue;
    if (oldVersion >= rule.threshold || newVersion < rule.threshold) return std::nullopt;
    if (rule.value >= 0) return static_cast<std::uint8_t>(rule.value);
    return working[static_cast<std::size_t>(-1 - rule.value)];
  }
  return std::nullopt;
}

}  // namespace zo::link
