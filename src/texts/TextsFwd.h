// Declarations of the catalogue classes for headers that only pass them on
// by reference, so they need not include the catalogue itself.
#pragma once

namespace zo::texts {
class CatalogueTextSource;
class TextCatalogue;
}  // namespace zo::texts
