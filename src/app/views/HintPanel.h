// The cell hint `PanelHint`: shows the whole text of a grid cell too narrow
// for it, over the cell under the pointer. A click hides it and keeps it
// hidden for that cell until the pointer moves to another one.
#pragma once

#include <QLabel>
#include <functional>
#include <optional>
#include <string>

#include "app/rules/CellHint.h"

namespace zo::app {

class StringGrid;

class HintPanel : public QLabel {
  Q_OBJECT

 public:
  enum class Source { SignalList, ParameterGrid };

  explicit HintPanel(QWidget* client);

  // A text shown over a cell instead of the cell's own, always as a hint
  // (UTF-8); nothing keeps the cell's text.
  using Replacement = std::function<std::optional<std::string>(PointerCell)>;

  // The pointer moved to `position` (the grid's coordinates) over `grid`.
  // Returns true when the panel was shown.
  bool PointerMoved(const StringGrid& grid, Source source, QPoint position,
                    const Replacement& replacement = {});

 signals:
  // The panel was clicked away; for the parameter grid its row becomes the
  // selected one.
  void ClickedAway(zo::app::HintPanel::Source source, int row);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  Source source_ = Source::SignalList;
  PointerCell cell_{-1, -1};
  bool clickedAway_ = false;
};

}  // namespace zo::app
