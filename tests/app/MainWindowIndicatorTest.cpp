// The indicator windows from the main window: the Home key opens the
// arranged row, and the windows open when the main window closes reopen at
// the next start.
#include <QMenu>

#include "IndicatorWindows.h"
#include "MainWindowRig.h"

namespace zo::app {
namespace {

using MainWindowIndicatorTest = MainWindowRig;

TEST_F(MainWindowIndicatorTest, HomeRowIsRememberedAcrossAClose) {
  auto form = Open();
  ShowIdle(*form);
  Press(*form, Qt::Key_Home);
  for (int kind : {3, 4, 8, 10})
    EXPECT_NE(form->Indicators().Window(kind), nullptr) << kind;
  // Closing the main window ends the program, and quitting closes every window.
  form->close();
  QApplication::closeAllWindows();
  form.reset();

  form = Open();
  ShowIdle(*form);
  ASSERT_NE(form->Indicators().Window(4), nullptr);
  EXPECT_EQ(form->Indicators().Window(3)->Shape(), visual::IndicatorShape::Dial);
  EXPECT_EQ(form->Indicators().Window(4)->Shape(), visual::IndicatorShape::VerticalBar);
  EXPECT_EQ(form->Indicators().Window(5), nullptr);
}

}  // namespace
}  // namespace zo::app
