#include "visual/ScopeLayout.h"

namespace zo::visual {

namespace {

using model::SignalKind;

int Trunc(double v) {
  return static_cast<int>(v);
}

constexpr Rgb kLightGrey{193, 193, 193};
constexpr Rgb kGreen{0, 193, 0};
constexpr Rgb kPurple{193, 0, 193};
constexpr Rgb kRed{193, 0, 0};
constexpr Rgb kYellow{193, 193, 0};

}  // namespace

bool TraceSwitches::IsOn(SignalKind kind) const {
  switch (kind) {
    case SignalKind::Rpm:
      return rpm;
    case SignalKind::Lam:
      return lam;
    case SignalKind::Psi:
      return psi;
    case SignalKind::Sim:
      return sim;
    case SignalKind::Tps:
      return tps;
    case SignalKind::Mot:
      return mot;
    case SignalKind::Def:
      return def;
    case SignalKind::Ram:
      return ram;
    default:
      return false;
  }
}

int AutomaticBandCount(int height, int bandCount) {
  if (bandCount >= 1 && bandCount <= 3) return bandCount;
  if (height < 120) return 1;
  if (height < 220) return 2;
  return 3;
}

ScopeLayout::ScopeLayout(int width, int height, int timeBase, int bandCount,
                         const TraceSwitches& switches, const TypeParams& types)
    : width_(width),
      height_(height),
      timeBase_(timeBase < 1 ? 1 : timeBase),
      types_(types),
      switches_(switches) {
  int count = AutomaticBandCount(height, bandCount);
  if (count == 3 && !switches.mot) count = 2;
  if ((!switches.lam && !switches.sim) || (!switches.rpm && !switches.tps && !switches.mot))
    count = 1;
  const double h = height;
  bands_.count = count;
  bands_.actuatorBase = Trunc(0.9 * h);
  bands_.mainBase = count == 3 ? Trunc(0.6 * h) : Trunc(0.9 * h);
  bands_.probeBase = count == 1 ? Trunc(0.9 * h) : count == 2 ? Trunc(0.4 * h) : Trunc(0.3 * h);
  bands_.scale = h / (256.0 * count) * 0.8;
}

std::optional<SignalKind> ScopeLayout::TraceOfRow(SignalKind kind, bool serviceMode) const {
  if (!switches_.IsOn(kind)) return std::nullopt;
  if (kind == SignalKind::Lam && types_.probeType == kProbeTypeNone) return std::nullopt;
  if (kind == SignalKind::Tps && types_.tpsType == kTpsTypeNone) return std::nullopt;
  if (kind == SignalKind::Ram && !serviceMode) return std::nullopt;
  return kind;
}

int ScopeLayout::BaseOf(SignalKind kind) const {
  if (kind == SignalKind::Lam || kind == SignalKind::Sim) return bands_.probeBase;
  if (kind == SignalKind::Mot) return bands_.actuatorBase;
  return bands_.mainBase;
}

int ScopeLayout::RawOffset(SignalKind kind, std::uint8_t value) const {
  const double s = bands_.scale;
  if (kind == SignalKind::Tps && (types_.tpsType & 1) != 0) return Trunc((255 - value) * s);
  const int o = Trunc(value * s);
  if (kind == SignalKind::Rpm) return 4 * o;
  if (kind == SignalKind::Lam || kind == SignalKind::Sim) {
    if (types_.probeType == 0) return 5 * o;
    if (types_.probeType == 3) return 3 * o;
  }
  return o;
}

SegmentOffsets ScopeLayout::Offsets(SignalKind kind, std::uint8_t previous,
                                    std::uint8_t current) const {
  SegmentOffsets out{RawOffset(kind, previous), RawOffset(kind, current), false};
  const bool capped = kind == SignalKind::Rpm || kind == SignalKind::Lam || kind == SignalKind::Sim;
  if (!capped) return out;
  const double top = 255.0 * bands_.scale;
  if (out.previous > top || out.current > top) {
    out.previous = out.current = Trunc(top);
    out.overRange = true;
  }
  if ((kind == SignalKind::Lam || kind == SignalKind::Sim) &&
      (out.previous > bands_.probeBase || out.current > bands_.probeBase)) {
    out.previous = out.current = 0;
    out.overRange = true;
  }
  return out;
}

int ScopeLayout::Offset(SignalKind kind, std::uint8_t value) const {
  return Offsets(kind, value, value).current;
}

int ScopeLayout::X(int viewEnd, int index) const {
  return width_ - 1 - (viewEnd - index) * timeBase_;
}

Rgb ScopeLayout::TraceColour(SignalKind kind, Rgb colour, const link::HistorySample& sample) {
  if (kind == SignalKind::Tps && (sample[1] & 0x20) != 0) {
    return Rgb{static_cast<std::uint8_t>(colour.r >> 1), static_cast<std::uint8_t>(colour.g >> 1),
               static_cast<std::uint8_t>(colour.b >> 1)};
  }
  if (kind == SignalKind::Mot && (sample[2] & 0x3C) != 0) return Rgb{255, 255, 255};
  return colour;
}

std::optional<BandRects> ScopeLayout::BackgroundBands(int gridStyle) const {
  if ((gridStyle & 2) == 0 || bands_.actuatorBase == bands_.probeBase) return std::nullopt;
  const double s = bands_.scale;
  BandRects r;
  if (bands_.actuatorBase != bands_.mainBase) {
    r.actuatorBand = std::pair{bands_.actuatorBase, Trunc(bands_.actuatorBase - 255 * s)};
  }
  r.mainBand = {bands_.mainBase, Trunc(bands_.mainBase - 255 * s)};
  const int base = bands_.probeBase;
  int lean = base;
  int rich = Trunc(base - 255 * s);
  switch (types_.probeType) {
    case 0:
      rich = Trunc(base - 250 * s);
      break;
    case 2:
      lean = Trunc(base - 255 * s);
      rich = base;
      break;
    case 3:
      lean = Trunc(base - 110 * s);
      rich = Trunc(base - 250 * s);
      break;
    default:
      break;
  }
  r.probeLean = lean;
  r.probeRich = rich;
  r.probeMiddle = (lean + rich) / 2;
  return r;
}

StatusCell ScopeLayout::StatusColour(std::uint8_t status, int index, Rgb last) {
  if (status == 0) return {last, false};
  if ((status & 0x80) == 0) return {kLightGrey, true};
  switch (status & 0x5C) {
    case 68:
      return {kGreen, true};
    case 72:
      return {kPurple, true};
    case 80:
      return {kRed, true};
    case 88:
      return {kYellow, true};
    default:
      break;
  }
  // Older controllers code the mode in bits 0..1: a hatched strip, two
  // samples drawn and two left out.
  const bool hatch = (index & 2) != 0;
  switch (status & 0x43) {
    case 1:
      return {kGreen, hatch};
    case 2:
      return {kRed, hatch};
    case 3:
      return {kYellow, hatch};
    default:
      return {last, true};
  }
}

std::pair<int, int> ScopeLayout::StatusRows() const {
  const double h = height_;
  const int top = height_ <= 120 ? height_ : Trunc(0.93 * h);
  const int bottom = Trunc(0.97 * h);
  return top < bottom ? std::pair{top, bottom} : std::pair{bottom, top};
}

std::pair<int, int> ScopeLayout::StatusColumns(int viewEnd, int index) const {
  return {width_ - (viewEnd - index + 1) * timeBase_, width_ - (viewEnd - index) * timeBase_};
}

}  // namespace zo::visual
