#include "app/widgets/AppPictures.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

namespace zo::app {

namespace {

QPixmap Blank() {
  QPixmap pixmap(AppPictures::kSize, AppPictures::kSize);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

void DrawSign(QPainter& painter, const QRectF& box, const QString& sign, const QColor& colour) {
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(20);
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(box, Qt::AlignCenter, sign);
}

// A round badge with a white sign: the question and information pictures.
QPixmap Badge(const QColor& fill, const QString& sign) {
  QPixmap pixmap = Blank();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(fill.darker(140), 1.5));
  painter.setBrush(fill);
  painter.drawEllipse(QRectF(2, 2, 28, 28));
  DrawSign(painter, QRectF(2, 3, 28, 28), sign, Qt::white);
  return pixmap;
}

// A lens of the switch: lit, a bright dome with a highlight; dark, the same
// colour deep and dull, so it still reads as a lamp.
void DrawLens(QPainter& painter, const QRectF& box, const QColor& colour, bool lit) {
  const QColor body = lit ? colour : colour.darker(420);
  QRadialGradient dome(box.center() - QPointF(box.width() * 0.18, box.height() * 0.18),
                       box.width() * 0.62);
  dome.setColorAt(0, lit ? QColor(255, 255, 255) : body.lighter(180));
  dome.setColorAt(0.45, body);
  dome.setColorAt(1, body.darker(lit ? 150 : 130));
  painter.setPen(QPen(QColor(0, 0, 0, 200), 0.8));
  painter.setBrush(dome);
  painter.drawEllipse(box.adjusted(0.4, 0.4, -0.4, -0.4));
}

// A petrol pump pictogram in a box about 9 x 11 pixels.
void DrawPump(QPainter& painter, const QPointF& at, const QColor& colour) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawRoundedRect(QRectF(at.x(), at.y(), 6, 10), 1, 1);
  painter.setBrush(QColor(40, 42, 48));
  painter.drawRect(QRectF(at.x() + 1.2, at.y() + 1.5, 3.6, 3));
  painter.setPen(QPen(colour, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPolyline(
      QPolygonF({QPointF(at.x() + 6, at.y() + 2.5), QPointF(at.x() + 8.5, at.y() + 4),
                 QPointF(at.x() + 8.5, at.y() + 8.5)}));
}

void DrawLabel(QPainter& painter, const QRectF& box, const QString& text, const QColor& colour) {
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(10);
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
}

// `font` at the largest pixel size up to `largest` at which `text` is no
// wider than `width`.
QFont FittedFont(QFont font, const QString& text, qreal width, int largest) {
  for (int pixels = largest; pixels > 6; --pixels) {
    font.setPixelSize(pixels);
    if (QFontMetricsF(font).horizontalAdvance(text) <= width) break;
  }
  return font;
}

// The push button of the switch: a raised, rounded face.
void DrawButton(QPainter& painter, const QRectF& box) {
  QLinearGradient face(box.topLeft(), box.bottomLeft());
  face.setColorAt(0, QColor(96, 99, 108));
  face.setColorAt(1, QColor(58, 60, 67));
  painter.setPen(QPen(QColor(18, 18, 20), 1));
  painter.setBrush(face);
  painter.drawRoundedRect(box, 4, 4);
  painter.setPen(QPen(QColor(150, 153, 162), 1));
  painter.drawLine(box.topLeft() + QPointF(4, 1), box.topRight() + QPointF(-4, 1));
}

}  // namespace

QPixmap AppPictures::Warning() {
  QPixmap pixmap = Blank();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPolygonF triangle({QPointF(16, 2), QPointF(30.5, 29), QPointF(1.5, 29)});
  painter.setPen(QPen(QColor(120, 90, 0), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(QColor(255, 204, 0));
  painter.drawPolygon(triangle);
  DrawSign(painter, QRectF(2, 8, 28, 22), QStringLiteral("!"), Qt::black);
  return pixmap;
}

QPixmap AppPictures::Question() {
  return Badge(QColor(0, 110, 200), QStringLiteral("?"));
}

QPixmap AppPictures::Information() {
  return Badge(QColor(30, 140, 60), QStringLiteral("i"));
}

QPixmap AppPictures::Reading() {
  // The controller (a box with pins) and an arrow carrying its data out.
  QPixmap pixmap = Blank();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(40, 40, 40), 1.2));
  for (int i = 0; i < 4; ++i) {
    const double x = 5.5 + 4.5 * i;
    painter.drawLine(QPointF(x, 4), QPointF(x, 8));
    painter.drawLine(QPointF(x, 24), QPointF(x, 28));
  }
  painter.setBrush(QColor(60, 60, 70));
  painter.drawRoundedRect(QRectF(3, 8, 20, 16), 2, 2);
  painter.setBrush(QColor(0, 170, 0));
  painter.setPen(Qt::NoPen);
  QPainterPath arrow;
  arrow.moveTo(18, 13);
  arrow.lineTo(24, 13);
  arrow.lineTo(24, 9);
  arrow.lineTo(31, 16);
  arrow.lineTo(24, 23);
  arrow.lineTo(24, 19);
  arrow.lineTo(18, 19);
  arrow.closeSubpath();
  painter.drawPath(arrow);
  return pixmap;
}

QPixmap AppPictures::ForIcon(link::MsgIcon icon) {
  switch (icon) {
    case link::MsgIcon::Warning:
      return Warning();
    case link::MsgIcon::Question:
      return Question();
    case link::MsgIcon::Information:
      return Information();
    case link::MsgIcon::None:
      break;
  }
  return {};
}

QPixmap AppPictures::ForProgress(link::ProgressPicture picture) {
  switch (picture) {
    case link::ProgressPicture::Warning:
      return Warning();
    case link::ProgressPicture::Question:
      return Question();
    case link::ProgressPicture::Information:
      return Information();
    case link::ProgressPicture::Reading:
      return Reading();
  }
  return {};
}

QPixmap AppPictures::Switch(bool levelLamps, QSize size, qreal ratio,
                            std::span<const LampSocket> lamps) {
  QPixmap pixmap(size * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(QColor(28, 29, 33));
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF all(0, 0, size.width(), size.height());
  // The switch's black bezel with a soft edge.
  QLinearGradient bezel(all.topLeft(), all.bottomLeft());
  bezel.setColorAt(0, QColor(52, 54, 60));
  bezel.setColorAt(1, QColor(22, 23, 26));
  painter.setPen(QPen(QColor(90, 92, 100), 1));
  painter.setBrush(bezel);
  painter.drawRoundedRect(all.adjusted(1.5, 1.5, -1.5, -1.5), 6, 6);
  const QColor label(235, 235, 225);
  if (levelLamps) {
    // The level strip with the reserve and four level lamps over the button
    // that carries the gas lamp.
    painter.setPen(QPen(QColor(8, 8, 10), 1));
    painter.setBrush(QColor(14, 14, 16));
    painter.drawRoundedRect(QRectF(5.5, 5.5, size.width() - 11, 17), 8, 8);
    DrawButton(painter, QRectF(5.5, 26.5, size.width() - 11, size.height() - 32));
    DrawLabel(painter, QRectF(41, 29, size.width() - 46, 15), QStringLiteral("LPG"), label);
    DrawPump(painter, QPointF(11, 31), QColor(200, 200, 190));
  } else {
    // The button with the gas lamp above the reserve lamp.
    DrawButton(painter, QRectF(5.5, 21.5, size.width() - 11, size.height() - 27));
    DrawLabel(painter, QRectF(41, 24, size.width() - 46, 15), QStringLiteral("LPG"), label);
    DrawPump(painter, QPointF(42, 36.5), QColor(255, 150, 150));
    DrawLabel(painter, QRectF(54, 36, size.width() - 58, 15), QStringLiteral("R"),
              QColor(255, 150, 150));
    DrawLabel(painter, QRectF(8, 4, size.width() - 16, 15), QStringLiteral("Zo"),
              QColor(150, 170, 200));
  }
  for (const LampSocket& lamp : lamps) {
    const QRectF box(lamp.at.x(), lamp.at.y(), 11, 11);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 150));
    painter.drawEllipse(box.adjusted(-1, -1, 1, 1));
    DrawLens(painter, box, lamp.colour, false);
  }
  return pixmap;
}

QPixmap AppPictures::Lamp(const QColor& colour, int size, qreal ratio) {
  QPixmap pixmap(QSize(size, size) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  DrawLens(painter, QRectF(0, 0, size, size), colour, true);
  return pixmap;
}

QPixmap AppPictures::Logo(qreal ratio) {
  const QSize size(kLogoWidth, kLogoHeight);
  QPixmap pixmap(size * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  // The badge: a blue rounded square with a white flame over a drop of gas.
  const QRectF badge(4, 6, 52, 52);
  QLinearGradient blue(badge.topLeft(), badge.bottomRight());
  blue.setColorAt(0, QColor(30, 130, 210));
  blue.setColorAt(1, QColor(0, 70, 140));
  painter.setPen(QPen(QColor(0, 55, 110), 1));
  painter.setBrush(blue);
  painter.drawRoundedRect(badge, 10, 10);
  QPainterPath flame;
  flame.moveTo(30, 13);
  flame.cubicTo(42, 26, 46, 36, 40, 45);
  flame.cubicTo(36, 52, 24, 52, 20, 45);
  flame.cubicTo(15, 36, 22, 30, 25, 23);
  flame.cubicTo(27, 30, 29, 31, 31, 32);
  flame.cubicTo(33, 25, 32, 19, 30, 13);
  flame.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  painter.drawPath(flame);
  painter.setBrush(QColor(0, 90, 170));
  painter.drawEllipse(QRectF(25.5, 37, 9, 9));
  // The lettering: the brand over the line of business, each as large as
  // the room beside the badge allows in whatever face the system has.
  const QRectF brand(62, 4, size.width() - 64, 36);
  const QRectF business(64, 40, size.width() - 66, 14);
  QFont font = painter.font();
  font.setBold(true);
  painter.setFont(FittedFont(font, QStringLiteral("Zo LPG"), brand.width(), 30));
  painter.setPen(QColor(0, 70, 140));
  painter.drawText(brand, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Zo LPG"));
  font.setLetterSpacing(QFont::AbsoluteSpacing, 0.8);
  painter.setFont(FittedFont(font, QStringLiteral("AUTOGAS SYSTEMS"), business.width(), 9));
  painter.setPen(QColor(90, 95, 105));
  painter.drawText(business, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("AUTOGAS SYSTEMS"));
  return pixmap;
}

}  // namespace zo::app
