// Layout arithmetic of the message dialog: from the size of the message label
// and the button set to the dialog's size and the buttons' left edges.
#pragma once

#include <optional>

#include "link/LinkTypes.h"

namespace zo::app {

struct MsgLayout {
  int contentWidth = 0;  // w: label width + 96, raised to the set's minimum
  int extra = 0;         // e: the shift that centres the buttons
  int buttonTop = 0;     // label height + 32
  // Left edges of the buttons shown; a button without one is hidden.
  std::optional<int> ok;
  std::optional<int> yes;
  std::optional<int> no;
  std::optional<int> cancel;
  int windowWidth = 0;   // w + 10, frame included
  int windowHeight = 0;  // label height + 108, frame included
  int labelRight = 0;    // right edge of the label
};

// The window manager's frame around a window's inner area, in pixels.
struct FrameMargins {
  int left = 0;
  int top = 0;  // title bar and upper border
  int right = 0;
  int bottom = 0;
  bool operator==(const FrameMargins&) const = default;
};

// Until a dialog has been shown and its frame measured: a title bar and thin
// borders as most window managers draw them.
inline constexpr FrameMargins kMsgDefaultFrame{4, 28, 4, 4};

struct MsgClientSize {
  int width = 0;
  int height = 0;
  bool operator==(const MsgClientSize&) const = default;
};

inline constexpr int kMsgLabelLeft = 80;
inline constexpr int kMsgLabelTop = 16;
inline constexpr int kMsgPictureWidth = 73;
inline constexpr int kMsgButtonWidth = 88;
inline constexpr int kMsgButtonHeight = 25;

class MsgLayoutRules {
 public:
  // labelWidth and labelHeight are the label's size after sizing it to its
  // text; negative sizes count as 0, sizes beyond
  // 100000 as 100000. A value outside the four button sets shows Cancel only,
  // as the system message box does.
  static MsgLayout Compute(link::MsgButtons buttons, int labelWidth, int labelHeight);

  // The inner area of the dialog: the window size of the layout is the
  // whole window, frame included, so the frame comes off it. Negative
  // margins count as 0; however large the frame, the area still holds the
  // label and the buttons.
  static MsgClientSize ClientSize(const MsgLayout& layout, const FrameMargins& frame);
};

}  // namespace zo::app
