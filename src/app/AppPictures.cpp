#include "AppPictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

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

QPixmap AppPictures::ForIconCode(char code) {
  switch (code) {
    case '!':
      return Warning();
    case '?':
      return Question();
    case 'i':
      return Information();
    default:
      return {};
  }
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

}  // namespace zo::app
