// The texts of the catalogue as compiled into the program. The definitions
// are generated at build time from the data files in lang/ (one per language
// plus the Polish help), so no file beside the program is needed.
#pragma once

#include <span>
#include <string_view>

namespace zo::texts {

struct CatalogueEntry {
  int key;
  std::string_view text;
};

// The block of one language (0 Polish, 1 German, 2 English, 3 Lithuanian,
// 4 Russian), keyed by base id 100..999 and sorted by it; empty for any
// other language index.
std::span<const CatalogueEntry> CatalogueBlock(int language);

// The Polish help lines, keyed by their raw catalogue keys (9000..9139 and
// 10000..10056) and sorted by them.
std::span<const CatalogueEntry> CatalogueHelpLines();

}  // namespace zo::texts
