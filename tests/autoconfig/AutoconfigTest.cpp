// The autoconfiguration's steps, measurements and buttons, fed with readings.
#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <string>

#include "FakeWizardEffects.h"
#include "autoconfig/Autoconfig.h"
#include "link/LinkTypes.h"

namespace zo::autoconfig {
namespace {

using test::FakeWizardEffects;

constexpr int kAutoStopped = 0x83;
constexpr int kPetrolStopped = 0x82;
constexpr int kPetrolRunning = 0xD2;
constexpr int kAutoWaiting = 0xDB;
constexpr int kGasRunning = 0xC7;

struct Rig {
  link::ImageArea image = link::BlankImage();
  FakeWizardEffects fx;
  link::ChangeCauses causes;
  Autoconfig wizard{image, fx, &causes};

  Rig() {
    // A set-up the procedures must either replace or leave exactly as it was.
    for (const std::size_t i : Autoconfig::kBackedUp)
      image[i] = static_cast<std::uint8_t>(3 + i);
  }
  void Feed(int status, int rpm, int lambda = 20, int position = 70, int tps = 30) {
    wizard.Sample(ConfigReading{status, rpm, lambda, position, tps});
    wizard.Step();
  }
  void FeedTimes(int count, int status, int rpm, int lambda = 20, int position = 70, int tps = 30) {
    for (int i = 0; i < count; ++i)
      Feed(status, rpm, lambda, position, tps);
  }
  // Petrol start to the idle measurement (step 4).
  void PetrolToIdle() {
    wizard.PetrolStart();
    Feed(kPetrolRunning, 0);  // step 1: petrol selected
    Feed(kPetrolRunning, 0);  // step 2: running
    Feed(kPetrolRunning, 0);  // step 3
  }
  // Petrol start to the end of the idle measurement (step 5).
  void PetrolToAcceleration(int idleTps = 30) {
    PetrolToIdle();
    for (int i = 0; i < 100; ++i)
      Feed(kPetrolRunning, 32, i % 2 ? 5 : 41, 60, idleTps);
  }
  // Gas start to step 16, with the reducer adjusted.
  void GasToIdleCrossings() {
    wizard.GasStart();
    Feed(kAutoWaiting, 8);  // 10
    Feed(kAutoWaiting, 8);  // 11
    Feed(kAutoWaiting, 8);  // 12
    Feed(kGasRunning, 8);   // 13
    Feed(kGasRunning, 8);   // 14
    wizard.Next();          // 15 -> 16
  }
  // Lambda swinging around 22 at a position, `count` crossings.
  void Swing(int count, int rpm, int position) {
    for (int i = 0; i < count; ++i)
      Feed(kGasRunning, rpm, i % 2 ? 5 : 40, position);
  }
  [[nodiscard]] bool Restored() const {
    for (const std::size_t i : Autoconfig::kBackedUp)
      if (static_cast<std::size_t>(image[i]) != 3 + i) return false;
    return true;
  }
};

TEST(AutoconfigTest, LambdaSensorTypeByThresholdEdges) {
  for (const int t : {35, 50, 70, 100, 150, 0, 15, 255})
    EXPECT_EQ(Measurements::LambdaType(t), 4) << t;
  for (const int t : {16, 34})
    EXPECT_EQ(Measurements::LambdaType(t), 0) << t;
  for (const int t : {51, 69})
    EXPECT_EQ(Measurements::LambdaType(t), 3) << t;
  for (const int t : {101, 149})
    EXPECT_EQ(Measurements::LambdaType(t), 1) << t;
}

TEST(AutoconfigTest, PetrolProcedureAsksForPetrolFindsTypesAndGoesOnToGas) {
  Rig rig;
  rig.Feed(kAutoStopped, 0);
  EXPECT_EQ(rig.fx.FirstTextId(), 760);
  EXPECT_FALSE(rig.fx.buttons[WizardButton::Ok]);

  rig.wizard.PetrolStart();
  EXPECT_EQ(rig.image[32], 5);  // speeds read under the one-cylinder-coil setting
  EXPECT_EQ(rig.fx.FirstTextId(), 784);
  rig.Feed(kAutoStopped, 0);
  EXPECT_EQ(rig.fx.FirstTextId(), 764);
  EXPECT_EQ(rig.fx.asked, std::vector<int>{771});
  EXPECT_EQ(rig.fx.switchRequests, 1);
  rig.Feed(kAutoStopped, 0);  // still waits for petrol
  EXPECT_EQ(rig.wizard.StepNumber(), 2);
  rig.Feed(kPetrolStopped, 0);
  EXPECT_EQ(rig.fx.FirstTextId(), 765);
  rig.Feed(kPetrolRunning, 8);
  EXPECT_EQ(rig.fx.FirstTextId(), 766);
  EXPECT_TRUE(rig.fx.buttons[WizardButton::Ok] && rig.fx.buttons[WizardButton::Cancel]);
  EXPECT_TRUE(rig.fx.gaugeShown);

  // Idle: 32 under the reference setting is a four-cylinder engine.
  rig.FeedTimes(99, kPetrolRunning, 32, 20, 60, 30);
  EXPECT_EQ(rig.fx.gaugeValue, 99);
  EXPECT_EQ(rig.wizard.StepNumber(), 4);
  rig.Feed(kPetrolRunning, 32, 20, 60, 30);
  EXPECT_EQ(rig.image[32], 0);
  EXPECT_EQ(rig.fx.GridText(1), 415);
  EXPECT_EQ(rig.fx.FirstTextId(), 767);
  EXPECT_EQ(rig.wizard.StepNumber(), 5);

  // Accelerating through bands A and B to 3000 rpm, lambda swinging 5..41.
  for (int r = 9; r <= 30; ++r)
    rig.Feed(kPetrolRunning, r, r % 2 ? 5 : 41, 60, 30 + 3 * (r - 9));
  rig.FeedTimes(25, kPetrolRunning, 30, 20, 60, 93);
  EXPECT_EQ(rig.wizard.StepNumber(), 6);
  EXPECT_EQ(rig.image[33], 0);  // 0-5 V
  EXPECT_EQ(rig.fx.GridText(2), 427);
  EXPECT_EQ(rig.wizard.Found().lambdaThreshold, 23);
  EXPECT_EQ(rig.image[34], 0);  // 0-1 V
  EXPECT_EQ(rig.wizard.Found().tpsThreshold, 42);
  EXPECT_EQ(rig.fx.grid[3].front().literal, "0.84 [V]");
  EXPECT_TRUE(rig.fx.buttons[WizardButton::Next]);
  EXPECT_FALSE(rig.fx.gaugeShown);

  rig.wizard.Next();
  EXPECT_EQ(rig.wizard.StepNumber(), 10);
  EXPECT_EQ(rig.image[57], 42);
  EXPECT_EQ(rig.image[46], 42);
  EXPECT_EQ(rig.image[58], 23);
  EXPECT_EQ(rig.fx.GridText(1), 415);  // the current types
  // Cancelling the gas procedure keeps what the petrol procedure found.
  rig.wizard.Cancel();
  EXPECT_EQ(rig.image[32], 0);
  EXPECT_EQ(rig.image[58], 23);
}

TEST(AutoconfigTest, EachCoilBandCountsItsUpperEdge) {
  constexpr std::array<std::array<int, 2>, 7> kEdges{
      {{10, 5}, {20, 4}, {30, 6}, {40, 0}, {50, 1}, {60, 2}, {80, 3}}};
  for (const auto& [rpm, coil] : kEdges) {
    Rig rig;
    rig.PetrolToIdle();
    rig.FeedTimes(100, kPetrolRunning, rpm);
    EXPECT_EQ(rig.image[32], coil) << rpm;
    EXPECT_EQ(rig.wizard.StepNumber(), 5) << rpm;
  }
}

TEST(AutoconfigTest, ThresholdsShowAPointUnderADecimalCommaLocale) {
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  if (std::setlocale(LC_NUMERIC, "pl_PL.UTF-8") == nullptr) GTEST_SKIP() << "no pl_PL.UTF-8 locale";
  Rig rig;
  rig.PetrolToIdle();
  rig.Feed(kPetrolRunning, 32, 20, 60, 30);
  std::setlocale(LC_NUMERIC, previous.c_str());
  EXPECT_EQ(rig.fx.grid[3].front().literal, "0.60 [V]");
  EXPECT_EQ(rig.fx.grid[5].front().literal, "0.40 [V]");
}

TEST(AutoconfigTest, TypesOutsideTheirListsShowTheGridsSetText) {
  Rig rig;
  rig.image[32] = 7;
  rig.image[33] = 9;
  rig.image[34] = 5;
  rig.wizard.GasStart();
  for (const int row : {1, 2, 4})
    EXPECT_EQ(rig.fx.GridText(row), 411) << row;
}

TEST(AutoconfigTest, TpsTypeFromBandsAndReferences) {
  // 75 at idle and 100 at speed count in no band: a switch, rising.
  Rig rising;
  rising.PetrolToAcceleration(75);
  rising.Feed(kPetrolRunning, 24, 20, 60, 75);
  rising.FeedTimes(28, kPetrolRunning, 30, 20, 60, 100);
  EXPECT_EQ(rising.image[33], 2);

  // The same reading at idle and at speed: no sensor.
  Rig flat;
  flat.PetrolToAcceleration(75);
  flat.Feed(kPetrolRunning, 24, 20, 60, 75);
  flat.FeedTimes(28, kPetrolRunning, 30, 20, 60, 75);
  EXPECT_EQ(flat.image[33], 4);

  // Falling through band B: an inverted analogue sensor.
  Rig inverted;
  inverted.PetrolToAcceleration(200);
  inverted.Feed(kPetrolRunning, 24, 20, 60, 200);
  for (int t = 120; t >= 80; t -= 5)
    inverted.Feed(kPetrolRunning, 30, 20, 60, t);
  inverted.FeedTimes(19, kPetrolRunning, 30, 20, 60, 80);
  EXPECT_EQ(inverted.image[33], 1);
}

TEST(AutoconfigTest, GasProcedureMeasuresPositionsAndAppliesIdlePlusOneAbove) {
  Rig rig;
  rig.GasToIdleCrossings();
  EXPECT_TRUE(rig.fx.gaugeShown);
  EXPECT_EQ(rig.fx.gaugeMaximum, 5);
  rig.Swing(5, 10, 80);
  EXPECT_EQ(rig.wizard.Found().idlePosition, 80);
  EXPECT_EQ(rig.wizard.StepNumber(), 17);
  EXPECT_EQ(rig.fx.FirstTextId(), 778);
  rig.Swing(5, 28, 50);  // below 2900 rpm: not counted
  EXPECT_EQ(rig.wizard.StepNumber(), 17);
  rig.Swing(5, 29, 60);
  EXPECT_EQ(rig.wizard.StepNumber(), 18);
  EXPECT_EQ(rig.wizard.Found().highPosition, 81);
  rig.wizard.Apply();
  EXPECT_EQ(rig.image[64], 80);
  EXPECT_EQ(rig.image[65], 81);
  EXPECT_EQ(rig.fx.applied, 1);
  EXPECT_EQ(rig.wizard.StepNumber(), 0);
}

TEST(AutoconfigTest, EqualPositionsPutTheHighOneAboveIdle) {
  Rig rig;
  rig.GasToIdleCrossings();
  rig.Swing(5, 8, 70);
  rig.Swing(5, 30, 70);
  EXPECT_EQ(rig.wizard.StepNumber(), 18);
  EXPECT_EQ(rig.wizard.Found().highPosition, 71);
}

TEST(AutoconfigTest, AReadingOnTheMiddleEndsTheSwingItCameFrom) {
  Rig rig;
  rig.GasToIdleCrossings();          // lambda 20 so far
  rig.Feed(kGasRunning, 8, 40, 70);  // middle 30: up, the first crossing
  rig.Feed(kGasRunning, 8, 30, 71);  // on the middle
  rig.Feed(kGasRunning, 8, 20, 90);  // from the middle down: no crossing
  rig.Feed(kGasRunning, 8, 40, 74);  // up again: the second
  EXPECT_EQ(rig.fx.gaugeValue, 2);
  EXPECT_EQ(rig.wizard.Found().idlePosition, 72);
}

TEST(AutoconfigTest, NoToTheModeQuestionLeavesTheModeAndWaits) {
  Rig rig;
  rig.fx.answer = 7;
  rig.wizard.GasStart();
  rig.Feed(kPetrolRunning, 8);
  EXPECT_EQ(rig.fx.FirstTextId(), 774);
  EXPECT_EQ(rig.fx.switchRequests, 0);
  rig.FeedTimes(5, kPetrolRunning, 8);
  EXPECT_EQ(rig.wizard.StepNumber(), 11);
  rig.Feed(kAutoWaiting, 8);
  rig.Feed(kAutoWaiting, 8);
  EXPECT_EQ(rig.fx.FirstTextId(), 776);
}

TEST(AutoconfigTest, LeavingAsksAndAppliesOrRestores) {
  Rig applied;
  applied.fx.answer = 1;  // OK
  applied.PetrolToAcceleration();
  // Polls under the question run no step: the types stay undecided.
  applied.fx.whileAsking = [&applied] { applied.FeedTimes(100, kPetrolRunning, 30); };
  applied.wizard.Leave();
  EXPECT_EQ(applied.image[34], 3 + 34);
  EXPECT_EQ(applied.fx.asked.back(), 740);
  EXPECT_EQ(applied.image[32], 0);   // the found coil type stays
  EXPECT_EQ(applied.image[58], 23);  // thresholds measured so far
  EXPECT_EQ(applied.image[57], 30);  // idle only: the minimum itself
  EXPECT_EQ(applied.image[46], 30);
  EXPECT_EQ(applied.image[64], 3 + 64);  // no position measured
  EXPECT_EQ(applied.causes.Of(58, 23, 3 + 58).cause, link::ChangeCause::Autoconfiguration);
  EXPECT_TRUE(applied.fx.text.empty());
  EXPECT_EQ(applied.fx.applied, 0);

  Rig cancelled;
  cancelled.fx.answer = 2;
  cancelled.PetrolToAcceleration();
  cancelled.wizard.Leave();
  EXPECT_TRUE(cancelled.Restored());

  // Applying before the coil type is found keeps the installer's coil type.
  Rig idle;
  idle.wizard.PetrolStart();
  idle.FeedTimes(10, kPetrolRunning, 32);
  idle.wizard.Apply();
  EXPECT_EQ(idle.image[32], 3 + 32);
  EXPECT_EQ(idle.image[58], 20);

  // Before anything was measured there is nothing to ask, but the reference
  // coil setting goes.
  Rig early;
  early.wizard.PetrolStart();
  early.wizard.Leave();
  EXPECT_TRUE(early.fx.asked.empty());
  EXPECT_TRUE(early.Restored());
}

TEST(AutoconfigTest, StallAndLostLinkCancel) {
  Rig stalled;
  stalled.PetrolToAcceleration();
  stalled.wizard.PetrolStart();  // a second start keeps the first saved bytes
  stalled.Feed(kPetrolRunning, 0);
  stalled.Feed(kPetrolRunning, 0);
  stalled.Feed(kPetrolRunning, 0);
  stalled.FeedTimes(10, kPetrolRunning, 32);
  stalled.Feed(0x82, 0);  // the engine stopped
  EXPECT_EQ(stalled.wizard.StepNumber(), 0);
  EXPECT_TRUE(stalled.Restored());

  Rig offGas;
  offGas.wizard.GasStart();
  offGas.FeedTimes(3, kAutoWaiting, 8);
  offGas.Feed(kGasRunning, 8);
  offGas.Feed(kAutoWaiting, 8);  // back on petrol before the idle measurement
  EXPECT_EQ(offGas.wizard.StepNumber(), 0);

  Rig lost;
  lost.PetrolToAcceleration();
  const link::ImageArea lastRead = lost.image;
  lost.wizard.LinkLost(lastRead);
  EXPECT_EQ(lost.wizard.StepNumber(), 0);
  lost.image = lastRead;  // the read brings the controller's bytes back
  lost.wizard.ControllerRead(lost.image);
  EXPECT_TRUE(lost.Restored());
  lost.image = lastRead;  // only once
  lost.wizard.ControllerRead(lost.image);
  EXPECT_EQ(lost.image, lastRead);
  EXPECT_TRUE(lost.fx.told.empty());
}

TEST(AutoconfigTest, AControllerIsKnownAgainByAllButWhatItCountsAndTheProcedureWrites) {
  link::ImageArea read = link::BlankImage();
  for (std::size_t i = 0; i < read.size(); ++i)
    read[i] = static_cast<std::uint8_t>(i * 7);
  const ControllerIdentity first(read, Autoconfig::kBackedUp);

  link::ImageArea again = read;
  for (const std::size_t i : Autoconfig::kBackedUp)
    again[i] ^= 1;
  constexpr std::array<std::size_t, 7> kCounted{78, 79, 80, 176, 179, 180, 183};
  for (const std::size_t i : kCounted)  // errors, reset cause, working times
    again[i] ^= 1;
  again[184] ^= 1;  // beyond the image
  EXPECT_TRUE(ControllerIdentity(again, Autoconfig::kBackedUp) == first);

  // Model, version, variant, a parameter, the installation and configuration dates.
  constexpr std::array<std::size_t, 8> kIdentifying{0, 1, 6, 35, 77, 81, 168, 175};
  for (const std::size_t i : kIdentifying) {
    link::ImageArea other = read;
    other[i] ^= 1;
    EXPECT_FALSE(ControllerIdentity(other, Autoconfig::kBackedUp) == first) << i;
  }
}

}  // namespace
}  // namespace zo::autoconfig
