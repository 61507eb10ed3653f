// The Port menu's connection check: runs the check over the ports the
// program knows and shows it in its window, and offers it with a question
// when the connection manager says the controller cannot be reached.
#pragma once

#include <QObject>
#include <QPointer>

#include "app/MainParts.h"
#include "diagnostics/ConnectionCheck.h"
#include "platform/NodeOwners.h"

namespace zo::app {

class ConnectionCheckWindow;

class CheckCommands : public QObject {
  Q_OBJECT

 public:
  // Takes the Port menu's check entry.
  explicit CheckCommands(const MainParts& parts);

  // Opens the check's window with a fresh report, or refreshes it.
  void CheckConnection();
  // Asks whether to check the connection now, once the current event is
  // over (the connection tick that found the trouble must not wait on it).
  void OfferCheck();

  // The check over the ports of the Port menu as it stands now.
  [[nodiscard]] diagnostics::CheckReport RunCheck() const;
  // The same as plain text in the current language, for a support package.
  [[nodiscard]] std::string FindingsText() const;
  // The window while it is open, else null.
  [[nodiscard]] ConnectionCheckWindow* Window() const;

 private:
  void AskNow();

  const MainParts& p_;
  platform::NodeOwners owners_;
  QPointer<ConnectionCheckWindow> window_;
};

}  // namespace zo::app
