#include "app/views/ProcessorPages.h"

#include <QFontMetrics>
#include <algorithm>

#include "app/views/ParameterGridView.h"
#include "app/views/SignalListView.h"
#include "app/widgets/StringGrid.h"
#include "link/ImageMap.h"
#include "model/ProcessorView.h"
#include "texts/TextIds.h"

namespace zo::app {

namespace {

using model::ProcessorView;

constexpr int kNameColumn = 0;
constexpr int kValueColumn = 1;
constexpr int kInputNameColumn = 2;
constexpr std::size_t kPortBytes = 3;
// Pixels beside the digits of a dump cell: the cell's text padding on both
// sides and a gap that keeps neighbouring values apart.
constexpr int kDumpCellMargin = 8;

}  // namespace

ProcessorPages::ProcessorPages(ParameterGridView& grid, SignalListView& list,
                               const link::ImageArea& working, const model::ITextSource& texts)
    : grid_(grid), list_(list), working_(working), texts_(texts) {}

bool ProcessorPages::IsProcessorPage(link::Page page) {
  return page == link::Page::Port || page == link::Page::Ram || page == link::Page::Eeprom;
}

int ProcessorPages::Model() const {
  return working_[link::ImageMap::kModel];
}

int ProcessorPages::ColumnWidth(link::Page page, int laidOut) const {
  if (page != link::Page::Ram && page != link::Page::Eeprom) return laidOut;
  const int digits = grid_.Grid().fontMetrics().horizontalAdvance(QStringLiteral("888"));
  return std::max(laidOut, digits + kDumpCellMargin);
}

void ProcessorPages::BuildGrid(link::Page page) {
  grid_.Clear();
  if (page == link::Page::Port) {
    grid_.SetCell(0, kNameColumn, texts_.Text(txt::kHeaderPort));
    grid_.SetCell(0, kValueColumn, texts_.Text(txt::kHeaderState));
    for (int pin = 0; pin < ProcessorView::kPins; ++pin)
      grid_.SetCell(pin + 1, kNameColumn, ProcessorView::PinName(Model(), pin));
    // A controller read again may be another model: its input names too.
    return BuildInputList();
  }
  if (page != link::Page::Ram && page != link::Page::Eeprom) return;
  StringGrid& cells = grid_.Grid();
  for (int row = 1; row <= ProcessorView::kBlockSize; ++row)
    grid_.SetCell(row, 0, ProcessorView::DumpRowLabel(row));
  for (int column = 1; column < cells.columnCount(); ++column)
    grid_.SetCell(0, column, ProcessorView::DumpColumnLabel(column));
  // A dump has no row to work on: no cell stands out as chosen.
  cells.clearSelection();
}

void ProcessorPages::BuildInputList() {
  list_.BuildTable(txt::kHeaderConverter, txt::kHeaderVoltage, ProcessorView::kInputs);
  for (int input = 0; input < ProcessorView::kInputs; ++input) {
    list_.SetCell(input + 1, kNameColumn, ProcessorView::InputLabel(input));
    list_.SetCell(input + 1, kInputNameColumn, ProcessorView::InputName(Model(), input));
  }
}

void ProcessorPages::ShowInputs(std::span<const std::uint8_t> inputs) {
  const auto count = static_cast<std::size_t>(ProcessorView::kInputs);
  if (inputs.size() < count + kPortBytes) return;
  for (std::size_t input = 0; input < count; ++input)
    list_.SetCell(static_cast<int>(input) + 1, kValueColumn,
                  ProcessorView::InputText(inputs[input]));
  const std::span<const std::uint8_t, kPortBytes> ports = inputs.subspan<8, kPortBytes>();
  for (int pin = 0; pin < ProcessorView::kPins; ++pin)
    grid_.SetCell(pin + 1, kValueColumn, ProcessorView::PinState(ports, pin));
}

void ProcessorPages::ShowBlock(int block, std::span<const std::uint8_t> values) {
  const auto size = static_cast<std::size_t>(ProcessorView::kBlockSize);
  for (std::size_t offset = 0; offset < values.size() && offset < size; ++offset) {
    const model::DumpCell cell = ProcessorView::CellOf(block, static_cast<int>(offset));
    grid_.SetCell(cell.row, cell.column, ProcessorView::CellText(values[offset]));
  }
}

std::optional<std::string> ProcessorPages::ResetCauseHint(link::Page page,
                                                          const model::ParameterGrid& rows,
                                                          PointerCell cell) const {
  if (page != link::Page::Parameters) return std::nullopt;
  return ProcessorView::ResetCauseHint(working_, rows, grid_.SelectedRow(),
                                       cell.row == 1 && cell.column == kValueColumn);
}

}  // namespace zo::app
