#include "app/views/ScopeView.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "app/QtText.h"
#include "app/widgets/StripButton.h"
#include "texts/TextCatalogue.h"
#include "texts/TextIds.h"
#include "visual/ScopeGeometry.h"

namespace zo::app {

namespace {

constexpr int kStripHeight = 24;
constexpr int kButtonGap = 4;

// The user's decimal separator when it is a single plain character.
char UserDecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  return point.size() == 1 && point[0].unicode() < 128 ? static_cast<char>(point[0].unicode())
                                                       : '.';
}

QStringList BandCaptions() {
  return {QStringLiteral(" A "), QStringLiteral(" 1 "), QStringLiteral(" 2 "),
          QStringLiteral(" 3 ")};
}

QStringList RunCaptions() {
  return {QStringLiteral(" STOP "), QStringLiteral("START")};
}

}  // namespace

ScopeView::ScopeView(QWidget* parent, const link::SampleHistory& history, visual::ScopeState state,
                     SceneSource scene)
    : QWidget(parent),
      history_(history),
      state_(state),
      scene_(std::move(scene)),
      decimalSeparator_(UserDecimalSeparator()) {
  setObjectName(QStringLiteral("Bevel1"));
  setAutoFillBackground(true);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setMouseTracking(true);
  BuildStrip();
  scrollBar_ = new QScrollBar(Qt::Horizontal, this);
  scrollBar_->setObjectName(QStringLiteral("ScrollBar1"));
  scrollBar_->setRange(state_.ScrollMinimum(), visual::kScrollMaximum);
  scrollBar_->setValue(visual::kScrollMaximum);
  scrollBar_->hide();
  connect(scrollBar_, &QScrollBar::valueChanged, this, &ScopeView::ScrollChanged);
}

void ScopeView::BuildStrip() {
  strip_ = new QWidget(this);
  strip_->setObjectName(QStringLiteral("PanelSc2"));
  strip_->setAutoFillBackground(true);
  strip_->setPalette(palette());
  // The strip keeps its 24 pixels at every window font size: its captions
  // keep a size of their own.
  QFont small = strip_->font();
  small.setPixelSize(12);
  strip_->setFont(small);
  btnSkala_ = new StripButton(strip_, "BtnSkala", StripPicture::Grid);
  btnScope_ = new StripButton(strip_, "BtnScope", StripPicture::Caption);
  btnUpX_ = new StripButton(strip_, "BtnUpX", StripPicture::Faster);
  btnDownX_ = new StripButton(strip_, "BtnDownX", StripPicture::Slower);
  btnIlosc_ = new StripButton(strip_, "BtnIlosc", StripPicture::Caption);
  btnAutoSave_ = new StripButton(strip_, "BtnAutoSave", StripPicture::AutoSave);
  btnAutoSave_->hide();
  connect(btnAutoSave_, &QAbstractButton::clicked, this, &ScopeView::AutoSaveClicked);
  btnScope_->SetCaptions(Q(state_.RunCaption()), RunCaptions());
  btnIlosc_->SetCaptions(Q(state_.BandCountCaption()), BandCaptions());
  for (QLabel** label : {&labelXScope_, &labelTim_}) {
    *label = new QLabel(strip_);
    QPalette silver = (*label)->palette();
    silver.setColor(QPalette::WindowText, QColor(192, 192, 192));
    (*label)->setPalette(silver);
  }
  labelXScope_->setObjectName(QStringLiteral("LabelXScope"));
  labelTim_->setObjectName(QStringLiteral("LabelTim"));
  labelXScope_->setText(Q(state_.TimeBaseCaption(decimalSeparator_)));
  labelTim_->setText(QStringLiteral("0.0s"));

  connect(btnScope_, &QAbstractButton::clicked, this, &ScopeView::ToggleRunning);
  connect(btnSkala_, &QAbstractButton::clicked, this, [this] {
    state_.NextGridStyle();
    RequestFullRedraw();
  });
  connect(btnIlosc_, &QAbstractButton::clicked, this, [this] {
    state_.NextBandCount();
    btnIlosc_->setText(Q(state_.BandCountCaption()));
    RequestFullRedraw();
  });
  connect(btnUpX_, &QAbstractButton::clicked, this,
          [this] { TimeBaseChanged(state_.TimeBaseUp(width())); });
  connect(btnDownX_, &QAbstractButton::clicked, this,
          [this] { TimeBaseChanged(state_.TimeBaseDown(width())); });
}

void ScopeView::ApplyLanguage(const texts::TextCatalogue& texts) {
  btnSkala_->setToolTip(Q(texts.Text(txt::kGradient)));
  btnScope_->setToolTip(Q(texts.Text(txt::kOscilloscope)));
  btnUpX_->setToolTip(Q(texts.Text(txt::kTimeBase)));
  btnDownX_->setToolTip(Q(texts.Text(txt::kTimeBase)));
  btnIlosc_->setToolTip(Q(texts.Text(txt::kChart)));
  btnAutoSave_->setToolTip(Q(texts.Text(txt::kAutoSave)));
}

visual::ScopeGeometry ScopeView::Geometry() const {
  return visual::ScopeGeometry(width(), height(), 0, !state_.Running());
}

