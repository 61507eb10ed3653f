#include "app/widgets/TabLabel.h"

#include <QPainter>
#include <QTextOption>

namespace zo::app {

namespace {

constexpr int kCharactersPerTab = 8;

}  // namespace

TabLabel::TabLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
}

int TabLabel::TabStop() const {
  return kCharactersPerTab * fontMetrics().averageCharWidth();
}

QSize TabLabel::sizeHint() const {
  const QRect bounds = fontMetrics().boundingRect(
      QRect(0, 0, 0, 0), Qt::TextExpandTabs | Qt::TextSingleLine, text(), TabStop());
  const QMargins m = contentsMargins();
  return {bounds.width() + m.left() + m.right(), fontMetrics().height() + m.top() + m.bottom()};
}

void TabLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setPen(palette().color(foregroundRole()));
  QTextOption option(Qt::AlignLeft | Qt::AlignVCenter);
  option.setTabStopDistance(TabStop());
  option.setWrapMode(QTextOption::NoWrap);
  painter.drawText(QRectF(contentsRect()), text(), option);
}

}  // namespace zo::app
