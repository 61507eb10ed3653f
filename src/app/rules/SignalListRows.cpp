#include "app/rules/SignalListRows.h"

namespace zo::app {

SignalListRows SignalListRows::For(const link::ImageArea& image, bool serviceMode,
                                   link::Page page) {
  using model::SignalKind;
  if (page == link::Page::Configuration)
    return {txt::kHeaderConfiguration,
            {SignalKind::Rpm, SignalKind::Lam, SignalKind::Tps, SignalKind::Mot}};
  return {txt::kHeaderSignals, model::LiveSignals::Listed(image, serviceMode, page)};
}

}  // namespace zo::app
