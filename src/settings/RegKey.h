// The values of the settings key "Software\Zo\VAD2": named strings and 32-bit
// integers, kept in the order their names first appeared, and the key's text
// form, one value a line:
//   "Name"="text"            a string; \\ and \" stand for \ and ", \n and \r
//                            for the line breaks a folder name may hold
//   "Name"=dword:0000000a    a 32-bit integer, eight hex digits, two's complement
// Lines starting with ';' or '[' are comments and blank lines are ignored. A
// line that is none of these is skipped, so its value reads as absent.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace zo::settings {

// A string value or a double-word value.
using RegValue = std::variant<std::string, std::uint32_t>;

class RegKey {
 public:
  using Entry = std::pair<std::string, RegValue>;

  // The values of a key's text form; a name given twice keeps its first
  // place and its last value.
  [[nodiscard]] static RegKey Parse(std::string_view text);
  // The text form, a heading comment and then one line a value in order.
  [[nodiscard]] std::string Text() const;

  // The value called `name`, or nullptr when the key has none.
  [[nodiscard]] const RegValue* Find(std::string_view name) const;
  // Sets a value, replacing one of the same name in its place or adding it
  // at the end.
  void SetString(std::string_view name, std::string_view value);
  void SetDword(std::string_view name, std::uint32_t value);
  void SetInteger(std::string_view name, std::int32_t value) {
    SetDword(name, static_cast<std::uint32_t>(value));
  }

  [[nodiscard]] const std::vector<Entry>& Entries() const { return entries_; }
  bool operator==(const RegKey&) const = default;

 private:
  void Set(std::string_view name, RegValue value);

  std::vector<Entry> entries_;
};

}  // namespace zo::settings