QRect ScopeView::ImageRect() const {
  const visual::Rect r = Geometry().Image();
  return {r.x, r.y, r.width, r.height};
}

void ScopeView::Place(QRect frame) {
  setGeometry(frame);
  state_.SetFrameWidth(frame.width());
  {
    const QSignalBlocker blocker(scrollBar_);
    scrollBar_->setMinimum(state_.ScrollMinimum());
    scrollBar_->setValue(state_.ScrollPosition());
  }
  PlaceStrip();
  RequestFullRedraw();
}

void ScopeView::resizeEvent(QResizeEvent* event) {
  PlaceStrip();
  QWidget::resizeEvent(event);
}

void ScopeView::PlaceStrip() {
  const visual::ScopeGeometry g = Geometry();
  const visual::Rect s = g.ControlStrip();
  strip_->setGeometry(s.x, s.y, std::max(0, s.width), kStripHeight);
  const int y = (kStripHeight - StripButton::kHeight) / 2;
  int x = 2;
  for (StripButton* button : {btnSkala_, btnScope_, btnUpX_, btnDownX_, btnIlosc_, btnAutoSave_}) {
    button->move(x, y);
    x += button->width() + kButtonGap;
  }
  // The captions stand at the right end; one that would run into the
  // buttons of a narrow strip is left out, the time base first.
  int right = strip_->width() - 6;
  for (QLabel* label : {labelTim_, labelXScope_}) {
    label->adjustSize();
    const int w = std::max(label->width(), label->fontMetrics().horizontalAdvance("0000.0 s"));
    label->setGeometry(right - w, 0, w, kStripHeight);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setVisible(right - w >= x);
    right -= w + 12;
  }
  const visual::Rect b = g.ScrollBar();
  scrollBar_->setGeometry(b.x, b.y, std::max(0, b.width), b.height);
  scrollBar_->setVisible(!state_.Running());
}

void ScopeView::Redraw(bool full) {
  // A hidden scope keeps a pending full redraw for when it is shown again.
  if (!isVisible()) return;
  full = state_.TakeFull(full);
  const QRect image = ImageRect();
  renderer_.Draw(history_, state_.ViewEnd(history_.WriteIndex()), scene_(), image.size(), full);
  update(image.adjusted(0, -1, 0, 0));
}

void ScopeView::RequestFullRedraw() {
  if (state_.RequestFullRedraw() == visual::RedrawRequest::FullNow) Redraw(true);
}

void ScopeView::ToggleRunning() {
  ShowRunning(state_.ToggleRunning(history_.WriteIndex()));
}

void ScopeView::StopForRecording() {
  ShowRunning(state_.StopForRecording(history_.WriteIndex()));
  ShowCursor(state_.ShownSample(history_.WriteIndex()));
}

void ScopeView::ShowRunning(const visual::RunChange& change) {
  btnScope_->setText(Q(change.caption));
  {
    const QSignalBlocker blocker(scrollBar_);
    scrollBar_->setValue(state_.ScrollPosition());
  }
  PlaceStrip();
  emit RunningChanged(change.running, change.autoSaveOff);
  update();
  RequestFullRedraw();
}

void ScopeView::TimeBaseChanged(bool changed) {
  if (!changed) {
    emit Refused();
    return;
  }
  {
    const QSignalBlocker blocker(scrollBar_);
    scrollBar_->setMinimum(state_.ScrollMinimum());
    scrollBar_->setValue(state_.ScrollPosition());
  }
  labelXScope_->setText(Q(state_.TimeBaseCaption(decimalSeparator_)));
  PlaceStrip();
  RequestFullRedraw();
}

void ScopeView::ScrollChanged(int position) {
  state_.SetScrollPosition(position);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ShowCursor(state_.CursorIndexOfScroll());
  Redraw(true);
  QApplication::restoreOverrideCursor();
}

void ScopeView::mouseMoveEvent(QMouseEvent* event) {
  const QRect image = ImageRect();
  const QPoint at = event->position().toPoint();
  const bool over = image.contains(at);
  setCursor(over ? Qt::CrossCursor : Qt::ArrowCursor);
  if (over && !state_.Running())
    ShowCursor(state_.CursorIndexAt(at.x() - image.x(), image.width()));
  QWidget::mouseMoveEvent(event);
}

void ScopeView::ShowCursor(int index) {
  state_.SetCursor(index);
  SetTimeCaption(index);
  emit CursorSample(index);
}

void ScopeView::SetTimeCaption(int index) {
  labelTim_->setText(Q(visual::ScopeState::TimeCaption(index, decimalSeparator_)));
}

void ScopeView::SetAutoSaveMarker(bool visible) {
  btnAutoSave_->setVisible(visible);
}

void ScopeView::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  const QRect image = ImageRect();
  if (renderer_.Image().size() != image.size()) renderer_.Resize(image.size());
  p.drawImage(image.topLeft(), renderer_.Image());
  p.setPen(QColor(128, 128, 128));
  for (const visual::Line& l :
       Geometry().DivisionMarks(parentWidget()->width(), state_.GridStyle()))
    p.drawLine(l.x1, l.y1, l.x2, l.y2);
}

}  // namespace zo::app
