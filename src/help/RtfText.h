// The text of a rich-text (RTF) document as plain UTF-8, for the help pane:
// paragraphs and line breaks become '\n', tabs stay, \uN characters and
// \'hh bytes (Windows-1251 when the document says so, else Latin-1) become
// letters; formatting, font and colour tables, pictures and other
// destinations are dropped. Plain C++.
#pragma once

#include <string>
#include <string_view>

namespace zo::help {

class RtfText {
 public:
  // Whether `bytes` begin as a rich-text document ("{\rtf").
  [[nodiscard]] static bool IsRichText(std::string_view bytes);
  [[nodiscard]] static std::string ToPlain(std::string_view rtf);
};

}  // namespace zo::help
