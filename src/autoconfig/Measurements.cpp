#include "Measurements.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "model/ValueFormat.h"

namespace zo::autoconfig {

namespace {

// Idle speed readings under the one-cylinder-coil setting, per band, and the
// coil type each band stands for.
struct CoilBand {
  int low;
  int high;
  int coilType;
};
constexpr std::array<CoilBand, 7> kCoilBands{{
    {6, 10, 5},   // coil for one cylinder
    {11, 20, 4},  // coil for two cylinders
    {21, 30, 6},  // three cylinders
    {31, 40, 0},  // four cylinders
    {41, 50, 1},  // five cylinders
    {51, 60, 2},  // six cylinders
    {61, 80, 3},  // eight cylinders
}};

// TPS readings in 0.02 V: bands A, B and C; 75 and 100 count nowhere.
constexpr std::array<std::array<int, 2>, 3> kTpsBands{{{51, 74}, {76, 99}, {101, 124}}};
constexpr int kAnalogCount = 3;
constexpr int kThresholdRise = 12;
constexpr int kIdleSpeedLimit = 10;   // 1000 rpm
constexpr int kHighSpeedLimit = 29;   // 2900 rpm
constexpr int kLowAcceleration = 24;  // progress follows the speed up to here
constexpr int kHighAcceleration = 26;

}  // namespace

void Measurements::Take(int step, const ConfigReading& r) {
  TakeExtremes(step, r);
  switch (step) {
    case 4:
      return CountCoilBand(r);
    case 5:
      return CountAcceleration(r);
    case 15:
      if (r.rpm <= kIdleSpeedLimit) MeasureIdleTuning(r);
      return;
    case 16:
      if (r.rpm <= kIdleSpeedLimit) MeasureCrossings(r, results_.idlePosition, kIdlePositionRow);
      return;
    case 17:
      if (r.rpm >= kHighSpeedLimit) MeasureCrossings(r, results_.highPosition, kHighPositionRow);
      return;
    default:
      return;
  }
}

void Measurements::TakeExtremes(int step, const ConfigReading& r) {
  if (step < 4 || step == 14) {
    lambdaMin_ = lambdaMax_ = r.lambda;
    tpsMin_ = tpsMax_ = r.tps;
    return;
  }
  lambdaMin_ = std::min(lambdaMin_, r.lambda);
  lambdaMax_ = std::max(lambdaMax_, r.lambda);
  tpsMin_ = std::min(tpsMin_, r.tps);
  tpsMax_ = std::max(tpsMax_, r.tps);
  results_.tpsThreshold = tpsMin_ + kThresholdRise <= tpsMax_ ? tpsMin_ + kThresholdRise : tpsMin_;
  results_.lambdaThreshold = (lambdaMin_ + lambdaMax_) / 2;
  ShowVolts(kTpsThresholdRow, results_.tpsThreshold);
  ShowVolts(kLambdaThresholdRow, results_.lambdaThreshold);
}

void Measurements::CountCoilBand(const ConfigReading& r) {
  for (std::size_t i = 0; i < kCoilBands.size(); ++i) {
    if (r.rpm >= kCoilBands[i].low && r.rpm <= kCoilBands[i].high) ++coilBands_[i];
  }
  idleReference_ = (r.tps + idleReference_) / 2;
}

void Measurements::CountAcceleration(const ConfigReading& r) {
  for (std::size_t i = 0; i < kTpsBands.size(); ++i) {
    if (r.tps >= kTpsBands[i][0] && r.tps <= kTpsBands[i][1]) ++tpsBands_[i];
  }
  if (r.rpm <= kIdleSpeedLimit) {
    progress_ = r.rpm * 3;
    idleReference_ = (r.tps + idleReference_) / 2;
  } else if (r.rpm <= kLowAcceleration) {
    progress_ = r.rpm * 3;
  } else if (r.rpm >= kHighAcceleration) {
    ++progress_;
    highReference_ = (r.tps + highReference_) / 2;
  }
}

int Measurements::Crossing(int lambda) {
  const int mid = (lambdaMin_ + lambdaMax_) / 2;
  int crossing = 0;
  if (lastExtreme_ > mid && lambda < mid) crossing = -1;
  if (lastExtreme_ < mid && lambda > mid) crossing = 1;
  // Every reading becomes the last extreme, one on the middle too: a swing
  // that stops on the middle and turns back has crossed nothing.
  lastExtreme_ = lambda;
  return crossing;
}

void Measurements::MeasureIdleTuning(const ConfigReading& r) {
  const int crossing = Crossing(r.lambda);
  if (crossing == 0) return;
  (crossing < 0 ? firstPosition_ : secondPosition_) = r.position;
  if (++crossings_ == 1) return;
  results_.idlePosition = (firstPosition_ + secondPosition_) / 2;
  ShowPosition(kIdlePositionRow, results_.idlePosition);
}

void Measurements::MeasureCrossings(const ConfigReading& r, int& result, int row) {
  if (Crossing(r.lambda) == 0 || crossings_ >= kCrossingTarget) return;
  positions_[static_cast<std::size_t>(crossings_)] = r.position;
  ++crossings_;
  const auto stored = positions_.begin() + crossings_;
  result = std::accumulate(positions_.begin(), stored, 0) / crossings_;
  ShowPosition(row, result);
}

void Measurements::ClearCounters() {
  ClearKeepingIdleReference();
  idleReference_ = 0;
}

void Measurements::ClearKeepingIdleReference() {
  coilBands_ = {};
  tpsBands_ = {};
  highReference_ = 0;
  progress_ = 0;
  crossings_ = 0;
  lastExtreme_ = 0;
  firstPosition_ = 0;
  secondPosition_ = 0;
  positions_ = {};
}

int Measurements::LargestCoilCount() const {
  return *std::max_element(coilBands_.begin(), coilBands_.end());
}

std::optional<int> Measurements::CoilType() const {
  for (std::size_t i = 0; i < kCoilBands.size(); ++i) {
    if (coilBands_[i] >= kBandTarget) return kCoilBands[i].coilType;
  }
  return std::nullopt;
}

int Measurements::TpsType() const {
  const bool analog =
      std::any_of(tpsBands_.begin(), tpsBands_.end(), [](int n) { return n >= kAnalogCount; });
  if (idleReference_ == highReference_) return 4;  // absent
  if (idleReference_ < highReference_) return analog ? 0 : 2;
  return analog ? 1 : 3;
}

int Measurements::LambdaType(int threshold) {
  if (threshold >= 16 && threshold <= 34) return 0;    // 0-1 V
  if (threshold >= 51 && threshold <= 69) return 3;    // 0.8-1.6 V
  if (threshold >= 101 && threshold <= 149) return 1;  // 0-5 V
  return 4;                                            // absent
}

void Measurements::ShowVolts(int row, int value) {
  effects_.SetGridValue(
      row, {texts::TextPiece::Literal(model::ValueFormat::Fixed(value * 0.02, 2) + " [V]")});
}

void Measurements::ShowPosition(int row, int value) {
  effects_.SetGridValue(row, {texts::TextPiece::Literal(std::to_string(value))});
}

}  // namespace zo::autoconfig
