// Pixels of the indicator pictures: the needle's direction, the lambda zones'
// colours per probe type, and the bars with the actuator's head and rod.
#include "visual/IndicatorPainter.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

namespace zo::visual {
namespace {

const QColor kSignal(0, 0, 255);

IndicatorLook Look(model::SignalKind kind, IndicatorShape shape, int w, int h) {
  IndicatorLook look;
  look.kind = kind;
  look.shape = shape;
  look.width = w;
  look.height = h;
  look.colour = kSignal;
  look.name = QStringLiteral("Name");
  return look;
}

QColor DialPixel(const QImage& image, int p, double r) {
  const DialPoint d = IndicatorGeometry::DialAt(image.width(), p, r);
  return image.pixelColor(static_cast<int>(d.x), static_cast<int>(d.y));
}

TEST(IndicatorPainter, RpmNeedlePointsAtItsScalePosition) {
  const link::ImageArea image{};
  const IndicatorInputs in{image};
  IndicatorPainter painter;
  painter.DrawBackground(Look(model::SignalKind::Rpm, IndicatorShape::Dial, 240, 240), in);
  painter.DrawValue(25, in);  // 2500 rpm: p = 100
  EXPECT_EQ(DialPixel(painter.Picture(), 100, 60), kSignal);
  EXPECT_EQ(DialPixel(painter.Picture(), 120, 60), QColor(Qt::black));
  EXPECT_EQ(DialPixel(painter.Background(), 100, 60), QColor(Qt::black));
}

TEST(IndicatorPainter, LambdaZonesChangeSidesWithTheProbe) {
  link::ImageArea image{};
  IndicatorPainter painter;
  // Probe 0..1 V: green at the low end; 5..0 V: red there.
  for (const auto& [probe, colour] :
       {std::pair{0, QColor(0, 255, 0)}, std::pair{2, QColor(255, 0, 0)}}) {
    image[link::ImageMap::kLambdaType] = static_cast<std::uint8_t>(probe);
    painter.DrawBackground(Look(model::SignalKind::Lam, IndicatorShape::Dial, 240, 240),
                           IndicatorInputs{image});
    EXPECT_EQ(DialPixel(painter.Background(), 4, 110), colour) << "probe type " << probe;
  }
}

TEST(IndicatorPainter, HorizontalBarsFillUpToTheReading) {
  const link::ImageArea image{};
  const IndicatorInputs in{image};
  IndicatorPainter painter;
  // x(128) = 240 on a 480 pixel bar; the bar ends above H/2 = 120.
  painter.DrawBackground(Look(model::SignalKind::Tps, IndicatorShape::HorizontalBar, 480, 240), in);
  painter.DrawValue(128, in);
  EXPECT_EQ(painter.Picture().pixelColor(100, 110), kSignal);
  EXPECT_EQ(painter.Picture().pixelColor(300, 110), QColor(Qt::black));

  // The actuator: bar to x(128), then a silver head of H/12 and the rod to x(255).
  const QColor silver(192, 192, 192);
  painter.DrawBackground(Look(model::SignalKind::Mot, IndicatorShape::HorizontalBar, 480, 240), in);
  painter.DrawValue(128, in);
  EXPECT_EQ(painter.Picture().pixelColor(100, 110), kSignal);
  EXPECT_EQ(painter.Picture().pixelColor(250, 110), silver);
  EXPECT_EQ(painter.Picture().pixelColor(350, 92), silver);
  EXPECT_EQ(painter.Picture().pixelColor(350, 110), QColor(Qt::black));
}

}  // namespace
}  // namespace zo::visual

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
