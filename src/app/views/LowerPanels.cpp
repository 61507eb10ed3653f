#include "app/views/LowerPanels.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <array>

#include "app/QtText.h"
#include "texts/TextIds.h"

namespace zo::app {

namespace {

constexpr int kIcon = 18;

// File pictures: a page with a corner, an arrow out (open) or in (save), and
// a wave for recordings or lines for parameters.
QIcon FileIcon(bool save, bool recording) {
  QPixmap pixmap(kIcon, kIcon);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QColor(70, 70, 70));
  p.setBrush(Qt::white);
  p.drawRect(3, 1, 11, 15);
  if (recording) {
    p.setPen(QPen(QColor(200, 0, 0), 1.5));
    p.drawPolyline(
        QPolygonF({QPointF(4, 10), QPointF(6, 6), QPointF(8, 12), QPointF(10, 5), QPointF(13, 9)}));
  } else {
    p.setPen(QColor(0, 0, 160));
    for (int y : {5, 8, 11})
      p.drawLine(5, y, 12, y);
  }
  p.setPen(QPen(save ? QColor(0, 130, 0) : QColor(0, 90, 200), 2));
  if (save) {
    p.drawLine(14, 12, 14, 17);
    p.drawLine(12, 15, 14, 17);
  } else {
    p.drawLine(14, 17, 14, 12);
    p.drawLine(12, 14, 14, 12);
  }
  return QIcon(pixmap);
}

QIcon FactoryIcon() {
  QPixmap pixmap(kIcon, kIcon);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(QColor(60, 60, 60));
  p.setBrush(QColor(200, 160, 60));
  p.drawRect(2, 8, 14, 8);
  p.drawRect(4, 3, 3, 5);
  p.drawRect(10, 5, 3, 3);
  return QIcon(pixmap);
}

QIcon ReadIcon() {
  QPixmap pixmap(kIcon, kIcon);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0, 120, 0), 2));
  p.drawArc(3, 3, 12, 12, 60 * 16, 270 * 16);
  p.drawLine(13, 2, 13, 6);
  p.drawLine(13, 6, 9, 6);
  return QIcon(pixmap);
}

}  // namespace

LowerPanels::LowerPanels(QWidget* client) : QObject(client) {
  leftPanel_ = new QFrame(client);
  leftPanel_->setObjectName(QStringLiteral("LeftGridPanel"));
  rightPanel_ = new QFrame(client);
  rightPanel_->setObjectName(QStringLiteral("RightGridPanel"));
  btnOpenVis_ = MakeButton(leftPanel_, FileIcon(false, true), "BtnOpenVis");
  btnSaveVis_ = MakeButton(leftPanel_, FileIcon(true, true), "BtnSaveVis");
  panelSonda_ = MakeStatePanel(leftPanel_, "PanelSonda");
  panelOpcje_ = MakeStatePanel(leftPanel_, "PanelOpcje");
  panelInfo_ = MakeStatePanel(leftPanel_, "PanelInfo");
  panelInfo_->setCursor(Qt::PointingHandCursor);
  panelInfo_->installEventFilter(this);
  btnOpenPar_ = MakeButton(rightPanel_, FileIcon(false, false), "BtnOpenPar");
  btnSavePar_ = MakeButton(rightPanel_, FileIcon(true, false), "BtnSavePar");
  btnManPar_ = MakeButton(rightPanel_, FactoryIcon(), "BtnManPar");
  btnRefPar_ = MakeButton(rightPanel_, ReadIcon(), "BtnRefPar");
  const std::array<std::pair<QToolButton*, FileCommand>, 4> files{
      {{btnOpenVis_, FileCommand::OpenRecording},
       {btnSaveVis_, FileCommand::SaveRecording},
       {btnOpenPar_, FileCommand::OpenParameters},
       {btnSavePar_, FileCommand::SaveParameters}}};
  for (const auto& [button, command] : files)
    connect(button, &QToolButton::clicked, this,
            [this, c = command] { emit FileButtonClicked(c); });
  connect(btnManPar_, &QToolButton::clicked, this, &LowerPanels::FactoryParametersClicked);
  connect(btnRefPar_, &QToolButton::clicked, this, &LowerPanels::ReadAgainClicked);
}

QToolButton* LowerPanels::MakeButton(QWidget* parent, const QIcon& icon, const char* name) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setIcon(icon);
  button->setIconSize(QSize(kIcon, kIcon));
  button->setAutoRaise(true);
  button->resize(kButtonWidth, kPanelHeight - 1);
  return button;
}

