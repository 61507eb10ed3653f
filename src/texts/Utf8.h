// UTF-8 text as the help window needs it: code points in and out, the first
// characters of a text, and upper case for the letters of the program's
// languages. Plain C++.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace zo::texts {

class Utf8 {
 public:
  // A byte that continues a sequence rather than starting a character.
  [[nodiscard]] static bool IsContinuation(unsigned char byte) { return (byte & 0xC0u) == 0x80u; }

  // The sequence at byte `i`: its code point and length in bytes; nothing
  // for a malformed (overlong, surrogate, beyond Unicode) or cut sequence.
  [[nodiscard]] static std::optional<std::pair<char32_t, std::size_t>> Decode(std::string_view s,
                                                                              std::size_t i);
  static void Append(char32_t c, std::string& out);
  [[nodiscard]] static bool IsValid(std::string_view text);
  // Each byte as the Latin-1 letter of its code.
  [[nodiscard]] static std::string FromLatin1(std::string_view text);

  // The first `count` characters of `text`.
  [[nodiscard]] static std::string_view First(std::string_view text, std::size_t count);

  // Upper case for ASCII, Latin-1 (German umlauts), Latin Extended-A (Polish,
  // Lithuanian) and Cyrillic letters; other characters and malformed bytes
  // stay as they are.
  [[nodiscard]] static std::string Upper(std::string_view text);
  [[nodiscard]] static char32_t Upper(char32_t c);
};

}  // namespace zo::texts
