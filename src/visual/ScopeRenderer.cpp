#include "visual/ScopeRenderer.h"

#include <QPainter>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace zo::visual {

namespace {

QColor ToQColor(Rgb c) {
  return QColor(c.r, c.g, c.b);
}

// A rectangle given by two corners, as the drawing rules name them; the
// pixels from the smaller to the larger coordinate, the larger one excluded.
void FillCorners(QPainter& painter, int x1, int y1, int x2, int y2, Rgb colour) {
  const QRect rect = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                           QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
  if (rect.isValid()) painter.fillRect(rect, ToQColor(colour));
}

QRgb ToRgb(Rgb c) {
  return qRgb(c.r, c.g, c.b);
}

// A one-pixel line with both ends, pixels outside the image left out. The
// traces are thousands of short segments: setting the pixels directly costs
// a fraction of a painter's line.
void Segment(QImage& image, QPoint a, QPoint b, QRgb colour) {
  auto* bits = reinterpret_cast<QRgb*>(image.bits());
  const auto stride = static_cast<std::ptrdiff_t>(image.bytesPerLine() / 4);
  const int w = image.width();
  const int h = image.height();
  const int dx = std::abs(b.x() - a.x());
  const int dy = -std::abs(b.y() - a.y());
  const int sx = a.x() < b.x() ? 1 : -1;
  const int sy = a.y() < b.y() ? 1 : -1;
  int err = dx + dy;
  int x = a.x();
  int y = a.y();
  for (;;) {
    if (x >= 0 && x < w && y >= 0 && y < h) bits[y * stride + x] = colour;
    if (x == b.x() && y == b.y()) return;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

// The sample before index 0 is the ring's last slot.
int Previous(int index) {
  return index > 0 ? index - 1 : link::kHistoryLength - 1;
}

// Walks the samples a full redraw shows, from the view end leftwards.
template <typename Visit>
void WalkVisible(const ScopeLayout& layout, int viewEnd, Visit visit) {
  for (int i = viewEnd; i > 0 && viewEnd - i < layout.VisibleSamples(); --i)
    visit(i - 1);
}

}  // namespace

void ScopeRenderer::Resize(QSize size) {
  if (image_.size() == size && !image_.isNull()) return;
  QImage resized(size, QImage::Format_RGB32);
  resized.fill(Qt::black);
  if (!image_.isNull() && !resized.isNull()) {
    QPainter painter(&resized);
    painter.drawImage(0, 0, image_);
  }
  image_ = std::move(resized);
}

void ScopeRenderer::ShiftLeft(int step) {
  const int width = image_.width();
  const int kept = width - step;
  for (int y = 0; y < image_.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
    if (kept > 0) std::memmove(line, line + step, static_cast<std::size_t>(kept) * sizeof(QRgb));
    std::fill(line + std::max(0, kept), line + width, qRgb(0, 0, 0));
  }
}

void ScopeRenderer::Draw(const link::SampleHistory& history, int viewEnd, const ScopeScene& scene,
                         QSize size, bool full) {
  Resize(size);
  if (image_.isNull()) return;
  const ScopeLayout layout(image_.width(), image_.height(), scene.timeBase, scene.bandCount,
                           scene.switches, scene.types);
  if (full) {
    image_.fill(Qt::black);
  } else {
    ShiftLeft(layout.TimeBase());
  }
  {
    QPainter painter(&image_);
    DrawBands(painter, layout, scene, full);
    DrawStatus(painter, layout, history, viewEnd, full);
  }
  for (auto row = scene.rowKinds.rbegin(); row != scene.rowKinds.rend(); ++row) {
    const auto kind = layout.TraceOfRow(*row, scene.serviceMode);
    if (!kind) continue;
    DrawTrace(image_, layout, *kind, scene.colours.at(model::SampleByteOf(*kind)), history, viewEnd,
              full);
  }
}

void ScopeRenderer::DrawBands(QPainter& painter, const ScopeLayout& layout, const ScopeScene& scene,
                              bool full) {
  const auto bands = layout.BackgroundBands(scene.gridStyle);
  if (!bands) return;
  const int x0 = full ? 0 : layout.Width() - layout.TimeBase();
  const int w = layout.Width();
  const Rgb grey{64, 64, 64};
  if (bands->actuatorBand) {
    FillCorners(painter, x0, bands->actuatorBand->first, w, bands->actuatorBand->second, grey);
  }
  FillCorners(painter, x0, bands->mainBand.first, w, bands->mainBand.second, grey);
  FillCorners(painter, x0, bands->probeMiddle, w, bands->probeRich, Rgb{80, 0, 0});
  FillCorners(painter, x0, bands->probeMiddle, w, bands->probeLean, Rgb{0, 0, 80});
}

void ScopeRenderer::DrawStatus(QPainter& painter, const ScopeLayout& layout,
                               const link::SampleHistory& history, int viewEnd, bool full) {
  // Plain copies: a lambda may not capture structured bindings everywhere.
  const auto rows = layout.StatusRows();
  const int top = rows.first;
  const int bottom = rows.second;
  // Neighbouring cells of one colour are filled as one rectangle.
  std::optional<Rgb> runColour;
  int runLeft = 0;
  int runRight = 0;
  const auto flush = [&] {
    if (runColour) FillCorners(painter, runLeft, top, runRight, bottom, *runColour);
    runColour.reset();
  };
  auto cell = [&](int i) {
    const StatusCell c = ScopeLayout::StatusColour(history.At(i)[1], i, lastStatus_);
    lastStatus_ = c.colour;
    if (!c.drawn) return flush();
    const auto columns = layout.StatusColumns(viewEnd, i);
    if (runColour && *runColour == c.colour && columns.second == runLeft) {
      runLeft = columns.first;
      return;
    }
    flush();
    runColour = c.colour;
    runLeft = columns.first;
    runRight = columns.second;
  };
  cell(viewEnd);
  if (full) WalkVisible(layout, viewEnd, cell);
  flush();
}

void ScopeRenderer::DrawTrace(QImage& image, const ScopeLayout& layout, model::SignalKind kind,
                              Rgb colour, const link::SampleHistory& history, int viewEnd,
                              bool full) {
  const int previous = Previous(viewEnd);
  const auto byteOf = [&](int i) { return history.At(i)[model::SampleByteOf(kind)]; };
  const auto pen = [&](int i) {
    return ToRgb(ScopeLayout::TraceColour(kind, colour, history.At(i)));
  };
  const SegmentOffsets o = layout.Offsets(kind, byteOf(previous), byteOf(viewEnd));
  QPoint from(layout.X(viewEnd, viewEnd - 1), layout.Y(kind, o.previous));
  const QPoint to(layout.X(viewEnd, viewEnd), layout.Y(kind, o.current));
  // A sustained over-range shows as a dashed line: every other segment is left out.
  if (!o.overRange || viewEnd % 2 == 0) Segment(image, from, to, pen(viewEnd));
  if (!full) return;
  // Walking left, each segment takes the colour of its left sample.
  from = to;
  WalkVisible(layout, viewEnd, [&](int i) {
    const QPoint point(layout.X(viewEnd, i), layout.Y(kind, layout.Offset(kind, byteOf(i))));
    Segment(image, from, point, pen(i));
    from = point;
  });
}

}  // namespace zo::visual
