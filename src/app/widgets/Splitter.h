// The horizontal splitter (`Splitter`, 8 pixels) between the middle and the
// lower area. Dragging it reports where its top would go; the window turns
// that into the lower area's height and runs the layout routine.
#pragma once

#include <QWidget>

namespace zo::app {

class Splitter : public QWidget {
  Q_OBJECT

 public:
  explicit Splitter(QWidget* parent);

 signals:
  void Moved(int newTop);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  int grabOffset_ = -1;
};

}  // namespace zo::app
