#include "visual/ScopeGeometry.h"

#include <algorithm>

namespace zo::visual {

ScopeGeometry::ScopeGeometry(int frameWidth, int frameHeight, int topPanelHeight,
                             bool scrollBarShown)
    : frameWidth_(frameWidth),
      frameHeight_(frameHeight),
      top_(topPanelHeight),
      scrollBarShown_(scrollBarShown) {}

Rect ScopeGeometry::ControlStrip() const {
  return {2, top_ + 2, frameWidth_ - 5, 24};
}

Rect ScopeGeometry::Image() const {
  const int height = frameHeight_ - 28 - (scrollBarShown_ ? 16 : 0);
  return {2, top_ + 26, std::max(0, frameWidth_ - 5), std::max(0, height)};
}

Rect ScopeGeometry::ScrollBar() const {
  return {2, top_ + frameHeight_ - 17, frameWidth_ - 5, 16};
}

std::vector<Line> ScopeGeometry::DivisionMarks(int clientWidth, int gridStyle) const {
  const Rect image = Image();
  const int w = image.width;
  const int y0 = image.y;
  std::vector<Line> marks{{2, y0, w + 1, y0}};
  const int longEnd = (gridStyle & 1) != 0 ? y0 + image.height : y0 + 10;
  for (int k = 1; 100 * k < clientWidth; ++k)
    marks.push_back({w - 100 * k, y0, w - 100 * k, longEnd});
  for (int k = 0; 50 + 100 * k < clientWidth; ++k) {
    marks.push_back({w - 50 - 100 * k, y0, w - 50 - 100 * k, y0 + 4});
  }
  return marks;
}

}  // namespace zo::visual
