#include "app/views/SignalListWidgets.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QEvent>
#include <QFrame>
#include <QIntValidator>
#include <QLineEdit>
#include <QScrollBar>
#include <algorithm>

#include "app/QtText.h"
#include "app/views/SignalListView.h"
#include "app/widgets/GaugeBar.h"
#include "app/widgets/StringGrid.h"

namespace zo::app {

namespace {

using model::SignalKind;
using visual::Trace;

constexpr int kGaugeColumn = 2;
constexpr int kTraceColumns = 4;  // without the oscilloscope the list has three
constexpr int kTickOffset = 10;   // the trace switch from the left of its cell
constexpr int kColourOffset = 20;

struct GaugeName {
  SignalKind kind;
  const char* name;
};
constexpr std::array<GaugeName, SignalListWidgets::kGaugeCount> kGaugeNames{
    {{SignalKind::Lam, "Lam"},
     {SignalKind::Sim, "Sim"},
     {SignalKind::Rpm, "Rpm"},
     {SignalKind::Tps, "Tps"},
     {SignalKind::Psi, "Psi"},
     {SignalKind::Def, "Def"},
     {SignalKind::Mot, "Mot"},
     {SignalKind::Level, "Lev"},
     {SignalKind::Temperature, "Tem"}}};

// Per trace, in the order of `visual::Trace`: its row, its names and its
// settings.
struct TraceInfo {
  SignalKind kind;
  const char* tickName;
  const char* colourName;
  bool settings::Settings::*line;
  settings::Colour settings::Settings::*colour;
};
constexpr std::array<TraceInfo, visual::kTraceCount> kTraces{{
    {SignalKind::Rpm, "CheckBoxRPM", "PaRPM", &settings::Settings::lineRPM,
     &settings::Settings::colorRPM},
    {SignalKind::Lam, "CheckBoxLAM", "PaLAM", &settings::Settings::lineLAM,
     &settings::Settings::colorLAM1},
    {SignalKind::Sim, "CheckBoxSIM", "PaSIM", &settings::Settings::lineSIM,
     &settings::Settings::colorSIM},
    {SignalKind::Tps, "CheckBoxTPS", "PaTPS", &settings::Settings::lineTPS,
     &settings::Settings::colorTPS},
    {SignalKind::Mot, "CheckBoxMOT", "PaMOT", &settings::Settings::lineMOT,
     &settings::Settings::colorMOT1},
    {SignalKind::Def, "CheckBoxDEF", "PaDEF", &settings::Settings::lineDEF,
     &settings::Settings::colorDEF},
    {SignalKind::Psi, "CheckBoxPSI", "PaPSI", &settings::Settings::linePSI,
     &settings::Settings::colorPSI},
    {SignalKind::Ram, "CheckBoxRam", "PaRAM", &settings::Settings::lineRAM,
     &settings::Settings::colorRAM},
}};

std::size_t Index(Trace trace) {
  return static_cast<std::size_t>(trace);
}

std::uint32_t ToStored(const QColor& colour) {
  return static_cast<std::uint32_t>(colour.red()) |
         (static_cast<std::uint32_t>(colour.green()) << 8) |
         (static_cast<std::uint32_t>(colour.blue()) << 16);
}

QFrame* SunkenPanel(QWidget* parent, const QString& name) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  panel->setLineWidth(1);
  panel->hide();
  return panel;
}

}  // namespace

SignalListWidgets::SignalListWidgets(QWidget* client, SignalListView& list,
                                     settings::Settings& settings, std::string& ramWatchText)
    : QObject(client), list_(list), settings_(settings), ramWatchText_(ramWatchText) {
  Build(client);
  connect(&list_, &SignalListView::RowsChanged, this, &SignalListWidgets::Place);
  connect(list_.Grid().verticalScrollBar(), &QScrollBar::valueChanged, this,
          &SignalListWidgets::Place);
}

