// A table of text cells in the manner of the program's grids: row 0 is a
// fixed header row that stays in view, the first columns may be fixed
// (drawn in the fixed-cell colour and never selected), every row has the
// same height plus one pixel of grid line, and the frame is two pixels
// wide, so n rows take n (row height + 1) + 4 pixels. Rows are counted with
// the header: grid row r >= 1 is table row r - 1.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <QTableWidget>

namespace zo::app {

// A cell by grid row (0 the header) and column; -1 for none.
struct GridCell {
  int row = -1;
  int column = -1;
};

class StringGrid : public QTableWidget {
  Q_OBJECT

 public:
  static constexpr int kFrameWidth = 2;

  explicit StringGrid(QWidget* parent);

  // Columns, rows (with the header row) and fixed columns (0 or 1); every
  // cell becomes empty.
  void SetShape(int columnCount, int rowCount, int fixedColumns);
  // Adds empty rows until the grid has `rowCount` rows (with the header).
  void EnsureRowCount(int rowCount);
  [[nodiscard]] int RowCount() const { return rowCount() + 1; }
  [[nodiscard]] int FixedColumns() const { return fixedColumns_; }

  // Row height and column widths without the grid line.
  void SetRowHeight(int height);
  [[nodiscard]] int RowHeight() const { return rowHeight_; }
  void SetColumnWidths(int width);
  void SetColumnWidth(int column, int width);
  [[nodiscard]] int ColumnWidth(int column) const;

  // Colour of the normal cells and of the fixed cells (header row, fixed
  // columns). Cells given a colour of their own keep it.
  void SetColours(QColor cells, QColor fixed);
  [[nodiscard]] QColor CellColour() const { return cellColour_; }
  [[nodiscard]] QColor FixedColour() const { return fixedColour_; }

  void SetCellText(int row, int column, const QString& text);
  [[nodiscard]] QString CellText(int row, int column) const;
  // Background of one cell below the header; an invalid colour restores the
  // cell's own colour (fixed or normal).
  void SetCellColour(int row, int column, QColor colour);
  void ClearCells();

  // The selected grid row (1..), or 0 when none is selected.
  [[nodiscard]] int SelectedRow() const;
  void SelectCell(int row, int column);
  // The first grid row below the header that is in view (1..).
  [[nodiscard]] int TopRow() const;
  void SetTopRow(int row);
  // Rows below the header that are wholly in view.
  [[nodiscard]] int VisibleRowCount() const;
  // A cell's rectangle in the grid's own coordinates (empty when out of view).
  [[nodiscard]] QRect CellRect(int row, int column) const;
  // The cell under a point in the grid's coordinates; none outside the cells.
  [[nodiscard]] GridCell CellAt(QPoint position) const;

 private:
  QTableWidgetItem* Cell(int row, int column) const;
  void FillRow(int tableRow);
  QColor OwnColour(int column) const;
  void StyleItems();

  int fixedColumns_ = 0;
  int rowHeight_ = 16;
  QColor cellColour_{219, 219, 219};
  QColor fixedColour_;
};

}  // namespace zo::app
