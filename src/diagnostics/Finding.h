// One thing the connection check found, as data: its kind and what it is
// about. The window turns it into a sentence and a remedy in the user's
// language.
#pragma once

#include <string>

#include "link/LinkQuality.h"

namespace zo::diagnostics {

enum class FindingKind {
  NotInGroup,         // the device's group is not the user's: `name` is the group
  GroupNeedsLogin,    // the user is in the group, this session not yet: `name`
  BrlttyTookAdapter,  // brltty holds the adapter `name` (maker, product and ids)
  ModemManager,       // ModemManager runs and may probe `device`
  PortInUse,          // process `number` named `name` has `device` open
  LatencyHigh,        // the FTDI latency timer of `device` (node `name`) stays at `number` ms
  LinkGood,           // the replies of the last minute, all or nearly all good
  LinkPoor,           // the replies of the last minute, many damaged or missing
};

struct Finding {
  FindingKind kind = FindingKind::LinkGood;
  std::string device;  // the port it is about, as the program knows it
  std::string name;
  int number = 0;
  link::ReplyCounts replies;

  bool operator==(const Finding&) const = default;
};

}  // namespace zo::diagnostics
