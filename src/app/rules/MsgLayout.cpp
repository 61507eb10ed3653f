#include "app/rules/MsgLayout.h"

#include <algorithm>

namespace zo::app {

namespace {

constexpr int kLabelMargin = 96;
constexpr int kButtonGap = 32;
constexpr int kWindowMarginX = 10;
constexpr int kWindowMarginY = 108;
constexpr int kLargestLabel = 100000;

}  // namespace

MsgLayout MsgLayoutRules::Compute(link::MsgButtons buttons, int labelWidth, int labelHeight) {
  // A label is never larger than any screen; the clamp keeps the sums safe.
  const int width = std::clamp(labelWidth, 0, kLargestLabel);
  const int height = std::clamp(labelHeight, 0, kLargestLabel);
  MsgLayout layout;
  layout.buttonTop = height + kButtonGap;
  int w = width + kLabelMargin;
  switch (buttons) {
    case link::MsgButtons::Ok:
      w = std::max(w, 284);
      layout.extra = w - 284;
      layout.ok = (layout.extra + 240) / 2;
      break;
    case link::MsgButtons::OkCancel:
      w = std::max(w, 284);
      layout.extra = (w - 284) / 2;
      layout.ok = 72 + layout.extra;
      layout.cancel = 168 + layout.extra;
      break;
    case link::MsgButtons::YesNoCancel:
      w = std::max(w, 379);
      layout.extra = (w - 379) / 2;
      layout.yes = 72 + layout.extra;
      layout.no = 168 + layout.extra;
      layout.cancel = 264 + layout.extra;
      break;
    case link::MsgButtons::YesNo:
      w = std::max(w, 284);
      layout.extra = (w - 284) / 2;
      layout.yes = 72 + layout.extra;
      layout.no = 168 + layout.extra;
      break;
    default:
      w = std::max(w, 374);
      layout.extra = (w - 374) / 2;
      layout.cancel = 264 + layout.extra;
      break;
  }
  layout.contentWidth = w;
  layout.labelRight = kMsgLabelLeft + width;
  layout.windowWidth = w + kWindowMarginX;
  layout.windowHeight = height + kWindowMarginY;
  return layout;
}

MsgClientSize MsgLayoutRules::ClientSize(const MsgLayout& layout, const FrameMargins& frame) {
  const auto margin = [](int m) { return std::clamp(m, 0, kLargestLabel); };
  int width = layout.windowWidth - margin(frame.left) - margin(frame.right);
  int height = layout.windowHeight - margin(frame.top) - margin(frame.bottom);
  width = std::max(width, layout.labelRight);
  for (const auto& left : {layout.ok, layout.yes, layout.no, layout.cancel}) {
    if (left) width = std::max(width, *left + kMsgButtonWidth);
  }
  height = std::max(height, layout.buttonTop + kMsgButtonHeight);
  return {width, height};
}

}  // namespace zo::app
