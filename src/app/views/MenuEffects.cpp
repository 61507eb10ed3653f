#include "app/views/MenuEffects.h"

#include "app/views/MainMenus.h"

namespace zo::app {

void MenuEffects::SetConnectCaptions(int textId) {
  menus_->SetConnectCaption(texts_, textId);
}

void MenuEffects::SetPortEntries(const std::vector<link::PortMenuEntry>& entries) {
  menus_->SetPortEntries(entries);
}

void MenuEffects::CheckPortEntries(int tag) {
  menus_->CheckPortEntries(tag);
}

}  // namespace zo::app
