#include "app/views/SignalListView.h"

#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <algorithm>
#include <array>

#include "app/widgets/StringGrid.h"

namespace zo::app {

namespace {

constexpr int kNameColumn = 0;
constexpr int kValueColumn = 1;
constexpr int kTraceColumn = 3;

}  // namespace

SignalListView::SignalListView(QWidget* parent, const model::ITextSource& texts)
    : QObject(parent), texts_(texts) {
  grid_ = new StringGrid(parent);
  grid_->setObjectName(QStringLiteral("Grid"));
  grid_->setSelectionMode(QAbstractItemView::NoSelection);
  grid_->setFocusPolicy(Qt::NoFocus);
  grid_->SetShape(4, 2, 0);
  connect(grid_, &QTableWidget::cellClicked, this, [this](int tableRow, int) {
    if (const auto kind = KindAt(tableRow + 1)) emit RowClicked(*kind);
  });
  for (QWidget* watched :
       {grid_->viewport(), static_cast<QWidget*>(grid_->horizontalHeader()->viewport())}) {
    watched->setMouseTracking(true);
    watched->installEventFilter(this);
  }
}

void SignalListView::ApplyGeometry(QRect rect, int columnWidth, int columnCount, int rowHeight,
                                   int fontPointSize) {
  QFont font = grid_->parentWidget()->font();
  if (fontPointSize > 0) font.setPointSize(fontPointSize);
  grid_->setFont(font);
  grid_->setGeometry(rect);
  if (columnCount != grid_->columnCount()) {
    grid_->SetShape(columnCount, grid_->RowCount(), 0);
    Build({nameHeaderText_, kinds_});
  }
  grid_->SetRowHeight(rowHeight);
  grid_->SetColumnWidths(columnWidth);
  emit RowsChanged();
}

void SignalListView::SetColours(QColor cells, QColor fixed) {
  grid_->SetColours(cells, fixed);
}

void SignalListView::Build(const SignalListRows& rows) {
  nameHeaderText_ = rows.nameHeaderText;
  kinds_ = rows.kinds;
  grid_->SetShape(grid_->columnCount(), std::max(static_cast<int>(kinds_.size()) + 1, 2), 0);
  const std::array<int, 4> headers{nameHeaderText_, txt::kHeaderSignalValue, 0, txt::kHeaderTrace};
  for (int column = kNameColumn; column <= kTraceColumn; ++column) {
    const int header = headers[static_cast<std::size_t>(column)];
    if (header != 0) grid_->SetCellText(0, column, QString::fromStdString(texts_.Text(header)));
  }
  for (int row = 1; row <= static_cast<int>(kinds_.size()); ++row)
    grid_->SetCellText(
        row, kNameColumn,
        QString::fromStdString(texts_.Text(model::LiveSignals::NameId(*KindAt(row)))));
  emit RowsChanged();
}

void SignalListView::BuildTable(int nameHeaderText, int valueHeaderText, int rowCount) {
  nameHeaderText_ = nameHeaderText;
  kinds_.clear();
  grid_->SetShape(grid_->columnCount(), std::max(rowCount + 1, 2), 0);
  grid_->SetCellText(0, kNameColumn, QString::fromStdString(texts_.Text(nameHeaderText)));
  grid_->SetCellText(0, kValueColumn, QString::fromStdString(texts_.Text(valueHeaderText)));
  emit RowsChanged();
}

void SignalListView::SetCell(int row, int column, const std::string& text) {
  grid_->SetCellText(row, column, QString::fromStdString(text));
}

void SignalListView::ShowSample(std::span<const std::uint8_t, kSampleSize> sample,
                                std::uint8_t sensorType) {
  for (const model::SignalKind kind : kinds_) {
    const int byte = model::LiveSignals::SampleByte(kind);
    if (byte >= 0 && byte < kSampleSize)
      ShowValue(kind, sample[static_cast<std::size_t>(byte)], sensorType);
  }
}

void SignalListView::ShowValue(model::SignalKind kind, std::uint8_t raw, std::uint8_t sensorType) {
  SetValueText(kind, model::LiveSignals::Text(kind, raw, sensorType, texts_));
}

void SignalListView::SetValueText(model::SignalKind kind, const std::string& text) {
  if (const int row = RowOf(kind); row > 0)
    grid_->SetCellText(row, kValueColumn, QString::fromStdString(text));
}

std::optional<model::SignalKind> SignalListView::KindAt(int row) const {
  if (row == 0) return model::SignalKind::Header;
  if (row < 1 || row > static_cast<int>(kinds_.size())) return std::nullopt;
  return kinds_[static_cast<std::size_t>(row - 1)];
}

int SignalListView::RowOf(model::SignalKind kind) const {
  const auto found = std::find(kinds_.begin(), kinds_.end(), kind);
  return found == kinds_.end() ? 0 : static_cast<int>(found - kinds_.begin()) + 1;
}

std::string SignalListView::Cell(int row, int column) const {
  return grid_->CellText(row, column).toStdString();
}

int SignalListView::TopRow() const {
  return grid_->TopRow();
}

int SignalListView::VisibleRowCount() const {
  return grid_->VisibleRowCount();
}

void SignalListView::SetVisible(bool visible) {
  grid_->setVisible(visible);
  emit RowsChanged();
}

bool SignalListView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove)
    emit PointerMoved(static_cast<QWidget*>(watched)->mapTo(
        grid_, static_cast<QMouseEvent*>(event)->position().toPoint()));
  return QObject::eventFilter(watched, event);
}

}  // namespace zo::app
