#include "app/windows/TFormHelp.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>

#include "app/QtText.h"
#include "help/HelpRules.h"
#include "texts/TextIds.h"

namespace zo::app {

namespace {

constexpr std::array kModeTexts{txt::kWindowOnTop, txt::kWindowHide, txt::kClose};
constexpr int kStayOnTop = 0;
constexpr int kCloseWhenLeft = 2;

}  // namespace

TFormHelp::TFormHelp(const texts::TextCatalogue& texts, int mode, int fontSize)
    : QWidget(nullptr, Qt::Window),
      radioGroup_(new QGroupBox(this)),
      pane_(new QPlainTextEdit(this)),
      mode_(std::clamp(mode, 0, static_cast<int>(kModeTexts.size()) - 1)) {
  setObjectName(QStringLiteral("FormHelp"));
  setAttribute(Qt::WA_DeleteOnClose);
  QFont shown = QApplication::font();
  shown.setPointSize(fontSize);
  setFont(shown);
  resize(help::HelpRules::kDesignedWidth, help::HelpRules::kDesignedHeight);

  radioGroup_->setObjectName(QStringLiteral("RadioGroup1"));
  auto* columns = new QHBoxLayout(radioGroup_);
  columns->setContentsMargins(6, 2, 6, 2);
  for (std::size_t i = 0; i < radios_.size(); ++i) {
    radios_[i] = new QRadioButton(Q(texts.Text(kModeTexts[i])), radioGroup_);
    columns->addWidget(radios_[i], 1);
    const int index = static_cast<int>(i);
    connect(radios_[i], &QRadioButton::clicked, this, [this, index] { ChooseMode(index); });
  }
  radios_[static_cast<std::size_t>(mode_)]->setChecked(true);

  pane_->setObjectName(QStringLiteral("RichEdit1"));
  pane_->setReadOnly(true);
  pane_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  pane_->setLineWrapMode(QPlainTextEdit::NoWrap);
  pane_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  pane_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // The found text stays marked while the main window has the focus.
  QPalette palette = pane_->palette();
  for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  pane_->setPalette(palette);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
  layout->setSpacing(kBorder);
  layout->addWidget(radioGroup_);
  layout->addWidget(pane_, 1);
  setWindowFlag(Qt::WindowStaysOnTopHint, mode_ == kStayOnTop);
}

void TFormHelp::SetText(std::string text) {
  text_ = std::move(text);
  pane_->setPlainText(QString::fromStdString(text_));
}

void TFormHelp::Select(const help::TextSpan& span, bool focus) {
  const int last = std::max(pane_->document()->characterCount() - 1, 0);
  const int start = std::min(static_cast<int>(span.start), last);
  const int end = std::min(static_cast<int>(span.start + span.length), last);
  QTextCursor cursor(pane_->document());
  cursor.setPosition(start);
  cursor.setPosition(end, QTextCursor::KeepAnchor);
  pane_->setTextCursor(cursor);
  // Lines are scroll steps without word wrap: the found line goes to the top.
  pane_->verticalScrollBar()->setValue(cursor.block().blockNumber());
  pane_->horizontalScrollBar()->setValue(0);
  if (focus) pane_->setFocus();
}

help::TextSpan TFormHelp::Selection() const {
  const QTextCursor cursor = pane_->textCursor();
  return {static_cast<std::size_t>(cursor.selectionStart()),
          static_cast<std::size_t>(cursor.selectionEnd() - cursor.selectionStart())};
}

QRadioButton* TFormHelp::RadioButton(int index) const {
  return radios_.at(static_cast<std::size_t>(index));
}

void TFormHelp::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  emit OpenChanged(true);
}

void TFormHelp::closeEvent(QCloseEvent* event) {
  emit OpenChanged(false);
  event->accept();
}

void TFormHelp::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Escape) {
    close();
  } else if (key >= Qt::Key_F1 && key <= Qt::Key_F9) {
    QApplication::beep();
  } else {
    QWidget::keyPressEvent(event);
  }
}

void TFormHelp::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::ActivationChange) return;
  if (isActiveWindow()) {
    activeSinceRestack_ = true;
  } else if (mode_ == kCloseWhenLeft && activeSinceRestack_ && isVisible()) {
    close();
  }
}

void TFormHelp::ChooseMode(int mode) {
  mode_ = mode;
  ApplyStacking();
  emit ModeChosen(mode);
}

void TFormHelp::ApplyStacking() {
  const bool onTop = mode_ == kStayOnTop;
  if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) return;
  // A new stacking shows the window again; the deactivation of that hiding
  // is not the user leaving the window.
  activeSinceRestack_ = false;
  const bool visible = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
  if (visible) {
    show();
    activateWindow();
  }
}

}  // namespace zo::app
