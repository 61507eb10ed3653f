// The Port menu's commands after the ports: the link trace, started into a
// file the user names (a new name with the date and time proposed) and
// stopped again, with its tick in the menu and its mark in the window.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include "app/MainParts.h"
#include "app/views/MenuCommands.h"
#include "link/IEventPump.h"
#include "link/LinkTrace.h"

namespace zo::app {

class TraceCommands : public QObject {
 public:
  // `clock` is the link's, so the trace's times are the link's own.
  TraceCommands(const MainParts& parts, link::LinkTrace& trace, const link::IEventPump& clock);

  void Run(PortCommand command);
  // `MenuPortTrace`: starts the trace when it is off, else stops it.
  void ToggleLinkTrace();

  // The proposed name of a trace started at that local date and time.
  static QString ProposedName(const QDateTime& now);

 private:
  void StartLinkTrace();
  void ShowState();

  const MainParts& p_;
  link::LinkTrace& trace_;
  const link::IEventPump& clock_;
};

}  // namespace zo::app