QLabel* LowerPanels::MakeStatePanel(QWidget* parent, const char* name) {
  auto* panel = new QLabel(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setFrameShape(QFrame::Box);
  panel->setLineWidth(1);
  panel->setAlignment(Qt::AlignCenter);
  panel->setAutoFillBackground(true);
  return panel;
}

bool LowerPanels::eventFilter(QObject* watched, QEvent* event) {
  if (watched == panelInfo_ && event->type() == QEvent::MouseButtonPress) {
    emit InfoClicked();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

void LowerPanels::ApplyLanguage(const texts::TextCatalogue& texts) {
  btnOpenVis_->setToolTip(Q(texts.Text(txt::kOpenRecording)));
  btnSaveVis_->setToolTip(Q(texts.Text(txt::kSaveRecording)));
  btnOpenPar_->setToolTip(Q(texts.Text(txt::kOpenParameters)));
  btnSavePar_->setToolTip(Q(texts.Text(txt::kSaveParameters)));
  btnManPar_->setToolTip(Q(texts.Text(txt::kWriteFactoryParameters)));
  btnRefPar_->setToolTip(Q(texts.Text(txt::kReadControllerParameters)) + QStringLiteral(" [F10]"));
}

void LowerPanels::PlaceLeft(bool visible, int x, int y, int width, bool filesVisible) {
  leftPanel_->setVisible(visible);
  if (!visible) return;
  leftPanel_->setGeometry(x, y, std::max(0, width), kPanelHeight);
  btnOpenVis_->setVisible(filesVisible);
  btnSaveVis_->setVisible(filesVisible);
  int left = 0;
  if (filesVisible) {
    btnOpenVis_->move(0, 0);
    btnSaveVis_->move(kButtonWidth, 0);
    left = 2 * kButtonWidth + 2;
  }
  // The three state panels share the rest of the strip: probe, options, info.
  const int rest = std::max(0, width - left - 2);
  const int probe = rest * 3 / 10;
  const int option = rest * 3 / 10;
  const int info = rest - probe - option;
  const int top = (kPanelHeight - kStatePanelHeight) / 2;
  panelSonda_->setGeometry(left, top, probe, kStatePanelHeight);
  panelOpcje_->setGeometry(left + probe, top, option, kStatePanelHeight);
  panelInfo_->setGeometry(left + probe + option, top, info, kStatePanelHeight);
}

void LowerPanels::PlaceRight(bool visible, int x, int y, int width, bool filesVisible) {
  rightPanel_->setVisible(visible);
  if (!visible) return;
  rightPanel_->setGeometry(x, y, std::max(0, width), kPanelHeight);
  btnOpenPar_->setVisible(filesVisible);
  btnSavePar_->setVisible(filesVisible);
  int left = 0;
  for (QToolButton* button : {btnOpenPar_, btnSavePar_, btnManPar_, btnRefPar_}) {
    if (!button->isVisibleTo(rightPanel_)) continue;
    button->move(left, 0);
    left += kButtonWidth;
  }
}

void LowerPanels::SetStatePanelFont(int listPoints, int optionPoints, int probePoints,
                                    int infoPoints) {
  static_cast<void>(listPoints);
  const auto sized = [](QLabel* panel, int points) {
    QFont font = panel->font();
    if (points > 0) font.setPointSize(points);
    panel->setFont(font);
  };
  sized(panelOpcje_, optionPoints);
  sized(panelSonda_, probePoints);
  sized(panelInfo_, infoPoints);
}

void LowerPanels::SetStatePanelsVisible(bool visible) {
  panelSonda_->setVisible(visible);
  panelOpcje_->setVisible(visible);
  panelInfo_->setVisible(visible);
}

void LowerPanels::ShowRegulation(std::uint8_t flags, std::uint8_t faultCode,
                                 const texts::TextCatalogue& texts) {
  // No regulation running leaves `PanelOpcje` as it is.
  if (const auto options = visual::StatePanels::Options(flags, faultCode))
    PaintView(panelOpcje_, *options, texts);
  PaintView(panelSonda_, visual::StatePanels::Probe(flags), texts);
}

void LowerPanels::ShowOptions(const visual::PanelView& view, const texts::TextCatalogue& texts) {
  PaintView(panelOpcje_, view, texts);
}

void LowerPanels::PaintInfo(const QColor& background, const QColor& text, const QString& caption) {
  Paint(panelInfo_, background, text, caption);
}

void LowerPanels::PaintOptions(const QColor& background, const QColor& text,
                               const QString& caption) {
  Paint(panelOpcje_, background, text, caption);
}

void LowerPanels::PaintView(QLabel* panel, const visual::PanelView& view,
                            const texts::TextCatalogue& texts) {
  const QColor header = leftPanel_->palette().color(QPalette::Button);
  Paint(panel, view.background ? FromStored(*view.background) : header, Qt::black,
        view.textId != 0 ? Q(texts.Text(view.textId)) : QString());
}

void LowerPanels::Paint(QLabel* panel, const QColor& background, const QColor& text,
                        const QString& caption) {
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::WindowText, text);
  panel->setPalette(palette);
  panel->setText(caption);
  // A text wider than its panel keeps its beginning in view and shows whole
  // as the panel's tool tip.
  const bool fits =
      panel->fontMetrics().horizontalAdvance(caption) <= panel->contentsRect().width();
  panel->setAlignment(fits ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
  panel->setToolTip(fits ? QString() : caption);
}

}  // namespace zo::app
