// A user-visible message assembled from catalogue texts (by id, looked up in
// the current language by whoever shows it) and literal pieces such as numbers.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zo::texts {

struct TextPiece {
  int id = -1;          // catalogue text id, or -1 for a literal
  std::string literal;  // used when id is -1

  static TextPiece Id(int textId) { return TextPiece{textId, {}}; }
  static TextPiece Literal(std::string text) { return TextPiece{-1, std::move(text)}; }
  bool operator==(const TextPiece&) const = default;
};

using UserText = std::vector<TextPiece>;

}  // namespace zo::texts
