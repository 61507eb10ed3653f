// The widgets that stand over the rows of the signal list: each signal's bar
// gauge in its sunken panel (column 2), the trace switch and the trace colour
// panel (column 3), and the RAM-address box `CBRegis` in the RAM row. They
// follow the list's rows and scrolling, show each sample's gauge positions
// and edit the trace switches and colours of the settings directly, so the
// oscilloscope reads them from there at every drawing.
#pragma once

#include <QObject>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "link/LinkTypes.h"
#include "model/LiveSignals.h"
#include "model/ParameterGrid.h"
#include "settings/Settings.h"
#include "visual/ColourChoice.h"
#include "visual/GaugeRules.h"

class QCheckBox;
class QFrame;
class QLineEdit;
class QWidget;

namespace zo::app {

class GaugeBar;
class SignalListView;

class SignalListWidgets : public QObject {
  Q_OBJECT

 public:
  static constexpr int kColourPanelSize = 14;
  static constexpr int kGaugeCount = 9;

  SignalListWidgets(QWidget* client, SignalListView& list, settings::Settings& settings,
                    std::string& ramWatchText);

  // The trace colours of the settings, in the order of `visual::Trace`.
  static visual::TracePalette Palette(const settings::Settings& settings);

  // Places every row's widgets over its row; only rows in view show theirs,
  // and the trace switches only while the list has its trace column.
  void Place();
  // The direction of the level sensor as the parameter grid last found it;
  // nothing keeps the one known before.
  void SetLevelDirection(std::optional<model::LevelDirection> direction);
  [[nodiscard]] model::LevelDirection LevelDirection() const { return level_; }

  // Every gauge from a history sample, for the parameters of `image`.
  void ShowSample(std::span<const std::uint8_t, 16> sample, const link::ImageArea& image);
  // One gauge from its raw byte; `status` halves the throttle bar (bit 5).
  void ShowGauge(model::SignalKind kind, std::uint8_t raw, std::uint8_t status,
                 const link::ImageArea& image);

  // A trace colour chosen by the user: kept apart from black, white and the
  // other traces, stored, and shown on the colour panel and the gauges.
  void ChooseColour(visual::Trace trace, std::uint32_t chosen);
  // Ctrl+W: every trace colour back to its default.
  void ResetColours();
  // `CBRegis` shows the RAM-watch address text.
  void ShowRamAddress();

  [[nodiscard]] GaugeBar* Gauge(model::SignalKind kind) const;
  [[nodiscard]] QCheckBox* TraceSwitch(visual::Trace trace) const;
  [[nodiscard]] QFrame* ColourPanel(visual::Trace trace) const;
  [[nodiscard]] QLineEdit* RamAddressBox() const { return ramBox_; }

 signals:
  // A trace switch or colour changed: the oscilloscope redraws.
  void TraceSettingsChanged();
  // The trace colours changed: the parameter grid recolours its names.
  void ColoursChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct GaugeWidgets {
    model::SignalKind kind;
    QFrame* panel = nullptr;
    GaugeBar* bar = nullptr;
  };
  struct TraceWidgets {
    QCheckBox* tick = nullptr;
    QFrame* colour = nullptr;
  };

  void Build(QWidget* client);
  void ApplyColours();
  void PaintColourPanel(visual::Trace trace);
  void PickColour(visual::Trace trace);
  const GaugeWidgets* GaugeOf(model::SignalKind kind) const;

  SignalListView& list_;
  settings::Settings& settings_;
  std::string& ramWatchText_;
  std::array<GaugeWidgets, kGaugeCount> gauges_{};
  std::array<TraceWidgets, visual::kTraceCount> traces_{};
  QLineEdit* ramBox_ = nullptr;
  model::LevelDirection level_ = model::LevelDirection::Rising;
  std::uint8_t tpsStatus_ = 0;  // the status byte the throttle bar was last shown with
};

}  // namespace zo::app
