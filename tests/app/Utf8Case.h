// Upper case of UTF-8 text as the toolkit makes it for the letters of the
// five languages, for the tests that compare texts case-insensitively.
#pragma once

#include <string>
#include <string_view>

namespace zo::app::test {

inline std::u32string Decode(std::string_view utf8) {
  std::u32string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    const unsigned leadBits = length == 1 ? lead : lead & (0x7FU >> length);
    char32_t c = leadBits;
    for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3FU);
    out.push_back(c);
    i += length;
  }
  return out;
}

inline void Append(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Upper case as the toolkit makes it for the letters of the five languages:
// Latin, Latin-1, Latin Extended-A (Polish, Lithuanian) and Cyrillic.
inline std::string Upper(std::string_view utf8) {
  std::string out;
  for (char32_t c : Decode(utf8)) {
    if (c == U'\u00DF') {
      out += "SS";
      continue;
    }
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) ||
        (c >= 0x430 && c <= 0x44F)) {
      c -= 0x20;
    } else if (c >= 0x450 && c <= 0x45F) {
      c -= 0x50;
    } else if (((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) && (c & 1) != 0) {
      c -= 1;
    } else if (((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) && (c & 1) == 0) {
      c -= 1;
    }
    Append(out, c);
  }
  return out;
}

}  // namespace zo::app::test
