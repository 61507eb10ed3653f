#include "app/widgets/StringGrid.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace zo::app {

namespace {

const QColor kGridLineColour(160, 160, 160);
constexpr int kTextIndent = 2;

// The header row: as high as a grid row, drawn flat in the fixed-cell
// colour with the grid lines of the cells below, text cut at the cell edge.
class HeaderRow : public QHeaderView {
 public:
  explicit HeaderRow(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(false);
    setHighlightSections(false);
    setMinimumSectionSize(1);
    setSectionResizeMode(QHeaderView::Fixed);
  }

  void SetHeight(int height) {
    height_ = height;
    updateGeometry();
  }
  void SetColour(QColor colour) {
    colour_ = colour;
    viewport()->update();
  }

  QSize sizeHint() const override { return {QHeaderView::sizeHint().width(), height_}; }

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
    if (!rect.isValid()) return;
    painter->save();
    painter->fillRect(rect, colour_);
    painter->setPen(kGridLineColour);
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    const QRect text = rect.adjusted(kTextIndent, 0, -1, -1);
    painter->setClipRect(text);
    painter->setPen(palette().color(QPalette::WindowText));
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      model()->headerData(logicalIndex, Qt::Horizontal).toString());
    painter->restore();
  }

 private:
  int height_ = 17;
  QColor colour_{240, 240, 240};
};

HeaderRow* Header(const QTableWidget& grid) {
  return static_cast<HeaderRow*>(grid.horizontalHeader());
}

}  // namespace

StringGrid::StringGrid(QWidget* parent) : QTableWidget(parent) {
  fixedColour_ = palette().color(QPalette::Button);
  setHorizontalHeader(new HeaderRow(this));
  verticalHeader()->hide();
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setTabKeyNavigation(false);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  // Long texts are cut by their column, as the cell hint expects.
  setTextElideMode(Qt::ElideNone);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(kFrameWidth);
  setStyleSheet(QStringLiteral("QTableView { gridline-color: rgb(160, 160, 160); }"));
  // The selection reads the same with and without the keyboard focus.
  QPalette colours = palette();
  colours.setColor(QPalette::Inactive, QPalette::Highlight,
                   colours.color(QPalette::Active, QPalette::Highlight));
  colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   colours.color(QPalette::Active, QPalette::HighlightedText));
  // Fixed cells are disabled items; their text stays black.
  colours.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
  colours.setColor(QPalette::All, QPalette::Text, Qt::black);
  setPalette(colours);
  SetColours(cellColour_, fixedColour_);
  SetRowHeight(rowHeight_);
}

void StringGrid::SetShape(int columnCount, int rowCount, int fixedColumns) {
  fixedColumns_ = std::clamp(fixedColumns, 0, std::max(columnCount, 0));
  clear();
  setColumnCount(std::max(columnCount, 0));
  setRowCount(0);
  for (int column = 0; column < columnCount; ++column)
    setHorizontalHeaderItem(column, new QTableWidgetItem());
  EnsureRowCount(rowCount);
}

void StringGrid::EnsureRowCount(int rowCount) {
  const int wanted = std::max(rowCount - 1, 0);
  if (wanted <= this->rowCount()) return;
  const int first = this->rowCount();
  setRowCount(wanted);
  for (int tableRow = first; tableRow < wanted; ++tableRow)
    FillRow(tableRow);
}

