// What the autoconfiguration measures on every configuration-data reply: the
// running extremes of lambda and TPS with the thresholds found from them, the
// coil bands of the idle speed, the TPS bands and references while
// accelerating, and the actuator positions at the lambda crossings. Found
// thresholds and positions are shown in the configuration grid at once.
#pragma once

#include <array>
#include <optional>

#include "ConfigReading.h"
#include "IAutoconfigEffects.h"

namespace zo::autoconfig {

// Found values as bytes; 0 means not measured.
struct Results {
  int tpsThreshold = 0;
  int lambdaThreshold = 0;
  int idlePosition = 0;
  int highPosition = 0;  // 3000 rpm
};

class Measurements {
 public:
  // Configuration-grid rows.
  static constexpr int kCoilRow = 1;
  static constexpr int kTpsTypeRow = 2;
  static constexpr int kTpsThresholdRow = 3;
  static constexpr int kLambdaTypeRow = 4;
  static constexpr int kLambdaThresholdRow = 5;
  static constexpr int kIdlePositionRow = 6;
  static constexpr int kHighPositionRow = 7;
  static constexpr int kBandTarget = 100;  // readings a coil band needs
  static constexpr int kCrossingTarget = 5;

  explicit Measurements(IAutoconfigEffects& effects) : effects_(effects) {}

  // The measurements of one reply, made before the wizard's step `step` runs.
  void Take(int step, const ConfigReading& reading);

  void ClearCounters();
  // Every counter but the idle TPS reference, which carries over from the
  // idle speed into the acceleration.
  void ClearKeepingIdleReference();
  void ClearResults() { results_ = {}; }

  [[nodiscard]] Results& Found() { return results_; }
  [[nodiscard]] const Results& Found() const { return results_; }

  [[nodiscard]] int LargestCoilCount() const;
  // The coil type of the first band counted kBandTarget times.
  [[nodiscard]] std::optional<int> CoilType() const;
  [[nodiscard]] int Progress() const { return progress_; }
  [[nodiscard]] int Crossings() const { return crossings_; }
  // TPS type from the bands and references counted while accelerating.
  [[nodiscard]] int TpsType() const;
  // Lambda sensor type from a lambda threshold.
  static int LambdaType(int threshold);

 private:
  void TakeExtremes(int step, const ConfigReading& r);
  void CountCoilBand(const ConfigReading& r);
  void CountAcceleration(const ConfigReading& r);
  // Whether the lambda crossed the middle of its extremes since the last
  // reading; remembers the reading as the last extreme.
  int Crossing(int lambda);  // -1 downward, +1 upward, 0 none
  void MeasureIdleTuning(const ConfigReading& r);
  void MeasureCrossings(const ConfigReading& r, int& result, int row);
  void ShowVolts(int row, int value);
  void ShowPosition(int row, int value);

  IAutoconfigEffects& effects_;
  Results results_;
  int lambdaMin_ = 0;
  int lambdaMax_ = 0;
  int tpsMin_ = 0;
  int tpsMax_ = 0;

  // The counters, cleared between the parts of a procedure.
  std::array<int, 7> coilBands_{};
  std::array<int, 3> tpsBands_{};
  int idleReference_ = 0;
  int highReference_ = 0;
  int progress_ = 0;
  int crossings_ = 0;
  int lastExtreme_ = 0;
  int firstPosition_ = 0;
  int secondPosition_ = 0;
  std::array<int, kCrossingTarget> positions_{};
};

}  // namespace zo::autoconfig
