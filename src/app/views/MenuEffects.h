// The connect and port entries of the main menu and the port pop-up menu.
#pragma once

#include "link/IMenuEffects.h"
#include "texts/TextsFwd.h"

namespace zo::app {

class MainMenus;

class MenuEffects : public link::IMenuEffects {
 public:
  // `menus` is filled in when the window builds its views.
  MenuEffects(MainMenus* const& menus, const texts::TextCatalogue& texts)
      : menus_(menus), texts_(texts) {}

  void SetConnectCaptions(int textId) override;
  void SetPortEntries(const std::vector<link::PortMenuEntry>& entries) override;
  void CheckPortEntries(int tag) override;

 private:
  MainMenus* const& menus_;
  const texts::TextCatalogue& texts_;
};

}  // namespace zo::app
