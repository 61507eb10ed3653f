// The owner of everything the controller conversation shares with the rest
// of the program. The main window keeps one instance; each part goes only to
// the classes that read or change it, on the user-interface thread, and the
// owner binds to a reference to any of its parts. Only the link itself,
// whose replies touch every part, takes the whole.
#pragma once

#include "ImageCopies.h"
#include "LiveData.h"
#include "PortHealth.h"
#include "ProgrammingState.h"
#include "SchedulerState.h"
#include "ViewFlags.h"

namespace zo::link {

struct LinkState : PortHealth, ImageCopies, LiveData, SchedulerState, ViewFlags {
  ProgrammingState programming;

  // A controller is connected and its parameters have been read: what the
  // commands that report on it (service report, support package) need.
  [[nodiscard]] bool ControllerRead() const {
    return connected && connectionState == ConnectionState::ControllerRead;
  }
};

}  // namespace zo::link
