#include "app/views/TopPanel.h"

#include <QButtonGroup>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <algorithm>

#include "app/QtText.h"
#include "app/views/Placement.h"
#include "texts/TextIds.h"

namespace zo::app {

namespace {

constexpr int kIconSize = 22;

QPixmap BlankIcon() {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

QIcon HelpIcon() {
  QPixmap pixmap = BlankIcon();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(40, 90, 200));
  p.setPen(Qt::NoPen);
  p.drawEllipse(1, 1, kIconSize - 2, kIconSize - 2);
  p.setPen(Qt::white);
  QFont font = p.font();
  font.setBold(true);
  font.setPixelSize(15);
  p.setFont(font);
  p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("?"));
  return QIcon(pixmap);
}

// The window-layout pictures: scope (dark), signal list and parameter grid.
QIcon LayoutIcon(int layout) {
  QPixmap pixmap = BlankIcon();
  QPainter p(&pixmap);
  p.setPen(QColor(60, 60, 60));
  const QRect all(1, 2, 19, 17);
  p.setBrush(QColor(230, 230, 230));
  p.drawRect(all);
  const QColor scope(20, 20, 20);
  const QColor list(120, 200, 120);
  const QColor grid(255, 255, 255);
  if (layout == 0) {
    p.fillRect(2, 3, 18, 8, scope);
    p.fillRect(2, 12, 8, 7, list);
    p.fillRect(11, 12, 9, 7, grid);
  } else if (layout == 1) {
    p.fillRect(2, 3, 9, 8, scope);
    p.fillRect(2, 12, 9, 7, list);
    p.fillRect(12, 3, 8, 16, grid);
  } else {
    p.fillRect(2, 3, 9, 16, list);
    p.fillRect(12, 3, 8, 16, grid);
  }
  return QIcon(pixmap);
}

QIcon GaugeIcon() {
  QPixmap pixmap = BlankIcon();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(50, 50, 50), 2));
  p.setBrush(QColor(250, 250, 240));
  p.drawEllipse(2, 2, 18, 18);
  p.setPen(QPen(QColor(200, 0, 0), 2));
  p.drawLine(11, 11, 16, 6);
  return QIcon(pixmap);
}

QIcon PortIcon(bool alternate) {
  QPixmap pixmap = BlankIcon();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 40, 40), 1));
  p.setBrush(alternate ? QColor(220, 60, 60) : QColor(90, 140, 220));
  QPainterPath shell;
  shell.moveTo(2, 6);
  shell.lineTo(20, 6);
  shell.lineTo(17, 16);
  shell.lineTo(5, 16);
  shell.closeSubpath();
  p.drawPath(shell);
  p.setBrush(Qt::white);
  for (int x : {6, 10, 14})
    p.drawEllipse(QPointF(x + 1, 9.5), 1.2, 1.2);
  for (int x : {8, 12})
    p.drawEllipse(QPointF(x + 1, 13), 1.2, 1.2);
  return QIcon(pixmap);
}

}  // namespace

TopPanel::TopPanel(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("Panel1"));
  setFrameShape(QFrame::NoFrame);
  group_ = new QButtonGroup(this);
  group_->setExclusive(true);
  const std::array<const char*, 4> names{"TabPar", "TabCfg", "TabUpg", "TabPro"};
  for (std::size_t i = 0; i < tabs_.size(); ++i) {
    auto* tab = new QToolButton(this);
    tab->setObjectName(QString::fromLatin1(names[i]));
    tab->setCheckable(true);
    tab->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tab->resize(kPageButtonWidth, kPageButtonHeight);
    group_->addButton(tab, static_cast<int>(i));
    tabs_[i] = tab;
    const auto button = static_cast<PageButton>(i);
    connect(tab, &QToolButton::clicked, this, [this, button] { emit PageButtonClicked(button); });
  }
  tabs_[0]->setChecked(true);
  SetVisibleButtons(PageButtonVisibility{});

  toolBar_ = new QWidget(this);
  toolBar_->setObjectName(QStringLiteral("ToolBarT"));
  btnHelp_ = MakeToolButton(toolBar_, HelpIcon());
  btnHelp_->setObjectName(QStringLiteral("BtnHelp"));
  btnWindow_ = MakeToolButton(toolBar_, LayoutIcon(0));
  btnWindow_->setObjectName(QStringLiteral("BtnWindow"));
  btnInd_ = MakeToolButton(toolBar_, GaugeIcon());
  btnInd_->setObjectName(QStringLiteral("BtnInd"));
  btnPort_ = MakeToolButton(toolBar_, PortIcon(false));
  btnPort_->setObjectName(QStringLiteral("BtnPort"));
  int x = 0;
  for (QToolButton* button : {btnHelp_, btnWindow_, btnInd_, btnPort_}) {
    button->move(x, 0);
    x += kToolButtonWidth;
  }
  toolBar_->resize(x, kToolButtonHeight);
  connect(btnHelp_, &QToolButton::clicked, this, &TopPanel::HelpClicked);
  connect(btnWindow_, &QToolButton::clicked, this, &TopPanel::WindowClicked);
  connect(btnInd_, &QToolButton::clicked, this, &TopPanel::IndicatorsClicked);
  connect(btnPort_, &QToolButton::clicked, this, &TopPanel::PortClicked);

  panelBut_ = new SwitchPanel(this);
  panelBut_->resize(kSwitchPanelWidth, kSwitchPanelHeight);
  connect(panelBut_, &SwitchPanel::Clicked, this, &TopPanel::SwitchClicked);
}

