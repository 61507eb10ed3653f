// The main window's part of the oscilloscope: it creates the scope frame,
// tells it what a drawing depends on, carries the cursor readout and a start
// or stop over to the rest of the window, and stores the scope's settings.
#pragma once

#include "app/MainParts.h"
#include "visual/ScopeScene.h"

namespace zo::app {

class MainScope {
 public:
  explicit MainScope(const MainParts& parts) : p_(parts) {}

  // The scope frame on the client area, from the time base, grid style and
  // band count in the settings.
  void Build();
  [[nodiscard]] visual::ScopeScene Scene() const;
  // Time base, grid style and band count back to the settings.
  void StoreSettings();

 private:
  void ShowCursorSample(int index);
  void RunningChanged(bool running, bool autoSaveOff);

  const MainParts& p_;
};

}  // namespace zo::app
