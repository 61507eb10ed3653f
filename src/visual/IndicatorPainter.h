// Paints an indicator window's picture: once the background (outline, scale
// line, name, ticks with labels, the actuator outline, zones and marks) for
// the window's kind, shape, size and colour; then on every changed reading a
// copy of that background with the value drawn over it (text, and a needle,
// sector, bar or the actuator's head and rod). Qt Gui only: the window shows
// the picture, IndicatorScale and IndicatorGeometry give the numbers.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <cstdint>

#include "IndicatorGeometry.h"
#include "IndicatorScale.h"

class QPainter;

namespace zo::visual {

// Everything the picture depends on besides the parameter image and reading.
struct IndicatorLook {
  model::SignalKind kind = model::SignalKind::Rpm;
  IndicatorShape shape = IndicatorShape::Dial;
  int width = 0;
  int height = 0;
  QColor colour;  // the signal colour
  QFont font;     // family only; the size follows the window's size
  QString name;
  QString unit;
  bool russian = false;  // the name is drawn with every value instead
  char decimalSeparator = '.';
};

class IndicatorPainter {
 public:
  // The filled sector of the throttle and actuator dials is translucent, so
  // the scale under it stays readable.
  static constexpr int kSectorAlpha = 110;

  // Draws and keeps the background; the picture shows it without a value.
  void DrawBackground(const IndicatorLook& look, const IndicatorInputs& in);
  // The picture becomes a copy of the background with the reading drawn.
  void DrawValue(std::uint8_t reading, const IndicatorInputs& in);

  [[nodiscard]] const QImage& Background() const { return background_; }
  [[nodiscard]] const QImage& Picture() const { return picture_; }
  [[nodiscard]] const IndicatorLook& Look() const { return look_; }

 private:
  [[nodiscard]] QFont SizedFont() const;
  void DrawOutline(QPainter& p) const;
  void DrawScaleLine(QPainter& p) const;
  void DrawName(QPainter& p) const;
  void DrawTicks(QPainter& p, const IndicatorInputs& in) const;
  void DrawActuatorOutline(QPainter& p) const;
  void DrawZones(QPainter& p, const IndicatorInputs& in) const;
  void DrawMarks(QPainter& p, const IndicatorInputs& in) const;
  void DrawIndicator(QPainter& p, int position) const;
  void DrawVerticalBar(QPainter& p, int position) const;
  void DrawHorizontalBar(QPainter& p, int position) const;
  // The width a name or value text starting at `top` may take.
  [[nodiscard]] int TextRoom(int top) const;
  [[nodiscard]] int Y(int p) const;  // vertical bar
  [[nodiscard]] int X(int p) const;  // horizontal bar

  IndicatorLook look_;
  int fontSize_ = 0;    // in points, as the scale arithmetic counts it
  int textHeight_ = 0;  // pixels
  int stripTop_ = 0;
  QImage background_;
  QImage picture_;
};

}  // namespace zo::visual
