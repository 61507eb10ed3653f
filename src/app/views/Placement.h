// The layout routine's areas applied to widgets.
#pragma once

#include <QRect>
#include <QWidget>

#include "app/rules/MainLayout.h"

namespace zo::app {

inline QRect ToQt(const Rect& r) {
  return QRect(r.x, r.y, r.w, r.h);
}

// Shown and given the area's rectangle, or hidden.
inline void Apply(QWidget* widget, const Area& area) {
  widget->setVisible(area.visible);
  if (area.visible) widget->setGeometry(ToQt(area.rect));
}

// Shown and moved keeping its size, or hidden.
inline void Apply(QWidget* widget, const Placed& placed) {
  widget->setVisible(placed.visible);
  if (placed.visible) widget->move(placed.at.x, placed.at.y);
}

}  // namespace zo::app
