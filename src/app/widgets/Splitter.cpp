#include "app/widgets/Splitter.h"

#include <QMouseEvent>
#include <QPainter>

namespace zo::app {

Splitter::Splitter(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Splitter"));
  setCursor(Qt::SizeVerCursor);
}

void Splitter::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) grabOffset_ = event->position().toPoint().y();
}

void Splitter::mouseMoveEvent(QMouseEvent* event) {
  if (grabOffset_ < 0) return;
  const int top = mapToParent(event->position().toPoint()).y() - grabOffset_;
  emit Moved(top);
}

void Splitter::mouseReleaseEvent(QMouseEvent* event) {
  static_cast<void>(event);
  grabOffset_ = -1;
}

void Splitter::paintEvent(QPaintEvent* event) {
  static_cast<void>(event);
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Button));
  p.setPen(palette().color(QPalette::Light));
  p.drawLine(0, 1, width(), 1);
  p.setPen(palette().color(QPalette::Dark));
  p.drawLine(0, height() - 2, width(), height() - 2);
  const int mid = width() / 2;
  p.setPen(palette().color(QPalette::Mid));
  for (int dx = -12; dx <= 12; dx += 4)
    p.drawPoint(mid + dx, height() / 2);
}

}  // namespace zo::app
