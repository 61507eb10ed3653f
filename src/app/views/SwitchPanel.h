// The petrol/gas switch panel `PanelBut`: a picture of the car's dashboard
// switch (`ImageBut`) with its six lamps, the reserve lamp `LedR`, the level
// lamps `Led1`..`Led4` and the gas-mode lamp `LedG`. A lamp is lit when shown;
// the picture draws every lamp of its layout as a dark lens, so a lamp that
// is off still reads as a lamp. Until a controller with the switch is known
// the panel shows the program's name instead. The pictures are drawn in code
// at the screen's pixel ratio, so they stay sharp on high-density screens.
#pragma once

#include <QFrame>
#include <array>
#include <cstdint>

#include "model/ParameterGrid.h"
#include "visual/SwitchLamps.h"

class QLabel;

namespace zo::app {

class SwitchPanel : public QFrame {
  Q_OBJECT

 public:
  explicit SwitchPanel(QWidget* parent);

  void SetLayout(visual::LampLayout layout);
  // One connection tick: the lamps follow the link state, with the image's
  // four level thresholds.
  void Update(const link::LinkStateDisplay& display, const std::array<std::uint8_t, 4>& thresholds,
              model::LevelDirection direction);
  void ToggleGasLamp();
  [[nodiscard]] bool GasLampBlinking() const { return lamps_.GasLampBlinking(); }
  [[nodiscard]] const visual::SwitchLamps& Lamps() const { return lamps_; }
  [[nodiscard]] QLabel* Lamp(visual::Lamp lamp) const;
  [[nodiscard]] QLabel* Picture() const { return picture_; }

 signals:
  void Clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void ShowLamps();
  // Draws the picture and the lamps again when the layout, the size or the
  // screen's pixel ratio changed.
  void Render();

  visual::SwitchLamps lamps_;
  QLabel* picture_ = nullptr;
  std::array<QLabel*, visual::kLampCount> leds_{};
  qreal renderedRatio_ = 0;
};

}  // namespace zo::app
