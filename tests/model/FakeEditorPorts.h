// The editor's message box and clock for the tests: every message recorded
// and answered with `answer`, and a fixed day, 9 March 2026.
#pragma once

#include <vector>

#include "model/IClock.h"
#include "model/IMessages.h"

namespace zo::model::test {

struct ShownMessage {
  texts::UserText text;
  int title;
  link::MsgIcon icon;
  link::MsgButtons buttons;
};

class RecordingMessages : public IMessages {
 public:
  explicit RecordingMessages(int answerWith = 1) : answer(answerWith) {}
  link::MsgResult ShowMessage(const texts::UserText& text, int titleTextId, link::MsgIcon icon,
                              link::MsgButtons buttons) override {
    shown.push_back({text, titleTextId, icon, buttons});
    return static_cast<link::MsgResult>(answer);
  }
  void Beep() override { ++beeps; }

  std::vector<ShownMessage> shown;
  int answer;
  int beeps = 0;
};

class FixedClock : public IClock {
 public:
  CalendarDate Today() const override { return {2026, 3, 9}; }
};

}  // namespace zo::model::test
