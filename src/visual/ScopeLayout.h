// The oscilloscope's drawing arithmetic for one scope image: how many bands
// the traces share, where each band's base lies, how a sample byte becomes a
// pixel offset (with the over-range capping), which traces are drawn, their
// pen colours and the colour coding of the status strip. Plain numbers in,
// plain numbers out, so the renderer only paints what this computes.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include "link/SampleHistory.h"
#include "model/SignalKind.h"

namespace zo::visual {

inline constexpr int kProbeTypeNone = 4;
inline constexpr int kTpsTypeNone = 4;

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The trace switches (`CheckBoxRPM` ...), one per drawable signal.
struct TraceSwitches {
  bool rpm = true;
  bool lam = true;
  bool psi = true;
  bool sim = true;
  bool tps = true;
  bool mot = true;
  bool def = true;
  bool ram = true;
  // The switch of a signal's trace; signals without a switch are off.
  [[nodiscard]] bool IsOn(model::SignalKind kind) const;
};

// The type parameters of the parameter image that change the drawing.
struct TypeParams {
  int probeType = 0;  // lambda sensor type: 0 0-1 V, 1 0-5 V, 2 5-0 V, 3 0.8-1.6 V, 4 none
  int tpsType = 0;    // TPS type: 4 none; bit 0 inverted characteristic
};

struct Bands {
  int count = 1;         // bands in use, 1..3
  int mainBase = 0;      // RPM, PSI, TPS, DEF, RAM
  int probeBase = 0;     // LAM, SIM
  int actuatorBase = 0;  // MOT
  double scale = 0.0;    // pixels per raw unit
};

// The two offsets of one segment (samples e - 1 and e) and whether the
// segment is over range.
struct SegmentOffsets {
  int previous = 0;
  int current = 0;
  bool overRange = false;
};

// The background band rectangles, as y limits; x runs to the width.
struct BandRects {
  std::optional<std::pair<int, int>> actuatorBand;  // top band, 3 bands only
  std::pair<int, int> mainBand;
  int probeMiddle = 0;
  int probeRich = 0;
  int probeLean = 0;
};

// One status-strip cell: its colour, and whether it is painted at all.
struct StatusCell {
  Rgb colour;
  bool drawn = false;
};

class ScopeLayout {
 public:
  // width/height: the scope image; timeBase: pixels per sample (>= 1);
  // bandCount: the setting (0 automatic, 1..3 fixed).
  ScopeLayout(int width, int height, int timeBase, int bandCount, const TraceSwitches& switches,
              const TypeParams& types);

  [[nodiscard]] int Width() const { return width_; }
  [[nodiscard]] int Height() const { return height_; }
  [[nodiscard]] int TimeBase() const { return timeBase_; }
  [[nodiscard]] const Bands& GetBands() const { return bands_; }

  // Whether a list row of this signal kind draws a trace now (switch on,
  // probe/TPS type not "none", the RAM row only in service mode); returns the
  // signal it draws, read from that signal's sample byte.
  [[nodiscard]] std::optional<model::SignalKind> TraceOfRow(model::SignalKind row,
                                                            bool serviceMode) const;

  // The base line of a signal's trace.
  [[nodiscard]] int BaseOf(model::SignalKind kind) const;
  // Offsets of the segment from byte `previous` to byte `current` of a kind,
  // with the pair capping rules.
  [[nodiscard]] SegmentOffsets Offsets(model::SignalKind kind, std::uint8_t previous,
                                       std::uint8_t current) const;
  // The capped offset of a single sample, as the full redraw's walk uses it.
  [[nodiscard]] int Offset(model::SignalKind kind, std::uint8_t value) const;

  // Pixel position of sample i with view end e.
  [[nodiscard]] int X(int viewEnd, int index) const;
  [[nodiscard]] int Y(model::SignalKind kind, int offset) const { return BaseOf(kind) - offset; }
  // How many samples before the view end the full redraw walks at most.
  [[nodiscard]] int VisibleSamples() const { return width_ / timeBase_; }

  // The pen colour of a trace for one sample.
  [[nodiscard]] static Rgb TraceColour(model::SignalKind kind, Rgb colour,
                                       const link::HistorySample& sample);

  // Background band rectangles; none unless grid style bit 1 and 2 or 3 bands.
  [[nodiscard]] std::optional<BandRects> BackgroundBands(int gridStyle) const;

  // Status-strip colour of a sample at history index `index`; `last` is the
  // colour last used (kept for codings without a colour of their own).
  [[nodiscard]] static StatusCell StatusColour(std::uint8_t status, int index, Rgb last);
  // The y range of the status strip (top, bottom exclusive).
  [[nodiscard]] std::pair<int, int> StatusRows() const;
  // The x range (left, right exclusive) of sample i's status cell.
  [[nodiscard]] std::pair<int, int> StatusColumns(int viewEnd, int index) const;

 private:
  [[nodiscard]] int RawOffset(model::SignalKind kind, std::uint8_t value) const;

  int width_;
  int height_;
  int timeBase_;
  TypeParams types_;
  TraceSwitches switches_;
  Bands bands_;
};

// Band count in use for an image height and the band-count setting.
[[nodiscard]] int AutomaticBandCount(int height, int bandCount);

}  // namespace zo::visual
