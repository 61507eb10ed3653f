// The parameter grid `GridEx1` with its value editor: the text box `Edit1`,
// the arrows `UpDown1` and the button `BitBtn1`, placed over the value cell
// of the selected row. The window places the grid (ApplyGeometry) and feeds
// it the rows the model builds (Show); every edit goes to the parameter
// editor, which changes the working copy. After an arrow step or a button
// press the editor calls its outcome handler, set by the window, which
// rebuilds the rows and calls Show again.
#pragma once

#include <QObject>
#include <QPoint>
#include <string>
#include <vector>

#include "app/widgets/GridGeometry.h"
#include "link/LinkTypes.h"
#include "model/ITextSource.h"
#include "model/ParameterEditor.h"
#include "model/ParameterGrid.h"

class QLineEdit;
class QToolButton;
class QWidget;

namespace zo::app {

class StringGrid;

class ParameterGridView : public QObject {
  Q_OBJECT

 public:
  // The grid is created on `parent`; `working` is the working copy the
  // editor changes, read back to show a typed value.
  ParameterGridView(QWidget* parent, model::ParameterEditor& editor, const link::ImageArea& working,
                    const model::ITextSource& texts);

  // Places and shapes the grid, keeps the selected row when it still exists
  // and places the edit controls again.
  void ApplyGeometry(const GridGeometry& geometry);

  // The rows of the Parameters page: the header, names in their colours,
  // value cells; rows left over are blanked. The selection stays.
  void Show(const model::ParameterGrid& rows);
  // Empties every cell and forgets the parameter rows (the other pages).
  void Clear();
  // A cell of the other pages; row 0 is the header row. UTF-8 text.
  void SetCell(int row, int column, const std::string& text);
  [[nodiscard]] std::string Cell(int row, int column) const;

  // Places the controls of the selected row's edit style over its value cell
  // while the editor's controls are active; hides them otherwise.
  void PlaceControls();
  // The Left and Right keys: the selected parameter one step down or up.
  void StepSelected(bool up);

  [[nodiscard]] int SelectedRow() const;  // 0: none
  void SelectRow(int row);                // the row's first selectable cell
  [[nodiscard]] const model::ParameterRow* SelectedParameter() const;
  [[nodiscard]] int TopRow() const;
  void SetTopRow(int row);
  [[nodiscard]] int VisibleRowCount() const;  // rows below the header wholly in view
  void FocusGrid();
  void SetVisible(bool visible);

  // For the cell hint: the grid itself (cell rectangles, column widths,
  // the cell under a point).
  [[nodiscard]] StringGrid& Grid() const { return *grid_; }

 signals:
  // The mouse moved over the grid; the position is in the grid's coordinates.
  void PointerMoved(QPoint position);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const model::ParameterRow* RowAt(int row) const;
  void HideControls();
  void TextChanged(const QString& text);
  void Arrow(bool up);
  void Button();
  void ReleaseArrows();
  void ShowTypedValue(int row);

  model::ParameterEditor& editor_;
  const link::ImageArea& working_;
  const model::ITextSource& texts_;
  StringGrid* grid_;
  QLineEdit* edit_;
  QWidget* arrows_;
  QToolButton* arrowUp_;
  QToolButton* arrowDown_;
  QToolButton* button_;
  std::vector<model::ParameterRow> rows_;
  GridGeometry shape_;
  int placedRow_ = 0;  // the row the controls stand on, 0 for none
};

}  // namespace zo::app
