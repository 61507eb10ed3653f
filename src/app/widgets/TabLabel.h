// A one-line label whose tab characters move the text on to the next tab
// stop, the stops eight average characters of its font apart, as the
// controller-information lines were laid out for.
#pragma once

#include <QLabel>

namespace zo::app {

class TabLabel : public QLabel {
  Q_OBJECT

 public:
  explicit TabLabel(QWidget* parent);

  [[nodiscard]] QSize sizeHint() const override;
  [[nodiscard]] QSize minimumSizeHint() const override { return sizeHint(); }
  // The distance between two tab stops in the label's font.
  [[nodiscard]] int TabStop() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace zo::app
