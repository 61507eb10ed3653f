#include "IndicatorPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace zo::visual {

namespace {

using model::SignalKind;
const QColor kSilver(192, 192, 192);

double Degrees(double radians) {
  return radians * 180.0 / std::numbers::pi;
}

QPointF At(int w, int p, double r) {
  const DialPoint d = IndicatorGeometry::DialAt(w, p, r);
  return {d.x, d.y};
}

// The arc from position `from` to `to`, clockwise on screen, in the painter's
// sixteenths of a degree (counter-clockwise positive).
void DrawScaleArc(QPainter& painter, const QRectF& circle, int from, int to) {
  const double a0 = Degrees(IndicatorGeometry::DialAngle(from));
  const double a1 = Degrees(IndicatorGeometry::DialAngle(to));
  painter.drawArc(circle, static_cast<int>(std::lround(-a0 * 16)),
                  static_cast<int>(std::lround(-(a1 - a0) * 16)));
}

// Text with its top left corner at (x, y), as the scale places its texts.
void TextAt(QPainter& painter, int x, int y, const QString& text) {
  painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

int TextWidth(const QPainter& painter, const QString& text) {
  return painter.fontMetrics().horizontalAdvance(text);
}

// A name or value wider than the room shrinks until it fits, so that a long
// name on a narrow bar is not cut off at the frame.
void FitFont(QPainter& painter, const QString& text, int room) {
  const int w = TextWidth(painter, text);
  if (w <= room || room <= 0) return;
  QFont font = painter.font();
  font.setPixelSize(std::max(6, font.pixelSize() * room / w));
  painter.setFont(font);
}

// A filled rectangle between two corners, the far edges excluded.
void Block(QPainter& painter, int x1, int y1, int x2, int y2, const QColor& colour) {
  const int left = std::min(x1, x2);
  const int top = std::min(y1, y2);
  const int w = std::abs(x2 - x1);
  const int h = std::abs(y2 - y1);
  if (w > 0 && h > 0) painter.fillRect(left, top, w, h, colour);
}

QColor ZoneColourOf(ZoneColour zone, const QColor& signal) {
  switch (zone) {
    case ZoneColour::Green:
      return {0, 255, 0};
    case ZoneColour::Red:
      return {255, 0, 0};
    case ZoneColour::Signal:
      break;
  }
  return signal;
}

QPen Pen(const QColor& colour, int width) {
  QPen pen(colour, width);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

}  // namespace

QFont IndicatorPainter::SizedFont() const {
  QFont font = look_.font;
  // Sizes count in points on a 96 dpi screen, as on the window.
  font.setPixelSize(std::max(1, fontSize_ * 4 / 3));
  return font;
}

int IndicatorPainter::Y(int p) const {
  return IndicatorGeometry::BarY(p, stripTop_, textHeight_);
}

int IndicatorPainter::X(int p) const {
  return IndicatorGeometry::BarX(p, look_.width);
}

int IndicatorPainter::TextRoom(int top) const {
  const int w = look_.width;
  switch (look_.shape) {
    case IndicatorShape::VerticalBar:
      return w - 12;
    case IndicatorShape::HorizontalBar:
      return w / 2 - 8;
    case IndicatorShape::Dial:
      break;
  }
  // The chord of the dial's inner circle across the text's line.
  const double r = w / 2.0 - 14;
  const double dy = std::max(std::abs(top - w / 2.0), std::abs(top + textHeight_ - w / 2.0));
  return dy >= r ? 0 : static_cast<int>(2 * std::sqrt(r * r - dy * dy));
}

void IndicatorPainter::DrawBackground(const IndicatorLook& look, const IndicatorInputs& in) {
  look_ = look;
  const int w = std::max(1, look.width);
  const int h = std::max(1, look.height);
  fontSize_ = IndicatorGeometry::FontSize(look.shape, w, h);
  stripTop_ = IndicatorGeometry::ToolStripTop(look.shape, h);
  background_ = QImage(w, h, QImage::Format_RGB32);
  background_.fill(Qt::black);

  QPainter p(&background_);
  p.setRenderHint(QPainter::Antialiasing, look.shape == IndicatorShape::Dial);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setFont(SizedFont());
  textHeight_ = p.fontMetrics().height();
  DrawOutline(p);
  DrawScaleLine(p);
  if (!look.russian) DrawName(p);
  DrawTicks(p, in);
  if (look.kind == SignalKind::Mot) DrawActuatorOutline(p);
  DrawZones(p, in);
  DrawMarks(p, in);
  p.end();
  picture_ = background_;
}

void IndicatorPainter::DrawOutline(QPainter& p) const {
  p.setPen(Pen(kSilver, 4));
  p.setBrush(Qt::NoBrush);
  const QRectF inner(2, 2, look_.width - 4, look_.height - 4);
  if (look_.shape == IndicatorShape::Dial) {
    p.drawEllipse(inner);
  } else {
    p.drawRect(inner);
  }
}

void IndicatorPainter::DrawScaleLine(QPainter& p) const {
  p.setPen(Pen(look_.colour, 1));
  const int w = look_.width;
  switch (look_.shape) {
    case IndicatorShape::Dial:
      DrawScaleArc(p, QRectF(10, 10, w - 20, w - 20), 0, 255);
      break;
    case IndicatorShape::VerticalBar:
      p.drawLine(21, Y(0), 21, Y(255));
      break;
    case IndicatorShape::HorizontalBar:
      p.drawLine(X(0), textHeight_ + 21, X(255), textHeight_ + 21);
      break;
  }
}

void IndicatorPainter::DrawName(QPainter& p) const {
  p.save();
  p.setPen(look_.colour);
  const int w = look_.width;
  int room = TextRoom(look_.height / 2);
  // On a dial the name stays inside the ring of scale labels.
  if (look_.shape == IndicatorShape::Dial)
    room = std::min(room, static_cast<int>(2 * (w / 2.0 - 15 - 16 - fontSize_ - textHeight_)));
  FitFont(p, look_.name, room);
  const int tw = TextWidth(p, look_.name);
  switch (look_.shape) {
    case IndicatorShape::Dial:
      TextAt(p, w / 2 - tw / 2, look_.height / 2, look_.name);
      if (look_.kind == SignalKind::Rpm) {
        const QString thousands = QStringLiteral("x1000");
        TextAt(p, w / 2 - TextWidth(p, thousands) / 2, look_.height / 2 - textHeight_, thousands);
      }
      break;
    case IndicatorShape::VerticalBar:
      TextAt(p, w / 2 - tw / 2, 4, look_.name);
      break;
    case IndicatorShape::HorizontalBar:
      TextAt(p, w / 4 - tw / 2, 4, look_.name);
      break;
  }
  p.restore();
}

void IndicatorPainter::DrawTicks(QPainter& p, const IndicatorInputs& in) const {
  const int w = look_.width;
  const int h = look_.height;
  const QFontMetrics& fm = p.fontMetrics();
  for (const ScaleTick& t : IndicatorScale::Ticks(look_.kind, in)) {
    const QString label = t.label ? QString::number(*t.label) : QString();
    const int lw = fm.horizontalAdvance(label);
    switch (look_.shape) {
      case IndicatorShape::Dial: {
        const double outer = w / 2.0 - 15;
        p.setPen(Pen(look_.colour, t.penWidth));
        p.drawLine(At(w, t.p, outer), At(w, t.p, outer - t.length));
        if (t.label) {
          const QPointF c = At(w, t.p, outer - t.length - fontSize_);
          p.setPen(look_.colour);
          p.drawText(QRectF(c.x() - lw, c.y() - textHeight_, 2.0 * lw, 2.0 * textHeight_),
                     Qt::AlignCenter, label);
        }
        break;
      }
      case IndicatorShape::VerticalBar:
        p.setPen(Pen(look_.colour, 1));
        p.drawLine(w / 2, Y(t.p), w / 2 + t.length, Y(t.p));
        if (t.label) TextAt(p, w / 2 + t.length + 5, Y(t.p) - textHeight_ / 2, label);
        break;
      case IndicatorShape::HorizontalBar:
        p.setPen(Pen(look_.colour, 1));
        p.drawLine(X(t.p), h / 2, X(t.p), h / 2 + t.length);
        if (t.label) TextAt(p, X(t.p) - lw / 2, h / 2 + t.length + 5, label);
        break;
    }
  }
}

void IndicatorPainter::DrawActuatorOutline(QPainter& p) const {
  const int w = look_.width;
  const int h = look_.height;
  const int th = textHeight_;
  p.setPen(Pen(kSilver, 3));
  p.setBrush(Qt::NoBrush);
  if (look_.shape == IndicatorShape::VerticalBar) {
    p.drawPolyline(QPolygon({QPoint(25, Y(255)), QPoint(25, Y(0) + 2), QPoint(w / 2 - 2, Y(0) + 2),
                             QPoint(w / 2 - 2, Y(255))}));
  } else if (look_.shape == IndicatorShape::HorizontalBar) {
    p.drawPolyline(QPolygon({QPoint(X(255), th + 25), QPoint(X(0) - 3, th + 25),
                             QPoint(X(0) - 3, h / 2 - 4), QPoint(X(255), h / 2 - 4)}));
  }
}

void IndicatorPainter::DrawZones(QPainter& p, const IndicatorInputs& in) const {
  const int w = look_.width;
  for (const ScaleZone& z : IndicatorScale::Zones(look_.kind, in)) {
    p.setPen(Pen(ZoneColourOf(z.colour, look_.colour), z.width));
    switch (look_.shape) {
      case IndicatorShape::Dial:
        DrawScaleArc(p, QRectF(10, 10, w - 20, w - 20), z.from, z.to);
        break;
      case IndicatorShape::VerticalBar:
        p.drawLine(21, Y(z.from), 21, Y(z.to));
        break;
      case IndicatorShape::HorizontalBar:
        p.drawLine(X(z.from), textHeight_ + 21, X(z.to), textHeight_ + 21);
        break;
    }
  }
}

void IndicatorPainter::DrawMarks(QPainter& p, const IndicatorInputs& in) const {
  const int w = look_.width;
  const int h = look_.height;
  const int th = textHeight_;
  p.setBrush(Qt::NoBrush);
  for (const ScaleMark& m : IndicatorScale::Marks(look_.kind, in)) {
    QPen pen = Pen(look_.colour, m.width);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    switch (look_.shape) {
      case IndicatorShape::Dial: {
        const QPointF inner = At(w, m.p, w / 2.0 - 40);
        p.drawLine(At(w, m.p, w / 2.0 - 15), inner);
        const double side = 4 + m.width;
        p.drawRect(QRectF(inner.x() - side / 2, inner.y() - side / 2, side, side));
        break;
      }
      case IndicatorShape::VerticalBar: {
        const int y = Y(m.p);
        p.drawPolyline(QPolygon(
            {QPoint(18, y), QPoint(6, y - 6), QPoint(6, y + 6), QPoint(18, y), QPoint(w / 2, y)}));
        break;
      }
      case IndicatorShape::HorizontalBar: {
        const int x = X(m.p);
        p.drawPolyline(QPolygon({QPoint(x, th + 18), QPoint(x - 6, th + 6), QPoint(x + 6, th + 6),
                                 QPoint(x, th + 18), QPoint(x, h / 2)}));
        break;
      }
    }
  }
}

void IndicatorPainter::DrawValue(std::uint8_t reading, const IndicatorInputs& in) {
  if (picture_.size() != background_.size() || picture_.format() != background_.format() ||
      !picture_.isDetached()) {
    picture_ = QImage(background_.size(), background_.format());
  }
  std::memcpy(picture_.bits(), background_.constBits(),
              static_cast<std::size_t>(background_.sizeInBytes()));

  const int position = IndicatorScale::Position(look_.kind, reading, in);
  const std::string unit = look_.unit.toStdString();
  const QString text = QString::fromStdString(IndicatorScale::ValueText(
      IndicatorScale::ShownValue(look_.kind, reading, in), look_.decimalSeparator, unit));

  QPainter p(&picture_);
  p.setRenderHint(QPainter::Antialiasing, look_.shape == IndicatorShape::Dial);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setFont(SizedFont());
  p.setPen(look_.colour);
  const int w = look_.width;
  const int h = look_.height;
  p.save();
  // On a dial the value line runs between the end labels of the scale; it
  // moves down below them when they would overlap it, staying above the strip.
  const double labelRadius = w / 2.0 - 15 - 16 - fontSize_;
  const int labelBottom = static_cast<int>(At(w, 0, labelRadius).y() + textHeight_ / 2.0) + 1;
  const int dialTextTop = std::min(stripTop_ - textHeight_,
                                   std::max(stripTop_ - textHeight_ - (h - 100) / 15, labelBottom));
  FitFont(p, text, TextRoom(dialTextTop));
  const int tw = TextWidth(p, text);
  switch (look_.shape) {
    case IndicatorShape::Dial:
      TextAt(p, w / 2 - tw / 2, dialTextTop, text);
      break;
    case IndicatorShape::VerticalBar:
      TextAt(p, w / 2 - tw / 2, textHeight_ + 5, text);
      break;
    case IndicatorShape::HorizontalBar:
      TextAt(p, 3 * w / 4 - tw / 2, 4, text);
      break;
  }
  p.restore();
  if (look_.russian) DrawName(p);
  DrawIndicator(p, position);
}

void IndicatorPainter::DrawIndicator(QPainter& p, int position) const {
  const int w = look_.width;
  switch (look_.shape) {
    case IndicatorShape::Dial:
      if (look_.kind == SignalKind::Tps || look_.kind == SignalKind::Mot) {
        // From the scale's start (the direction of (0, 0.9 W)) clockwise to the value.
        const double start = Degrees(std::atan2(0.9 * w - w / 2.0, -w / 2.0));
        const double end = Degrees(IndicatorGeometry::DialAngle(position));
        QColor fill = look_.colour;
        fill.setAlpha(kSectorAlpha);
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawPie(QRectF(5, 5, w - 10, w - 10), static_cast<int>(std::lround(-start * 16)),
                  static_cast<int>(std::lround(-(end - start) * 16)));
      } else {
        QPen needle(look_.colour, 3);
        needle.setCapStyle(Qt::RoundCap);
        p.setPen(needle);
        p.drawLine(At(w, position, w / 2.0 - 20), QPointF(w / 2.0, w / 2.0));
      }
      break;
    case IndicatorShape::VerticalBar:
      DrawVerticalBar(p, position);
      break;
    case IndicatorShape::HorizontalBar:
      DrawHorizontalBar(p, position);
      break;
  }
}

void IndicatorPainter::DrawVerticalBar(QPainter& p, int position) const {
  const int w = look_.width;
  if (look_.kind != SignalKind::Mot) {
    Block(p, 25, Y(0), w / 2, Y(position), look_.colour);
    return;
  }
  // The actuator as a piston: the bar, then its head and rod in silver.
  Block(p, 28, Y(0), w / 2 - 4, Y(position), look_.colour);
  const int g = w / 12;
  const int a = Y(position);
  const int b = Y(255);
  if (a - b < g) {
    Block(p, 25, a, w / 2 - 4, b, kSilver);
  } else {
    Block(p, 26, a, w / 2 - 2, a - g, kSilver);
    Block(p, g + 25, b, w / 2 - 4 - g, a - g, kSilver);
  }
}

void IndicatorPainter::DrawHorizontalBar(QPainter& p, int position) const {
  const int h = look_.height;
  const int th = textHeight_;
  if (look_.kind != SignalKind::Mot) {
    Block(p, X(0), th + 25, X(position), h / 2, look_.colour);
    return;
  }
  Block(p, X(0), th + 28, X(position), h / 2 - 6, look_.colour);
  const int g = h / 12;
  const int a = X(position);
  const int b = X(255);
  if (b - a < g) {
    Block(p, a, th + 25, b, h / 2 - 6, kSilver);
  } else {
    Block(p, a, th + 26, a + g, h / 2 - 4, kSilver);
    Block(p, b, th + g + 25, a + g, h / 2 - 6 - g, kSilver);
  }
}

}  // namespace zo::visual
