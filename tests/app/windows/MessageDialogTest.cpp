// The message dialog on the offscreen platform: answers by click, Enter and
// the window manager (Esc answers nothing), the busy result, the disabled
// main window, timers during the wait, captions and the window's geometry.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>

#include "app/rules/MsgLayout.h"
#include "app/windows/MessageDialog.h"
#include "app/windows/TFormMsg.h"
#include "texts/LanguageRules.h"
#include "texts/TextCatalogue.h"

namespace zo::app {
namespace {

using B = link::MsgButtons;
using I = link::MsgIcon;
// Outside the four sets: Cancel only.
constexpr auto kCancelOnly = static_cast<B>(2);

// A message still unanswered after ten seconds fails the test and is
// answered Cancel, so that a broken rule cannot leave a test waiting.
void GuardAgainstHanging(QTimer& guard) {
  QObject::connect(&guard, &QTimer::timeout, [] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (auto* open = qobject_cast<TFormMsg*>(window); open != nullptr && open->isVisible()) {
        ADD_FAILURE() << "unanswered: " << open->Label1()->text().toStdString();
        emit open->Answered(link::MsgResult::Cancel);
      }
    }
  });
  guard.start(10000);
}

class MessageDialogTest : public testing::Test {
 protected:
  MessageDialogTest() { GuardAgainstHanging(guard_); }

  // Runs `act` inside the dialog's wait, once the dialog is on screen.
  void WhenShown(std::function<void(TFormMsg&)> act) {
    QTimer::singleShot(0, &mainWindow_, [this, act = std::move(act)] {
      ASSERT_NE(dialogs_.Current(), nullptr);
      act(*dialogs_.Current());
    });
  }

  int Ask(B buttons, std::string_view text = " Czy ustawić ? ", I icon = I::Question) {
    return static_cast<int>(dialogs_.ShowMessage(text, " Viz Uwaga ! ", icon, buttons));
  }

  static void Click(QPushButton* button) {
    ASSERT_TRUE(button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
  }

  static void PressEnter(TFormMsg& dialog) {
    QWidget* target = dialog.focusWidget() != nullptr ? dialog.focusWidget() : &dialog;
    QTest::keyClick(target, Qt::Key_Return);
  }

  QTimer guard_;
  QWidget mainWindow_;
  texts::TextCatalogue texts_{texts::kPolish, 10};
  int beeps_ = 0;
  MessageDialog dialogs_{&mainWindow_, texts_, [this] { ++beeps_; }};
};

struct ClickCase {
  B buttonSet;
  const char* button;  // nullptr: Enter right after showing
  int result;
};

TEST_F(MessageDialogTest, EachSetShowsItsButtonsAndEachAnswersItsCode) {
  // The buttons of a set, in their order on the window.
  const auto shownButtons = [](B buttonSet) -> std::string {
    switch (buttonSet) {
      case B::Ok:
        return "BitBtnOk ";
      case B::OkCancel:
        return "BitBtnOk BitBtnCancel ";
      case B::YesNoCancel:
        return "BitBtnYes BitBtnNo BitBtnCancel ";
      case B::YesNo:
        return "BitBtnYes BitBtnNo ";
    }
    return "BitBtnCancel ";
  };
  for (const ClickCase c :
       {ClickCase{B::Ok, "BitBtnOk", 1}, ClickCase{B::OkCancel, "BitBtnOk", 1},
        ClickCase{B::OkCancel, "BitBtnCancel", 2}, ClickCase{B::YesNoCancel, "BitBtnYes", 6},
        ClickCase{B::YesNoCancel, "BitBtnNo", 7}, ClickCase{B::YesNoCancel, "BitBtnCancel", 2},
        ClickCase{B::YesNo, "BitBtnYes", 6}, ClickCase{B::YesNo, "BitBtnNo", 7},
        ClickCase{kCancelOnly, "BitBtnCancel", 2}, ClickCase{B::Ok, nullptr, 1},
        ClickCase{B::OkCancel, nullptr, 1}, ClickCase{B::YesNoCancel, nullptr, 6},
        ClickCase{B::YesNo, nullptr, 6}}) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.buttonSet)) + " " +
                 (c.button ? c.button : "Enter"));
    WhenShown([&](TFormMsg& dialog) {
      std::string shown;
      for (const QPushButton* button :
           {dialog.BitBtnOk(), dialog.BitBtnYes(), dialog.BitBtnNo(), dialog.BitBtnCancel()}) {
        if (button->isVisible()) shown += button->objectName().toStdString() + " ";
      }
      EXPECT_EQ(shown, shownButtons(c.buttonSet));
      if (c.button == nullptr) {
        PressEnter(dialog);
      } else {
        Click(dialog.findChild<QPushButton*>(QString::fromLatin1(c.button)));
      }
    });
    EXPECT_EQ(Ask(c.buttonSet), c.result);
    EXPECT_FALSE(dialogs_.IsOpen());
  }
}

