#include "app/MainScope.h"

#include <QApplication>
#include <string>

#include "app/MainPages.h"
#include "app/MainViews.h"
#include "app/views/MainMenus.h"
#include "app/views/ScopeView.h"
#include "app/views/SignalListView.h"
#include "app/views/SignalListWidgets.h"
#include "link/ImageMap.h"
#include "link/LinkState.h"
#include "settings/Settings.h"

namespace zo::app {

namespace {

visual::Rgb Unpack(settings::Colour stored) {
  return {static_cast<std::uint8_t>(stored & 0xFF), static_cast<std::uint8_t>((stored >> 8) & 0xFF),
          static_cast<std::uint8_t>((stored >> 16) & 0xFF)};
}

}  // namespace

void MainScope::Build() {
  const settings::Settings& s = p_.settings;
  const visual::ScopeState initial(s.trackX, s.scale, s.vertical);
  auto* scope = new ScopeView(p_.client, p_.state.history, initial, [this] { return Scene(); });
  p_.views.scope = scope;
  p_.state.scopeRunning = true;
  QObject::connect(scope, &ScopeView::CursorSample, scope,
                   [this](int index) { ShowCursorSample(index); });
  QObject::connect(
      scope, &ScopeView::RunningChanged, scope,
      [this](bool running, bool autoSaveOff) { RunningChanged(running, autoSaveOff); });
  QObject::connect(scope, &ScopeView::Refused, scope, [] { QApplication::beep(); });
}

visual::ScopeScene MainScope::Scene() const {
  const visual::ScopeState& scope = p_.views.scope->State();
  visual::ScopeScene scene;
  scene.timeBase = scope.TimeBase();
  scene.gridStyle = scope.GridStyle();
  scene.bandCount = scope.BandCount();
  const settings::Settings& s = p_.settings;
  scene.switches = {s.lineRPM, s.lineLAM, s.linePSI, s.lineSIM,
                    s.lineTPS, s.lineMOT, s.lineDEF, s.lineRAM};
  scene.types = {p_.state.workingCopy[link::ImageMap::kLambdaType],
                 p_.state.workingCopy[link::ImageMap::kTpsType]};
  scene.serviceMode = p_.state.serviceMode;
  using model::SignalKind;
  const std::array<std::pair<SignalKind, settings::Colour>, 8> colours{
      {{SignalKind::Rpm, s.colorRPM},
       {SignalKind::Lam, s.colorLAM1},
       {SignalKind::Psi, s.colorPSI},
       {SignalKind::Sim, s.colorSIM},
       {SignalKind::Tps, s.colorTPS},
       {SignalKind::Mot, s.colorMOT1},
       {SignalKind::Def, s.colorDEF},
       {SignalKind::Ram, s.colorRAM}}};
  for (const auto& [kind, colour] : colours)
    scene.colours.at(model::SampleByteOf(kind)) = Unpack(colour);
  scene.rowKinds = p_.views.signalView->Kinds();
  return scene;
}

// The sample under the cursor is shown as if it had just arrived: the RAM
// address it was taken with, the list, the gauges and the lamps.
void MainScope::ShowCursorSample(int index) {
  link::LinkState& state = p_.state;
  const link::HistorySample& sample = state.history.At(index);
  state.ramWatchText = std::to_string(sample[0]);
  state.statusByte = sample[1];
  state.faultCode = sample[7];
  state.levelReading = sample[13];
  p_.views.listWidgets->ShowRamAddress();
  p_.pages->ShowSample(index);
}

void MainScope::RunningChanged(bool running, bool autoSaveOff) {
  p_.state.scopeRunning = running;
  if (!autoSaveOff) return;
  p_.state.autoSave = false;
  p_.views.menus->CheckAutoSave(false);
  p_.views.scope->SetAutoSaveMarker(false);
}

void MainScope::StoreSettings() {
  const visual::ScopeState& scope = p_.views.scope->State();
  p_.settings.trackX = scope.TimeBase();
  p_.settings.scale = scope.GridStyle();
  p_.settings.vertical = scope.BandCount();
}

}  // namespace zo::app
