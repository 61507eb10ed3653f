#include "visual/ScopeRenderer.h"

#include <gtest/gtest.h>

namespace zo::visual {
namespace {

constexpr QSize kSize{400, 300};
using S = model::SignalKind;
constexpr Rgb kRpm{255, 0, 0}, kLam{0, 255, 0}, kPsi{0, 0, 255}, kSim{255, 255, 0};
constexpr Rgb kTps{200, 100, 50}, kMot{0, 255, 255}, kDef{255, 0, 255};

ScopeScene Scene(int timeBase) {
  ScopeScene scene;
  scene.timeBase = timeBase;
  scene.colours[3] = kRpm;
  scene.colours[4] = kLam;
  scene.colours[5] = kPsi;
  scene.colours[6] = kSim;
  scene.colours[8] = kTps;
  scene.colours[10] = kMot;
  scene.colours[11] = kDef;
  scene.rowKinds = {S::Rpm, S::Lam, S::Psi, S::Sim, S::Tps, S::Mot, S::Def, S::Level, S::Ram};
  return scene;
}

Rgb At(const ScopeRenderer& r, int x, int y) {
  const QRgb p = r.Image().pixel(x, y);
  return {static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
          static_cast<std::uint8_t>(qBlue(p))};
}

constexpr Rgb kBlack{0, 0, 0};

// Three bands at 300 pixels: main base 180, probe base 90, actuator base 270.
TEST(ScopeRendererTest, EmptyHistoryDrawsFlatTracesAtTheirBasesFirstRowOnTop) {
  link::SampleHistory history;
  ScopeScene scene = Scene(2);
  ScopeRenderer renderer;
  renderer.Draw(history, 1000, scene, kSize, true);
  EXPECT_EQ(At(renderer, 200, 180), kRpm);
  EXPECT_EQ(At(renderer, 200, 90), kLam);
  EXPECT_EQ(At(renderer, 200, 270), kMot);
  EXPECT_EQ(At(renderer, 200, 285), kBlack);  // no status strip
  EXPECT_EQ(At(renderer, 200, 150), kBlack);  // grid style 0: no bands

  scene.types = {kProbeTypeNone, 1};  // no probe, inverted TPS
  renderer.Draw(history, 1000, scene, kSize, true);
  EXPECT_EQ(At(renderer, 200, 90), kSim);
  EXPECT_EQ(At(renderer, 200, 101), kTps);  // 180 - trunc(255 * 0.3125)

  // Before the first sample nothing is drawn: the walk stops at index 0.
  renderer.Draw(history, 10, scene, kSize, true);
  EXPECT_EQ(At(renderer, 200, 180), kBlack);
  EXPECT_EQ(At(renderer, 390, 180), kRpm);
}

TEST(ScopeRendererTest, TraceColoursFollowTheSamples) {
  link::SampleHistory history;
  for (int i = 900; i <= 1000; ++i) {
    history.At(i)[1] = 0x20;  // TPS marker
    history.At(i)[2] = 0x08;  // cut-off
  }
  ScopeRenderer renderer;
  renderer.Draw(history, 1000, Scene(2), kSize, true);
  EXPECT_EQ(At(renderer, 300, 270), (Rgb{255, 255, 255}));
  EXPECT_EQ(At(renderer, 100, 270), kMot);
  ScopeScene tpsFirst = Scene(2);
  tpsFirst.rowKinds = {S::Tps, S::Rpm};
  renderer.Draw(history, 1000, tpsFirst, kSize, true);
  EXPECT_EQ(At(renderer, 300, 180), (Rgb{100, 50, 25}));  // TPS over RPM
  EXPECT_EQ(At(renderer, 100, 180), kTps);
}

TEST(ScopeRendererTest, OverRangeIsDashedWhileRunningAndSolidAfterAFullRedraw) {
  link::SampleHistory history;
  ScopeScene scene = Scene(4);
  scene.switches.lam = scene.switches.sim = false;  // one band: s = 0.9375, base 270
  ScopeRenderer renderer;
  renderer.Draw(history, 100, scene, kSize, true);
  for (int e = 101; e <= 110; ++e) {
    history.At(e)[3] = 70;  // 7000 rpm: 4 * 65 > 239, capped at y = 270 - 239
    renderer.Draw(history, e, scene, kSize, false);
  }
  EXPECT_EQ(At(renderer, 397, 31), kRpm);
  EXPECT_EQ(At(renderer, 393, 31), kBlack);
  EXPECT_EQ(At(renderer, 389, 31), kRpm);
  EXPECT_EQ(At(renderer, 385, 31), kBlack);
  EXPECT_EQ(At(renderer, 300, 270), kRpm);  // the older flat trace moved left
  renderer.Draw(history, 110, scene, kSize, true);
  EXPECT_EQ(At(renderer, 393, 31), kRpm);
  EXPECT_EQ(At(renderer, 385, 31), kRpm);
}

TEST(ScopeRendererTest, StatusStripColoursAndHatching) {
  link::SampleHistory history;
  history.At(1000)[1] = 0xC4;  // ignition, gas
  for (int i = 990; i < 1000; ++i)
    history.At(i)[1] = 0x82;  // older coding: petrol
  history.At(980)[1] = 0x01;
  ScopeRenderer renderer;
  ScopeScene scene = Scene(2);
  scene.rowKinds.clear();
  renderer.Draw(history, 1000, scene, kSize, true);
  const Rgb green{0, 193, 0}, red{193, 0, 0}, grey{193, 193, 193};
  EXPECT_EQ(At(renderer, 399, 279), green);  // sample 1000
  EXPECT_EQ(At(renderer, 398, 290), green);
  EXPECT_EQ(At(renderer, 398, 278), kBlack);
  EXPECT_EQ(At(renderer, 398, 291), kBlack);
  EXPECT_EQ(At(renderer, 397, 285), red);     // 999: bit 1 set
  EXPECT_EQ(At(renderer, 395, 285), red);     // 998
  EXPECT_EQ(At(renderer, 393, 285), kBlack);  // 997: left out
  EXPECT_EQ(At(renderer, 391, 285), kBlack);  // 996
  EXPECT_EQ(At(renderer, 389, 285), red);     // 995
  EXPECT_EQ(At(renderer, 359, 285), grey);    // 980
  EXPECT_EQ(At(renderer, 361, 285), kBlack);  // 981 has no status

  // Up to 120 pixels high the strip starts at the image's foot.
  renderer.Draw(history, 1000, scene, QSize(400, 120), true);
  EXPECT_EQ(At(renderer, 399, 116), green);  // trunc(0.97 * 120)
  EXPECT_EQ(At(renderer, 399, 115), kBlack);
  renderer.Draw(history, 1000, scene, QSize(400, 121), true);
  EXPECT_EQ(At(renderer, 399, 112), green);  // trunc(0.93 * 121)
}

TEST(ScopeRendererTest, BackgroundBandsWithGridStyleBitOne) {
  link::SampleHistory history;
  ScopeScene scene = Scene(2);
  scene.gridStyle = 2;
  scene.rowKinds.clear();
  ScopeRenderer renderer;
  renderer.Draw(history, 1000, scene, kSize, true);
  const Rgb grey{64, 64, 64};
  EXPECT_EQ(At(renderer, 100, 200), grey);  // actuator band 190..269
  EXPECT_EQ(At(renderer, 100, 189), kBlack);
  EXPECT_EQ(At(renderer, 100, 150), grey);            // main band 100..179
  EXPECT_EQ(At(renderer, 100, 30), (Rgb{80, 0, 0}));  // rich half 11..49
  EXPECT_EQ(At(renderer, 100, 70), (Rgb{0, 0, 80}));  // lean half 50..89
  EXPECT_EQ(At(renderer, 100, 5), kBlack);

  // The incremental step paints the bands in the new column only.
  scene.gridStyle = 0;
  renderer.Draw(history, 1000, scene, kSize, true);
  scene.gridStyle = 2;
  renderer.Draw(history, 1001, scene, kSize, false);
  EXPECT_EQ(At(renderer, 398, 150), grey);
  EXPECT_EQ(At(renderer, 397, 150), kBlack);
}

}  // namespace
}  // namespace zo::visual
