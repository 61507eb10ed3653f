#include "app/windows/TFormBar.h"

#include <algorithm>

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>

#include "texts/TextCatalogue.h"

namespace zo::app {

namespace {

constexpr int kMargin = 4;
constexpr int kBarHeight = 16;

}  // namespace

TFormBar::TFormBar(QWidget* owner, const QString& caption, const QPixmap& picture,
                   QColor background)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("FormBar"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(caption);
  setFixedSize(kClientWidth, kClientHeight);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, background);
  setPalette(palette);
  setAutoFillBackground(true);

  image_ = new QLabel(this);
  image_->setObjectName(QStringLiteral("Image1"));
  image_->setGeometry(0, 0, kPictureWidth, kClientHeight);
  image_->setAlignment(Qt::AlignCenter);
  image_->setPixmap(picture);

  const int left = kPictureWidth + kMargin;
  const int width = kClientWidth - left - kMargin;
  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName(QStringLiteral("Memo1"));
  memo_->setReadOnly(true);
  memo_->setFocusPolicy(Qt::NoFocus);
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo_->setGeometry(left, kMargin, width, kClientHeight - 3 * kMargin - kBarHeight);

  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("Postep"));
  bar_->setTextVisible(false);
  bar_->setRange(0, kDefaultMaximum);
  bar_->setValue(0);
  bar_->setGeometry(left, kClientHeight - kMargin - kBarHeight, width, kBarHeight);
  bar_->setStyleSheet(
      QStringLiteral("QProgressBar { background-color: rgb(255, 0, 0); "
                     "border: 1px solid rgb(96, 96, 96); }"
                     "QProgressBar::chunk { background-color: rgb(0, 192, 0); }"));
}

void TFormBar::AddLine(std::string_view line) {
  memo_->appendPlainText(QString::fromUtf8(texts::TextCatalogue::DisplayLines(line).c_str()));
}

void TFormBar::SetMaximum(int maximum) {
  bar_->setRange(0, std::max(maximum, 0));
}

void TFormBar::SetPosition(int position) {
  // The bar ignores a value outside its range and would keep showing the
  // previous one; the end of a read may step past the maximum.
  bar_->setValue(std::clamp(position, bar_->minimum(), bar_->maximum()));
}

}  // namespace zo::app
