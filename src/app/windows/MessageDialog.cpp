#include "app/windows/MessageDialog.h"

#include <QApplication>
#include <QEventLoop>
#include <QPushButton>

#include "app/windows/TFormMsg.h"
#include "texts/TextCatalogue.h"

namespace zo::app {

MessageDialog::MessageDialog(QWidget* mainWindow, const texts::TextCatalogue& texts,
                             std::function<void()> beep)
    : mainWindow_(mainWindow), texts_(texts), beep_(std::move(beep)) {}

MessageDialog::MessageDialog(QWidget* mainWindow, const texts::TextCatalogue& texts)
    : MessageDialog(mainWindow, texts, [] { QApplication::beep(); }) {}

MessageDialog::~MessageDialog() {
  *alive_ = false;
}

link::MsgResult MessageDialog::ShowMessage(const texts::UserText& text, int titleTextId,
                                           link::MsgIcon icon, link::MsgButtons buttons) {
  return ShowMessage(texts_.Compose(text), texts_.Text(titleTextId), icon, buttons);
}

link::MsgResult MessageDialog::ShowMessage(std::string_view text, std::string_view title,
                                           link::MsgIcon icon, link::MsgButtons buttons) {
  if (open_) return link::MsgResult::Busy;
  open_ = true;

  // A fresh window for every message, owned by the main window and deleted
  // after the answer, so a long session does not collect hidden dialogs.
  auto* dialog = new TFormMsg(mainWindow_, texts_);
  current_ = dialog;
  QPalette palette = dialog->palette();
  palette.setColor(QPalette::Window, background_);
  dialog->setPalette(palette);
  dialog->setAutoFillBackground(true);

  if (beep_) beep_();
  dialog->Prepare(text, title, icon, buttons, frame_);

  std::optional<link::MsgResult> result;
  QEventLoop wait;
  QObject::connect(dialog, &TFormMsg::Answered, &wait, [&result, &wait](link::MsgResult answer) {
    if (!result) result = answer;
    wait.quit();
  });
  // The main window going away takes the dialog with it; that ends the wait.
  QObject::connect(dialog, &QObject::destroyed, &wait, [&result, &wait] {
    if (!result) result = link::MsgResult::Cancel;
    wait.quit();
  });

  // The wait below may outlive this object (a timer of the owner deleting
  // it), so everything needed after the wait is held locally.
  const std::shared_ptr<bool> alive = alive_;
  const QPointer<QWidget> mainWindow = mainWindow_;
  const QPointer<TFormMsg> shown = dialog;

  // A main window disabled before (an upload running) stays so afterwards.
  const bool wasEnabled = mainWindow && mainWindow->isEnabled();
  if (mainWindow) mainWindow->setEnabled(false);
  // A child window follows its disabled owner; the dialog itself must answer.
  dialog->setEnabled(true);
  dialog->Centre();
  dialog->show();
  dialog->activateWindow();
  if (QPushButton* first = dialog->FirstAnswerButton())
    first->setFocus(Qt::ActiveWindowFocusReason);

  if (!result) wait.exec();
  // The application quitting ends every event loop without an answer.
  if (!result) result = link::MsgResult::Cancel;

  if (mainWindow) mainWindow->setEnabled(wasEnabled);
  std::optional<FrameMargins> measured;
  if (shown) {
    measured = shown->MeasuredFrame();
    shown->hide();
    shown->deleteLater();
  }
  if (*alive) {
    if (measured) frame_ = *measured;
    current_ = nullptr;
    open_ = false;
  }
  return *result;
}

}  // namespace zo::app
