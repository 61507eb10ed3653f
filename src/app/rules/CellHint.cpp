#include "app/rules/CellHint.h"

#include <algorithm>

namespace zo::app {

PointerCell CellHint::CellAt(int pointerX, int pointerY, int firstColumnWidth, int topRow,
                             int defaultRowHeight) {
  // A row height below 0 would divide by zero or flip the rows.
  const int step = std::max(defaultRowHeight, 0) + 1;
  return {pointerX < firstColumnWidth ? 0 : 1, topRow + pointerY / step - 1};
}

bool CellHint::ParameterGridHints(link::Page page) {
  return page != link::Page::Map && page != link::Page::Ram && page != link::Page::Eeprom;
}

HintPlacement CellHint::Place(const HintInput& in) {
  const bool tooWide = in.alwaysTooWide || in.textWidth > in.columnWidth - 2;
  if (!tooWide) return {HintAction::Hide, {}};
  if (in.clickedAway) return {HintAction::None, {}};
  return {HintAction::Show,
          {in.gridLeft + in.cell.x + 3, in.gridTop + in.cell.y + 2, std::max(in.textWidth + 4, 0),
           std::max(in.defaultRowHeight, 0)}};
}

}  // namespace zo::app
