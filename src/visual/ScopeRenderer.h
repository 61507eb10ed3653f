// Paints the sample history into the oscilloscope's off-screen image: a full
// redraw of every visible sample, or the incremental step that shifts the
// picture left by one time-base step and draws the newest sample only. The
// window copies the image to its surface and adds the division marks
// (ScopeGeometry) itself, so the shifted image stays valid.
#pragma once

#include <QImage>
#include <QSize>
#include <array>
#include <vector>

#include "link/SampleHistory.h"
#include "visual/ScopeLayout.h"
#include "visual/ScopeScene.h"

class QPainter;

namespace zo::visual {

class ScopeRenderer {
 public:
  // Brings the image to `size`, keeping what it shows at the top left; a new
  // or empty image is black.
  void Resize(QSize size);
  // Draws view end `viewEnd` into an image of `size`: full or incremental.
  void Draw(const link::SampleHistory& history, int viewEnd, const ScopeScene& scene, QSize size,
            bool full);
  [[nodiscard]] const QImage& Image() const { return image_; }

 private:
  void ShiftLeft(int step);
  void DrawBands(QPainter& painter, const ScopeLayout& layout, const ScopeScene& scene, bool full);
  void DrawStatus(QPainter& painter, const ScopeLayout& layout, const link::SampleHistory& history,
                  int viewEnd, bool full);
  static void DrawTrace(QImage& image, const ScopeLayout& layout, model::SignalKind kind,
                        Rgb colour, const link::SampleHistory& history, int viewEnd, bool full);

  QImage image_;
  Rgb lastStatus_{193, 193, 193};
};

}  // namespace zo::visual