TEST_F(MessageDialogTest, SecondMessageWhileOpenReturns255AndShowsNothing) {
  auto nested = link::MsgResult::Ok;
  TFormMsg* nestedDialog = nullptr;
  WhenShown([&](TFormMsg& dialog) {
    nested = dialogs_.ShowMessage("from a timer", " Viz Uwaga ! ", I::Warning, B::YesNo);
    nestedDialog = dialogs_.Current();
    Click(dialog.BitBtnOk());
  });
  EXPECT_EQ(Ask(B::Ok), 1);
  EXPECT_EQ(static_cast<int>(nested), 255);
  EXPECT_EQ(beeps_, 1) << "the refused message makes no sound";
  EXPECT_EQ(mainWindow_.findChildren<TFormMsg*>().size(), 1) << "only one dialog was created";
  EXPECT_NE(nestedDialog, nullptr);
}

TEST_F(MessageDialogTest, WindowManagerCloseAnswersCancelAndReenablesTheMainWindow) {
  bool disabledDuringWait = false;
  bool dialogUsable = false;
  WhenShown([&](TFormMsg& dialog) {
    disabledDuringWait = !mainWindow_.isEnabled();
    dialogUsable = dialog.isEnabled() && dialog.BitBtnYes()->isEnabled();
    dialog.close();
  });
  EXPECT_EQ(Ask(B::YesNo), 2);
  EXPECT_TRUE(disabledDuringWait);
  EXPECT_TRUE(dialogUsable);
  EXPECT_TRUE(mainWindow_.isEnabled());
  EXPECT_FALSE(dialogs_.IsOpen());
}

TEST_F(MessageDialogTest, EscAndEnterWithoutOkOrYesAnswerNothing) {
  // The dialog has no Esc key, so a Yes/No question is answered by one of
  // its own buttons; with Cancel alone, Enter presses nothing.
  for (const ClickCase c :
       {ClickCase{B::Ok, "BitBtnOk", 1}, ClickCase{B::YesNoCancel, "BitBtnNo", 7},
        ClickCase{B::YesNo, "BitBtnNo", 7}, ClickCase{kCancelOnly, "BitBtnCancel", 2}}) {
    bool stillOpen = false;
    WhenShown([this, &stillOpen, c](TFormMsg& dialog) {
      QWidget* target = dialog.focusWidget() != nullptr ? dialog.focusWidget() : &dialog;
      QTest::keyClick(target, c.buttonSet == kCancelOnly ? Qt::Key_Return : Qt::Key_Escape);
      QCoreApplication::processEvents();
      stillOpen = dialogs_.IsOpen() && dialog.isVisible();
      Click(dialog.findChild<QPushButton*>(QString::fromLatin1(c.button)));
    });
    EXPECT_EQ(Ask(c.buttonSet), c.result) << "set " << static_cast<int>(c.buttonSet);
    EXPECT_TRUE(stillOpen) << "set " << static_cast<int>(c.buttonSet);
    EXPECT_TRUE(mainWindow_.isEnabled());
  }
}

TEST_F(MessageDialogTest, TimersKeepFiringDuringTheWait) {
  int ticks = 0;
  QTimer timer;
  timer.setInterval(5);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    if (++ticks == 3 && dialogs_.Current() != nullptr) Click(dialogs_.Current()->BitBtnYes());
  });
  timer.start();
  EXPECT_EQ(Ask(B::YesNo), 6);
  EXPECT_GE(ticks, 3);
}

TEST(MessageDialogLifetime, OwnerDroppingTheServiceDuringTheWaitStillGetsTheAnswer) {
  // A timer of the main window may tear down the message service while a
  // question waits; the wait still ends with the pressed button and leaves
  // the main window usable.
  QTimer guard;
  GuardAgainstHanging(guard);
  QWidget mainWindow;
  const texts::TextCatalogue texts(texts::kPolish, 10);
  auto* dialogs = new MessageDialog(&mainWindow, texts, [] {});
  QTimer::singleShot(0, &mainWindow, [&dialogs] {
    TFormMsg* shown = dialogs->Current();
    ASSERT_NE(shown, nullptr);
    delete dialogs;
    dialogs = nullptr;
    QTest::mouseClick(shown->BitBtnOk(), Qt::LeftButton);
  });
  EXPECT_EQ(dialogs->ShowMessage("text", " Viz Uwaga ! ", I::Warning, B::Ok), link::MsgResult::Ok);
  EXPECT_TRUE(mainWindow.isEnabled());
}

