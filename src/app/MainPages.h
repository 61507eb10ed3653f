// The page the main window shows and what is on it: page switching, the
// parameter grid and the signal list rebuilt for the page, the newest or
// chosen sample shown, the areas placed, and a controller or file session
// applied to the caption, the page buttons and the switch panel.
#pragma once

#include <string_view>

#include "app/MainParts.h"
#include "app/rules/WindowRules.h"
#include "link/LinkTypes.h"
#include "model/ParameterGrid.h"
#include "visual/IndicatorSlots.h"

namespace zo::app {

class MainPages {
 public:
  explicit MainPages(const MainParts& parts) : p_(parts) {}

  // Page buttons and `Btn1`..`Btn3`.
  void TabClick(PageButton button);
  void PageButtonNClick(int index);
  void ShowPage(link::Page page);
  // `Btn1` and Enter on the Upgrade page: the selected image to the controller.
  void StartUpload();
  // A file shown as a controller names itself in the caption.
  void ModelHandling(link::ConnectionState connectionState, std::string_view filePath = {});
  // The petrol/gas switch's lamp layout, 0..2, for the lamps and the ticks.
  void SetLampLayout(int layout);
  void RebuildGrid();
  void RebuildSignalList();
  void ShowSample(int index);
  // Places every area for the current page, size, font and layout, from the
  // window's first show until it closes.
  void Layout();
  void MarkShown() { shown_ = true; }
  void MarkClosing() { closing_ = true; }
  [[nodiscard]] bool Shown() const { return shown_; }
  [[nodiscard]] bool Closing() const { return closing_; }
  [[nodiscard]] const model::ParameterGrid& Grid() const { return grid_; }

 private:
  void LeavePage(link::Page from);
  // The main window's measures in screen pixels for the arranged indicator row.
  [[nodiscard]] visual::ArrangeInputs IndicatorArrangeInputs() const;

  const MainParts& p_;
  model::ParameterGrid grid_;
  WindowRules rules_;
  bool shown_ = false;
  bool closing_ = false;
};

}  // namespace zo::app
