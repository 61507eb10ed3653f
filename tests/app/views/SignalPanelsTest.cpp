// The widgets over the signal list and the petrol/gas switch panel on the
// offscreen platform: gauges placed over their rows and filled from a sample,
// the trace switches and colours editing the settings, Ctrl+W through the
// window's key path, and the lamps of both switch layouts.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <algorithm>

#include "FactoryImage.h"
#include "app/MainWindowRig.h"
#include "app/views/SignalListView.h"
#include "app/views/SignalListWidgets.h"
#include "app/views/SwitchPanel.h"
#include "app/widgets/GaugeBar.h"
#include "app/widgets/StringGrid.h"
#include "model/FakeTexts.h"

namespace zo::app {
namespace {

using model::Rgb;
using model::SignalKind;
using visual::Trace;

class SignalListWidgetsTest : public testing::Test {
 protected:
  SignalListWidgetsTest() {
    const auto factory = lpgsim::FactoryImage::Build(100, 179, 0xFF);
    std::copy(factory.begin(), factory.end(), image_.begin());
    window_.resize(420, 300);
    window_.show();
    Shape(4, 6);
  }

  // The list with `columns` columns, `rows` rows high, in service mode.
  void Shape(int columns, int rows) {
    list_.ApplyGeometry(QRect(0, 10, 400, rows * 21 + 4), 88, columns, 20, 0);
    list_.Build(SignalListRows::For(image_, true, link::Page::Parameters));
  }

