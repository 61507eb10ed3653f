#include "app/widgets/StripButton.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace zo::app {

namespace {

const QColor kSilver(192, 192, 192);
const QColor kStrip(0, 0, 0);

// A horizontal double arrow; `outwards` points the heads away from the middle.
void DrawArrows(QPainter& p, QRectF box, bool outwards) {
  const double mid = box.center().y();
  const double left = box.left() + 2;
  const double right = box.right() - 2;
  p.drawLine(QPointF(left, mid), QPointF(right, mid));
  const double head = 4;
  const double c = box.center().x();
  for (const double sign : {-1.0, 1.0}) {
    const double tip = outwards ? (sign < 0 ? left : right) : c + sign * 1.5;
    const double back = outwards ? tip - sign * head : tip + sign * head;
    QPainterPath arrow;
    arrow.moveTo(tip, mid);
    arrow.lineTo(back, mid - head);
    arrow.lineTo(back, mid + head);
    arrow.closeSubpath();
    p.fillPath(arrow, p.pen().color());
  }
  // A tick at each end reads as "span of one division".
  if (!outwards) {
    p.drawLine(QPointF(left, mid - 5), QPointF(left, mid + 5));
    p.drawLine(QPointF(right, mid - 5), QPointF(right, mid + 5));
  }
}

}  // namespace

StripButton::StripButton(QWidget* parent, const char* name, StripPicture picture)
    : QAbstractButton(parent), picture_(picture) {
  setObjectName(QString::fromLatin1(name));
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::NoFocus);
  resize(sizeHint());
}

void StripButton::SetCaptions(const QString& current, const QStringList& all) {
  const QFontMetrics metrics(font());
  captionWidth_ = 0;
  for (const QString& caption : all)
    captionWidth_ = std::max(captionWidth_, metrics.horizontalAdvance(caption));
  setText(current);
  resize(sizeHint());
  update();
}

QSize StripButton::sizeHint() const {
  if (picture_ == StripPicture::Caption) return {captionWidth_ + 8, kHeight};
  return {24, kHeight};
}

void StripButton::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  p.fillRect(rect(), isDown() ? QColor(48, 48, 48) : kStrip);
  if (hovered_) {
    p.setPen(QPen(QColor(96, 96, 96), 1));
    p.drawRoundedRect(box, 3, 3);
  }
  p.setPen(QPen(kSilver, 1.5));
  if (picture_ == StripPicture::Caption) {
    p.drawText(rect(), Qt::AlignCenter, text());
    return;
  }
  DrawPicture(p, box.adjusted(3, 3, -3, -3));
}

void StripButton::DrawPicture(QPainter& p, QRectF box) const {
  switch (picture_) {
    case StripPicture::Grid: {
      // A framed screen with a shaded band and division lines.
      p.fillRect(QRectF(box.left(), box.center().y(), box.width(), box.height() / 4),
                 QColor(90, 90, 90));
      p.drawRect(box);
      p.setPen(QPen(kSilver, 1));
      for (const double f : {1.0 / 3, 2.0 / 3}) {
        const double x = box.left() + f * box.width();
        p.drawLine(QPointF(x, box.top()), QPointF(x, box.bottom()));
      }
      return;
    }
    case StripPicture::Faster:
      return DrawArrows(p, box, true);
    case StripPicture::Slower:
      return DrawArrows(p, box, false);
    case StripPicture::AutoSave: {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(230, 40, 40));
      const double r = std::min(box.width(), box.height()) / 2 - 1;
      p.drawEllipse(box.center(), r, r);
      return;
    }
    case StripPicture::Caption:
      return;
  }
}

void StripButton::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void StripButton::leaveEvent(QEvent* event) {
  hovered_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

}  // namespace zo::app