QToolButton* TopPanel::MakeToolButton(QWidget* parent, const QIcon& icon) {
  auto* button = new QToolButton(parent);
  button->setIcon(icon);
  button->setIconSize(QSize(kIconSize, kIconSize));
  button->setAutoRaise(false);
  button->resize(kToolButtonWidth, kToolButtonHeight);
  return button;
}

void TopPanel::ApplyLanguage(const texts::TextCatalogue& texts) {
  const std::array<int, 4> captions{txt::kPageParameters, txt::kPageConfiguration, txt::kVersion,
                                    txt::kPageProcessor};
  for (std::size_t i = 0; i < tabs_.size(); ++i)
    tabs_[i]->setText(Q(texts.Text(captions[i])));
  FitPageButtons();
  tabs_[Index(PageButton::Parameters)]->setToolTip(QStringLiteral("  [F3]  "));
  tabs_[Index(PageButton::Configuration)]->setToolTip(QStringLiteral("  [F4]  "));
  tabs_[Index(PageButton::Upgrade)]->setToolTip(QStringLiteral("  [F6]  "));
  btnHelp_->setToolTip(Q(texts.Text(txt::kHelpHint)));
  btnWindow_->setToolTip(Q(texts.Text(txt::kWindowsArrangement)) + QStringLiteral(" [F9]"));
  btnInd_->setToolTip(Q(texts.Text(txt::kGauges)));
  btnPort_->setToolTip(Q(texts.Text(txt::kPortHint)));
}

void TopPanel::FitPageButtons() {
  // A caption longer than the designed width (a large font, a long word)
  // widens its button instead of being cut.
  for (QToolButton* tab : tabs_) {
    const int text = tab->fontMetrics().horizontalAdvance(tab->text()) + 16;
    tab->resize(std::max(kPageButtonWidth, text),
                std::max(kPageButtonHeight, tab->sizeHint().height()));
  }
}

void TopPanel::SetVisibleButtons(const PageButtonVisibility& visible) {
  tabs_[Index(PageButton::Parameters)]->setVisible(visible.parameters);
  tabs_[Index(PageButton::Configuration)]->setVisible(visible.configuration);
  tabs_[Index(PageButton::Upgrade)]->setVisible(visible.upgrade);
  tabs_[Index(PageButton::Processor)]->setVisible(visible.processor);
}

PageButtonVisibility TopPanel::VisibleButtons() const {
  // isVisibleTo: the answer holds before the window is first shown too.
  return PageButtonVisibility{tabs_[Index(PageButton::Parameters)]->isVisibleTo(this),
                              tabs_[Index(PageButton::Configuration)]->isVisibleTo(this),
                              tabs_[Index(PageButton::Upgrade)]->isVisibleTo(this),
                              tabs_[Index(PageButton::Processor)]->isVisibleTo(this)};
}

void TopPanel::SetDown(PageButton button) {
  tabs_[Index(button)]->setChecked(true);
}

void TopPanel::SetLayoutPicture(int layout) {
  btnWindow_->setIcon(LayoutIcon(layout));
}

void TopPanel::SetPortPicture(bool alternate) {
  btnPort_->setIcon(PortIcon(alternate));
}

namespace {

TabButton Tab(const QWidget* button, const QWidget* panel) {
  return TabButton{button->isVisibleTo(panel), button->width()};
}

}  // namespace

void TopPanel::Measure(LayoutInput& in) const {
  in.switchPanelWidth = panelBut_->width();
  in.switchPanelHeight = panelBut_->height();
  in.tabPar = Tab(tabs_[Index(PageButton::Parameters)], this);
  in.tabCfg = Tab(tabs_[Index(PageButton::Configuration)], this);
  in.tabUpg = Tab(tabs_[Index(PageButton::Upgrade)], this);
  in.tabPro = Tab(tabs_[Index(PageButton::Processor)], this);
  in.toolBarWidth = toolBar_->width();
}

void TopPanel::Place(const LayoutResult& r, int clientWidth) {
  setGeometry(0, 0, clientWidth, kHeight);
  Apply(tabs_[Index(PageButton::Parameters)], r.tabPar);
  Apply(tabs_[Index(PageButton::Configuration)], r.tabCfg);
  Apply(tabs_[Index(PageButton::Upgrade)], r.tabUpg);
  Apply(tabs_[Index(PageButton::Processor)], r.tabPro);
  Apply(toolBar_, r.toolBarT);
  Apply(panelBut_, r.switchPanel);
  btnHelp_->setVisible(r.helpButtonVisible);
  btnInd_->setVisible(r.indicatorButtonVisible);
  btnWindow_->setVisible(r.windowButtonVisible);
}

void TopPanel::SetLampLayout(visual::LampLayout layout) {
  panelBut_->SetLayout(layout);
}

void TopPanel::OfferSwitch(bool offered, const QString& tip) {
  SetSwitchTip(offered ? tip : QString());
  panelBut_->setCursor(offered ? Qt::PointingHandCursor : Qt::ArrowCursor);
  // A controller with the switch gets the dashboard switch's smaller panel.
  if (offered) panelBut_->resize(kSwitchWidth, kSwitchHeight);
}

void TopPanel::SetSwitchTip(const QString& tip) {
  panelBut_->setToolTip(tip);
}

void TopPanel::ShowSwitch(const link::LinkStateDisplay& display,
                          const std::array<std::uint8_t, 4>& thresholds,
                          model::LevelDirection direction) {
  panelBut_->Update(display, thresholds, direction);
}

bool TopPanel::GasLampBlinking() const {
  return panelBut_->GasLampBlinking();
}

void TopPanel::ToggleGasLamp() {
  panelBut_->ToggleGasLamp();
}

}  // namespace zo::app
