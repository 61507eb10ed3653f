// Where the oscilloscope's parts lie inside the scope frame `Bevel1`: the
// control strip `PanelSc2`, the scope image, the scroll bar `ScrollBar1`, and
// the division marks drawn on the window surface over the image.
#pragma once

#include <vector>

namespace zo::visual {

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Line {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
  friend bool operator==(const Line&, const Line&) = default;
};

class ScopeGeometry {
 public:
  // frameWidth/frameHeight: the frame `Bevel1`; topPanelHeight: T, the
  // height of the window's top tool panel; scrollBarShown: the scope is stopped.
  ScopeGeometry(int frameWidth, int frameHeight, int topPanelHeight, bool scrollBarShown);

  [[nodiscard]] Rect ControlStrip() const;
  // The scope image's size and where it is copied to on the window surface.
  [[nodiscard]] Rect Image() const;
  [[nodiscard]] Rect ScrollBar() const;

  // Division marks on the window surface: a top line, full lines or ticks
  // every 100 pixels from the right edge, half ticks between them.
  // clientWidth: the width of the window's top tool panel.
  [[nodiscard]] std::vector<Line> DivisionMarks(int clientWidth, int gridStyle) const;

 private:
  int frameWidth_;
  int frameHeight_;
  int top_;
  bool scrollBarShown_;
};

}  // namespace zo::visual
