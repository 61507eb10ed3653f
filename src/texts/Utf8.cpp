#include "texts/Utf8.h"

namespace zo::texts {

std::optional<std::pair<char32_t, std::size_t>> Utf8::Decode(std::string_view s, std::size_t i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  if (lead < 0x80) return std::pair{static_cast<char32_t>(lead), std::size_t{1}};
  std::size_t length = 0;
  char32_t c = 0;
  if ((lead & 0xE0u) == 0xC0u) {
    length = 2;
    c = lead & 0x1Fu;
  } else if ((lead & 0xF0u) == 0xE0u) {
    length = 3;
    c = lead & 0x0Fu;
  } else if ((lead & 0xF8u) == 0xF0u) {
    length = 4;
    c = lead & 0x07u;
  } else {
    return std::nullopt;
  }
  if (i + length > s.size()) return std::nullopt;
  for (std::size_t k = 1; k < length; ++k) {
    const auto byte = static_cast<unsigned char>(s[i + k]);
    if (!IsContinuation(byte)) return std::nullopt;
    c = (c << 6) | (byte & 0x3Fu);
  }
  // Overlong forms, surrogates and codes past Unicode are malformed too.
  constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kShortest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  return std::pair{c, length};
}

bool Utf8::IsValid(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto decoded = Decode(text, i);
    if (!decoded) return false;
    i += decoded->second;
  }
  return true;
}

std::string Utf8::FromLatin1(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text)
    Append(static_cast<unsigned char>(c), out);
  return out;
}

void Utf8::Append(char32_t c, std::string& out) {
  const auto byte = [&out](char32_t value) { out += static_cast<char>(value); };
  if (c < 0x80) {
    byte(c);
  } else if (c < 0x800) {
    byte(0xC0 | (c >> 6));
    byte(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    byte(0xE0 | (c >> 12));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  } else {
    byte(0xF0 | (c >> 18));
    byte(0x80 | ((c >> 12) & 0x3F));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  }
}

std::string_view Utf8::First(std::string_view text, std::size_t count) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsContinuation(static_cast<unsigned char>(text[i]))) continue;
    if (characters++ == count) return text.substr(0, i);
  }
  return text;
}

char32_t Utf8::Upper(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;  // Latin-1: ä ö ü ó ...
  if (c == 0xFF) return 0x178;
  // Latin Extended-A: pairs of capital and small letter, the capital first
  // except in the two stretches that start on an odd code.
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return (c & 1u) ? c - 1 : c;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1u) ? c : c - 1;
  if (c >= 0x430 && c <= 0x44F) return c - 32;  // а..я
  if (c >= 0x450 && c <= 0x45F) return c - 80;  // ѐ..џ, ё among them
  return c;
}

std::string Utf8::Upper(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto decoded = Decode(text, i);
    if (!decoded) {
      out += text[i++];
      continue;
    }
    Append(Upper(decoded->first), out);
    i += decoded->second;
  }
  return out;
}

}  // namespace zo::texts
