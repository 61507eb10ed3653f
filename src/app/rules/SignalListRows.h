// What the signal list lists on a page: the header text of its name column
// and the signal kinds below the header, in list order.
#pragma once

#include <vector>

#include "link/LinkTypes.h"
#include "model/LiveSignals.h"
#include "texts/TextIds.h"

namespace zo::app {

struct SignalListRows {
  int nameHeaderText = txt::kHeaderSignals;
  std::vector<model::SignalKind> kinds;

  // The Configuration page always lists engine speed, lambda, throttle and
  // actuator; the other pages list what the controller offers. Models that
  // always offer their signals must have had their flags forced before.
  static SignalListRows For(const link::ImageArea& image, bool serviceMode, link::Page page);
};

}  // namespace zo::app