void SignalListWidgets::Build(QWidget* client) {
  for (std::size_t i = 0; i < gauges_.size(); ++i) {
    const QString name = QString::fromLatin1(kGaugeNames[i].name);
    GaugeWidgets& g = gauges_[i];
    g.kind = kGaugeNames[i].kind;
    g.panel = SunkenPanel(client, QStringLiteral("Panel") + name);
    g.bar = new GaugeBar(g.panel);
    g.bar->setObjectName(QStringLiteral("CG") + name);
  }
  for (std::size_t i = 0; i < traces_.size(); ++i) {
    const TraceInfo& info = kTraces[i];
    TraceWidgets& t = traces_[i];
    t.tick = new QCheckBox(client);
    t.tick->setObjectName(QString::fromLatin1(info.tickName));
    t.tick->setChecked(settings_.*info.line);
    t.tick->setFocusPolicy(Qt::NoFocus);
    t.tick->resize(t.tick->sizeHint());
    t.tick->hide();
    connect(t.tick, &QCheckBox::toggled, this, [this, i](bool on) {
      settings_.*kTraces[i].line = on;
      emit TraceSettingsChanged();
    });
    t.colour = SunkenPanel(client, QString::fromLatin1(info.colourName));
    t.colour->setAutoFillBackground(true);
    t.colour->setCursor(Qt::PointingHandCursor);
    t.colour->resize(kColourPanelSize, kColourPanelSize);
    t.colour->installEventFilter(this);
  }
  ramBox_ = new QLineEdit(client);
  ramBox_->setObjectName(QStringLiteral("CBRegis"));
  // A RAM address is one byte: the watch request carries no more.
  ramBox_->setValidator(new QIntValidator(0, 255, ramBox_));
  ramBox_->hide();
  connect(ramBox_, &QLineEdit::textEdited, this,
          [this](const QString& text) { ramWatchText_ = text.toStdString(); });
}

visual::TracePalette SignalListWidgets::Palette(const settings::Settings& settings) {
  visual::TracePalette palette{};
  for (std::size_t i = 0; i < kTraces.size(); ++i)
    palette[i] = settings.*kTraces[i].colour;
  return palette;
}

void SignalListWidgets::Place() {
  // The settings may have been read or changed since the last placing.
  ShowRamAddress();
  ApplyColours();
  const StringGrid& grid = list_.Grid();
  const bool shown = grid.isVisibleTo(grid.parentWidget());
  const bool traces = grid.columnCount() == kTraceColumns;
  const int h = grid.RowHeight();
  const int step = h + 1;
  const int frame = StringGrid::kFrameWidth;
  // Rows wholly in view below the header.
  const int fit = std::max(0, (grid.height() - 2 * frame - step) / step);
  const int gaugeX = grid.x() + frame + grid.ColumnWidth(0) + 1 + grid.ColumnWidth(1) + 1;
  const int gaugeWidth = grid.ColumnWidth(kGaugeColumn);
  const int tickX = gaugeX + gaugeWidth + 1 + kTickOffset;
  const int top = grid.TopRow();

  // Everything hidden first; the rows in view show theirs below.
  for (const GaugeWidgets& g : gauges_)
    g.panel->hide();
  for (const TraceWidgets& t : traces_) {
    t.tick->hide();
    t.colour->hide();
  }
  ramBox_->hide();
  const auto& kinds = list_.Kinds();
  for (int row = 1; row <= static_cast<int>(kinds.size()); ++row) {
    const int r = row - top + 1;
    if (!shown || r < 1 || r > fit) continue;
    const SignalKind kind = kinds[static_cast<std::size_t>(row - 1)];
    const int y = grid.y() + frame + r * step;
    const QRect cell(gaugeX, y, gaugeWidth, h);
    if (const GaugeWidgets* g = GaugeOf(kind)) {
      g->panel->setGeometry(cell);
      g->bar->setGeometry(g->panel->contentsRect());
      g->panel->show();
      g->panel->raise();
    }
    if (kind == SignalKind::Ram) {
      ramBox_->setGeometry(cell);
      ramBox_->show();
      ramBox_->raise();
    }
    const auto trace = std::find_if(kTraces.begin(), kTraces.end(),
                                    [kind](const TraceInfo& info) { return info.kind == kind; });
    if (!traces || trace == kTraces.end()) continue;
    const TraceWidgets& t = traces_[static_cast<std::size_t>(trace - kTraces.begin())];
    // Centred in the row: the tick box's height is the style's, not the row's.
    t.tick->move(tickX, y + (h - t.tick->height()) / 2);
    t.colour->move(tickX + kColourOffset, y + (h - kColourPanelSize) / 2);
    for (QWidget* widget : {static_cast<QWidget*>(t.tick), static_cast<QWidget*>(t.colour)}) {
      widget->show();
      widget->raise();
    }
  }
}

