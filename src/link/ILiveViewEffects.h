// The live views: the signal list, its gauges, the indicator windows and the
// oscilloscope with its time caption, and the recording's auto-save.
#pragma once

#include <cstdint>
#include <span>

namespace zo::link {

class ILiveViewEffects {
 public:
  virtual ~ILiveViewEffects() = default;

  virtual void DrawSample(int index) = 0;  // show the sample and redraw the scope
  virtual void SetTimeCaption(int index) = 0;
  virtual void AutoSave() = 0;  // the history wrapped with auto-save on
  virtual void ShowConfigData(std::span<const std::uint8_t> reply) = 0;
};

}  // namespace zo::link
