// Reader of the catalogue's line format ("<key><TAB><text>" with the escapes
// \n \r \t \\), shared by the build-time generator and the tests. It returns
// every entry it could read plus one message per malformed line, so a damaged
// data file stops the build with its line numbers.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zo::texts {

struct CatalogueEntryText {
  int key = 0;
  std::string text;  // decoded: escapes turned into their characters
  bool operator==(const CatalogueEntryText&) const = default;
};

struct KeyRange {
  int first = 0;
  int last = 0;
};

struct CatalogueParseResult {
  std::vector<CatalogueEntryText> entries;  // sorted by key, each key once
  std::vector<std::string> errors;          // "line N: what is wrong"
};

class CatalogueFile {
 public:
  // Reads a whole file. Keys outside every allowed range, repeated keys, a
  // missing TAB, an unknown escape, raw control characters (a CR of a CRLF
  // line end included) and text that is not UTF-8 are errors.
  static CatalogueParseResult Parse(std::string_view content, std::span<const KeyRange> allowed);

  // Decodes the escapes of one text; false when it holds an unknown escape,
  // a lone backslash at its end or a raw control character.
  static bool Unescape(std::string_view raw, std::string& out);
};

}  // namespace zo::texts
