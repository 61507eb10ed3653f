#include "texts/CatalogueFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>

namespace zo::texts {

namespace {

bool InAnyRange(int key, std::span<const KeyRange> allowed) {
  return std::any_of(allowed.begin(), allowed.end(),
                     [key](const KeyRange& r) { return key >= r.first && key <= r.last; });
}

// Well-formed UTF-8: no stray continuation bytes, no truncated or overlong
// sequences, nothing beyond U+10FFFF and no surrogates.
bool IsUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    std::uint32_t cp = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    }
    if ((lead & 0xE0) == 0xC0) {
      length = 2;
      cp = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      cp = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      cp = lead & 0x07u;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (next & 0x3Fu);
    }
    constexpr std::array<std::uint32_t, 5> kSmallest{0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

std::string LineError(std::size_t lineNumber, std::string_view what) {
  return "line " + std::to_string(lineNumber) + ": " + std::string(what);
}

}  // namespace

bool CatalogueFile::Unescape(std::string_view raw, std::string& out) {
  out.clear();
  out.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return false;
    if (c != '\\') {
      out.push_back(c);
      continue;
    }
    if (++i == raw.size()) return false;
    switch (raw[i]) {
      case 'n':
        out.push_back('\n');
        break;
      case 'r':
        out.push_back('\r');
        break;
      case 't':
        out.push_back('\t');
        break;
      case '\\':
        out.push_back('\\');
        break;
      default:
        return false;
    }
  }
  return true;
}

CatalogueParseResult CatalogueFile::Parse(std::string_view content,
                                          std::span<const KeyRange> allowed) {
  CatalogueParseResult result;
  std::size_t lineNumber = 0;
  while (!content.empty()) {
    ++lineNumber;
    const std::size_t end = content.find('\n');
    const std::string_view line = content.substr(0, end);
    content = end == std::string_view::npos ? std::string_view{} : content.substr(end + 1);

    if (line.empty() || line.front() == '#') continue;
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) {
      result.errors.push_back(LineError(lineNumber, "no TAB between key and text"));
      continue;
    }
    const std::string_view keyText = line.substr(0, tab);
    int key = 0;
    const auto [ptr, ec] = std::from_chars(keyText.data(), keyText.data() + keyText.size(), key);
    if (ec != std::errc{} || ptr != keyText.data() + keyText.size()) {
      result.errors.push_back(LineError(lineNumber, "key is not a number"));
      continue;
    }
    if (!InAnyRange(key, allowed)) {
      result.errors.push_back(
          LineError(lineNumber, "key " + std::to_string(key) + " out of range"));
      continue;
    }
    if (!IsUtf8(line)) {
      result.errors.push_back(LineError(lineNumber, "text is not UTF-8"));
      continue;
    }
    CatalogueEntryText entry{key, {}};
    if (!Unescape(line.substr(tab + 1), entry.text)) {
      result.errors.push_back(
          LineError(lineNumber, "unknown escape or raw control character (use \\n \\r \\t \\\\)"));
      continue;
    }
    result.entries.push_back(std::move(entry));
  }

  std::stable_sort(result.entries.begin(), result.entries.end(),
                   [](const auto& a, const auto& b) { return a.key < b.key; });
  for (std::size_t i = 1; i < result.entries.size(); ++i) {
    if (result.entries[i].key == result.entries[i - 1].key) {
      result.errors.push_back("key " + std::to_string(result.entries[i].key) +
                              " appears more than once");
    }
  }
  return result;
}

}  // namespace zo::texts
