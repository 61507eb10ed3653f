#include "app/windows/ProgressWindow.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

#include "app/widgets/AppPictures.h"
#include "app/windows/TFormBar.h"
#include "texts/TextCatalogue.h"

namespace zo::app {

namespace {

// The caption of every progress window while the interface is Russian.
constexpr std::string_view kRussianCaption = " Viz !";

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

ProgressWindow::ProgressWindow(QWidget* owner, const texts::TextCatalogue& texts,
                               std::function<void()> beep)
    : owner_(owner), texts_(texts), beep_(std::move(beep)), maximum_(TFormBar::kDefaultMaximum) {}

ProgressWindow::ProgressWindow(QWidget* owner, const texts::TextCatalogue& texts)
    : ProgressWindow(owner, texts, [] { QApplication::beep(); }) {}

bool ProgressWindow::IsShown() const {
  return window_ && window_->isVisible();
}

bool ProgressWindow::Show(std::string_view caption, std::string_view firstLine,
                          link::ProgressPicture picture) {
  if (IsShown()) return false;
  // A window closed a moment ago may still wait for its deletion.
  if (window_) window_->deleteLater();

  const QString title = FromUtf8(texts_.IsRussian() ? kRussianCaption : caption);
  auto* window = new TFormBar(owner_, title, AppPictures::ForProgress(picture), background_);
  window_ = window;
  window->SetMaximum(maximum_);
  if (beep_) beep_();
  window->AddLine(firstLine);

  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    window->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size(),
                                            screen->availableGeometry()));
  }
  window->show();
  return true;
}

bool ProgressWindow::Show(int captionTextId, const texts::UserText& firstLine,
                          link::ProgressPicture picture) {
  return Show(texts_.Text(captionTextId), texts_.Compose(firstLine), picture);
}

void ProgressWindow::AddLine(std::string_view line) {
  if (IsShown()) window_->AddLine(line);
}

void ProgressWindow::AddLine(const texts::UserText& line) {
  AddLine(texts_.Compose(line));
}

void ProgressWindow::SetMaximum(int maximum) {
  maximum_ = maximum;
  if (window_) window_->SetMaximum(maximum);
}

void ProgressWindow::SetPosition(int position) {
  if (window_) window_->SetPosition(position);
}

void ProgressWindow::Close() {
  if (window_) window_->close();  // deletes itself on close
}

}  // namespace zo::app
