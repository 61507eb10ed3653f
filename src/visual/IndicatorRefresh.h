// The value refresh of an indicator window: it redraws only when the reading
// differs from the last one drawn; -1 means the next tick redraws whatever
// the reading is (after opening, resizing, a new background or a paint).
#pragma once

#include <cstdint>

namespace zo::visual {

class IndicatorRefresh {
 public:
  static constexpr int kRedraw = -1;

  // True when the reading must be drawn; it is then remembered as drawn.
  bool Take(std::uint8_t reading);
  void Invalidate() { lastDrawn_ = kRedraw; }
  [[nodiscard]] int LastDrawn() const { return lastDrawn_; }

 private:
  int lastDrawn_ = kRedraw;
};

}  // namespace zo::visual
