// The connection check as plain text, one port and one finding a line with
// its remedy on the next, in the current language: what a support package
// keeps of the check.
#pragma once

#include <string>

#include "diagnostics/ConnectionCheck.h"
#include "texts/TextCatalogue.h"

namespace zo::diagnostics {

// A port as its row shows it.
struct PortColumns {
  std::string device;  // with the node it leads to when that differs
  std::string driver;  // "not present" for a device that is gone
  std::string maker;   // with the USB ids in brackets
  std::string product;
};

// A finding as two lines: what was found (after the device it is about)
// and what to do.
struct FindingLines {
  std::string statement;
  std::string remedy;
};

class CheckReportText {
 public:
  [[nodiscard]] static PortColumns Columns(const PortReport& port,
                                           const texts::TextCatalogue& texts);
  [[nodiscard]] static FindingLines Lines(const Finding& finding,
                                          const texts::TextCatalogue& texts);
  [[nodiscard]] static std::string Plain(const CheckReport& report,
                                         const texts::TextCatalogue& texts);
};

}  // namespace zo::diagnostics
