#include "help/HelpSearch.h"

#include <array>

#include "texts/Utf8.h"

namespace zo::help {

namespace {

// A help file describing both controller families gives the XL family its
// own part after a line of these.
constexpr std::string_view kFamilyRule = "==========";
constexpr std::array<std::string_view, 2> kGroupWords{"REGULACJA", "OPCJA"};
constexpr std::array<std::string_view, 3> kVariantWords{"(OBCIĄŻENIE)", "POWYŻEJ", "PONIŻEJ"};

std::string_view WithoutLeadingBlanks(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  return first == std::string_view::npos ? std::string_view() : s.substr(first);
}

bool BeginsWithBlank(std::string_view s) {
  return !s.empty() && s.front() == ' ';
}

std::size_t FamilyPartStart(std::string_view text, bool xlFamily) {
  if (!xlFamily) return 0;
  for (std::size_t line = 0; line < text.size();) {
    const std::size_t end = text.find('\n', line);
    if (text.substr(line).starts_with(kFamilyRule))
      return end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) break;
    line = end + 1;
  }
  return 0;
}

}  // namespace

HelpSearch::HelpSearch(std::string_view text, bool xlFamily)
    : text_(text), familyStart_(FamilyPartStart(text, xlFamily)) {}

std::string HelpSearch::SearchName(std::string_view firstColumnText) {
  std::string name(WithoutLeadingBlanks(texts::Utf8::Upper(firstColumnText)));
  for (const std::string_view word : kVariantWords) {
    std::size_t at = name.find(word);
    if (at == std::string::npos) continue;
    // Back over the character ahead of the word (a blank, or any letter).
    if (at > 0) --at;
    while (at > 0 && texts::Utf8::IsContinuation(static_cast<unsigned char>(name[at])))
      --at;
    name.erase(at);
  }
  return name;
}

std::optional<std::string> HelpSearch::GroupHeading(std::span<const std::string> firstColumn,
                                                    int selectedRow) {
  int row = selectedRow;
  for (; row >= 1; --row) {
    const std::string text = texts::Utf8::Upper(firstColumn[static_cast<std::size_t>(row)]);
    if (!BeginsWithBlank(text)) break;
    const std::string_view stripped = WithoutLeadingBlanks(text);
    if (stripped.starts_with(kGroupWords[0]) || stripped.starts_with(kGroupWords[1])) break;
  }
  if (row < 1 || row == selectedRow) return std::nullopt;
  return std::string(
      WithoutLeadingBlanks(texts::Utf8::Upper(firstColumn[static_cast<std::size_t>(row)])));
}

HelpFound HelpSearch::Find(std::span<const std::string> firstColumn, int selectedRow) const {
  HelpFound found;
  if (selectedRow < 1 || static_cast<std::size_t>(selectedRow) >= firstColumn.size()) return found;
  const std::string& selected = firstColumn[static_cast<std::size_t>(selectedRow)];
  // The name is searched after its group heading: from the heading's end,
  // so that a name the heading's words contain ("ЗОНД" in "ТИП ЗОНДА") is not
  // found inside the heading itself.
  std::size_t start = familyStart_;
  if (BeginsWithBlank(selected)) {
    if (const auto heading = GroupHeading(firstColumn, selectedRow); heading && !heading->empty())
      found.heading = FindFrom(*heading, familyStart_, &start);
  }
  const std::string name = SearchName(selected);
  if (!name.empty()) found.name = FindFrom(name, start, nullptr);
  return found;
}

std::optional<TextSpan> HelpSearch::FindFrom(std::string_view what, std::size_t from,
                                             std::size_t* end) const {
  const std::size_t position = text_.find(what, from);
  if (position == std::string_view::npos) return std::nullopt;
  if (end != nullptr) *end = position + what.size();
  const std::size_t first = Characters(position);
  return TextSpan{first, Characters(position + what.size()) - first};
}

std::size_t HelpSearch::Characters(std::size_t offset) const {
  std::size_t count = 0;
  for (std::size_t i = 0; i < offset && i < text_.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text_[i]);
    // A lead byte starts a character; four-byte sequences take two units.
    if (!texts::Utf8::IsContinuation(byte)) count += byte >= 0xF0 ? 2 : 1;
  }
  return count;
}

}  // namespace zo::help
