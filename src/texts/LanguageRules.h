// The rules for choosing the interface language and the main window's font
// size, and how a language maps to fonts on this system. Pure functions: the
// windows and the key handling call them and apply the result.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace zo::texts {

// Language index L: the catalogue key of a text is its base id + 1000 x L.
inline constexpr int kPolish = 0;
inline constexpr int kGerman = 1;
inline constexpr int kEnglish = 2;
inline constexpr int kLithuanian = 3;
inline constexpr int kRussian = 4;
inline constexpr int kLanguageCount = 5;
// The languages' ISO 639-1 codes by index, as files that name one store it.
inline constexpr std::array<std::string_view, kLanguageCount> kLanguageCodes{"pl", "de", "en", "lt",
                                                                             "ru"};

// Font character sets of the original toolkit: the Russian block needs the
// Cyrillic set, all others use the default one.
inline constexpr int kDefaultCharSet = 1;
inline constexpr int kRussianCharSet = 204;

inline constexpr int kDefaultFontSize = 10;
inline constexpr std::array kFontMenuSizes{8, 10, 12, 14, 16};

class LanguageRules {
 public:
  // A language index outside 0..4 (for example from the settings) becomes 0.
  static int Normalised(int language);
  // F11: the next language, wrapping from Russian to Polish.
  static int NextLanguage(int language);

  // A font size below 8 or above 16 becomes 8; an odd size in between stays.
  static int NormalisedFontSize(int points);
  // F12: two points larger, wrapping from above 16 to 8.
  static int NextFontSize(int points);
  // The Font menu item to check for a size; none for an odd size.
  static std::optional<int> CheckedFontItem(int points);

  static int CharSet(int language);

  // Fixed captions of the language menu items, so each language can be found
  // by its own name; the Russian item is the only translated one (txt::kLanguageRussian)
  // and has no fixed caption.
  static std::optional<std::string_view> FixedMenuCaption(int language);

  // Font families for the indicator windows, best first. The original faces
  // ("Times New Roman" for Russian, "MS Sans Serif" otherwise) are replaced
  // by metric-compatible or common Linux fonts with full Cyrillic and Central
  // European coverage; the generic family closes each list.
  static std::span<const std::string_view> IndicatorFontFamilies(int language);
  // Font families for labels the original drew with the Cyrillic character
  // set when the language is Russian: sans-serif faces with full Cyrillic
  // coverage. Empty for the other languages, whose labels keep their font.
  static std::span<const std::string_view> CyrillicLabelFamilies(int language);
};

}  // namespace zo::texts
