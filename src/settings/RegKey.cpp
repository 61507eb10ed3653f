#include "settings/RegKey.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

namespace zo::settings {

namespace {

constexpr std::string_view kDwordPrefix = "dword:";
constexpr std::size_t kDwordDigits = 8;

// The quoted text starting at `pos` (which must be a '"'), with its escapes
// undone; `pos` ends just past the closing quote. nullopt when the quote is
// not closed or an escape is unknown.
std::optional<std::string> Unquote(std::string_view line, std::size_t& pos) {
  if (pos >= line.size() || line[pos] != '"') return std::nullopt;
  std::string text;
  for (++pos; pos < line.size(); ++pos) {
    const char c = line[pos];
    if (c == '"') {
      ++pos;
      return text;
    }
    if (c != '\\') {
      text += c;
      continue;
    }
    if (++pos == line.size()) return std::nullopt;
    switch (line[pos]) {
      case '\\':
        text += '\\';
        break;
      case '"':
        text += '"';
        break;
      case 'n':
        text += '\n';
        break;
      case 'r':
        text += '\r';
        break;
      default:
        return std::nullopt;
    }
  }
  return std::nullopt;
}

std::string Quote(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    switch (c) {
      case '\\':
        quoted += "\\\\";
        break;
      case '"':
        quoted += "\\\"";
        break;
      case '\n':
        quoted += "\\n";
        break;
      case '\r':
        quoted += "\\r";
        break;
      default:
        quoted += c;
    }
  }
  quoted += '"';
  return quoted;
}

std::optional<std::uint32_t> ParseDword(std::string_view text) {
  if (!text.starts_with(kDwordPrefix)) return std::nullopt;
  text.remove_prefix(kDwordPrefix.size());
  const auto hexDigit = [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
  };
  if (text.size() != kDwordDigits || !std::all_of(text.begin(), text.end(), hexDigit))
    return std::nullopt;
  std::uint32_t value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value, 16);
  return value;
}

std::optional<RegKey::Entry> ParseLine(std::string_view line) {
  std::size_t pos = 0;
  auto name = Unquote(line, pos);
  if (!name || pos >= line.size() || line[pos] != '=') return std::nullopt;
  ++pos;
  if (pos < line.size() && line[pos] == '"') {
    auto text = Unquote(line, pos);
    if (!text || pos != line.size()) return std::nullopt;
    return RegKey::Entry{std::move(*name), std::move(*text)};
  }
  const auto number = ParseDword(line.substr(pos));
  if (!number) return std::nullopt;
  return RegKey::Entry{std::move(*name), *number};
}

}  // namespace

RegKey RegKey::Parse(std::string_view text) {
  RegKey key;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty() || line.front() == ';' || line.front() == '[') continue;
    if (auto entry = ParseLine(line)) key.Set(entry->first, std::move(entry->second));
  }
  return key;
}

std::string RegKey::Text() const {
  std::string text = "[Software\\Zo\\VAD2]\n";
  for (const auto& [name, value] : entries_) {
    text += Quote(name);
    text += '=';
    if (const auto* string = std::get_if<std::string>(&value)) {
      text += Quote(*string);
    } else {
      constexpr std::string_view kHex = "0123456789abcdef";
      std::uint32_t number = std::get<std::uint32_t>(value);
      std::array<char, kDwordDigits> digits{};
      for (auto it = digits.rbegin(); it != digits.rend(); ++it, number >>= 4)
        *it = kHex[number & 0xFu];
      text += kDwordPrefix;
      text.append(digits.data(), digits.size());
    }
    text += '\n';
  }
  return text;
}

const RegValue* RegKey::Find(std::string_view name) const {
  const auto it = std::find_if(entries_.begin(), entries_.end(),
                               [name](const Entry& entry) { return entry.first == name; });
  return it == entries_.end() ? nullptr : &it->second;
}

void RegKey::SetString(std::string_view name, std::string_view value) {
  Set(name, std::string(value));
}

void RegKey::SetDword(std::string_view name, std::uint32_t value) {
  Set(name, value);
}

void RegKey::Set(std::string_view name, RegValue value) {
  const auto it = std::find_if(entries_.begin(), entries_.end(),
                               [name](const Entry& entry) { return entry.first == name; });
  if (it != entries_.end()) {
    it->second = std::move(value);
  } else {
    entries_.emplace_back(std::string(name), std::move(value));
  }
}

}  // namespace zo::settings
