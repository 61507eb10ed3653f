// The program's message dialog, the operating system's plain message box and
// the beep, as the link, the connection manager and the upload use them.
#pragma once

#include <string_view>

#include "LinkTypes.h"
#include "texts/UserText.h"

namespace zo::link {

class IMessageEffects {
 public:
  virtual ~IMessageEffects() = default;

  virtual MsgResult ShowMessage(const texts::UserText& text, int titleTextId, MsgIcon icon,
                                MsgButtons buttons) = 0;
  // The operating system's plain message box (link faults only): with the
  // texts as they are, or with a catalogue title and a composed text.
  virtual void ShowSystemMessage(std::string_view text, std::string_view caption) = 0;
  virtual void ShowSystemMessage(const texts::UserText& text, int titleTextId) = 0;
  virtual void Beep() = 0;
};

}  // namespace zo::link
