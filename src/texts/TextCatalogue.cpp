#include "texts/TextCatalogue.h"

#include <algorithm>
#include <cstdint>

#include "texts/CatalogueData.h"
#include "texts/LanguageRules.h"
#include "texts/TextIds.h"

namespace zo::texts {

namespace {

constexpr std::int64_t kLanguageStride = 1000;
constexpr std::int64_t kFirstBaseId = 100;
constexpr std::int64_t kLastBaseId = 999;
constexpr int kMaxIndent = 4;
constexpr int kRussianSmallFont = 10;
// The string-table blocks (all but Russian) are read as at most 255
// characters a text.
constexpr std::size_t kStringTableLimit = 255;

std::string_view Find(std::span<const CatalogueEntry> block, std::int64_t key) {
  const auto it =
      std::lower_bound(block.begin(), block.end(), key,
                       [](const CatalogueEntry& e, std::int64_t k) { return e.key < k; });
  return it != block.end() && it->key == key ? it->text : std::string_view{};
}

// Cuts a UTF-8 text after `limit` characters (code points).
std::string_view FirstCharacters(std::string_view text, std::size_t limit) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte & 0xC0) != 0x80 && count++ == limit) return text.substr(0, i);
  }
  return text;
}

// A catalogue key: base id 100..999 of one of the five language blocks, else
// a help line. The Russian block is a compiled table covering every base id
// (not a string-table block), so its texts have no length limit.
std::string_view LookUp(std::int64_t key) {
  if (key >= 0) {
    const std::int64_t block = key / kLanguageStride;
    const std::int64_t base = key % kLanguageStride;
    if (block < kLanguageCount && base >= kFirstBaseId && base <= kLastBaseId) {
      const std::string_view text = Find(CatalogueBlock(static_cast<int>(block)), base);
      return block == kRussian ? text : FirstCharacters(text, kStringTableLimit);
    }
  }
  return FirstCharacters(Find(CatalogueHelpLines(), key), kStringTableLimit);
}

}  // namespace

TextCatalogue::TextCatalogue(int language, int fontSize) {
  SetLanguage(language);
  SetFontSize(fontSize);
}

void TextCatalogue::SetLanguage(int language) {
  language_ = LanguageRules::Normalised(language);
}

bool TextCatalogue::IsRussian() const {
  return language_ == kRussian;
}

void TextCatalogue::SetFontSize(int points) {
  fontSize_ = LanguageRules::NormalisedFontSize(points);
}

std::string_view TextCatalogue::Key(int key) {
  return LookUp(key);
}

std::string_view TextCatalogue::HelpLine(int key) {
  return FirstCharacters(Find(CatalogueHelpLines(), key), kStringTableLimit);
}

std::string TextCatalogue::Text(int id, int indent) const {
  // 64-bit so that any id, however large, cannot overflow the key.
  const std::int64_t key = static_cast<std::int64_t>(id) + kLanguageStride * language_;
  std::size_t spaces = static_cast<std::size_t>(std::clamp(indent, 0, kMaxIndent));
  if (key > 4 * kLanguageStride && fontSize_ < kRussianSmallFont) ++spaces;
  return std::string(spaces, ' ').append(LookUp(key));
}

std::string TextCatalogue::Compose(const UserText& text) const {
  std::string result;
  for (const TextPiece& piece : text) {
    if (piece.id < 0) {
      result += piece.literal;
    } else {
      result += Text(piece.id);
    }
  }
  return result;
}

std::string TextCatalogue::DisplayLines(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\n' && c != '\r') {
      result.push_back(c);
      continue;
    }
    result.push_back('\n');
    const char pair = c == '\n' ? '\r' : '\n';
    if (i + 1 < text.size() && text[i + 1] == pair) ++i;
  }
  return result;
}

std::string TextCatalogue::LanguageMenuCaption(int language) const {
  const auto fixed = LanguageRules::FixedMenuCaption(language);
  return fixed ? std::string(*fixed) : Text(txt::kLanguageRussian);
}

}  // namespace zo::texts
