#include "app/windows/UploadWindow.h"

#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QStyle>

#include "app/QtText.h"
#include "texts/TextCatalogue.h"

namespace zo::app {

UploadWindow::~UploadWindow() {
  Close();
}

void UploadWindow::Open(int captionTextId) {
  Close();
  window_ = new TFormUpg(Q(texts_.Text(captionTextId)));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    window_->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window_->size(),
                                             screen->availableGeometry()));
  }
  window_->show();
}

void UploadWindow::SetLine(int line, const texts::UserText& text) {
  if (window_) window_->SetLine(line, Q(texts_.Compose(text)));
}

void UploadWindow::SetProgressMax(int maximum) {
  if (window_) window_->Bar().setMaximum(maximum);
}

void UploadWindow::SetProgressPosition(int position) {
  if (window_) window_->Bar().setValue(position);
}

void UploadWindow::ShowProgressBar(bool visible) {
  if (window_) window_->Bar().setVisible(visible);
}

void UploadWindow::Close() {
  delete window_.data();
}

}  // namespace zo::app
