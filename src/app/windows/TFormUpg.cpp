#include "app/windows/TFormUpg.h"

#include <QLabel>
#include <QProgressBar>

namespace zo::app {

namespace {

constexpr int kMargin = 8;
constexpr int kLineHeight = 20;
constexpr int kBarHeight = 16;

}  // namespace

TFormUpg::TFormUpg(const QString& caption)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("FormUpg"));
  setWindowTitle(caption);
  setFixedSize(kClientWidth, kClientHeight);
  const int width = kClientWidth - 2 * kMargin;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
    label->setGeometry(kMargin, kMargin / 2 + static_cast<int>(i) * kLineHeight, width,
                       kLineHeight);
    lines_[i] = label;
  }
  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("ProgressBar1"));
  bar_->setTextVisible(false);
  bar_->setGeometry(kMargin, kClientHeight - kMargin - kBarHeight, width, kBarHeight);
}

void TFormUpg::SetLine(int line, const QString& text) {
  lines_.at(static_cast<std::size_t>(line))->setText(text);
}

QString TFormUpg::Line(int line) const {
  return lines_.at(static_cast<std::size_t>(line))->text();
}

}  // namespace zo::app
