// Looks up user texts by text id in the current language. The main window
// hands the real text catalogue in; tests use a small table of their own.
#pragma once

#include <string>

namespace zo::model {

class ITextSource {
 public:
  virtual ~ITextSource() = default;
  // The text of `id` with `indent` (0..4) leading spaces; a missing text
  // yields the spaces alone.
  [[nodiscard]] virtual std::string Text(int id, int indent = 0) const = 0;
};

}  // namespace zo::model
