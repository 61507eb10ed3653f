// The main window against the lpgsim executable on one pseudo-terminal port,
// in real time: the simulator keeps its parameter image in the profile as a
// real controller keeps its EEPROM, so it can be killed and plugged in again;
// every message the window shows is answered with Yes or OK and kept.
#pragma once

#include <QTimer>
#include <algorithm>
#include <fstream>
#include <memory>

#include "LpgsimProcess.h"
#include "app/MainWindowRig.h"
#include "app/QtText.h"
#include "app/windows/TFormMsg.h"

namespace zo::app {

// Requests of `command` the simulator logged, with these first frame bytes.
inline int Count(const test::LpgsimProcess& sim, int command, int first = -1, int second = -1) {
  const auto requests = sim.Requests();
  return static_cast<int>(std::count_if(requests.begin(), requests.end(), [&](const auto& r) {
    return r.command == command && (first < 0 || (r.frame.size() > 1 && r.frame[1] == first)) &&
           (second < 0 || (r.frame.size() > 2 && r.frame[2] == second));
  }));
}

class PluggedControllerRig : public MainWindowRig {
 protected:
  static constexpr int kPort = 61;

  // The controller on kPort, its parameter image kept in the profile.
  std::unique_ptr<test::LpgsimProcess> Plug(std::vector<std::string> args = {},
                                            const std::string& eeprom = {}) {
    args.insert(args.end(), {"--port", std::to_string(kPort), "--persist",
                             eeprom.empty() ? Eeprom().string() : eeprom});
    auto sim = std::make_unique<test::LpgsimProcess>(LPGSIM_EXE, profile_.Config(), args);
    EXPECT_TRUE(sim->Running());
    return sim;
  }
  [[nodiscard]] std::filesystem::path Eeprom() const { return profile_.Folder() / "eeprom.bin"; }
  // A byte of the image as the controller holds it.
  [[nodiscard]] int Stored(std::size_t byte) const {
    std::ifstream file(Eeprom(), std::ios::binary);
    file.seekg(static_cast<std::streamoff>(byte));
    return file.get();
  }

  // The window on kPort, once it has read the controller.
  std::unique_ptr<TForm1> Connect() {
    profile_.SelectPort(kPort);
    auto form = Open();
    form->show();
    AnswerDialogs(*form);
    EXPECT_TRUE(RunUntil([&] { return Read(*form); }, std::chrono::seconds(60)));
    return form;
  }
  static bool Read(const TForm1& form) {
    return State(form).connectionState == link::ConnectionState::ControllerRead &&
           !State(form).readInProgress;
  }
  // Read again in full by the simulator started last: its log is new.
  static bool ReadAgain(const TForm1& form, const test::LpgsimProcess& sim) {
    return Count(sim, 0xC5, 6) > 0 && Read(form);
  }

  // Nothing left to write.
  static bool Settled(const TForm1& form) {
    const auto& s = State(form);
    return std::equal(s.workingCopy.begin(), s.workingCopy.begin() + link::kImageSize,
                      s.controllerCopy.begin());
  }

  // Answers every message dialog with Yes or OK and keeps its text.
  void AnswerDialogs(TForm1& form) {
    QObject::connect(&answer_, &QTimer::timeout, &form, [this, &form] {
      if (TFormMsg* dialog = Messages(form).Current()) {
        shown_.push_back(dialog->Label1()->text());
        (dialog->BitBtnYes()->isHidden() ? dialog->BitBtnOk() : dialog->BitBtnYes())->click();
      }
    });
    answer_.start(20);
  }
  [[nodiscard]] bool Shown(const TForm1& form, int text) const {
    const QString wanted = Q(Texts(form).Text(text)).trimmed();
    return std::any_of(shown_.begin(), shown_.end(),
                       [&](const QString& s) { return s.contains(wanted); });
  }

  QTimer answer_;
  std::vector<QString> shown_;
};

}  // namespace zo::app
