// The oscilloscope's drawing cost on a 1920 x 700 scope image at time base 1
// with all eight traces on and every sample changing: the incremental step
// (one shift, one strip fill, one segment per trace) and the full redraw,
// each as a share of the 100 ms sample period.
#include <QGuiApplication>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "link/SampleHistory.h"
#include "visual/ScopeRenderer.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kPeriodMs = 100.0;

// Six minutes of a car revving, with the throttle, actuator and probe moving
// and the fuel mode changing now and then.
void Fill(zo::link::SampleHistory& history) {
  for (int i = 0; i < zo::link::kHistoryLength; ++i) {
    auto& s = history.At(i);
    const double t = i * 0.1;
    s[1] = static_cast<std::uint8_t>((i / 300) % 2 == 0 ? 0xC4 : 0xD8);
    s[2] = static_cast<std::uint8_t>((i / 50) % 3 == 0 ? 0x08 : 0);
    for (int k : {3, 4, 5, 6, 8, 10, 11, 15}) {
      const double v = 120 + 110 * std::sin(t * (0.3 + 0.07 * k) + k);
      s[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(k == 3 ? v / 4 : v);
    }
  }
}

zo::visual::ScopeScene Scene() {
  using namespace zo::visual;
  using S = zo::model::SignalKind;
  ScopeScene scene;
  scene.timeBase = 1;
  scene.gridStyle = 3;
  scene.serviceMode = true;
  const std::array<std::pair<zo::model::SignalKind, Rgb>, 8> colours{{{S::Rpm, {255, 0, 0}},
                                                                      {S::Lam, {0, 255, 0}},
                                                                      {S::Psi, {0, 0, 255}},
                                                                      {S::Sim, {0, 128, 0}},
                                                                      {S::Tps, {255, 255, 0}},
                                                                      {S::Mot, {0, 255, 255}},
                                                                      {S::Def, {255, 0, 255}},
                                                                      {S::Ram, {128, 0, 0}}}};
  for (const auto& [kind, colour] : colours)
    scene.colours.at(zo::model::SampleByteOf(kind)) = colour;
  scene.rowKinds = {S::Lam, S::Sim, S::Rpm,   S::Tps,         S::Psi,
                    S::Def, S::Mot, S::Level, S::Temperature, S::Ram};
  return scene;
}

template <typename Step>
double MillisecondsPer(int runs, Step step) {
  const auto start = Clock::now();
  for (int i = 0; i < runs; ++i)
    step(i);
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / runs;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  zo::link::SampleHistory history;
  Fill(history);
  const zo::visual::ScopeScene scene = Scene();
  const QSize size(1920, 700);
  zo::visual::ScopeRenderer renderer;
  renderer.Draw(history, 3599, scene, size, true);

  const double step = MillisecondsPer(3000, [&](int i) {
    renderer.Draw(history, i % zo::link::kHistoryLength, scene, size, false);
  });
  const double full =
      MillisecondsPer(40, [&](int i) { renderer.Draw(history, 1920 + i * 37, scene, size, true); });
  std::printf("scope 1920x700, time base 1, 8 traces\n");
  std::printf("  incremental step %.3f ms = %.3f %% of the 100 ms period (target 0.5 %%: %.2f x)\n",
              step, 100.0 * step / kPeriodMs, (100.0 * step / kPeriodMs) / 0.5);
  std::printf("  full redraw      %.3f ms = %.3f %% of the 100 ms period (target 10 %%: %.2f x)\n",
              full, 100.0 * full / kPeriodMs, (100.0 * full / kPeriodMs) / 10.0);
  return 0;
}
