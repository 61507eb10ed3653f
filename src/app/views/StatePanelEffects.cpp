#include "app/views/StatePanelEffects.h"

#include <QWidget>

#include "app/QtText.h"
#include "app/views/LowerPanels.h"
#include "app/views/SignalListView.h"
#include "app/views/SignalListWidgets.h"
#include "app/views/TopPanel.h"
#include "app/widgets/StringGrid.h"
#include "link/ImageMap.h"
#include "texts/TextCatalogue.h"
#include "visual/InfoPanelRule.h"
#include "visual/StatePanels.h"

namespace zo::app {

int StatePanelEffects::ShowLinkState(const link::LinkStateDisplay& display) {
  const visual::InfoPanelView view = visual::InfoPanelRule::Compute(display, state_.scopeRunning);
  const QColor header = views_.window.palette().color(QPalette::Button);
  if (!view.keep)
    views_.lower->PaintInfo(view.background ? FromStored(*view.background) : header,
                            FromStored(view.textColour),
                            view.textId != 0 ? Q(texts_.Text(view.textId)) : QString());
  views_.top->SetPortPicture(!display.alive && (display.tickCounter % 2) != 0);
  // In automatic mode `PanelOpcje` names what the controller still waits for.
  const visual::PanelView options =
      visual::StatePanels::OptionsOnTick(display, views_.signalView->Grid().isVisible());
  if (options.background) views_.lower->ShowOptions(options, texts_);
  const link::ImageArea& image = state_.workingCopy;
  views_.top->ShowSwitch(display,
                         {image[link::ImageMap::kLevel1], image[link::ImageMap::kLevel2],
                          image[link::ImageMap::kLevel3], image[link::ImageMap::kLevel4]},
                         views_.listWidgets->LevelDirection());
  return views_.top->GasLampBlinking() ? 1 : 0;
}

void StatePanelEffects::ToggleGasLamp() {
  views_.top->ToggleGasLamp();
}

void StatePanelEffects::ResetOptionsPanel() {
  views_.lower->PaintOptions(views_.window.palette().color(QPalette::Button), Qt::black, QString());
}

}  // namespace zo::app
