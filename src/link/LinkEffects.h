// What the controller conversation makes the user see or hear, by the area
// each effect draws. Windows implement the parts; tests record them. The link
// never depends on a window.
#pragma once

#include "ILiveViewEffects.h"
#include "IMenuEffects.h"
#include "IMessageEffects.h"
#include "IProgressEffects.h"
#include "IWindowEffects.h"

namespace zo::link {

// The parts the reply decoding draws on, handed to the link by its owner.
struct LinkEffects {
  IProgressEffects& progress;
  IMessageEffects& messages;
  IWindowEffects& window;
  IMenuEffects& menus;
  ILiveViewEffects& live;
};

}  // namespace zo::link
