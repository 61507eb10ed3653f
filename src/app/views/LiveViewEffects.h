// The live views on every live-data or configuration-data reply: the signal
// list and its gauges, the indicator windows, the oscilloscope and its time
// caption, and the recording's auto-save.
#pragma once

#include <functional>
#include <memory>

#include "link/ILiveViewEffects.h"
#include "link/LinkTypes.h"

namespace zo::autoconfig {
class Autoconfig;
}

namespace zo::app {

class FileCommands;
class IndicatorWindows;
class ScopeView;
class SignalListView;
class SignalListWidgets;

// The views drawn on, filled in when the window builds them.
struct LiveViews {
  SignalListView* const& signalView;
  SignalListWidgets* const& listWidgets;
  IndicatorWindows* const& indicators;
  ScopeView* const& scope;
  FileCommands* const& files;
};

class LiveViewEffects : public link::ILiveViewEffects {
 public:
  // `showSample` shows one sample of the history in the signal list; the
  // wizard tells whether the engine speed means anything yet.
  LiveViewEffects(LiveViews views, const std::unique_ptr<autoconfig::Autoconfig>& wizard,
                  const link::ImageArea& working, std::function<void(int index)> showSample)
      : views_(views), wizard_(wizard), working_(working), showSample_(std::move(showSample)) {}

  void DrawSample(int index) override;
  void SetTimeCaption(int index) override;
  void AutoSave() override;
  void ShowConfigData(std::span<const std::uint8_t> reply) override;

 private:
  void HideSpeedWhileMeasured();

  LiveViews views_;
  const std::unique_ptr<autoconfig::Autoconfig>& wizard_;
  const link::ImageArea& working_;
  std::function<void(int index)> showSample_;
};

}  // namespace zo::app
