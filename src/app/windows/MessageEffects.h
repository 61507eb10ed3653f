// The program's message dialog, the system's plain message box and the beep,
// for the link and for the parameter editing alike.
#pragma once

#include "link/IMessageEffects.h"
#include "model/IMessages.h"
#include "texts/TextsFwd.h"

class QWidget;

namespace zo::app {

class MessageDialog;

class MessageEffects : public link::IMessageEffects, public model::IMessages {
 public:
  // `window` is the parent of the system's message box.
  MessageEffects(MessageDialog& messages, QWidget& window, const texts::TextCatalogue& texts)
      : messages_(messages), window_(window), texts_(texts) {}

  // Both interfaces ask the same message dialog.
  link::MsgResult ShowMessage(const texts::UserText& text, int titleTextId, link::MsgIcon icon,
                              link::MsgButtons buttons) override;
  void ShowSystemMessage(std::string_view text, std::string_view caption) override;
  void ShowSystemMessage(const texts::UserText& text, int titleTextId) override;
  void Beep() override;

 private:
  MessageDialog& messages_;
  QWidget& window_;
  const texts::TextCatalogue& texts_;
};

}  // namespace zo::app
