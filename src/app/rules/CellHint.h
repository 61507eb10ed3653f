// Cell hint of the two grids: which cell the pointer is over, and where the
// hint panel `PanelHint` shows the full text of a cell too narrow for it.
#pragma once

#include "app/rules/MainLayout.h"
#include "link/LinkTypes.h"

namespace zo::app {

struct PointerCell {
  int column = 0;
  int row = 0;
  friend bool operator==(const PointerCell&, const PointerCell&) = default;
};

enum class HintAction {
  Show,  // place the panel, show it and raise the hint flag
  Hide,  // the text fits: hide the panel
  None,  // this cell's hint was clicked away: leave the panel hidden
};

struct HintInput {
  int gridLeft = 0;  // the grid's place in the window
  int gridTop = 0;
  Rect cell;  // the cell's rectangle inside the grid
  int defaultRowHeight = 0;
  int textWidth = 0;  // the cell's text measured in the hint panel's font
  // The width the text must fit: the signal list's first column, or the
  // parameter grid's column under the pointer.
  int columnWidth = 0;
  bool alwaysTooWide = false;  // the reset-cause cell, whose text is replaced
  bool clickedAway = false;    // the hint of this same cell was clicked away
};

struct HintPlacement {
  HintAction action = HintAction::Hide;
  Rect panel;  // `PanelHint`'s place and size when shown
};

class CellHint {
 public:
  // The cell under the pointer (grid coordinates): column 0 within the first
  // column's width, else column 1; rows one pixel taller than the default
  // row height, counted from the top visible row less the header row.
  static PointerCell CellAt(int pointerX, int pointerY, int firstColumnWidth, int topRow,
                            int defaultRowHeight);
  // The parameter grid shows hints except on the Map, RAM and EEPROM pages;
  // the signal list always.
  static bool ParameterGridHints(link::Page page);
  static HintPlacement Place(const HintInput& in);
};

}  // namespace zo::app
