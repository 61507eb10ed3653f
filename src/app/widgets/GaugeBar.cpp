#include "app/widgets/GaugeBar.h"

#include <QPainter>
#include <algorithm>

namespace zo::app {

GaugeBar::GaugeBar(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void GaugeBar::SetReading(int range, int position) {
  range = std::max(range, 1);
  position = std::clamp(position, 0, range);
  if (range == range_ && position == position_) return;
  range_ = range;
  position_ = position;
  update();
}

void GaugeBar::SetColours(const QColor& bar, const std::optional<QColor>& background) {
  if (bar == bar_ && background == background_) return;
  bar_ = bar;
  background_ = background;
  update();
}

QColor GaugeBar::Background() const {
  return background_.value_or(palette().color(QPalette::Button));
}

void GaugeBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect all = rect();
  painter.fillRect(all, Background());
  // Whole pixels, rounded: a full range fills the gauge exactly.
  const int filled =
      static_cast<int>((static_cast<long long>(all.width()) * position_ + range_ / 2) / range_);
  painter.fillRect(QRect(all.left(), all.top(), filled, all.height()), bar_);
}

}  // namespace zo::app
