#include "app/windows/TFormInd.h"

#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QRegion>
#include <QToolButton>
#include <functional>

#include "app/QtText.h"
#include "texts/TextCatalogue.h"
#include "visual/GaugeRules.h"

namespace zo::app {

namespace {

using visual::IndicatorGeometry;
using visual::IndicatorRequest;
using visual::IndicatorShape;

constexpr int kIconSize = 16;
const QColor kIconColour(210, 210, 210);

// A tool strip picture drawn on a 16 x 16 grid, sharp at 1x and 2x.
QIcon DrawnIcon(const std::function<void(QPainter&)>& draw) {
  QIcon icon;
  for (int ratio : {1, 2}) {
    QPixmap pixmap(kIconSize * ratio, kIconSize * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kIconColour, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    draw(p);
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

// Smaller and larger: a frame with a minus or a plus inside.
QIcon SizeIcon(bool larger) {
  return DrawnIcon([larger](QPainter& p) {
    p.drawRect(QRectF(2, 2, 12, 12));
    p.drawLine(QPointF(5, 8), QPointF(11, 8));
    if (larger) p.drawLine(QPointF(8, 5), QPointF(8, 11));
  });
}

QIcon CloseIcon() {
  return DrawnIcon([](QPainter& p) {
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
  });
}

// The shape button shows the current shape: pictures 3 dial, 4 vertical
// bar, 2 horizontal bar.
QIcon ShapeIcon(int picture) {
  return DrawnIcon([picture](QPainter& p) {
    switch (picture) {
      case 4:
        p.drawRect(QRectF(5, 2, 6, 12));
        p.fillRect(QRectF(6, 8, 4, 5), kIconColour);
        break;
      case 2:
        p.drawRect(QRectF(2, 5, 12, 6));
        p.fillRect(QRectF(3, 6, 6, 4), kIconColour);
        break;
      default:
        p.drawArc(QRectF(2, 2, 12, 12), -40 * 16, 260 * 16);
        p.drawLine(QPointF(8, 8), QPointF(11.5, 4.5));
        break;
    }
  });
}

QFont IndicatorFont(bool russian) {
  QFont font;
  if (russian) {
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                      QStringLiteral("DejaVu Serif")});
    font.setStyleHint(QFont::Serif);
  } else {
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
  }
  return font;
}

char DecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  const char c = point.isEmpty() ? '.' : point.at(0).toLatin1();
  return c != 0 ? c : '.';
}

}  // namespace

TFormInd::TFormInd(QWidget* host, model::SignalKind kind, IndicatorContext& context,
                   const visual::IndicatorRect& place, IndicatorShape shape, bool stayOnTop)
    : QWidget(host, Qt::Tool | Qt::FramelessWindowHint),
      kind_(kind),
      context_(context),
      shape_(shape) {
  setObjectName(QStringLiteral("FormInd%1").arg(model::IndexOf(kind)));
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(IndicatorGeometry::kMinWindow, IndicatorGeometry::kMinWindow);
  setWindowFlag(Qt::WindowStaysOnTopHint, stayOnTop);
  setFocusPolicy(Qt::ClickFocus);
  if (const auto info = visual::IndicatorScale::Info(kind))
    setWindowTitle(Q(context.texts.Text(info->nameId)));
  BuildToolStrip();
  Apply(place);
  DrawBackground();
  timer1_.setInterval(kInterval);
  connect(&timer1_, &QTimer::timeout, this, &TFormInd::Timer1Timer);
  timer1_.start();
}

void TFormInd::BuildToolStrip() {
  toolBar1_ = new QWidget(this);
  toolBar1_->setObjectName(QStringLiteral("ToolBar1"));
  const std::array<void (TFormInd::*)(), 4> clicks{
      &TFormInd::ToolButton1Click, &TFormInd::ToolButton2Click, &TFormInd::ToolButton3Click,
      &TFormInd::ToolButton4Click};
  const std::array<QIcon, 4> icons{SizeIcon(false), SizeIcon(true),
                                   ShapeIcon(IndicatorGeometry::ShapeButtonPicture(shape_)),
                                   CloseIcon()};
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    auto* button = new QToolButton(toolBar1_);
    button->setObjectName(QStringLiteral("ToolButton%1").arg(i + 1));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(icons[i]);
    button->setIconSize(QSize(kIconSize, kIconSize));
    button->setGeometry(static_cast<int>(i) * kButtonSize, 0, kButtonSize, kButtonSize);
    connect(button, &QToolButton::clicked, this, clicks[i]);
    buttons_[i] = button;
  }
  toolBar1_->resize(kButtonSize * static_cast<int>(buttons_.size()), kButtonSize);
}

QToolButton* TFormInd::ToolButton(int index) const {
  return buttons_.at(static_cast<std::size_t>(index - 1));
}

visual::IndicatorRect TFormInd::Rect() const {
  const QRect g = geometry();
  return {g.x(), g.y(), g.width(), g.height()};
}

visual::IndicatorInputs TFormInd::Inputs() const {
  return visual::IndicatorInputs{context_.image, context_.levelFalling};
}

visual::IndicatorLook TFormInd::Look() const {
  visual::IndicatorLook look;
  look.kind = kind_;
  look.shape = shape_;
  look.width = width();
  look.height = height();
  const bool russian = context_.texts.IsRussian();
  look.font = IndicatorFont(russian);
  look.russian = russian;
  look.decimalSeparator = DecimalSeparator();
  if (const auto info = visual::IndicatorScale::Info(kind_)) {
    look.name = Q(context_.texts.Text(info->nameId));
    look.unit = info->unitTextId != 0
                    ? Q(context_.texts.Text(info->unitTextId))
                    : QString::fromLatin1(info->unitText.data(),
                                          static_cast<qsizetype>(info->unitText.size()));
    const auto colours = visual::GaugeRules::Colours(kind_, context_.palette);
    if (colours) {
      const std::uint32_t c =
          info->colourFromBackground ? colours->background.value_or(colours->bar) : colours->bar;
      look.colour = FromStored(c);
    }
  }
  return look;
}

