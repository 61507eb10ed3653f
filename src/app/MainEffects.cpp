#include "app/MainEffects.h"

#include <utility>

namespace zo::app {

MainEffects::MainEffects(MainWindowParts parts, const MainViews& views, MainWindowSteps steps)
    : progress_(parts.progress, parts.window),
      messages_(parts.messages, parts.window, parts.texts),
      window_(parts.window, parts.timerTx, {views.indicators, views.help, views.hint}, steps),
      menus_(views.menus, parts.texts),
      live_({views.signalView, views.listWidgets, views.indicators, views.scope, views.files},
            parts.wizard, parts.state.workingCopy, std::move(steps.showSample)),
      panels_({views.top, views.lower, views.signalView, views.listWidgets, parts.window},
              parts.texts, parts.state) {}

}  // namespace zo::app
