// The program's message dialog and the system beep, as the parameter editing
// uses them. Texts are catalogue ids and literals (zo::link::UserText).
#pragma once

#include "link/LinkTypes.h"
#include "texts/UserText.h"

namespace zo::model {

class IMessages {
 public:
  virtual ~IMessages() = default;
  // Busy when a dialog is already open.
  virtual link::MsgResult ShowMessage(const texts::UserText& text, int titleTextId,
                                      link::MsgIcon icon, link::MsgButtons buttons) = 0;
  virtual void Beep() = 0;
};

}  // namespace zo::model