void TFormInd::DrawBackground() {
  painter_.DrawBackground(Look(), Inputs());
  if (shape_ == IndicatorShape::Dial) {
    setMask(QRegion(0, 0, width(), height(), QRegion::Ellipse));
  } else {
    clearMask();
  }
  const int top = IndicatorGeometry::ToolStripTop(shape_, height());
  toolBar1_->move((width() - toolBar1_->width()) / 2, top + 2);
  refresh_.Invalidate();
  ShowReading();
}

void TFormInd::ShowReading() {
  const std::uint8_t reading = context_.readings.at(model::SampleByteOf(kind_));
  if (!refresh_.Take(reading)) return;
  painter_.DrawValue(reading, Inputs());
  update();
}

void TFormInd::Timer1Timer() {
  ShowReading();
  const bool wanted = visual::IndicatorSlots::Visible(kind_, context_.page);
  if (wanted != isVisible()) setVisible(wanted);
  Carry(context_.indicatorSlots.TakeRequest(kind_));
}

void TFormInd::Carry(IndicatorRequest request) {
  switch (request) {
    case IndicatorRequest::Redraw:
      return DrawBackground();
    case IndicatorRequest::BringToFront:
      if (isVisible()) raise();
      return;
    case IndicatorRequest::StayOnTop:
      return SetStayOnTop(true);
    case IndicatorRequest::NormalStacking:
      return SetStayOnTop(false);
    case IndicatorRequest::Arrange: {
      SetStayOnTop(true);
      const auto place = context_.arranged
                             ? context_.indicatorSlots.ArrangedPlace(kind_, *context_.arranged)
                             : std::optional<visual::IndicatorRect>(Rect());
      if (!place) {
        close();
        return;
      }
      // Home may have given the slot another shape.
      shape_ = IndicatorGeometry::ShapeOf(context_.indicatorSlots.Slot(kind_).flags);
      buttons_[2]->setIcon(ShapeIcon(IndicatorGeometry::ShapeButtonPicture(shape_)));
      Apply(*place);
      return DrawBackground();
    }
    case IndicatorRequest::Close:
      close();
      return;
    case IndicatorRequest::None:
      return;
  }
}

void TFormInd::SetStayOnTop(bool on) {
  if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) return;
  const bool shown = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, on);
  if (shown) show();
}

void TFormInd::Apply(const visual::IndicatorRect& r) {
  setGeometry(r.left, r.top, r.width, r.height);
}

void TFormInd::ToolButton1Click() {
  if (const auto r = IndicatorGeometry::Smaller(shape_, Rect())) {
    context_.indicatorSlots.Record(kind_, *r);
    Apply(*r);
  }
}

void TFormInd::ToolButton2Click() {
  if (const auto r = IndicatorGeometry::Larger(shape_, Rect())) {
    context_.indicatorSlots.Record(kind_, *r);
    Apply(*r);
  }
}

void TFormInd::ToolButton3Click() {
  const visual::IndicatorRect r = IndicatorGeometry::Reshaped(shape_, Rect());
  shape_ = IndicatorGeometry::NextShape(shape_);
  context_.indicatorSlots.Record(kind_, r, shape_);
  buttons_[2]->setIcon(ShapeIcon(IndicatorGeometry::ShapeButtonPicture(shape_)));
  const bool sameSize = r.width == width() && r.height == height();
  Apply(r);
  if (sameSize) DrawBackground();
}

void TFormInd::ToolButton4Click() {
  close();
}

void TFormInd::paintEvent(QPaintEvent* event) {
  static_cast<void>(event);
  QPainter p(this);
  p.drawImage(0, 0, painter_.Picture());
}

void TFormInd::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  DrawBackground();
}

void TFormInd::closeEvent(QCloseEvent* event) {
  timer1_.stop();
  if (context_.quitting)
    context_.indicatorSlots.Record(kind_, Rect());
  else
    context_.indicatorSlots.Close(kind_, Rect());
  event->accept();
}

void TFormInd::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  dragFrom_ = event->globalPosition().toPoint() - pos();
}

void TFormInd::mouseMoveEvent(QMouseEvent* event) {
  if (dragFrom_ && (event->buttons() & Qt::LeftButton) != 0)
    move(event->globalPosition().toPoint() - *dragFrom_);
}

void TFormInd::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragFrom_) return QWidget::mouseReleaseEvent(event);
  dragFrom_.reset();
  context_.indicatorSlots.Record(kind_, Rect());
}

void TFormInd::mouseDoubleClickEvent(QMouseEvent* event) {
  static_cast<void>(event);
  context_.indicatorSlots.RequestAll(IndicatorRequest::BringToFront);
}

void TFormInd::keyPressEvent(QKeyEvent* event) {
  // The arrangement keys of the main window; here they only set the requests.
  switch (event->key()) {
    case Qt::Key_Insert:
      return context_.indicatorSlots.RequestAll(IndicatorRequest::StayOnTop);
    case Qt::Key_Delete:
      return context_.indicatorSlots.RequestAll(IndicatorRequest::NormalStacking);
    case Qt::Key_Home:
      return context_.indicatorSlots.RequestAll(IndicatorRequest::Arrange);
    default:
      QWidget::keyPressEvent(event);
  }
}

}  // namespace zo::app
