// One value refresh of an indicator window: the background copied, the value
// drawn and the picture put on the window's surface, for a 240 pixel RPM
// dial, a throttle dial with its sector and the two bars; printed as a share
// of the 500 ms refresh period (limit 0.5 %). The background redraw (on
// opening, resizing, language or parameter changes) is printed for
// information. Usage: bench_indicator [refreshes per case]
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "visual/IndicatorPainter.h"

namespace {

using zo::visual::IndicatorShape;
using Clock = std::chrono::steady_clock;

constexpr double kPeriodMs = 500.0;
constexpr double kLimitShare = 0.005;

struct Case {
  const char* what;
  zo::model::SignalKind kind;
  IndicatorShape shape;
  int width;
  int height;
};

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

bool Run(const Case& c, int refreshes, const zo::link::ImageArea& image) {
  zo::visual::IndicatorLook look;
  look.kind = c.kind;
  look.shape = c.shape;
  look.width = c.width;
  look.height = c.height;
  look.colour = QColor(255, 0, 0);
  look.name = QStringLiteral("Rpm");
  look.unit = QStringLiteral(" [rpm]");
  const zo::visual::IndicatorInputs in{image};
  zo::visual::IndicatorPainter painter;

  constexpr int kBackgrounds = 50;
  auto start = Clock::now();
  for (int i = 0; i < kBackgrounds; ++i)
    painter.DrawBackground(look, in);
  const double backgroundMs = Milliseconds(Clock::now() - start) / kBackgrounds;

  QImage surface(c.width, c.height, QImage::Format_RGB32);
  start = Clock::now();
  for (int i = 0; i < refreshes; ++i) {
    painter.DrawValue(static_cast<std::uint8_t>(i % 256), in);
    QPainter p(&surface);
    p.drawImage(0, 0, painter.Picture());
  }
  const double refreshMs = Milliseconds(Clock::now() - start) / refreshes;
  const double share = refreshMs / kPeriodMs;
  std::printf(
      "%-28s refresh %7.3f ms = %6.3f %% of %.0f ms (ratio to limit %.2f)%s; "
      "background %7.3f ms\n",
      c.what, refreshMs, 100 * share, kPeriodMs, share / kLimitShare,
      share <= kLimitShare ? "" : "  OVER", backgroundMs);
  return share <= kLimitShare;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const int refreshes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
  zo::link::ImageArea image{};
  image[62] = 20;  // an RPM zone and its marks
  image[63] = 50;
  image[57] = 80;  // the throttle threshold
  const Case cases[] = {
      {"RPM dial 240", zo::model::SignalKind::Rpm, IndicatorShape::Dial, 240, 240},
      {"TPS dial 240 (sector)", zo::model::SignalKind::Tps, IndicatorShape::Dial, 240, 240},
      {"LAM vertical bar 120x240", zo::model::SignalKind::Lam, IndicatorShape::VerticalBar, 120,
       240},
      {"MOT horizontal bar 480x240", zo::model::SignalKind::Mot, IndicatorShape::HorizontalBar, 480,
       240},
  };
  bool ok = true;
  for (const Case& c : cases)
    ok = Run(c, refreshes, image) && ok;
  return ok ? 0 : 1;
}