TEST(MessageDialogLifetime, WaitEndedByTheApplicationQuittingAnswersCancel) {
  // Quitting the application ends every event loop, the dialog's wait
  // included; that is no answer, so it counts as Cancel, never as 0. Run in
  // a child process: a quit application runs no further event loop.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        QWidget mainWindow;
        const texts::TextCatalogue texts(texts::kPolish, 10);
        MessageDialog dialogs(&mainWindow, texts, [] {});
        QTimer::singleShot(0, &mainWindow, [] { QCoreApplication::exit(0); });
        const int result =
            static_cast<int>(dialogs.ShowMessage("text", " Viz Uwaga ! ", I::Question, B::YesNo));
        const bool clean = mainWindow.isEnabled() && !dialogs.IsOpen();
        std::_Exit(clean ? result : 100 + result);
      },
      testing::ExitedWithCode(2), "");
}

TEST_F(MessageDialogTest, AnsweredDialogIsDeleted) {
  QPointer<TFormMsg> shown;
  WhenShown([&shown](TFormMsg& dialog) {
    shown = &dialog;
    Click(dialog.BitBtnOk());
  });
  Ask(B::Ok);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(shown.isNull());
  EXPECT_EQ(dialogs_.Current(), nullptr);
}

TEST_F(MessageDialogTest, BeepsTitleTextAndPicture) {
  WhenShown([](TFormMsg& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(" Viz Uwaga ! "));
    EXPECT_EQ(dialog.Label1()->text(), QString::fromUtf8(" Czy ustawić ?\n Tak "));
    EXPECT_FALSE(dialog.Image1()->pixmap().isNull());
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    dialog.close();
  });
  Ask(B::Ok, " Czy ustawić ?\n\r Tak ", I::Warning);
  EXPECT_EQ(beeps_, 1);
}

TEST_F(MessageDialogTest, WholeWindowFrameIncludedTakesTheLayoutSize) {
  // The first dialog is prepared for a guessed frame and fitted to the
  // frame it gets once shown; the next one starts from the frame measured.
  for (int round = 0; round < 2; ++round) {
    WhenShown([](TFormMsg& dialog) {
      ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
      const int h = dialog.Label1()->height();
      EXPECT_EQ(dialog.frameGeometry().size(), QSize(294, h + 108));
      EXPECT_EQ(dialog.Label1()->pos(), QPoint(80, 16));
      EXPECT_EQ(dialog.BitBtnOk()->geometry(), QRect(120, h + 32, 88, 25));
      dialog.close();
    });
    Ask(B::Ok, "x");
  }
}

TEST_F(MessageDialogTest, CaptionsFollowTheCurrentLanguage) {
  struct Expected {
    int language;
    const char *yes, *no, *cancel;
  };
  for (const Expected e : {Expected{texts::kPolish, "Tak", "Nie", "Anuluj"},
                           Expected{texts::kEnglish, "Yes", "No", "Cancel"},
                           Expected{texts::kRussian, "Да", "Нет", "Отмена"}}) {
    texts_.SetLanguage(e.language);
    WhenShown([&e](TFormMsg& dialog) {
      EXPECT_EQ(dialog.BitBtnOk()->text(), "OK");
      EXPECT_EQ(dialog.BitBtnYes()->text(), QString::fromUtf8(e.yes));
      EXPECT_EQ(dialog.BitBtnNo()->text(), QString::fromUtf8(e.no));
      EXPECT_EQ(dialog.BitBtnCancel()->text(), QString::fromUtf8(e.cancel));
      dialog.close();
    });
    Ask(B::YesNoCancel);
  }
  // A message of the link is composed and titled in the current language.
  texts_.SetLanguage(texts::kEnglish);
  WhenShown([](TFormMsg& dialog) {
    EXPECT_EQ(dialog.windowTitle(), " Viz Attention ! ");
    EXPECT_EQ(dialog.Label1()->text(), "Absent Comm 3");
    Click(dialog.BitBtnOk());
  });
  const texts::UserText text{texts::TextPiece::Id(431), texts::TextPiece::Literal(" Comm 3")};
  EXPECT_EQ(dialogs_.ShowMessage(text, 700, link::MsgIcon::Warning, link::MsgButtons::Ok),
            link::MsgResult::Ok);
}

}  // namespace
}  // namespace zo::app