void StringGrid::FillRow(int tableRow) {
  // Every cell gets an item, so that an empty fixed cell cannot be selected.
  for (int column = 0; column < columnCount(); ++column) {
    auto* item = new QTableWidgetItem();
    item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    item->setFlags(column < fixedColumns_ ? Qt::NoItemFlags
                                          : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setBackground(OwnColour(column));
    setItem(tableRow, column, item);
  }
}

void StringGrid::SetRowHeight(int height) {
  rowHeight_ = std::max(height, 1);
  verticalHeader()->setDefaultSectionSize(rowHeight_ + 1);
  for (int tableRow = 0; tableRow < rowCount(); ++tableRow)
    verticalHeader()->resizeSection(tableRow, rowHeight_ + 1);
  Header(*this)->SetHeight(rowHeight_ + 1);
}

void StringGrid::SetColumnWidths(int width) {
  horizontalHeader()->setDefaultSectionSize(std::max(width, 0) + 1);
  for (int column = 0; column < columnCount(); ++column)
    SetColumnWidth(column, width);
}

void StringGrid::SetColumnWidth(int column, int width) {
  horizontalHeader()->resizeSection(column, std::max(width, 0) + 1);
}

int StringGrid::ColumnWidth(int column) const {
  return horizontalHeader()->sectionSize(column) - 1;
}

void StringGrid::SetColours(QColor cells, QColor fixed) {
  cellColour_ = cells;
  fixedColour_ = fixed;
  QPalette colours = palette();
  colours.setColor(QPalette::Base, cells);
  colours.setColor(QPalette::Window, cells);
  setPalette(colours);
  Header(*this)->SetColour(fixed);
  StyleItems();
}

QColor StringGrid::OwnColour(int column) const {
  return column < fixedColumns_ ? fixedColour_ : cellColour_;
}

void StringGrid::StyleItems() {
  for (int tableRow = 0; tableRow < rowCount(); ++tableRow)
    for (int column = 0; column < columnCount(); ++column)
      if (QTableWidgetItem* cell = item(tableRow, column)) cell->setBackground(OwnColour(column));
}

QTableWidgetItem* StringGrid::Cell(int row, int column) const {
  if (column < 0 || column >= columnCount()) return nullptr;
  if (row == 0) return horizontalHeaderItem(column);
  return item(row - 1, column);
}

void StringGrid::SetCellText(int row, int column, const QString& text) {
  if (QTableWidgetItem* cell = Cell(row, column)) cell->setText(text);
}

QString StringGrid::CellText(int row, int column) const {
  const QTableWidgetItem* cell = Cell(row, column);
  return cell != nullptr ? cell->text() : QString();
}

void StringGrid::SetCellColour(int row, int column, QColor colour) {
  if (row < 1) return;
  if (QTableWidgetItem* cell = Cell(row, column))
    cell->setBackground(colour.isValid() ? colour : OwnColour(column));
}

void StringGrid::ClearCells() {
  for (int column = 0; column < columnCount(); ++column) {
    SetCellText(0, column, QString());
    for (int row = 1; row < RowCount(); ++row) {
      SetCellText(row, column, QString());
      SetCellColour(row, column, QColor());
    }
  }
}

int StringGrid::SelectedRow() const {
  const int tableRow = currentRow();
  return tableRow >= 0 ? tableRow + 1 : 0;
}

void StringGrid::SelectCell(int row, int column) {
  if (row >= 1 && row < RowCount()) setCurrentCell(row - 1, column);
}

int StringGrid::TopRow() const {
  const int tableRow = rowAt(0);
  return tableRow >= 0 ? tableRow + 1 : 1;
}

void StringGrid::SetTopRow(int row) {
  if (row < 1 || row >= RowCount()) return;
  // The grid scrolls by whole rows: the scroll value is the top table row.
  verticalScrollBar()->setValue(row - 1);
}

int StringGrid::VisibleRowCount() const {
  return std::max(viewport()->height() / (rowHeight_ + 1), 0);
}

QRect StringGrid::CellRect(int row, int column) const {
  QRect rect;
  if (row == 0) {
    const QHeaderView* header = horizontalHeader();
    if (column < 0 || column >= columnCount()) return {};
    rect = QRect(header->sectionViewportPosition(column), 0, header->sectionSize(column),
                 header->height());
    return rect.translated(header->geometry().topLeft()).intersected(header->geometry());
  }
  const QTableWidgetItem* cell = Cell(row, column);
  if (cell == nullptr) return {};
  rect = visualItemRect(cell).intersected(viewport()->rect());
  return rect.isEmpty() ? QRect() : rect.translated(viewport()->geometry().topLeft());
}

GridCell StringGrid::CellAt(QPoint position) const {
  const QRect header = horizontalHeader()->geometry();
  const QRect cells = viewport()->geometry();
  if (header.contains(position)) {
    const int column = horizontalHeader()->logicalIndexAt(position.x() - header.left());
    return column >= 0 ? GridCell{0, column} : GridCell{};
  }
  if (!cells.contains(position)) return {};
  const QModelIndex index = indexAt(position - cells.topLeft());
  return index.isValid() ? GridCell{index.row() + 1, index.column()} : GridCell{};
}

}  // namespace zo::app
