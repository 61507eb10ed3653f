// Geometry of an indicator window: the dial angle and points, the bar
// positions, font size and tool strip place, the window's size from its
// shape, and the size and shape buttons. Pure arithmetic on pixels.
#pragma once

#include <optional>

namespace zo::visual {

// The shape bits (1-2) of an indicator slot's flags.
enum class IndicatorShape : int { Dial = 0, VerticalBar = 2, HorizontalBar = 4 };

struct IndicatorRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const IndicatorRect&) const = default;
};

struct DialPoint {
  double x = 0;
  double y = 0;
};

class IndicatorGeometry {
 public:
  static constexpr int kMinSize = 128;  // size limits on opening
  static constexpr int kMaxSize = 480;
  static constexpr int kMinWindow = 100;  // the window's own minimum, both ways

  // The shape held in a slot's flags; the unused value 6 counts as a dial.
  static IndicatorShape ShapeOf(int flags);

  // Dial angle of scale position p in radians from the positive x axis, y
  // downwards: p = 0 lower left, clockwise over the top to p = 255 lower right.
  static double DialAngle(int p);
  // The point at radius r for position p on a dial of client width w.
  static DialPoint DialAt(int w, int p, double r);
  // Vertical bar: y of position p with T the top of the tool strip and th the
  // text height; horizontal bar: x of position p for client width w.
  static int BarY(int p, int toolStripTop, int textHeight);
  static int BarX(int p, int w);

  static int FontSize(IndicatorShape shape, int w, int h);
  static int ToolStripTop(IndicatorShape shape, int h);

  // The window opened from a slot: size brought into 128..480, width from the
  // shape, neither side below 100.
  static IndicatorRect Opened(IndicatorShape shape, int left, int top, int size);

  // `ToolButton1` / `ToolButton2`: the window after one 8-pixel step, none
  // when the step is refused.
  static std::optional<IndicatorRect> Smaller(IndicatorShape shape, const IndicatorRect& r);
  static std::optional<IndicatorRect> Larger(IndicatorShape shape, const IndicatorRect& r);
  // `ToolButton3`: the next shape and the window in it.
  static IndicatorShape NextShape(IndicatorShape shape);
  static IndicatorRect Reshaped(IndicatorShape shape, const IndicatorRect& r);
  // Picture of `ToolButton3` for the current shape.
  static int ShapeButtonPicture(IndicatorShape shape);
};

}  // namespace zo::visual