void SignalListWidgets::SetLevelDirection(std::optional<model::LevelDirection> direction) {
  if (direction) level_ = *direction;
}

void SignalListWidgets::ShowSample(std::span<const std::uint8_t, 16> sample,
                                   const link::ImageArea& image) {
  const std::uint8_t status = sample[model::LiveSignals::kStatusByte];
  for (const GaugeWidgets& g : gauges_) {
    const auto byte = static_cast<std::size_t>(model::LiveSignals::SampleByte(g.kind));
    ShowGauge(g.kind, sample[byte], status, image);
  }
}

void SignalListWidgets::ShowGauge(SignalKind kind, std::uint8_t raw, std::uint8_t status,
                                  const link::ImageArea& image) {
  const GaugeWidgets* g = GaugeOf(kind);
  if (g == nullptr) return;
  if (const auto reading =
          visual::GaugeRules::Reading(kind, raw, visual::GaugeRules::ForImage(image, level_)))
    g->bar->SetReading(reading->range, reading->position);
  if (kind == SignalKind::Tps && status != tpsStatus_) {
    tpsStatus_ = status;
    ApplyColours();
  }
}

void SignalListWidgets::ChooseColour(Trace trace, std::uint32_t chosen) {
  settings_.*kTraces[Index(trace)].colour =
      visual::ColourChoice::MakeUnique(chosen, Palette(settings_));
  ApplyColours();
  emit ColoursChanged();
  emit TraceSettingsChanged();
}

void SignalListWidgets::ResetColours() {
  const visual::TracePalette defaults = visual::ColourChoice::Defaults();
  for (std::size_t i = 0; i < kTraces.size(); ++i)
    settings_.*kTraces[i].colour = defaults[i];
  ApplyColours();
  emit ColoursChanged();
  emit TraceSettingsChanged();
}

void SignalListWidgets::ShowRamAddress() {
  const QString text = QString::fromStdString(ramWatchText_);
  if (ramBox_->text() != text) ramBox_->setText(text);
}

void SignalListWidgets::ApplyColours() {
  const visual::TracePalette palette = Palette(settings_);
  for (std::size_t i = 0; i < traces_.size(); ++i) {
    PaintColourPanel(static_cast<Trace>(i));
    traces_[i].tick->setChecked(settings_.*kTraces[i].line);
  }
  for (const GaugeWidgets& g : gauges_) {
    auto colours = visual::GaugeRules::Colours(g.kind, palette);
    if (!colours) continue;
    if (g.kind == SignalKind::Tps)
      colours->bar = visual::GaugeRules::TpsBar(colours->bar, tpsStatus_);
    std::optional<QColor> background;
    if (colours->background) background = FromStored(*colours->background);
    g.bar->SetColours(FromStored(colours->bar), background);
  }
}

void SignalListWidgets::PaintColourPanel(Trace trace) {
  QFrame* panel = traces_[Index(trace)].colour;
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, FromStored(settings_.*kTraces[Index(trace)].colour));
  panel->setPalette(palette);
}

void SignalListWidgets::PickColour(Trace trace) {
  const QColor current = FromStored(settings_.*kTraces[Index(trace)].colour);
  const QColor chosen = QColorDialog::getColor(current, list_.Grid().window());
  if (chosen.isValid()) ChooseColour(trace, ToStored(chosen));
}

bool SignalListWidgets::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    for (std::size_t i = 0; i < traces_.size(); ++i) {
      if (watched == traces_[i].colour) {
        PickColour(static_cast<Trace>(i));
        return true;
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

GaugeBar* SignalListWidgets::Gauge(SignalKind kind) const {
  const GaugeWidgets* g = GaugeOf(kind);
  return g != nullptr ? g->bar : nullptr;
}

QCheckBox* SignalListWidgets::TraceSwitch(Trace trace) const {
  return traces_[Index(trace)].tick;
}

QFrame* SignalListWidgets::ColourPanel(Trace trace) const {
  return traces_[Index(trace)].colour;
}

const SignalListWidgets::GaugeWidgets* SignalListWidgets::GaugeOf(SignalKind kind) const {
  const auto found = std::find_if(gauges_.begin(), gauges_.end(),
                                  [kind](const GaugeWidgets& g) { return g.kind == kind; });
  return found == gauges_.end() ? nullptr : &*found;
}

}  // namespace zo::app
