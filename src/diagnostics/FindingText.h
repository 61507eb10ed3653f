// A finding in words: the sentence that says what was found (with what it is
// about) and the one line that says what to do, as catalogue texts and the
// literal names and numbers between them.
#pragma once

#include "diagnostics/Finding.h"
#include "texts/UserText.h"

namespace zo::diagnostics {

class FindingText {
 public:
  [[nodiscard]] static texts::UserText Statement(const Finding& finding);
  [[nodiscard]] static texts::UserText Remedy(const Finding& finding);
};

}  // namespace zo::diagnostics
