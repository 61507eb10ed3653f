#include "IndicatorSlots.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace zo::visual {

namespace {

using model::SignalKind;
// Wanted and shape; what lies above is a mark of the last run or stray.
constexpr int kStartBits = 15;

bool InArrangedRow(SignalKind kind) {
  return kind == SignalKind::Rpm || kind == SignalKind::Lam || kind == SignalKind::Tps ||
         kind == SignalKind::Mot;
}

// Taller than 0.4 of the width gives 0.4 of the width less 2; at least 100.
int Limited(int h, int width) {
  if (h >= 0.4 * width) h = static_cast<int>(0.4 * width - 2);
  return std::max(h, 100);
}

}  // namespace

const IndicatorSlot& IndicatorSlots::Slot(SignalKind kind) const {
  return slots_.at(model::IndexOf(kind));
}

IndicatorSlot& IndicatorSlots::Slot(SignalKind kind) {
  return slots_.at(model::IndexOf(kind));
}

OpenResult IndicatorSlots::Open(SignalKind kind) {
  IndicatorSlot& s = Slot(kind);
  s.flags |= kWanted;
  const IndicatorShape shape = IndicatorGeometry::ShapeOf(s.flags);
  if ((s.flags & 15) == 0) {
    s.request = IndicatorRequest::Close;
    return {OpenAction::RequestClose, shape, {}};
  }
  if ((s.flags & kPlaced) != 0) {
    s.request = IndicatorRequest::BringToFront;
    return {OpenAction::BringToFront, shape, {}};
  }
  return {OpenAction::Create, shape, IndicatorGeometry::Opened(shape, s.left, s.top, s.size)};
}

void IndicatorSlots::MarkPlaced(SignalKind kind) {
  Slot(kind).flags |= kPlaced;
}

std::vector<SignalKind> IndicatorSlots::StartUp() {
  std::vector<SignalKind> open;
  for (const SignalKind kind : model::kIndicatorKinds) {
    IndicatorSlot& s = Slot(kind);
    s.flags &= kStartBits;
    if (s.flags != 0) open.push_back(kind);
  }
  return open;
}

void IndicatorSlots::RequestAll(IndicatorRequest request) {
  for (IndicatorSlot& s : slots_)
    s.request = request;
}

IndicatorRequest IndicatorSlots::TakeRequest(SignalKind kind) {
  return std::exchange(Slot(kind).request, IndicatorRequest::None);
}

std::vector<SignalKind> IndicatorSlots::Home() {
  Slot(SignalKind::Rpm).flags = kWanted;
  for (const SignalKind kind : {SignalKind::Lam, SignalKind::Tps, SignalKind::Mot}) {
    Slot(kind).flags = kWanted | static_cast<int>(IndicatorShape::VerticalBar);
  }
  return {SignalKind::Rpm, SignalKind::Lam, SignalKind::Tps, SignalKind::Mot};
}

ArrangeGeometry IndicatorSlots::Arrange(const ArrangeInputs& in) {
  ArrangeGeometry g;
  g.x0 = in.mainLeft + 7;
  if (in.scopeShown && in.listHeight < in.scopeHeight && !in.configurationPage) {
    g.h = Limited(in.scopeHeight, in.scopeWidth);
    g.y0 = in.mainTop + in.nonClientHeight + in.topPanelHeight - 5;
  } else {
    const int h = std::max((in.listHeight - in.listRowHeight) / 2, in.freeBelowRows);
    g.h = Limited(h, in.listWidth);
    g.y0 = in.mainTop + in.mainHeight - g.h - 5;
  }
  return g;
}

std::optional<IndicatorRect> IndicatorSlots::ArrangedPlace(SignalKind kind,
                                                           const ArrangeGeometry& g) {
  const int h = g.h;
  IndicatorRect r{g.x0, g.y0, h / 2, h};
  switch (kind) {
    case SignalKind::Rpm:
      r.width = h;
      break;
    case SignalKind::Lam:
      r.left += h + 2;
      break;
    case SignalKind::Tps:
      r.left += 3 * h / 2 + 4;
      break;
    case SignalKind::Mot:
      r.left += 2 * h + 6;
      break;
    default:
      return std::nullopt;
  }
  Record(kind, r);
  return r;
}

void IndicatorSlots::Record(SignalKind kind, const IndicatorRect& r) {
  IndicatorSlot& s = Slot(kind);
  s.left = r.left;
  s.top = r.top;
  s.size = r.height;
}

void IndicatorSlots::Record(SignalKind kind, const IndicatorRect& r, IndicatorShape shape) {
  Record(kind, r);
  IndicatorSlot& s = Slot(kind);
  s.flags = (s.flags & ~kShapeBits) | static_cast<int>(shape);
}

void IndicatorSlots::Close(SignalKind kind, const IndicatorRect& r) {
  Record(kind, r);
  Slot(kind).flags &= ~31;
}

bool IndicatorSlots::Visible(SignalKind kind, int activePage) {
  if (activePage == kParametersPage) return true;
  return activePage == kConfigurationPage && InArrangedRow(kind);
}

}  // namespace zo::visual
