// The indicator windows from the main window: the Home key opens the
// arranged row, and the windows open when the main window closes reopen at
// the next start, also after the session's end closed them first.
#include <QMenu>

#include "app/MainWindowRig.h"
#include "app/windows/IndicatorWindows.h"

namespace zo::app {
namespace {

using MainWindowIndicatorTest = MainWindowRig;

constexpr std::array kArrangedRow{model::SignalKind::Rpm, model::SignalKind::Lam,
                                  model::SignalKind::Tps, model::SignalKind::Mot};

TEST_F(MainWindowIndicatorTest, HomeRowIsRememberedAcrossAClose) {
  auto form = Open();
  ShowIdle(*form);
  Press(*form, Qt::Key_Home);
  for (const model::SignalKind kind : kArrangedRow)
    EXPECT_NE(Indicators(*form).Window(kind), nullptr) << model::IndexOf(kind);
  // Closing the main window ends the program, and quitting closes every window.
  form->close();
  QApplication::closeAllWindows();
  form.reset();

  form = Open();
  ShowIdle(*form);
  ASSERT_NE(Indicators(*form).Window(model::SignalKind::Lam), nullptr);
  EXPECT_EQ(Indicators(*form).Window(model::SignalKind::Rpm)->Shape(),
            visual::IndicatorShape::Dial);
  EXPECT_EQ(Indicators(*form).Window(model::SignalKind::Lam)->Shape(),
            visual::IndicatorShape::VerticalBar);
  EXPECT_EQ(Indicators(*form).Window(model::SignalKind::Psi), nullptr);
}

// Lets the main window see the quit, then keeps the test running.
class QuitStopper : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    static_cast<void>(watched);
    return event->type() == QEvent::Quit;
  }
};

TEST_F(MainWindowIndicatorTest, AFirstRunEndedMaximisedBySessionEndIsRemembered) {
  QuitStopper stopper;
  qApp->installEventFilter(&stopper);  // before the window's own filter, so it runs after it
  auto form = Open();
  ShowIdle(*form);
  Press(*form, Qt::Key_Home);
  form->showMaximized();
  // The session's end asks the program to quit, and the indicator windows
  // close before the main window does.
  QEvent quit(QEvent::Quit);
  QCoreApplication::sendEvent(qApp, &quit);
  for (const model::SignalKind kind : kArrangedRow)
    Indicators(*form).Window(kind)->close();
  form->close();
  form.reset();
  qApp->removeEventFilter(&stopper);

  form = Open();
  EXPECT_EQ(CurrentSettings(*form).wState, settings::Settings::kMaximised);
  ShowIdle(*form);
  for (const model::SignalKind kind : kArrangedRow)
    EXPECT_NE(Indicators(*form).Window(kind), nullptr) << model::IndexOf(kind);
}

}  // namespace
}  // namespace zo::app
