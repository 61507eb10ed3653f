#include "IndicatorGeometry.h"

#include <algorithm>
#include <cmath>

namespace zo::visual {

namespace {

// The window keeps at least 100 pixels each way.
IndicatorRect Constrained(IndicatorRect r) {
  r.width = std::max(r.width, IndicatorGeometry::kMinWindow);
  r.height = std::max(r.height, IndicatorGeometry::kMinWindow);
  return r;
}

int Trunc8(int v) {
  return v / 8 * 8;
}

// One size step; dir is -1 for smaller (moves right and down), +1 for larger.
IndicatorRect Step(IndicatorShape shape, const IndicatorRect& r, int dir) {
  IndicatorRect n = r;
  switch (shape) {
    case IndicatorShape::VerticalBar:
      n.width = Trunc8(r.width) + 8 * dir;
      n.height = 2 * n.width;
      n.left -= 4 * dir;
      n.top -= 16 * dir;
      break;
    case IndicatorShape::HorizontalBar:
      n.height = Trunc8(r.height) + 8 * dir;
      n.width = 2 * n.height;
      n.left -= 8 * dir;
      n.top -= 8 * dir;
      break;
    case IndicatorShape::Dial:
      n.height = Trunc8(r.height) + 8 * dir;
      n.width = n.height;
      n.left -= 4 * dir;
      n.top -= 8 * dir;
      break;
  }
  return Constrained(n);
}

}  // namespace

IndicatorShape IndicatorGeometry::ShapeOf(int flags) {
  switch (flags & 6) {
    case 2:
      return IndicatorShape::VerticalBar;
    case 4:
      return IndicatorShape::HorizontalBar;
    default:
      return IndicatorShape::Dial;
  }
}

double IndicatorGeometry::DialAngle(int p) {
  return (p + 142) / 57.32;
}

DialPoint IndicatorGeometry::DialAt(int w, int p, double r) {
  const double a = DialAngle(p);
  return {w / 2.0 + r * std::cos(a), w / 2.0 + r * std::sin(a)};
}

int IndicatorGeometry::BarY(int p, int toolStripTop, int textHeight) {
  return toolStripTop - 10 - p * (toolStripTop - 20 - 2 * textHeight) / 256;
}

int IndicatorGeometry::BarX(int p, int w) {
  return p * (w - 30) / 256 + 15;
}

int IndicatorGeometry::FontSize(IndicatorShape shape, int w, int h) {
  switch (shape) {
    case IndicatorShape::VerticalBar:
      return w / 20 * 2;
    case IndicatorShape::HorizontalBar:
      return h / 20 * 2;
    case IndicatorShape::Dial:
      break;
  }
  return w / 25 * 2;
}

int IndicatorGeometry::ToolStripTop(IndicatorShape shape, int h) {
  return shape == IndicatorShape::Dial ? h - 38 : h - 26;
}

IndicatorRect IndicatorGeometry::Opened(IndicatorShape shape, int left, int top, int size) {
  const int h = std::clamp(size, kMinSize, kMaxSize);
  int w = h;
  if (shape == IndicatorShape::VerticalBar) w = h / 2;
  if (shape == IndicatorShape::HorizontalBar) w = 2 * h;
  return Constrained({left, top, w, h});
}

std::optional<IndicatorRect> IndicatorGeometry::Smaller(IndicatorShape shape,
                                                        const IndicatorRect& r) {
  const int measured = shape == IndicatorShape::VerticalBar ? r.width : r.height;
  if (measured < 101) return std::nullopt;
  return Step(shape, r, -1);
}

std::optional<IndicatorRect> IndicatorGeometry::Larger(IndicatorShape shape,
                                                       const IndicatorRect& r) {
  const int limit = shape == IndicatorShape::HorizontalBar ? 240 : kMaxSize;
  if (r.height >= limit) return std::nullopt;
  return Step(shape, r, +1);
}

IndicatorShape IndicatorGeometry::NextShape(IndicatorShape shape) {
  switch (shape) {
    case IndicatorShape::Dial:
      return IndicatorShape::VerticalBar;
    case IndicatorShape::VerticalBar:
      return IndicatorShape::HorizontalBar;
    case IndicatorShape::HorizontalBar:
      break;
  }
  return IndicatorShape::Dial;
}

IndicatorRect IndicatorGeometry::Reshaped(IndicatorShape shape, const IndicatorRect& r) {
  IndicatorRect n = r;
  switch (shape) {
    case IndicatorShape::Dial:
      n = Constrained({r.left, r.top - 10, r.height / 2, r.height});
      n.left += n.width / 2;
      break;
    case IndicatorShape::VerticalBar:
      n = Constrained({r.left, r.top, r.height, r.height / 2});
      n.left -= n.width / 4;
      n.top += n.height;
      break;
    case IndicatorShape::HorizontalBar:
      n = Constrained({r.left, r.top, 2 * r.height, 2 * r.height});
      n.top += 10 - n.height / 2;
      break;
  }
  return n;
}

int IndicatorGeometry::ShapeButtonPicture(IndicatorShape shape) {
  switch (shape) {
    case IndicatorShape::VerticalBar:
      return 4;
    case IndicatorShape::HorizontalBar:
      return 2;
    case IndicatorShape::Dial:
      break;
  }
  return 3;
}

}  // namespace zo::visual
