// The help window's context search: where the description of the parameter
// selected in the parameter grid lies in the help text. The help text writes
// the name of each parameter and group in capitals, so the search upper-cases
// the grid's name and looks for it matching case, after the group heading
// when the parameter sits inside a group. Plain C++: the window hands in its
// texts and selects what comes back.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zo::help {

// A stretch of the help text counted in the characters of the text pane
// (UTF-16 units, which for every letter of the help texts is one character).
struct TextSpan {
  std::size_t start = 0;
  std::size_t length = 0;
  bool operator==(const TextSpan&) const = default;
};

// What the search selects in turn: the group heading, then the parameter's
// own description after it.
struct HelpFound {
  std::optional<TextSpan> heading;
  std::optional<TextSpan> name;
};

class HelpSearch {
 public:
  // `text` is the pane's whole text (UTF-8, lines ended by '\n'); it must
  // outlive the search. For the XL family the search starts in that family's
  // part of a help file that describes both families.
  HelpSearch(std::string_view text, bool xlFamily);

  // `firstColumn` holds the grid's first-column texts by row (row 0 the
  // header); `selectedRow` is the grid's selected row. Nothing is found for
  // no selected row or an empty name.
  [[nodiscard]] HelpFound Find(std::span<const std::string> firstColumn, int selectedRow) const;

  // Where the searches start, in characters.
  [[nodiscard]] std::size_t FamilyStart() const { return Characters(familyStart_); }

  // The name searched for a first-column text: upper case, leading blanks
  // removed, and cut before the blank ahead of "(OBCIĄŻENIE)", "POWYŻEJ" or
  // "PONIŻEJ" (the variants of one parameter share its description).
  [[nodiscard]] static std::string SearchName(std::string_view firstColumnText);

 private:
  // `what` in the text from byte `from` on, as a span; the byte after it
  // in `end`.
  [[nodiscard]] std::optional<TextSpan> FindFrom(std::string_view what, std::size_t from,
                                                 std::size_t* end) const;
  // The characters of the pane ahead of byte `offset`.
  [[nodiscard]] std::size_t Characters(std::size_t offset) const;
  // The group heading above `selectedRow`, upper case without leading
  // blanks; nothing when the walk found none above the row.
  [[nodiscard]] static std::optional<std::string> GroupHeading(
      std::span<const std::string> firstColumn, int selectedRow);

  std::string_view text_;
  std::size_t familyStart_ = 0;  // byte
};

}  // namespace zo::help
