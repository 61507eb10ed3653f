// What the link's tests rely on from the engine model: a car at idle near
// 800 rpm with a lambda probe that swings, the same engine for the same seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "EngineModel.h"
#include "FactoryImage.h"

namespace lpgsim {
namespace {

using namespace std::chrono_literals;
using std::chrono::microseconds;

struct Trace {
  std::vector<double> rpm;
  std::vector<double> lambda;
};

// Samples the model every 10 ms from `from` to `to`.
Trace Sample(EngineModel& engine, const ParameterImage& image, microseconds from, microseconds to) {
  Trace trace;
  for (microseconds t = from; t < to; t += 10ms) {
    engine.AdvanceTo(t, image);
    trace.rpm.push_back(engine.Rpm());
    trace.lambda.push_back(engine.LambdaVolts());
  }
  return trace;
}

int Crossings(const std::vector<double>& volts, double threshold) {
  int crossings = 0;
  for (std::size_t i = 1; i < volts.size(); ++i) {
    if ((volts[i - 1] > threshold) != (volts[i] > threshold)) ++crossings;
  }
  return crossings;
}

const ParameterImage kImage = FactoryImage::Build(100, 179, 255);

TEST(EngineModel, IdlesNearEightHundredRpmWithASwingingLambdaProbe) {
  EngineModel engine(7);
  const Trace trace = Sample(engine, kImage, 0s, 10s);
  const auto [low, high] = std::minmax_element(trace.rpm.begin(), trace.rpm.end());
  EXPECT_GT(*low, 740.0);
  EXPECT_LT(*high, 860.0);
  // Switching every 0.5..1 s gives 10..20 crossings; allow some slack.
  const int crossings = Crossings(trace.lambda, kImage[58] * 0.02);
  EXPECT_GE(crossings, 8);
  EXPECT_LE(crossings, 40);
}

TEST(EngineModel, SameSeedSameEngineOtherSeedOtherNoise) {
  EngineModel a(11);
  EngineModel b(11);
  EngineModel c(12);
  const Trace ta = Sample(a, kImage, 0s, 3s);
  const Trace tb = Sample(b, kImage, 0s, 3s);
  const Trace tc = Sample(c, kImage, 0s, 3s);
  EXPECT_EQ(ta.rpm, tb.rpm);
  EXPECT_NE(ta.rpm, tc.rpm);
}

}  // namespace
}  // namespace lpgsim
