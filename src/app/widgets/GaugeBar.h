// A horizontal bar gauge (`TCGauge` of the signal list): a bar from 0 to the
// position over the range, in the bar colour on the background colour or the
// button face, without a percentage text.
#pragma once

#include <QColor>
#include <QWidget>
#include <optional>

namespace zo::app {

class GaugeBar : public QWidget {
  Q_OBJECT

 public:
  explicit GaugeBar(QWidget* parent);

  // The range is at least 1; the position is kept within 0..range.
  void SetReading(int range, int position);
  // An empty background is the button face.
  void SetColours(const QColor& bar, const std::optional<QColor>& background);

  [[nodiscard]] int Range() const { return range_; }
  [[nodiscard]] int Position() const { return position_; }
  [[nodiscard]] QColor BarColour() const { return bar_; }
  [[nodiscard]] QColor Background() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int range_ = 100;
  int position_ = 0;
  QColor bar_{Qt::black};
  std::optional<QColor> background_;
};

}  // namespace zo::app
