// The indicator windows as the main window drives them: arranging, closing
// and reopening, and visibility per page. Ticks are run by hand.
#include "app/windows/IndicatorWindows.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "texts/LanguageRules.h"
#include "texts/TextCatalogue.h"

namespace zo::app {
namespace {

constexpr auto kRpm = model::SignalKind::Rpm, kLam = model::SignalKind::Lam,
               kPsi = model::SignalKind::Psi;

class IndicatorWindowsTest : public testing::Test {
 protected:
  void Tick(model::SignalKind kind) {
    if (TFormInd* window = windows_.Window(kind)) window->Timer1Timer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  QWidget host_;
  texts::TextCatalogue texts_{texts::kEnglish, texts::kDefaultFontSize};
  link::ImageArea image_{};
  IndicatorWindows windows_{host_, texts_, image_};
};

TEST_F(IndicatorWindowsTest, ArrangingPlacesTheRowAndClosesOtherKinds) {
  windows_.Open(kPsi);
  windows_.Open(kRpm);
  ASSERT_NE(windows_.Window(kPsi), nullptr);
  visual::ArrangeInputs in;
  in.mainLeft = 100;
  in.mainTop = 50;
  in.mainHeight = 600;
  in.listWidth = 800;
  in.listHeight = 300;
  in.listRowHeight = 20;
  windows_.ArrangeFrom(in);  // h = 140, x0 = 107, y0 = 505
  Tick(kRpm);
  Tick(kPsi);
  EXPECT_EQ(windows_.Window(kPsi), nullptr);
  EXPECT_EQ(windows_.Slots().Slot(kPsi).flags & 1, 0);
  EXPECT_EQ(windows_.Window(kRpm)->Rect(), (visual::IndicatorRect{107, 505, 140, 140}));
}

TEST_F(IndicatorWindowsTest, ClosingABarAndOpeningAgainGivesADial) {
  windows_.Open(kLam);
  windows_.Window(kLam)->ToolButton3Click();
  EXPECT_EQ(windows_.Window(kLam)->Shape(), visual::IndicatorShape::VerticalBar);
  windows_.Window(kLam)->ToolButton4Click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(windows_.Window(kLam), nullptr);
  windows_.Open(kLam);
  EXPECT_EQ(windows_.Window(kLam)->Shape(), visual::IndicatorShape::Dial);
}

TEST_F(IndicatorWindowsTest, PagesHideAndShowTheWindows) {
  windows_.Open(kRpm);
  windows_.Open(kPsi);
  const auto shown = [this] {
    Tick(kRpm);
    Tick(kPsi);
    return std::pair{windows_.Window(kRpm)->isVisible(), windows_.Window(kPsi)->isVisible()};
  };
  windows_.SetPage(link::Page::Port);
  EXPECT_EQ(shown(), std::pair(false, false));
  windows_.SetPage(link::Page::Configuration);
  EXPECT_EQ(shown(), std::pair(true, false));
  windows_.SetPage(link::Page::Parameters);
  EXPECT_EQ(shown(), std::pair(true, true));
}

}  // namespace
}  // namespace zo::app
