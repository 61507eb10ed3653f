// Places every area of the main window: gives the layout routine the
// measures only the widgets know (tabs, tool bar, switch panel, grid rows,
// time base) and applies its result to the widgets. The geometry itself is
// the layout routine's.
#pragma once

#include <QRect>

#include "app/MainViews.h"
#include "app/rules/MainLayout.h"
#include "link/LinkTypes.h"
#include "texts/TextsFwd.h"
#include "visual/IndicatorSlots.h"

namespace zo::app {

class UpgradePage;

class AreaPlacement {
 public:
  AreaPlacement(const MainViews& views, const UpgradePage& upgrade,
                const texts::TextCatalogue& texts)
      : views_(views), upgrade_(upgrade), texts_(texts) {}

  // Fills in the widgets' part of the layout routine's input.
  void Measure(LayoutInput& in) const;
  // Applies the routine's result for the input it was computed from.
  void Apply(const LayoutInput& in, const LayoutResult& r) const;
  // The main window's measures in screen pixels for the arranged indicator
  // row; `frame` is the window with its frame, `clientTop` the client area's
  // top edge on the screen.
  [[nodiscard]] visual::ArrangeInputs ArrangeInputs(const QRect& frame, int clientTop,
                                                    link::Page page) const;

 private:
  void ApplyPageButtons(const LayoutResult& r) const;
  void ApplyLowerArea(const LayoutResult& r) const;
  void ApplyParameterGrid(const LayoutResult& r, link::Page page) const;

  const MainViews& views_;
  const UpgradePage& upgrade_;
  const texts::TextCatalogue& texts_;
};

}  // namespace zo::app
