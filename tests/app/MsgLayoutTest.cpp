// Layout arithmetic of the message dialog, without a window.
#include <gtest/gtest.h>

#include "MsgLayout.h"

namespace zo::app {
namespace {

TEST(MsgLayout, OneShortLineWithOkUsesTheMinimumWidth) {
  const MsgLayout layout = MsgLayoutRules::Compute(kMsgOk, 100, 13);
  EXPECT_EQ(layout.contentWidth, 284);
  EXPECT_EQ(layout.ok, 120);
  EXPECT_EQ(layout.windowWidth, 294);
  EXPECT_EQ(layout.windowHeight, 13 + 108);
  EXPECT_EQ(layout.buttonTop, 13 + 32);
  EXPECT_FALSE(layout.yes || layout.no || layout.cancel);
  // A wide label moves OK by half the whole extra width.
  EXPECT_EQ(MsgLayoutRules::Compute(kMsgOk, 400, 13).ok, 226);
}

TEST(MsgLayout, WideLabelWithYesNo) {
  const MsgLayout layout = MsgLayoutRules::Compute(kMsgYesNo, 400, 26);
  EXPECT_EQ(layout.contentWidth, 496);
  EXPECT_EQ(layout.extra, 106);
  EXPECT_EQ(layout.yes, 178);
  EXPECT_EQ(layout.no, 274);
  EXPECT_FALSE(layout.ok || layout.cancel);
  EXPECT_EQ(layout.windowWidth, 506);
  EXPECT_EQ(layout.windowHeight, 134);
}

TEST(MsgLayout, OkCancelAtTheMinimumAndBeyond) {
  MsgLayout layout = MsgLayoutRules::Compute(kMsgOkCancel, 100, 13);
  EXPECT_EQ(layout.ok, 72);
  EXPECT_EQ(layout.cancel, 168);
  EXPECT_FALSE(layout.yes || layout.no);
  // An odd difference loses its half pixel to the integer division.
  layout = MsgLayoutRules::Compute(kMsgOkCancel, 189, 13);
  EXPECT_EQ(layout.contentWidth, 285);
  EXPECT_EQ(layout.extra, 0);
}

TEST(MsgLayout, YesNoCancelHasTheLargerMinimum) {
  MsgLayout layout = MsgLayoutRules::Compute(kMsgYesNoCancel, 100, 13);
  EXPECT_EQ(layout.windowWidth, 389);
  EXPECT_EQ(layout.yes, 72);
  EXPECT_EQ(layout.no, 168);
  EXPECT_EQ(layout.cancel, 264);
  EXPECT_FALSE(layout.ok);
  layout = MsgLayoutRules::Compute(kMsgYesNoCancel, 300, 13);
  EXPECT_EQ(layout.extra, 8);
  EXPECT_EQ(layout.cancel, 272);
}

TEST(MsgLayout, AnyOtherSetShowsCancelOnly) {
  for (const int set : {2, 5, -1, 99}) {
    const MsgLayout layout = MsgLayoutRules::Compute(set, 100, 13);
    EXPECT_EQ(layout.contentWidth, 374) << "set " << set;
    EXPECT_EQ(layout.cancel, 264) << "set " << set;
    EXPECT_FALSE(layout.ok || layout.yes || layout.no) << "set " << set;
  }
  EXPECT_EQ(MsgLayoutRules::Compute(2, 400, 13).cancel, 264 + (496 - 374) / 2);
}

TEST(MsgLayout, NegativeOrHugeLabelSizesStaySane) {
  const MsgLayout empty = MsgLayoutRules::Compute(kMsgOk, -5, -5);
  EXPECT_EQ(empty.windowWidth, 294);
  EXPECT_EQ(empty.windowHeight, 108);
  const MsgLayout huge = MsgLayoutRules::Compute(kMsgYesNoCancel, 2147483647, 2147483647);
  EXPECT_GT(huge.windowWidth, 0);
  EXPECT_GT(huge.windowHeight, 0);
}

TEST(MsgLayout, ShownButtonsFitTheWindowWithoutOverlapping) {
  for (const int set : {0, 1, 2, 3, 4}) {
    for (int width = 0; width <= 1200; width += 7) {
      const MsgLayout layout = MsgLayoutRules::Compute(set, width, 40);
      int lastRight = 0;
      for (const auto& left : {layout.ok, layout.yes, layout.no, layout.cancel}) {
        if (!left) continue;
        EXPECT_GE(*left, lastRight) << "set " << set << ", width " << width;
        lastRight = *left + kMsgButtonWidth;
        EXPECT_LE(lastRight, layout.windowWidth) << "set " << set << ", width " << width;
      }
      EXPECT_GT(lastRight, 0) << "set " << set << " shows no button";
      EXPECT_LE(layout.buttonTop + kMsgButtonHeight, layout.windowHeight);
      EXPECT_GE(layout.contentWidth, width + 96);
    }
  }
}

TEST(MsgLayout, WindowFrameComesOffTheWholeWindowSize) {
  const MsgLayout layout = MsgLayoutRules::Compute(kMsgOk, 100, 13);  // 294 x 121
  EXPECT_EQ(MsgLayoutRules::ClientSize(layout, {}), (MsgClientSize{294, 121}));
  EXPECT_EQ(MsgLayoutRules::ClientSize(layout, {4, 30, 3, 5}), (MsgClientSize{287, 86}));
  EXPECT_EQ(MsgLayoutRules::ClientSize(layout, {-3, -20, 0, 0}), (MsgClientSize{294, 121}));
  // A frame larger than the window still leaves OK (120..208, down to 70)
  // and the label (to 180) whole.
  EXPECT_EQ(MsgLayoutRules::ClientSize(layout, {300, 300, 300, 300}), (MsgClientSize{208, 70}));
  const MsgLayout wide = MsgLayoutRules::Compute(kMsgOk, 600, 13);
  EXPECT_EQ(MsgLayoutRules::ClientSize(wide, {300, 0, 300, 0}).width, 680);
}

}  // namespace
}  // namespace zo::app
