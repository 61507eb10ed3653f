// The connection check as plain text, one port and one finding a line with
// its remedy on the next, in the current language: what a support package
// keeps of the check.
#pragma once

#include <string>

#include "diagnostics/ConnectionCheck.h"
#include "texts/TextCatalogue.h"

namespace zo::diagnostics {

class CheckReportText {
 public:
  [[nodiscard]] static std::string Plain(const CheckReport& report,
                                         const texts::TextCatalogue& texts);
};

}  // namespace zo::diagnostics
