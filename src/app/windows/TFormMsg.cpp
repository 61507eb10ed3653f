#include "app/windows/TFormMsg.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QWindow>

#include "app/widgets/AppPictures.h"
#include "texts/TextCatalogue.h"
#include "texts/TextIds.h"

namespace zo::app {

namespace {

constexpr int kFontPoints = 8;
constexpr int kInertButtonSize = 11;

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void Place(QPushButton* button, std::optional<int> left, int top) {
  button->setVisible(left.has_value());
  if (left) button->move(*left, top);
}

}  // namespace

TFormMsg::TFormMsg(QWidget* owner, const texts::TextCatalogue& texts)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowStaysOnTopHint),
      texts_(texts) {
  setObjectName(QStringLiteral("FormMsg"));
  QFont small = font();
  small.setPointSize(kFontPoints);
  setFont(small);

  // First in the tab order and out of sight: it holds the focus when the
  // set has neither OK nor Yes, so that Enter answers nothing.
  inert_ = new QPushButton(this);
  inert_->setObjectName(QStringLiteral("BitBtn1"));
  inert_->setGeometry(-2 * kInertButtonSize, -2 * kInertButtonSize, kInertButtonSize,
                      kInertButtonSize);
  inert_->setAutoDefault(false);

  image_ = new QLabel(this);
  image_->setObjectName(QStringLiteral("Image1"));
  image_->setAlignment(Qt::AlignCenter);
  image_->setAttribute(Qt::WA_TranslucentBackground);

  label_ = new QLabel(this);
  label_->setObjectName(QStringLiteral("Label1"));
  label_->setTextFormat(Qt::PlainText);
  label_->move(kMsgLabelLeft, kMsgLabelTop);

  ok_ = AddButton(QStringLiteral("OK"), link::MsgResult::Ok);
  ok_->setObjectName(QStringLiteral("BitBtnOk"));
  ok_->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  yes_ = AddButton(FromUtf8(texts_.Text(txt::kButtonYes)), link::MsgResult::Yes);
  yes_->setObjectName(QStringLiteral("BitBtnYes"));
  yes_->setIcon(style()->standardIcon(QStyle::SP_DialogYesButton));
  no_ = AddButton(FromUtf8(texts_.Text(txt::kButtonNo)), link::MsgResult::No);
  no_->setObjectName(QStringLiteral("BitBtnNo"));
  no_->setIcon(style()->standardIcon(QStyle::SP_DialogNoButton));
  cancel_ = AddButton(FromUtf8(texts_.Text(txt::kButtonCancel)), link::MsgResult::Cancel);
  cancel_->setObjectName(QStringLiteral("BitBtnCancel"));
  cancel_->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));

  setTabOrder(inert_, ok_);
  setTabOrder(ok_, yes_);
  setTabOrder(yes_, no_);
  setTabOrder(no_, cancel_);
}

QPushButton* TFormMsg::AddButton(const QString& caption, link::MsgResult result) {
  auto* button = new QPushButton(caption, this);
  button->resize(kMsgButtonWidth, kMsgButtonHeight);
  connect(button, &QPushButton::clicked, this, [this, result] { emit Answered(result); });
  return button;
}

void TFormMsg::Prepare(std::string_view text, std::string_view title, link::MsgIcon icon,
                       link::MsgButtons buttons, const FrameMargins& frame) {
  setWindowTitle(FromUtf8(title));
  label_->setText(FromUtf8(texts::TextCatalogue::DisplayLines(text)));
  label_->adjustSize();
  image_->setPixmap(AppPictures::ForIcon(icon));

  layout_ = MsgLayoutRules::Compute(buttons, label_->width(), label_->height());
  Place(ok_, layout_.ok, layout_.buttonTop);
  Place(yes_, layout_.yes, layout_.buttonTop);
  Place(no_, layout_.no, layout_.buttonTop);
  Place(cancel_, layout_.cancel, layout_.buttonTop);
  ApplyFrame(frame);

  QPushButton* first = FirstAnswerButton();
  for (QPushButton* button : {ok_, yes_, no_, cancel_})
    button->setDefault(button == first);
}

void TFormMsg::ApplyFrame(const FrameMargins& frame) {
  frame_ = frame;
  const MsgClientSize client = MsgLayoutRules::ClientSize(layout_, frame);
  setFixedSize(client.width, client.height);
  image_->setGeometry(0, 0, kMsgPictureWidth, client.height);
}

void TFormMsg::Centre() {
  const QScreen* shownOn = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
  if (shownOn == nullptr) return;
  const QSize whole(width() + frame_.left + frame_.right, height() + frame_.top + frame_.bottom);
  const QRect outer =
      QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, whole, shownOn->availableGeometry());
  setGeometry(outer.adjusted(frame_.left, frame_.top, -frame_.right, -frame_.bottom));
}

void TFormMsg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The frame is known once the window manager has framed the window, which
  // is when the window is exposed or moved into its frame.
  if (!watchingWindow_ && windowHandle() != nullptr) {
    windowHandle()->installEventFilter(this);
    watchingWindow_ = true;
  }
}

bool TFormMsg::eventFilter(QObject* watched, QEvent* event) {
  QWindow* window = windowHandle();
  const bool framed = event->type() == QEvent::Expose || event->type() == QEvent::Move;
  if (window != nullptr && watched == window && framed && window->isExposed()) {
    const QMargins m = window->frameMargins();
    measured_ = FrameMargins{m.left(), m.top(), m.right(), m.bottom()};
    if (*measured_ != frame_) {
      ApplyFrame(*measured_);
      Centre();
    }
  }
  return QDialog::eventFilter(watched, event);
}

QPushButton* TFormMsg::FirstAnswerButton() const {
  if (!ok_->isHidden()) return ok_;
  if (!yes_->isHidden()) return yes_;
  return nullptr;
}

void TFormMsg::reject() {
  // The close of the window manager through closeEvent, or a reject by the
  // program: the wait must end, with the answer of Cancel.
  emit Answered(link::MsgResult::Cancel);
}

void TFormMsg::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TFormMsg::closeEvent(QCloseEvent* event) {
  event->ignore();  // the owner closes the dialog once it has the answer
  emit Answered(link::MsgResult::Cancel);
}

}  // namespace zo::app
