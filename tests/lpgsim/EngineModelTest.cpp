// The engine model behaves like a car at idle: speed near 800 rpm, a lambda
// probe that swings across the threshold, an actuator that regulates on gas,
// a reducer that warms up and counters that count.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "EngineModel.h"
#include "FactoryImage.h"
#include "SimController.h"
#include "SimTestSupport.h"

namespace lpgsim {
namespace {

using namespace std::chrono_literals;
using std::chrono::microseconds;

struct Trace {
  std::vector<double> rpm;
  std::vector<double> lambda;
  std::vector<double> actuator;
};

// Samples the model every 10 ms from `from` to `to`.
Trace Sample(EngineModel& engine, const ParameterImage& image, microseconds from, microseconds to) {
  Trace trace;
  for (microseconds t = from; t < to; t += 10ms) {
    engine.AdvanceTo(t, image);
    trace.rpm.push_back(engine.Rpm());
    trace.lambda.push_back(engine.LambdaVolts());
    trace.actuator.push_back(engine.ActuatorSteps());
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

TEST(EngineModel, IdlesNearEightHundredRpm) {
  EngineModel engine(7);
  const Trace trace = Sample(engine, kImage, 0s, 10s);
  const auto [low, high] = std::minmax_element(trace.rpm.begin(), trace.rpm.end());
  EXPECT_GT(*low, 740.0);
  EXPECT_LT(*high, 860.0);
  EXPECT_GT(*high - *low, 5.0) << "a little unsteady, as engines are";
}

TEST(EngineModel, LambdaCrossesTheThresholdEveryHalfSecondOrSo) {
  EngineModel engine(3);
  const Trace trace = Sample(engine, kImage, 0s, 10s);
  const int crossings = Crossings(trace.lambda, kImage[58] * 0.02);
  // Switching every 0.5..1 s gives 10..20 crossings; allow some slack.
  EXPECT_GE(crossings, 8);
  EXPECT_LE(crossings, 40);
  const auto [low, high] = std::minmax_element(trace.lambda.begin(), trace.lambda.end());
  EXPECT_LT(*low, 0.2) << "lean";
  EXPECT_GT(*high, 0.7) << "rich";
}

TEST(EngineModel, AutomaticModeWaitsForTemperatureThenSpeedThenRunsOnGas) {
  EngineModel engine(5);
  engine.AdvanceTo(1s, kImage);
  EXPECT_EQ(engine.InUse(), FuelInUse::AutoWaiting);
  EXPECT_EQ(engine.WaitFlags(), 16) << "waiting for the reducer temperature";
  engine.AdvanceTo(90s, kImage);
  EXPECT_EQ(engine.WaitFlags(), 8) << "warm, now waiting for the switch-over speed";
  engine.SetTargetRpm(2500);
  engine.AdvanceTo(93s, kImage);
  engine.SetTargetRpm(800);
  engine.AdvanceTo(100s, kImage);
  EXPECT_EQ(engine.InUse(), FuelInUse::Gas);
  EXPECT_EQ(engine.StatusByte() & 0xDF, 199) << "running on gas with automatic selected";

  // On gas the actuator regulates from the lambda probe within its limits.
  const Trace trace = Sample(engine, kImage, 100s, 110s);
  const auto [low, high] = std::minmax_element(trace.actuator.begin(), trace.actuator.end());
  EXPECT_GE(*low, kImage[42]);
  EXPECT_LE(*high, kImage[41]);
  EXPECT_GT(*high - *low, 1.0);
  EXPECT_GE(Crossings(trace.lambda, kImage[58] * 0.02), 8);
}

TEST(EngineModel, PetrolSelectedGivesThePetrolState) {
  EngineModel engine(1);
  engine.SetSelected(FuelSelect::Petrol);
  engine.AdvanceTo(1s, kImage);
  EXPECT_EQ(engine.StatusByte() & 0xDF, 210);
}

TEST(EngineModel, CoilSettingScalesTheSpeedReading) {
  EngineModel engine(1);
  engine.AdvanceTo(2s, kImage);
  EXPECT_NEAR(engine.RpmReading(0), 8, 1) << "four cylinders: true speed";
  EXPECT_NEAR(engine.RpmReading(5), 32, 3) << "one-cylinder coil setting counts four times";
  EXPECT_NEAR(engine.RpmReading(3), 4, 1) << "eight-cylinder setting counts half";
}

TEST(EngineModel, ReducerWarmsUpAndItsReadingFalls) {
  EngineModel engine(1);
  engine.AdvanceTo(1s, kImage);
  const std::uint8_t cold = engine.TemperatureRaw(0);
  EXPECT_NEAR(cold, 141, 3) << "20 'C on the 10k sensor";
  engine.AdvanceTo(120s, kImage);
  EXPECT_LT(engine.TemperatureRaw(0), cold - 40);
  EXPECT_GT(engine.ReducerCelsius(), 45.0);
}

TEST(EngineModel, IgnitionOffStopsTheEngineAndOnStartsItAgain) {
  EngineModel engine(1);
  engine.AdvanceTo(1s, kImage);
  engine.SetIgnition(false);
  engine.AdvanceTo(3s, kImage);
  EXPECT_FALSE(engine.Running());
  EXPECT_EQ(engine.StatusByte() & 0xC0, 0);
  engine.SetIgnition(true);
  engine.AdvanceTo(6s, kImage);
  EXPECT_TRUE(engine.Running());
  EXPECT_NEAR(engine.Rpm(), 800.0, 80.0);
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

TEST(EngineModel, WorkingTimeCountersCountInTheEeprom) {
  SimController controller;
  controller.Engine().SetSelected(FuelSelect::Petrol);
  const auto petrol = [&] {
    const auto& e = controller.Eeprom();
    return static_cast<std::uint32_t>(e[176] | e[177] << 8 | e[178] << 16 | e[179] << 24);
  };
  const std::uint32_t before = petrol();
  controller.AdvanceTo(100s);
  EXPECT_NEAR(static_cast<double>(petrol() - before), 100.0, 1.0);
  const auto reply = test::Feed(controller, test::WithSum({0x55, 176}), 100s);
  ASSERT_TRUE(reply.has_value());
  EXPECT_EQ((*reply)[2], controller.Eeprom()[176]);
}

}  // namespace
}  // namespace lpgsim
