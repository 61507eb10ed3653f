// The signal list `Grid`: a header row and one row per live signal with its
// name and its value text; column 2 holds the gauge and column 3 the trace
// switch, which stand over the cells. The window places the list
// (ApplyGeometry), builds its rows for the page (Build) and shows each
// history sample (ShowSample); a click on a row names its signal.
#pragma once

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/rules/SignalListRows.h"
#include "model/ITextSource.h"
#include "model/LiveSignals.h"
#include "texts/TextIds.h"

class QWidget;

namespace zo::app {

class StringGrid;

class SignalListView : public QObject {
  Q_OBJECT

 public:
  static constexpr int kSampleSize = 16;

  SignalListView(QWidget* parent, const model::ITextSource& texts);

  // Place, column width and count (4, or 3 without the oscilloscope), row
  // height, and the font size in points (the window's font otherwise).
  void ApplyGeometry(QRect rect, int columnWidth, int columnCount, int rowHeight,
                     int fontPointSize);
  void SetColours(QColor cells, QColor fixed);

  // Header and names; the value cells stay empty until the next sample.
  // The list has at least one row below the header.
  void Build(const SignalListRows& rows);
  // Plain rows instead of signals (the analogue inputs of the PORT page):
  // the two header texts and `rowCount` empty rows; no signal is listed.
  void BuildTable(int nameHeaderText, int valueHeaderText, int rowCount);
  void SetCell(int row, int column, const std::string& text);
  // Column 1 of every row from a history sample; `sensorType` is the image's
  // temperature sensor byte.
  void ShowSample(std::span<const std::uint8_t, kSampleSize> sample, std::uint8_t sensorType);
  // The value text of one signal from its raw byte (the Configuration page's
  // reply carries its bytes elsewhere), or a text of its own. UTF-8.
  void ShowValue(model::SignalKind kind, std::uint8_t raw, std::uint8_t sensorType);
  void SetValueText(model::SignalKind kind, const std::string& text);

  // The row-to-kind table: grid row r >= 1 shows Kinds()[r - 1].
  [[nodiscard]] const std::vector<model::SignalKind>& Kinds() const { return kinds_; }
  [[nodiscard]] std::optional<model::SignalKind> KindAt(int row) const;
  [[nodiscard]] int RowOf(model::SignalKind kind) const;  // 0 when not listed
  [[nodiscard]] std::string Cell(int row, int column) const;

  [[nodiscard]] int TopRow() const;
  [[nodiscard]] int VisibleRowCount() const;
  void SetVisible(bool visible);
  [[nodiscard]] StringGrid& Grid() const { return *grid_; }

 signals:
  void RowClicked(zo::model::SignalKind kind);
  // The mouse moved over the list; the position is in the list's coordinates.
  void PointerMoved(QPoint position);
  // The rows, their places or the list's visibility changed: the widgets
  // standing over the rows follow.
  void RowsChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const model::ITextSource& texts_;
  StringGrid* grid_;
  std::vector<model::SignalKind> kinds_;
  int nameHeaderText_ = txt::kHeaderSignals;
};

}  // namespace zo::app
