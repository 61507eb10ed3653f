// Layout arithmetic of the message dialog, without a window.
#include <gtest/gtest.h>

#include <string>

#include "app/rules/MsgLayout.h"

namespace zo::app {
namespace {

using B = link::MsgButtons;
// Outside the four sets: Cancel only.
constexpr auto kCancelOnly = static_cast<B>(2);

struct Case {
  B set;
  int labelWidth;
  int w, e;
  int ok, yes, no, cancel;  // left edges, 0 for a hidden button
};

TEST(MsgLayout, ContentWidthExtraAndButtonsOfEachSet) {
  for (const Case c : {
           Case{B::Ok, 100, 284, 0, 120, 0, 0, 0},    // one short line: the minimum
           Case{B::Ok, 400, 496, 212, 226, 0, 0, 0},  // OK moves by half the extra
           Case{B::YesNo, 400, 496, 106, 0, 178, 274, 0},
           Case{B::OkCancel, 100, 284, 0, 72, 0, 0, 168},
           Case{B::OkCancel, 189, 285, 0, 72, 0, 0, 168},  // the odd pixel lost to the division
           Case{B::YesNoCancel, 100, 379, 0, 0, 72, 168, 264},
           Case{B::YesNoCancel, 300, 396, 8, 0, 80, 176, 272},
           Case{kCancelOnly, 100, 374, 0, 0, 0, 0, 264},
           Case{kCancelOnly, 400, 496, 61, 0, 0, 0, 325},
       }) {
    const MsgLayout layout = MsgLayoutRules::Compute(c.set, c.labelWidth, 26);
    const std::string where = "set " + std::to_string(static_cast<int>(c.set)) + ", width " +
                              std::to_string(c.labelWidth);
    EXPECT_EQ(layout.contentWidth, c.w) << where;
    EXPECT_EQ(layout.extra, c.e) << where;
    EXPECT_EQ(layout.ok.value_or(0), c.ok) << where;
    EXPECT_EQ(layout.yes.value_or(0), c.yes) << where;
    EXPECT_EQ(layout.no.value_or(0), c.no) << where;
    EXPECT_EQ(layout.cancel.value_or(0), c.cancel) << where;
    EXPECT_EQ(layout.windowWidth, c.w + 10) << where;
    EXPECT_EQ(layout.windowHeight, 26 + 108) << where;
    EXPECT_EQ(layout.buttonTop, 26 + 32) << where;
  }
}

TEST(MsgLayout, NegativeOrHugeLabelSizesStaySane) {
  const MsgLayout empty = MsgLayoutRules::Compute(B::Ok, -5, -5);
  EXPECT_EQ(empty.windowWidth, 294);
  EXPECT_EQ(empty.windowHeight, 108);
  const MsgLayout huge = MsgLayoutRules::Compute(B::YesNoCancel, 2147483647, 2147483647);
  EXPECT_GT(huge.windowWidth, 0);
  EXPECT_GT(huge.windowHeight, 0);
}

TEST(MsgLayout, ShownButtonsFitTheWindowWithoutOverlapping) {
  for (const B set : {B::Ok, B::OkCancel, kCancelOnly, B::YesNoCancel, B::YesNo}) {
    for (int width = 0; width <= 1200; width += 7) {
      const MsgLayout layout = MsgLayoutRules::Compute(set, width, 40);
      int lastRight = 0;
      for (const auto& left : {layout.ok, layout.yes, layout.no, layout.cancel}) {
        if (!left) continue;
        EXPECT_GE(*left, lastRight) << "set " << static_cast<int>(set) << ", width " << width;
        lastRight = *left + kMsgButtonWidth;
        EXPECT_LE(lastRight, layout.windowWidth)
            << "set " << static_cast<int>(set) << ", width " << width;
      }
      EXPECT_GT(lastRight, 0) << "set " << static_cast<int>(set) << " shows no button";
      EXPECT_LE(layout.buttonTop + kMsgButtonHeight, layout.windowHeight);
      EXPECT_GE(layout.contentWidth, width + 96);
    }
  }
}

TEST(MsgLayout, WindowFrameComesOffTheWholeWindowSize) {
  const MsgLayout layout = MsgLayoutRules::Compute(B::Ok, 100, 13);  // 294 x 121
  EXPECT_EQ(MsgLayoutRules::ClientSize(layout, {}), (MsgClientSize{294, 121}));
  EXPECT_EQ(MsgLayoutRules::ClientSize(layout, {4, 30, 3, 5}), (MsgClientSize{287, 86}));
  EXPECT_EQ(MsgLayoutRules::ClientSize(layout, {-3, -20, 0, 0}), (MsgClientSize{294, 121}));
  // A frame larger than the window still leaves OK (120..208, down to 70)
  // and the label (to 180) whole.
  EXPECT_EQ(MsgLayoutRules::ClientSize(layout, {300, 300, 300, 300}), (MsgClientSize{208, 70}));
  const MsgLayout wide = MsgLayoutRules::Compute(B::Ok, 600, 13);
  EXPECT_EQ(MsgLayoutRules::ClientSize(wide, {300, 0, 300, 0}).width, 680);
}

}  // namespace
}  // namespace zo::app
