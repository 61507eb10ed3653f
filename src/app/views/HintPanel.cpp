#include "app/views/HintPanel.h"

#include <QMouseEvent>

#include "app/widgets/StringGrid.h"

namespace zo::app {

HintPanel::HintPanel(QWidget* client) : QLabel(client) {
  setObjectName(QStringLiteral("PanelHint"));
  setFrameShape(QFrame::Box);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, QColor(255, 255, 225));
  colours.setColor(QPalette::WindowText, Qt::black);
  setPalette(colours);
  setContentsMargins(1, 0, 1, 0);
  hide();
}

bool HintPanel::PointerMoved(const StringGrid& grid, Source source, QPoint position,
                             const Replacement& replacement) {
  const PointerCell cell = CellHint::CellAt(position.x(), position.y(), grid.ColumnWidth(0),
                                            grid.TopRow(), grid.RowHeight());
  const bool sameCell = source == source_ && cell == cell_;
  if (!sameCell) clickedAway_ = false;
  source_ = source;
  cell_ = cell;
  const QRect rect = grid.CellRect(cell.row, cell.column);
  QString text = grid.CellText(cell.row, cell.column);
  const std::optional<std::string> replaced =
      replacement ? replacement(cell) : std::optional<std::string>{};
  if (replaced) text = QString::fromStdString(*replaced);
  if (rect.isEmpty() || text.isEmpty()) {
    hide();
    return false;
  }
  HintInput in;
  const QPoint origin = grid.mapTo(parentWidget(), QPoint(0, 0));
  in.gridLeft = origin.x();
  in.gridTop = origin.y();
  in.cell = Rect{rect.x(), rect.y(), rect.width(), rect.height()};
  in.defaultRowHeight = grid.RowHeight();
  in.textWidth = fontMetrics().horizontalAdvance(text);
  // The signal list is judged by its name column, the parameter grid by the
  // column under the pointer.
  in.columnWidth = grid.ColumnWidth(source == Source::SignalList ? 0 : cell.column);
  in.alwaysTooWide = replaced.has_value();
  in.clickedAway = clickedAway_;
  const HintPlacement placement = CellHint::Place(in);
  if (placement.action != HintAction::Show) {
    hide();
    return false;
  }
  setText(text);
  setGeometry(placement.panel.x, placement.panel.y, placement.panel.w, placement.panel.h);
  raise();
  show();
  return true;
}

void HintPanel::mousePressEvent(QMouseEvent* event) {
  static_cast<void>(event);
  hide();
  clickedAway_ = true;
  emit ClickedAway(source_, cell_.row);
}

}  // namespace zo::app
