// The main window in a temporary profile for the widget tests: its parts to
// look at and drive, keys through the real key path, the event loop run
// until a condition holds, and any dialog nobody expected closed as a
// failure instead of hanging the test.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>

#include "LpgsimProcess.h"
#include "ProgramProcess.h"
#include "app/JournalCommands.h"
#include "app/MainJournal.h"
#include "app/MainViews.h"
#include "app/TForm1.h"
#include "app/views/ParameterGridView.h"
#include "app/windows/MessageDialog.h"
#include "app/windows/TFormMsg.h"

namespace zo::app {

class MainWindowRig : public testing::Test {
 protected:
  MainWindowRig() { profile_.UseHere(); }

  static const link::LinkState& State(const TForm1& f) { return f.Parts().state; }
  static const texts::TextCatalogue& Texts(const TForm1& f) { return f.Parts().texts; }
  static const settings::Settings& CurrentSettings(const TForm1& f) { return f.Parts().settings; }
  static bool ServiceMode(const TForm1& f) { return State(f).serviceMode; }
  static int WindowLayout(const TForm1& f) { return CurrentSettings(f).visuSco; }
  static QTimer& TimerTx(const TForm1& f) { return f.Parts().timerTx; }
  static QTimer& TimerInfo(const TForm1& f) { return f.Parts().timerInfo; }
  static MessageDialog& Messages(const TForm1& f) { return f.Parts().messages; }
  static UploadWindow& Upload(const TForm1& f) { return *f.Parts().uploadWindow; }
  static MainPages& Pages(const TForm1& f) { return *f.Parts().pages; }
  static MainCommands& Commands(const TForm1& f) { return *f.Parts().commands; }
  static TopPanel& Top(const TForm1& f) { return *f.Parts().views.top; }
  static ScopeView& Scope(const TForm1& f) { return *f.Parts().views.scope; }
  static ParameterGridView& ParameterView(const TForm1& f) { return *f.Parts().views.gridView; }
  static SignalListView& SignalView(const TForm1& f) { return *f.Parts().views.signalView; }
  static SignalListWidgets& ListWidgets(const TForm1& f) { return *f.Parts().views.listWidgets; }
  static IndicatorWindows& Indicators(const TForm1& f) { return *f.Parts().views.indicators; }
  static ConfigurationPage& Configuration(const TForm1& f) { return *f.Parts().views.config; }
  static autoconfig::Autoconfig& Wizard(const TForm1& f) { return *f.Parts().wizard; }
  static FileCommands& Files(const TForm1& f) { return *f.Parts().views.files; }
  static ReportCommands& Report(const TForm1& f) { return *f.Parts().views.report; }
  static HelpTopics& Help(const TForm1& f) { return *f.Parts().views.help; }
  static JournalCommands& JournalMenu(const TForm1& f) { return *f.Parts().views.journal; }
  static journal::JournalKeeper& Keeper(const TForm1& f) { return f.Parts().journal->Keeper(); }
  // A menu or menu entry by its given name (`MenuFileSaveAuto`, `PopupMenuCom`).
  template <class T = QAction>
  static T& Menu(const TForm1& f, const char* name) {
    T* found = f.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) throw std::logic_error(std::string("no menu entry ") + name);
    return *found;
  }

  std::unique_ptr<TForm1> Open() const {
    return std::make_unique<TForm1>(ProgramPaths{profile_.Folder() / "ZoLpgWin",
                                                 profile_.SettingsPath(),
                                                 {"ZoLpgWin", "--extra"},
                                                 profile_.Folder().string(),
                                                 profile_.Folder() / "journal"});
  }

  // Shown and connected to `sim`, the controller read and nothing left to
  // write; nullptr when that does not happen in time.
  std::unique_ptr<TForm1> OpenConnected(const test::LpgsimProcess& sim) const {
    profile_.SelectPort(sim.Port());
    auto form = Open();
    form->show();
    const auto& s = State(*form);
    if (!RunUntil([&] { return s.connectionState == link::ConnectionState::ControllerRead; },
                  std::chrono::seconds(60)) ||
        !RunUntil([&] { return s.workingCopy == s.controllerCopy; }, std::chrono::seconds(30)))
      return nullptr;
    return form;
  }

