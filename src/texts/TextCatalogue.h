// The program's user texts by text id in the current language, with the
// indent and font-size rules of the lookup. Plain C++: the windows ask it for
// strings (UTF-8) and never see the catalogue's storage.
#pragma once

#include <string>
#include <string_view>

#include "texts/TextIds.h"
#include "texts/UserText.h"

namespace zo::texts {

class TextCatalogue {
 public:
  TextCatalogue() = default;
  TextCatalogue(int language, int fontSize);

  // The language index 0..4; anything else becomes Polish (0).
  void SetLanguage(int language);
  int Language() const { return language_; }
  bool IsRussian() const;

  // The main window's font size in points, normalised as the Font menu does:
  // below 8 or above 16 becomes 8, odd sizes in between stay.
  void SetFontSize(int points);
  int FontSize() const { return fontSize_; }

  // The text of base id `id` in the current language, prefixed by `indent`
  // spaces (0..4; values outside are clamped). Russian texts get one more
  // space while the font is below 10 points. A missing text yields the
  // prefix alone; the lookup never fails.
  std::string Text(int id, int indent = 0) const;

  // Looks up a raw catalogue key (base id + 1000 x language, or a help line
  // key) without any prefix; empty when the key holds no text.
  static std::string_view Key(int key);

  // A Polish help line by its raw key (9000..9139, 10000..10056), read
  // without the language offset; empty when missing.
  static std::string_view HelpLine(int key);

  // A message assembled by the link: text pieces in the current language,
  // literal pieces as they are.
  [[nodiscard]] std::string Compose(const UserText& text) const;

  // Caption of a language menu item: the fixed native name, or txt::kLanguageRussian in
  // the current language for the Russian item.
  std::string LanguageMenuCaption(int language) const;

  // A text as a widget shows it: each line break (LF, CR, or a CR/LF pair in
  // either order) becomes one '\n'.
  static std::string DisplayLines(std::string_view text);

  // The help file of the current language: txt::kHelpFileName as it stands, without
  // the space small Russian fonts put ahead of a shown text.
  [[nodiscard]] std::string HelpFileName() const {
    return std::string(Key(txt::kHelpFileName + 1000 * language_));
  }

 private:
  int language_ = 0;
  int fontSize_ = 10;
};

}  // namespace zo::texts
