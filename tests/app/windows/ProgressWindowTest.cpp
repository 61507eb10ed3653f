// The progress window: shown once at a time, not blocking, its size, lines,
// bar and the Russian caption.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>

#include "app/windows/ProgressWindow.h"
#include "app/windows/TFormBar.h"
#include "texts/LanguageRules.h"
#include "texts/TextCatalogue.h"

namespace zo::app {
namespace {

using link::ProgressPicture;

class ProgressWindowTest : public testing::Test {
 protected:
  QWidget mainWindow_;
  texts::TextCatalogue texts_{texts::kPolish, 10};
  int beeps_ = 0;
  ProgressWindow progress_{&mainWindow_, texts_, [this] { ++beeps_; }};
};

TEST_F(ProgressWindowTest, FirstShowCreatesTheWindowWithoutBlocking) {
  ASSERT_TRUE(progress_.Show("Odczyt parametrów sterownika", "Otwarcie Com3 -  OK",
                             ProgressPicture::Reading));
  ASSERT_TRUE(progress_.IsShown());
  TFormBar* window = progress_.Window();
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Odczyt parametrów sterownika"));
  EXPECT_EQ(window->size(), QSize(353, 101));
  EXPECT_EQ(window->Memo1()->toPlainText(), QString::fromUtf8("Otwarcie Com3 -  OK"));
  EXPECT_TRUE(window->Memo1()->isReadOnly());
  EXPECT_EQ(window->Image1()->width(), 57);
  EXPECT_FALSE(window->Image1()->pixmap().isNull());
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_EQ(beeps_, 1);
}

TEST_F(ProgressWindowTest, SecondShowChangesNothingAndReturnsFalse) {
  ASSERT_TRUE(
      progress_.Show("Odczyt parametrów sterownika", "Brak połączenia", ProgressPicture::Reading));
  TFormBar* first = progress_.Window();
  EXPECT_FALSE(progress_.Show("Other", "Other line", ProgressPicture::Warning));
  EXPECT_EQ(progress_.Window(), first);
  EXPECT_EQ(first->windowTitle(), QString::fromUtf8("Odczyt parametrów sterownika"));
  EXPECT_EQ(first->Memo1()->toPlainText(), QString::fromUtf8("Brak połączenia"));
  EXPECT_EQ(beeps_, 1);
  // The caller then adds its line itself.
  progress_.AddLine("Odczyt sterownika");
  EXPECT_EQ(first->Memo1()->toPlainText(), QString::fromUtf8("Brak połączenia\nOdczyt sterownika"));
}

TEST_F(ProgressWindowTest, CloseOrTheWindowManagerEndsItAndTheNextShowCreatesAFreshOne) {
  ASSERT_TRUE(progress_.Show("A", "first", ProgressPicture::Information));
  progress_.Close();
  EXPECT_FALSE(progress_.IsShown());
  ASSERT_TRUE(progress_.Show("B", "second", ProgressPicture::Question));
  EXPECT_EQ(progress_.Window()->windowTitle(), "B");
  EXPECT_EQ(progress_.Window()->Memo1()->toPlainText(), "second");
  EXPECT_EQ(beeps_, 2);
  progress_.Window()->close();
  EXPECT_FALSE(progress_.IsShown());
  EXPECT_TRUE(progress_.Show("C", "again", ProgressPicture::Warning));
}

TEST_F(ProgressWindowTest, MaximumSetWithoutAWindowHoldsForTheNextOne) {
  // A read restarted after a lost link sets the maximum while the window is
  // closed; the window opened by the first reply must count to it.
  ASSERT_TRUE(progress_.Show("Odczyt", "Brak połączenia", ProgressPicture::Reading));
  progress_.Close();
  progress_.SetMaximum(183);
  progress_.SetPosition(0);
  progress_.AddLine("no window to take it");
  ASSERT_TRUE(progress_.Show("Odczyt", "Odczyt sterownika", ProgressPicture::Reading));
  EXPECT_EQ(progress_.Window()->Memo1()->toPlainText(), "Odczyt sterownika");
  progress_.SetPosition(150);
  const QProgressBar* bar = progress_.Window()->Postep();
  EXPECT_EQ(bar->maximum(), 183);
  EXPECT_EQ(bar->value(), 150);
}

TEST_F(ProgressWindowTest, PositionBeyondTheEndsShowsAFullOrEmptyBar) {
  ASSERT_TRUE(progress_.Show("Odczyt", "line", ProgressPicture::Reading));
  progress_.SetMaximum(183);
  progress_.SetPosition(90);
  progress_.SetPosition(200);
  const QProgressBar* bar = progress_.Window()->Postep();
  EXPECT_EQ(bar->value(), 183);
  progress_.SetPosition(-4);
  EXPECT_EQ(bar->value(), 0);
}

TEST_F(ProgressWindowTest, BarIsGreenOnRed) {
  ASSERT_TRUE(progress_.Show("Odczyt", "line", ProgressPicture::Reading));
  progress_.SetMaximum(100);
  progress_.SetPosition(50);
  QProgressBar* bar = progress_.Window()->Postep();
  const QImage image = bar->grab().toImage();
  const int y = image.height() / 2;
  const QColor done = image.pixelColor(image.width() / 4, y);
  const QColor left = image.pixelColor(image.width() * 3 / 4, y);
  EXPECT_GT(done.green(), 150);
  EXPECT_LT(done.red(), 60);
  EXPECT_GT(left.red(), 200);
  EXPECT_LT(left.green(), 60);
}

TEST_F(ProgressWindowTest, RussianUsesItsOwnCaption) {
  texts_.SetLanguage(texts::kRussian);
  ASSERT_TRUE(progress_.Show("Odczyt parametrów sterownika", "line", ProgressPicture::Reading));
  EXPECT_EQ(progress_.Window()->windowTitle(), " Viz !");
}

TEST_F(ProgressWindowTest, LinkTextsInTheCurrentLanguage) {
  texts_.SetLanguage(texts::kEnglish);
  const texts::UserText line{texts::TextPiece::Id(724)};
  ASSERT_TRUE(progress_.Show(129, line, ProgressPicture::Reading));
  progress_.AddLine(texts::UserText{texts::TextPiece::Id(725)});
  EXPECT_EQ(progress_.Window()->windowTitle(), "Controller parameters readout");
  EXPECT_EQ(progress_.Window()->Memo1()->toPlainText(), "No connection\nController readout");
}

}  // namespace
}  // namespace zo::app
