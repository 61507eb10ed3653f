#include "app/views/ParameterGridView.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

#include "app/widgets/StringGrid.h"
#include "texts/TextIds.h"

namespace zo::app {

namespace {

constexpr int kValueColumn = 1;
constexpr int kMinimumRows = 50;  // with the header row

QColor ToQColor(std::uint32_t colour) {
  return {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
          static_cast<int>((colour >> 16) & 0xFF)};
}

QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}

QToolButton* MakeButton(QWidget* parent, const QString& name) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

ParameterGridView::ParameterGridView(QWidget* parent, model::ParameterEditor& editor,
                                     const link::ImageArea& working,
                                     const model::ITextSource& texts)
    : QObject(parent), editor_(editor), working_(working), texts_(texts) {
  grid_ = new StringGrid(parent);
  grid_->setObjectName(QStringLiteral("GridEx1"));
  QWidget* cells = grid_->viewport();

  // The controls live on the grid's cells, so the grid clips them.
  edit_ = new QLineEdit(cells);
  edit_->setObjectName(QStringLiteral("Edit1"));
  edit_->setFrame(false);
  edit_->setTextMargins(1, 0, 0, 0);

  arrows_ = new QWidget(cells);
  arrows_->setObjectName(QStringLiteral("UpDown1"));
  arrowUp_ = MakeButton(arrows_, QStringLiteral("UpDown1Up"));
  arrowUp_->setArrowType(Qt::UpArrow);
  arrowDown_ = MakeButton(arrows_, QStringLiteral("UpDown1Down"));
  arrowDown_->setArrowType(Qt::DownArrow);
  for (QToolButton* arrow : {arrowUp_, arrowDown_})
    arrow->setAutoRepeat(true);

  button_ = MakeButton(cells, QStringLiteral("BitBtn1"));
  const QIcon icon = button_->style()->standardIcon(QStyle::SP_DialogApplyButton);
  if (icon.isNull())
    button_->setText(QStringLiteral("..."));
  else
    button_->setIcon(icon);
  HideControls();

  connect(edit_, &QLineEdit::textChanged, this, &ParameterGridView::TextChanged);
  connect(arrowUp_, &QToolButton::clicked, this, [this] { Arrow(true); });
  connect(arrowDown_, &QToolButton::clicked, this, [this] { Arrow(false); });
  connect(button_, &QToolButton::clicked, this, &ParameterGridView::Button);
  connect(grid_, &QTableWidget::currentCellChanged, this, &ParameterGridView::PlaceControls);
  connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this,
          &ParameterGridView::PlaceControls);
  connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this,
          &ParameterGridView::PlaceControls);

  for (QWidget* watched : {cells, static_cast<QWidget*>(grid_->horizontalHeader()->viewport())}) {
    watched->setMouseTracking(true);
    watched->installEventFilter(this);
  }
  ApplyGeometry(shape_);
}

void ParameterGridView::ApplyGeometry(const GridGeometry& geometry) {
  grid_->setGeometry(geometry.rect);
  const bool reshaped = geometry.columnCount != shape_.columnCount ||
                        geometry.rowCount != shape_.rowCount ||
                        geometry.fixedColumns != shape_.fixedColumns || grid_->columnCount() == 0;
  shape_ = geometry;
  if (reshaped) {
    const int selected = grid_->SelectedRow();
    rows_.clear();
    grid_->SetShape(geometry.columnCount, geometry.rowCount, geometry.fixedColumns);
    SelectRow(std::max(selected, 1));
  }
  grid_->setSelectionBehavior(geometry.rowSelect ? QAbstractItemView::SelectRows
                                                 : QAbstractItemView::SelectItems);
  grid_->SetRowHeight(geometry.rowHeight);
  grid_->SetColumnWidths(geometry.columnWidth);
  if (geometry.column1Width >= 0 && geometry.columnCount > 1)
    grid_->SetColumnWidth(1, geometry.column1Width);
  grid_->SetColours(geometry.background, geometry.fixedColour.isValid()
                                             ? geometry.fixedColour
                                             : grid_->palette().color(QPalette::Button));
  PlaceControls();
}

void ParameterGridView::Show(const model::ParameterGrid& rows) {
  rows_ = rows.Rows();
  const int count = static_cast<int>(rows_.size());
  grid_->EnsureRowCount(std::max(kMinimumRows, count + 1));
  grid_->SetCellText(0, 0, ToQString(texts_.Text(txt::kHeaderParameter)));
  grid_->SetCellText(0, kValueColumn, ToQString(texts_.Text(txt::kHeaderValue)));
  for (int row = 1; row < grid_->RowCount(); ++row) {
    const model::ParameterRow* parameter = rows.RowAt(row);
    if (parameter == nullptr) {
      grid_->SetCellText(row, 0, QString());
      grid_->SetCellText(row, kValueColumn, QString());
      grid_->SetCellColour(row, 0, grid_->CellColour());
      continue;
    }
    grid_->SetCellText(row, 0, ToQString(parameter->name));
    grid_->SetCellColour(
        row, 0, parameter->nameColour ? ToQColor(*parameter->nameColour) : grid_->CellColour());
    grid_->SetCellText(row, kValueColumn, ToQString(parameter->Cell()));
  }
  if (grid_->SelectedRow() == 0) SelectRow(1);
  PlaceControls();
}

void ParameterGridView::Clear() {
  rows_.clear();
  grid_->ClearCells();
  HideControls();
}

void ParameterGridView::SetCell(int row, int column, const std::string& text) {
  grid_->SetCellText(row, column, ToQString(text));
}