  model::test::FakeTexts texts_;
  link::ImageArea image_ = link::BlankImage();
  QWidget window_;
  SignalListView list_{&window_, texts_};
  settings::Settings settings_{std::string()};
  std::string ramText_ = "37";
  SignalListWidgets widgets_{&window_, list_, settings_, ramText_};
};

TEST_F(SignalListWidgetsTest, GaugesStandOverTheirRowsInViewAndFollowTheSample) {
  const StringGrid& grid = list_.Grid();
  const int lamRow = list_.RowOf(SignalKind::Lam);
  const QWidget* lamPanel = widgets_.Gauge(SignalKind::Lam)->parentWidget();
  ASSERT_TRUE(lamPanel->isVisibleTo(&window_));
  const QRect cell = grid.CellRect(lamRow, 2).translated(grid.pos());
  EXPECT_EQ(lamPanel->geometry().topLeft(), cell.topLeft());
  EXPECT_EQ(lamPanel->height(), grid.RowHeight());
  EXPECT_TRUE(widgets_.TraceSwitch(Trace::Lam)->isVisibleTo(&window_));
  EXPECT_NEAR(widgets_.ColourPanel(Trace::Lam)->geometry().center().y(), cell.center().y(), 1);
  ASSERT_GT(list_.RowOf(SignalKind::Temperature), 5);
  EXPECT_FALSE(widgets_.Gauge(SignalKind::Temperature)->parentWidget()->isVisibleTo(&window_))
      << "a row below the view shows no gauge";
  EXPECT_FALSE(widgets_.RamAddressBox()->isVisibleTo(&window_));
  list_.Grid().SetTopRow(list_.RowOf(SignalKind::Ram) - 2);  // scrolled down
  EXPECT_TRUE(widgets_.RamAddressBox()->isVisibleTo(&window_));
  EXPECT_EQ(widgets_.RamAddressBox()->text(), "37");
  list_.Grid().SetTopRow(1);

  image_[link::ImageMap::kLambdaType] = 0;  // 0-1 V
  std::array<std::uint8_t, 16> sample{};
  sample[4] = 50;
  sample[13] = 100;
  widgets_.SetLevelDirection(model::LevelDirection::Falling);
  widgets_.ShowSample(sample, image_);
  EXPECT_EQ(widgets_.Gauge(SignalKind::Lam)->Position(), widgets_.Gauge(SignalKind::Lam)->Range());
  EXPECT_EQ(widgets_.Gauge(SignalKind::Lam)->Range(), 50);
  EXPECT_EQ(widgets_.Gauge(SignalKind::Level)->Position(), 155);
  widgets_.SetLevelDirection(std::nullopt);  // unknown: the falling sensor stays
  widgets_.ShowSample(sample, image_);
  EXPECT_EQ(widgets_.Gauge(SignalKind::Level)->Position(), 155);

  Shape(3, 6);  // no oscilloscope: no trace switches
  EXPECT_TRUE(lamPanel->isVisibleTo(&window_));
  EXPECT_FALSE(widgets_.TraceSwitch(Trace::Lam)->isVisibleTo(&window_));
  EXPECT_FALSE(widgets_.ColourPanel(Trace::Lam)->isVisibleTo(&window_));
}

TEST_F(SignalListWidgetsTest, SwitchesAndColoursEditTheSettings) {
  int changes = 0;
  QObject::connect(&widgets_, &SignalListWidgets::TraceSettingsChanged, [&changes] { ++changes; });
  widgets_.TraceSwitch(Trace::Sim)->click();
  EXPECT_TRUE(settings_.lineSIM);
  widgets_.ChooseColour(Trace::Lam, Rgb(255, 255, 255));
  EXPECT_EQ(settings_.colorLAM1, Rgb(254, 255, 255));
  EXPECT_EQ(widgets_.ColourPanel(Trace::Lam)->palette().color(QPalette::Window),
            QColor(254, 255, 255));
  const GaugeBar* lam = widgets_.Gauge(SignalKind::Lam);
  EXPECT_EQ(lam->Background(), QColor(254, 255, 255));
  EXPECT_EQ(lam->BarColour(), QColor(255, 255, 254));  // channels rotated
  widgets_.ChooseColour(Trace::Rpm, Rgb(0, 0, 255));   // PSI's blue
  EXPECT_EQ(widgets_.Gauge(SignalKind::Rpm)->BarColour(), QColor(1, 0, 255));
  EXPECT_EQ(changes, 3);
}

using SignalPanelsWindowTest = MainWindowRig;

TEST_F(SignalPanelsWindowTest, CtrlWRestoresTheDefaultColours) {
  const auto form = Open();
  ShowIdle(*form);
  ListWidgets(*form).ChooseColour(Trace::Tps, Rgb(10, 20, 30));
  Press(*form, Qt::Key_Control);
  Press(*form, Qt::Key_W);
  EXPECT_EQ(CurrentSettings(*form).colorTPS, Rgb(255, 255, 0));
  EXPECT_EQ(ListWidgets(*form).ColourPanel(Trace::Tps)->palette().color(QPalette::Window),
            QColor(255, 255, 0));
  EXPECT_EQ(ListWidgets(*form).Gauge(SignalKind::Tps)->BarColour(), QColor(255, 255, 0));
}

TEST(SwitchPanelTest, LampsOfBothLayouts) {
  SwitchPanel panel(nullptr);
  panel.resize(95, 67);
  const auto lit = [&panel] {
    std::vector<visual::Lamp> shown;
    for (int i = 0; i < static_cast<int>(visual::kLampCount); ++i)
      if (panel.Lamp(static_cast<visual::Lamp>(i))->isVisibleTo(&panel))
        shown.push_back(static_cast<visual::Lamp>(i));
    return shown;
  };
  using enum visual::Lamp;
  const std::array<std::uint8_t, 4> thresholds{40, 80, 120, 160};
  const auto tick = [&](int level) {
    panel.Update({true, 0xC4, 0, level, 2}, thresholds, model::LevelDirection::Rising);
  };
  panel.SetLayout(visual::LampLayout::Full);
  tick(100);
  EXPECT_EQ(lit(), (std::vector{Led1, Led2, LedG}));
  EXPECT_EQ(panel.Lamp(Led2)->pos(), QPoint(42, 11));
  tick(40);
  EXPECT_EQ(lit(), (std::vector{LedR, LedG}));
  EXPECT_FALSE(panel.Picture()->pixmap().isNull());

  panel.SetLayout(visual::LampLayout::ReserveOnly);
  tick(40);
  EXPECT_EQ(lit(), (std::vector{LedR, LedG}));
  EXPECT_EQ(panel.Lamp(LedR)->pos(), QPoint(26, 38));
  panel.Update({true, 0xD8, 0, 200, 3}, thresholds, model::LevelDirection::Rising);  // automatic
  ASSERT_TRUE(panel.GasLampBlinking());
  const bool before = panel.Lamp(LedG)->isVisibleTo(&panel);
  panel.ToggleGasLamp();
  EXPECT_NE(panel.Lamp(LedG)->isVisibleTo(&panel), before);
}

}  // namespace
}  // namespace zo::app
