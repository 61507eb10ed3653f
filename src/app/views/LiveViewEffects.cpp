#include "app/views/LiveViewEffects.h"

#include <array>
#include <utility>

#include "app/FileCommands.h"
#include "app/views/ScopeView.h"
#include "app/views/SignalListView.h"
#include "app/views/SignalListWidgets.h"
#include "app/windows/IndicatorWindows.h"
#include "autoconfig/Autoconfig.h"
#include "link/ImageMap.h"

namespace zo::app {

void LiveViewEffects::DrawSample(int index) {
  showSample_(index);
  HideSpeedWhileMeasured();
  views_.scope->Redraw(false);
}

void LiveViewEffects::SetTimeCaption(int index) {
  views_.scope->SetTimeCaption(index);
}

void LiveViewEffects::AutoSave() {
  views_.files->AutoSave();
}

void LiveViewEffects::ShowConfigData(std::span<const std::uint8_t> reply) {
  // Engine speed, lambda, throttle and actuator in reply bytes 3, 4, 6 and 5.
  using model::SignalKind;
  constexpr std::array<std::pair<SignalKind, std::size_t>, 4> kRows{
      {{SignalKind::Rpm, 3}, {SignalKind::Lam, 4}, {SignalKind::Tps, 6}, {SignalKind::Mot, 5}}};
  const std::uint8_t sensorType = working_[link::ImageMap::kTemperatureSensor];
  const std::uint8_t status = reply.size() > 1 ? reply[1] : 0;
  for (const auto& [kind, at] : kRows) {
    if (at >= reply.size()) continue;
    views_.signalView->ShowValue(kind, reply[at], sensorType);
    views_.listWidgets->ShowGauge(kind, reply[at], status, working_);
    views_.indicators->SetReading(kind, reply[at]);
  }
  HideSpeedWhileMeasured();
}

void LiveViewEffects::HideSpeedWhileMeasured() {
  // While the coil type is measured the speed reading means nothing yet.
  if (wizard_->SpeedHidden()) views_.signalView->SetValueText(model::SignalKind::Rpm, "---");
}

}  // namespace zo::app
