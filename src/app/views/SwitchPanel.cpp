#include "app/views/SwitchPanel.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <vector>

#include "app/QtText.h"
#include "app/widgets/AppPictures.h"

namespace zo::app {

namespace {

using visual::Lamp;
using visual::LampLayout;
using visual::SwitchLamps;

constexpr std::array<const char*, visual::kLampCount> kLampNames{"LedR", "Led1", "Led2",
                                                                 "Led3", "Led4", "LedG"};

QColor LampColour(Lamp lamp) {
  return FromStored(lamp == Lamp::LedR ? SwitchLamps::kReserveColour : SwitchLamps::kLevelColour);
}

}  // namespace

SwitchPanel::SwitchPanel(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("PanelBut"));
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setLineWidth(1);
  picture_ = new QLabel(this);
  picture_->setObjectName(QStringLiteral("ImageBut"));
  picture_->setAlignment(Qt::AlignCenter);
  for (std::size_t i = 0; i < leds_.size(); ++i) {
    leds_[i] = new QLabel(this);
    leds_[i]->setObjectName(QString::fromLatin1(kLampNames[i]));
    leds_[i]->resize(SwitchLamps::kLampSize, SwitchLamps::kLampSize);
    leds_[i]->hide();
  }
  Render();
}

void SwitchPanel::SetLayout(LampLayout layout) {
  if (layout == lamps_.Layout()) return;
  lamps_.SetLayout(layout);
  renderedRatio_ = 0;
  Render();
  ShowLamps();
}

void SwitchPanel::Update(const link::LinkStateDisplay& display,
                         const std::array<std::uint8_t, 4>& thresholds,
                         model::LevelDirection direction) {
  lamps_.Tick(display, thresholds, direction);
  ShowLamps();
}

void SwitchPanel::ToggleGasLamp() {
  lamps_.ToggleGasLamp();
  ShowLamps();
}

QLabel* SwitchPanel::Lamp(visual::Lamp lamp) const {
  return leds_[static_cast<std::size_t>(lamp)];
}

void SwitchPanel::ShowLamps() {
  for (std::size_t i = 0; i < leds_.size(); ++i) {
    const auto lamp = static_cast<visual::Lamp>(i);
    const auto place = SwitchLamps::Place(lamps_.Layout(), lamp);
    if (place) leds_[i]->move(place->x, place->y);
    leds_[i]->setVisible(lamps_.Lit(lamp));
  }
}

void SwitchPanel::Render() {
  const qreal ratio = devicePixelRatioF();
  picture_->setGeometry(contentsRect());
  if (lamps_.Layout() == LampLayout::None) {
    // No controller with the switch yet: the program's name.
    picture_->setPixmap(QPixmap());
    picture_->setText(QStringLiteral("Zo LPG"));
    QFont logo = picture_->font();
    logo.setBold(true);
    logo.setPointSize(16);
    picture_->setFont(logo);
    picture_->setStyleSheet(QStringLiteral("color: rgb(0, 90, 160);"));
    renderedRatio_ = ratio;
    return;
  }
  std::vector<AppPictures::LampSocket> sockets;
  const QPoint origin = contentsRect().topLeft();
  for (std::size_t i = 0; i < leds_.size(); ++i) {
    const auto lamp = static_cast<visual::Lamp>(i);
    if (const auto place = SwitchLamps::Place(lamps_.Layout(), lamp)) {
      sockets.push_back({QPoint(place->x, place->y) - origin, LampColour(lamp)});
      leds_[i]->setPixmap(AppPictures::Lamp(LampColour(lamp), SwitchLamps::kLampSize, ratio));
    }
  }
  picture_->setStyleSheet(QString());
  picture_->setPixmap(AppPictures::Switch(lamps_.Layout() == LampLayout::Full,
                                          contentsRect().size(), ratio, sockets));
  renderedRatio_ = ratio;
}

void SwitchPanel::mousePressEvent(QMouseEvent* event) {
  // The picture and the lamps pass their clicks on to the panel.
  event->accept();
  emit Clicked();
}

void SwitchPanel::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  Render();
}

void SwitchPanel::showEvent(QShowEvent* event) {
  QFrame::showEvent(event);
  if (devicePixelRatioF() != renderedRatio_) Render();
}

bool SwitchPanel::event(QEvent* event) {
  // Moved to a screen of another pixel density: draw again.
  if ((event->type() == QEvent::ScreenChangeInternal || event->type() == QEvent::StyleChange) &&
      devicePixelRatioF() != renderedRatio_)
    Render();
  return QFrame::event(event);
}

}  // namespace zo::app