std::string ParameterGridView::Cell(int row, int column) const {
  return grid_->CellText(row, column).toStdString();
}

const model::ParameterRow* ParameterGridView::RowAt(int row) const {
  if (row < 1 || row > static_cast<int>(rows_.size())) return nullptr;
  return &rows_[static_cast<std::size_t>(row - 1)];
}

void ParameterGridView::HideControls() {
  placedRow_ = 0;
  edit_->hide();
  arrows_->hide();
  button_->hide();
}

void ParameterGridView::PlaceControls() {
  const int row = grid_->SelectedRow();
  const model::ParameterRow* parameter = RowAt(row);
  const QRect cell = parameter != nullptr && grid_->currentColumn() == kValueColumn
                         ? grid_->visualItemRect(grid_->item(row - 1, kValueColumn))
                         : QRect();
  if (cell.isEmpty() || !cell.intersects(grid_->viewport()->rect())) {
    HideControls();
    return;
  }
  const model::EditControls controls = editor_.PlaceControls(*parameter);
  const int arrowWidth = std::clamp(cell.height() * 3 / 4, 12, 20);
  const int buttonWidth = std::max(cell.height(), 16);
  placedRow_ = row;
  int textRight = cell.right();
  if (controls.arrows) {
    arrows_->setGeometry(cell.right() - arrowWidth + 1, cell.top(), arrowWidth, cell.height());
    arrowUp_->setGeometry(0, 0, arrowWidth, cell.height() / 2);
    arrowDown_->setGeometry(0, cell.height() / 2, arrowWidth, cell.height() - cell.height() / 2);
    textRight -= arrowWidth;
  }
  arrows_->setVisible(controls.arrows);
  if (controls.button) {
    button_->setGeometry(cell.right() - buttonWidth + 1, cell.top(), buttonWidth, cell.height());
    textRight -= buttonWidth;
  }
  button_->setVisible(controls.button);
  if (controls.textBox) {
    edit_->setGeometry(QRect(cell.topLeft(), QPoint(textRight, cell.bottom())));
    // The editor expects this change too: it skips the box being filled.
    edit_->setText(ToQString(controls.text));
  }
  edit_->setVisible(controls.textBox);
}

void ParameterGridView::TextChanged(const QString& text) {
  const model::ParameterRow* parameter = RowAt(placedRow_);
  if (parameter == nullptr) return;
  const model::ParameterRow row = *parameter;
  if (editor_.TextChanged(row, text.toStdString())) ShowTypedValue(placedRow_);
}

void ParameterGridView::ShowTypedValue(int row) {
  // The cell shows the stored byte formatted as a rebuild would show it.
  const model::ParameterGrid now = model::ParameterGrid::Build(working_, texts_);
  const model::ParameterRow* fresh = now.RowAt(row);
  model::ParameterRow& shown = rows_[static_cast<std::size_t>(row - 1)];
  if (fresh != nullptr && fresh->byte == shown.byte && fresh->nameId == shown.nameId) {
    shown.value = fresh->value;
    shown.unit = fresh->unit;
  }
  grid_->SetCellText(row, kValueColumn, ToQString(shown.Cell()));
}

void ParameterGridView::Arrow(bool up) {
  StepSelected(up);
  ReleaseArrows();
}

void ParameterGridView::StepSelected(bool up) {
  const model::ParameterRow* parameter = RowAt(grid_->SelectedRow());
  if (parameter == nullptr) return;
  // A copy: the outcome handler shows new rows while the editor works.
  const model::ParameterRow row = *parameter;
  if (up)
    editor_.ArrowUp(row);
  else
    editor_.ArrowDown(row);
}

void ParameterGridView::ReleaseArrows() {
  // A warning shown during the step takes the mouse release; without it the
  // arrow would keep repeating.
  if ((QGuiApplication::mouseButtons() & Qt::LeftButton) != 0) return;
  arrowUp_->setDown(false);
  arrowDown_->setDown(false);
}

void ParameterGridView::Button() {
  const model::ParameterRow* parameter = RowAt(placedRow_);
  if (parameter == nullptr) return;
  const model::ParameterRow row = *parameter;
  editor_.ButtonPressed(row);
}

int ParameterGridView::SelectedRow() const {
  return grid_->SelectedRow();
}

void ParameterGridView::SelectRow(int row) {
  grid_->SelectCell(row, std::min(grid_->FixedColumns(), grid_->columnCount() - 1));
}

const model::ParameterRow* ParameterGridView::SelectedParameter() const {
  return RowAt(grid_->SelectedRow());
}

int ParameterGridView::TopRow() const {
  return grid_->TopRow();
}

void ParameterGridView::SetTopRow(int row) {
  grid_->SetTopRow(row);
}

int ParameterGridView::VisibleRowCount() const {
  return grid_->VisibleRowCount();
}

void ParameterGridView::FocusGrid() {
  grid_->setFocus(Qt::OtherFocusReason);
}

void ParameterGridView::SetVisible(bool visible) {
  grid_->setVisible(visible);
}

bool ParameterGridView::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = static_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      // A click on a row forgets the byte of the last warning.
      if (watched == grid_->viewport()) editor_.RowClicked();
      break;
    case QEvent::MouseMove:
      emit PointerMoved(
          widget->mapTo(grid_, static_cast<QMouseEvent*>(event)->position().toPoint()));
      break;
    case QEvent::Resize:
    case QEvent::Show:
      if (watched == grid_->viewport()) PlaceControls();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace zo::app
