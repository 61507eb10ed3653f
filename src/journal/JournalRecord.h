// What a journal holds: sessions, each opened when a controller is connected
// (or a journal is first written in it), and the changes the controller
// confirmed in it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/ChangeCause.h"

namespace zo::journal {

using link::CauseOfToken;
using link::CauseToken;
using link::ChangeCause;

// One byte the controller confirmed, as the user read it and as bytes.
struct Change {
  std::int64_t time = 0;  // seconds since 1970, UTC
  int byte = 0;           // index in the parameter image
  std::uint8_t oldValue = 0;
  std::uint8_t newValue = 0;
  ChangeCause cause = ChangeCause::GridEdit;
  std::string parameter;  // the catalogue's name, empty for a byte it does not list
  std::string oldText;    // formatted as in the grid
  std::string newText;

  friend bool operator==(const Change&, const Change&) = default;
};

struct SessionStart {
  std::int64_t time = 0;
  int version = 0;           // firmware version in hundredths at connect
  std::string program;       // the program's version, "1.79"
  std::string connectImage;  // the image read at connect, hexadecimal, 368 digits

  friend bool operator==(const SessionStart&, const SessionStart&) = default;
};

struct Session {
  SessionStart start;
  std::vector<Change> changes;

  friend bool operator==(const Session&, const Session&) = default;
};

}  // namespace zo::journal
