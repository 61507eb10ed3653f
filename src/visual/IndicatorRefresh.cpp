#include "IndicatorRefresh.h"

namespace zo::visual {

bool IndicatorRefresh::Take(std::uint8_t reading) {
  if (reading == lastDrawn_) return false;
  lastDrawn_ = reading;
  return true;
}

}  // namespace zo::visual
