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

class QPainter;

namespace zo::visual {

// Everything a drawing depends on besides the history.
struct ScopeScene {
  int timeBase = 1;   // pixels per sample
  int gridStyle = 0;  // bit 0 full division lines, bit 1 background bands
  int bandCount = 0;  // 0 automatic, 1..3
  TraceSwitches switches;
  TypeParams types;
  bool serviceMode = false;
  std::array<Rgb, link::kSampleSize> colours{};  // trace colour by the signal's sample byte
  std::vector<model::SignalKind> rowKinds;       // signal list rows, first to last
};

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
