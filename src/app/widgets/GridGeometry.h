// What the window layout gives the parameter grid: its place, shape, sizes
// and colours. Sizes are in pixels; row height and column widths exclude the
// one-pixel grid line.
#pragma once

#include <QColor>
#include <QRect>

namespace zo::app {

struct GridGeometry {
  QRect rect;  // in the coordinates of the grid's parent
  int columnCount = 2;
  int rowCount = 50;  // with the header row; the Parameters page adds rows the catalogue lists
  int fixedColumns = 1;
  bool rowSelect = false;  // whole-row selection
  int columnWidth = 64;    // every column
  int column1Width = -1;   // column 1 when not negative
  int rowHeight = 16;
  QColor background{219, 219, 219};  // the cells
  QColor fixedColour;                // header row and fixed columns; invalid: button face
};

}  // namespace zo::app