  // Whether lpgsim was asked to write any parameter byte since request `from`.
  static bool WroteSince(const test::LpgsimProcess& sim, std::size_t from) {
    const auto requests = sim.Requests();
    return std::any_of(
        requests.begin() + static_cast<std::ptrdiff_t>(std::min(from, requests.size())),
        requests.end(), [](const test::LoggedRequest& r) { return r.command == 0xAA; });
  }

  // Shown with both timers stopped: no tick touches a port during the test.
  static void ShowIdle(TForm1& form) {
    form.show();
    TimerTx(form).stop();
    TimerInfo(form).stop();
    form.activateWindow();
    static_cast<void>(QTest::qWaitForWindowActive(&form));
  }

  // A key as the user presses it: to the focused control, else the window.
  static void Press(TForm1& form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target != nullptr ? target : &form, key, modifiers);
  }

  // Fails and closes a message still open after ten seconds, so that a
  // question nobody answers ends the test instead of hanging it.
  static void GuardMessages(TForm1& form, QTimer& guard) {
    QObject::connect(&guard, &QTimer::timeout, &form, [&form] {
      if (TFormMsg* open = Messages(form).Current()) {
        ADD_FAILURE() << "unanswered: " << open->Label1()->text().toStdString();
        open->close();
      }
    });
    guard.start(10000);
  }

  // Presses the button `pick` chooses on each message as soon as it opens
  // (it runs in the message's own wait) and counts them in `answered`.
  template <typename Pick>
  static void AnswerMessages(TForm1& form, QTimer& timer, int& answered, Pick pick) {
    QObject::connect(&timer, &QTimer::timeout, &form, [&form, &answered, pick] {
      if (TFormMsg* open = Messages(form).Current()) {
        ++answered;
        pick(*open)->click();
      }
    });
    timer.start(20);
  }

  // Runs the event loop until `condition` holds or `timeout` passes; a
  // modal window other than `expected` fails the test and is closed.
  template <typename Condition>
  static bool RunUntil(Condition condition, std::chrono::milliseconds timeout,
                       const QWidget* expected = nullptr) {
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [expected] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal != nullptr && modal != expected) {
        ADD_FAILURE() << "unexpected dialog: " << modal->windowTitle().toStdString();
        modal->close();
      }
    });
    guard.start(250);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
      if (std::chrono::steady_clock::now() >= deadline) return false;
      QTest::qWait(10);
    }
    return true;
  }

  // Steps `byte` up `steps` times in the grid and waits until the controller
  // holds each step.
  static void StepInGrid(TForm1& form, int byte, int steps) {
    const link::LinkState& state = State(form);
    ParameterGridView& grid = ParameterView(form);
    for (int row = 1; grid.SelectedParameter() == nullptr || grid.SelectedParameter()->byte != byte;
         ++row) {
      ASSERT_LT(row, 200) << "no row for byte " << byte;
      grid.SelectRow(row);
    }
    const int before = state.controllerCopy[static_cast<std::size_t>(byte)];
    for (int step = 1; step <= steps; ++step) {
      grid.StepSelected(true);
      ASSERT_TRUE(RunUntil(
          [&] { return state.controllerCopy[static_cast<std::size_t>(byte)] == before + step; },
          std::chrono::seconds(30)));
    }
  }

  // Reads the text of the next message as soon as it is open and closes it;
  // the command may run the event loop before it shows the message.
  void CloseNextMessage(TForm1& form, std::string& shown) {
    shown.clear();
    watch_.disconnect();
    QObject::connect(&watch_, &QTimer::timeout, &form, [this, &form, &shown] {
      TFormMsg* message = Messages(form).Current();
      if (message == nullptr) return;
      watch_.stop();
      shown = message->Label1()->text().simplified().toStdString();
      message->close();
    });
    watch_.start(5);
  }

  test::ProgramProfile profile_;
  QTimer watch_;
};

}  // namespace zo::app
