// The journal's text: one line a record, fields separated by tabs, tabs,
// line ends and backslashes inside a field written as \t, \n, \r and \\.
//
//   ZoLpgWin change journal 1
//   S <time> <version> <program> <image at connect, hexadecimal>
//   C <time> <byte> <old> <new> <cause> <parameter> <old as shown> <new as shown>
//
// Times are seconds since 1970 (UTC), bytes and values decimal. A file is
// appended to line by line; a last line without its line end is what a kill
// cut short and is left out when reading, as is any line that does not parse.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "journal/JournalRecord.h"
#include "link/LinkTypes.h"

namespace zo::journal {

struct JournalText {
  std::vector<Session> sessions;
  int skippedLines = 0;  // damaged or cut short
};

class JournalCodec {
 public:
  static constexpr std::string_view kHeader = "ZoLpgWin change journal 1\n";

  static std::string Encode(const SessionStart& start);
  static std::string Encode(const Change& change);
  // Changes before the first session start are kept in a session of time 0.
  static JournalText Decode(std::string_view text);
  // The whole file for these sessions, header included.
  static std::string EncodeAll(const std::vector<Session>& sessions);
  // The parameter image as a session start keeps it: two hexadecimal digits
  // a byte; back again, none unless it holds the whole image.
  static std::string ImageHex(const link::ImageArea& image);
  static std::optional<link::ImageArea> ImageOfHex(std::string_view hex);
};

}  // namespace zo::journal
