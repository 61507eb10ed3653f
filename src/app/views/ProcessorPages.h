// The Processor tab's three views in the main window's grids. PORT: the pin
// table in the parameter grid and the analogue inputs in the signal list.
// RAM and EEPROM: the dump table in the parameter grid, filled block by
// block as the replies arrive. The names, texts and addressing come from
// the processor-view rules; this class only puts them into the cells.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "app/rules/CellHint.h"
#include "link/LinkTypes.h"
#include "link/ReplyConsumers.h"
#include "model/ITextSource.h"
#include "model/ParameterGrid.h"

namespace zo::app {

class ParameterGridView;
class SignalListView;

class ProcessorPages : public link::IProcessorReplies {
 public:
  ProcessorPages(ParameterGridView& grid, SignalListView& list, const link::ImageArea& working,
                 const model::ITextSource& texts);

  static bool IsProcessorPage(link::Page page);

  // The dump tables' columns hold three digits clear of the grid lines in
  // the grid's font; other pages keep the laid-out width.
  [[nodiscard]] int ColumnWidth(link::Page page, int laidOut) const;

  // The labels of the page's table in the parameter grid (on PORT also the
  // input list); the value cells stay empty until the replies fill them.
  void BuildGrid(link::Page page);
  // The PORT page's signal list: "ADC0".."ADC7" with the model's input names.
  void BuildInputList();
  // A processor-inputs reply: eight input bytes, then ports B, C and D.
  void ShowInputs(std::span<const std::uint8_t> inputs);
  // A RAM page or EEPROM row: sixteen bytes into the block's column.
  void ShowBlock(int block, std::span<const std::uint8_t> values);
  // link::IProcessorReplies
  void ShowProcessorInputs(std::span<const std::uint8_t> inputs) override { ShowInputs(inputs); }
  void ShowMemoryRow(int page, std::span<const std::uint8_t> values) override {
    ShowBlock(page, values);
  }
  void ShowEepromRow(int row, std::span<const std::uint8_t> values) override {
    ShowBlock(row, values);
  }

  // The text that replaces the hint over a parameter-grid cell on the
  // Parameters page: the last reset cause over the power-errors value.
  [[nodiscard]] std::optional<std::string> ResetCauseHint(link::Page page,
                                                          const model::ParameterGrid& rows,
                                                          PointerCell cell) const;

 private:
  [[nodiscard]] int Model() const;

  ParameterGridView& grid_;
  SignalListView& list_;
  const link::ImageArea& working_;
  const model::ITextSource& texts_;
};

}  // namespace zo::app
