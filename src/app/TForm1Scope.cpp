// The main window's part of the oscilloscope: it creates the scope frame,
// tells it what a drawing depends on, and carries the cursor readout and a
// start or stop over to the rest of the window.
#include <QApplication>
#include <string>

#include "app/TForm1.h"
#include "app/views/MainMenus.h"
#include "app/views/ScopeView.h"
#include "app/views/SignalListView.h"
#include "app/views/SignalListWidgets.h"
#include "link/ImageMap.h"

namespace zo::app {

namespace {

visual::Rgb Unpack(Colour stored) {
  return {static_cast<std::uint8_t>(stored & 0xFF), static_cast<std::uint8_t>((stored >> 8) & 0xFF),
          static_cast<std::uint8_t>((stored >> 16) & 0xFF)};
}

}  // namespace

void TForm1::BuildScope() {
  const visual::ScopeState initial(settings_.trackX, settings_.scale, settings_.vertical);
  views_.scope = new ScopeView(client_, state_.history, initial, [this] { return ScopeScene(); });
  state_.scopeRunning = true;
  connect(views_.scope, &ScopeView::CursorSample, this, &TForm1::ShowCursorSample);
  connect(views_.scope, &ScopeView::RunningChanged, this, &TForm1::ScopeRunningChanged);
  connect(views_.scope, &ScopeView::Refused, this, [] { QApplication::beep(); });
}

visual::ScopeScene TForm1::ScopeScene() const {
  const visual::ScopeState& scope = views_.scope->State();
  visual::ScopeScene scene;
  scene.timeBase = scope.TimeBase();
  scene.gridStyle = scope.GridStyle();
  scene.bandCount = scope.BandCount();
  const Settings& s = settings_;
  scene.switches = {s.lineRPM, s.lineLAM, s.linePSI, s.lineSIM,
                    s.lineTPS, s.lineMOT, s.lineDEF, s.lineRAM};
  scene.types = {state_.workingCopy[link::ImageMap::kLambdaType],
                 state_.workingCopy[link::ImageMap::kTpsType]};
  scene.serviceMode = state_.serviceMode;
  using model::SignalKind;
  const std::array<std::pair<SignalKind, Colour>, 8> colours{{{SignalKind::Rpm, s.colorRPM},
                                                              {SignalKind::Lam, s.colorLAM1},
                                                              {SignalKind::Psi, s.colorPSI},
                                                              {SignalKind::Sim, s.colorSIM},
                                                              {SignalKind::Tps, s.colorTPS},
                                                              {SignalKind::Mot, s.colorMOT1},
                                                              {SignalKind::Def, s.colorDEF},
                                                              {SignalKind::Ram, s.colorRAM}}};
  for (const auto& [kind, colour] : colours)
    scene.colours.at(model::SampleByteOf(kind)) = Unpack(colour);
  scene.rowKinds = views_.signalView->Kinds();
  return scene;
}

// The sample under the cursor is shown as if it had just arrived: the RAM
// address it was taken with, the list, the gauges and the lamps.
void TForm1::ShowCursorSample(int index) {
  const link::HistorySample& sample = state_.history.At(index);
  state_.ramWatchText = std::to_string(sample[0]);
  state_.statusByte = sample[1];
  state_.faultCode = sample[7];
  state_.levelReading = sample[13];
  views_.listWidgets->ShowRamAddress();
  ShowSample(index);
}

// A trace switched on or off or recoloured shows over the whole picture at
// once, also while the scope is stopped.
void TForm1::TraceSettingsChanged() {
  views_.scope->RequestFullRedraw();
}

void TForm1::ScopeRunningChanged(bool running, bool autoSaveOff) {
  state_.scopeRunning = running;
  if (!autoSaveOff) return;
  state_.autoSave = false;
  views_.menus->MenuFileSaveAuto->setChecked(false);
  views_.scope->SetAutoSaveMarker(false);
}

void TForm1::StoreScopeSettings() {
  const visual::ScopeState& scope = views_.scope->State();
  settings_.trackX = scope.TimeBase();
  settings_.scale = scope.GridStyle();
  settings_.vertical = scope.BandCount();
}

}  // namespace zo::app
