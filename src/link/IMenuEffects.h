// The main menu and the port pop-up menu: the connect entries and the port
// entries (radio group 1) of `MenuPort` and `PopupMenuCom`.
#pragma once

#include <string>
#include <vector>

namespace zo::link {

// One port entry of both menus.
struct PortMenuEntry {
  std::string caption;
  int tag = 0;  // the port number
  std::string statusTip;
  bool operator==(const PortMenuEntry&) const = default;
};

class IMenuEffects {
 public:
  virtual ~IMenuEffects() = default;

  virtual void SetConnectCaptions(int textId) = 0;  // both connect/disconnect entries
  // Replaces the port entries of both menus (the connect entry and the
  // separator stay).
  virtual void SetPortEntries(const std::vector<PortMenuEntry>& entries) = 0;
  // Checks the entries whose tag is `tag` in both menus; 0 unchecks all.
  virtual void CheckPortEntries(int tag) = 0;
};

}  // namespace zo::link
