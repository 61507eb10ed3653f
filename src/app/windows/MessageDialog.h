// ShowMessage of the program: shows one TFormMsg at a time, keeps the main
// window disabled and the event loop (timers, painting, the link) running
// while it waits, and returns the pressed button. Owned by the main window,
// which passes it to whoever needs to ask the user.
#pragma once

#include <QColor>
#include <QPointer>
#include <functional>
#include <memory>
#include <string_view>

#include "app/rules/MsgLayout.h"
#include "link/LinkTypes.h"
#include "texts/TextsFwd.h"
#include "texts/UserText.h"

class QWidget;

namespace zo::app {

class TFormMsg;

class MessageDialog {
 public:
  // beep plays the system's default sound; tests pass their own.
  MessageDialog(QWidget* mainWindow, const texts::TextCatalogue& texts, std::function<void()> beep);
  MessageDialog(QWidget* mainWindow, const texts::TextCatalogue& texts);
  // May run while a message waits (a timer tearing the owner down); that
  // wait still ends with the answer and never touches this object again.
  ~MessageDialog();
  MessageDialog(const MessageDialog&) = delete;
  MessageDialog& operator=(const MessageDialog&) = delete;

  // Returns the answer, or Busy at once, showing nothing, while another
  // message is open. Closing the dialog in any other way
  // (the window manager) answers Cancel, and so does a wait ended without an
  // answer (the application quitting); Esc answers nothing.
  link::MsgResult ShowMessage(std::string_view text, std::string_view title, link::MsgIcon icon,
                              link::MsgButtons buttons);
  // The same for a message assembled by the link, titled by a text id.
  link::MsgResult ShowMessage(const texts::UserText& text, int titleTextId, link::MsgIcon icon,
                              link::MsgButtons buttons);

  [[nodiscard]] bool IsOpen() const { return open_; }
  // The dialog while it waits for an answer, else null.
  TFormMsg* Current() const { return current_; }

  // The background of the dialog: the colour of the signal list.
  void SetBackground(QColor colour) { background_ = colour; }

 private:
  QPointer<QWidget> mainWindow_;
  const texts::TextCatalogue& texts_;
  std::function<void()> beep_;
  QColor background_{219, 219, 219};
  QPointer<TFormMsg> current_;
  // The window manager's frame as measured on the last dialog shown.
  FrameMargins frame_ = kMsgDefaultFrame;
  bool open_ = false;
  // Cleared by the destructor; a running wait checks it before it touches
  // the members again.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace zo::app
