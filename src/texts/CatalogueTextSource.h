// The text catalogue as the controller data sees it: texts by id in the
// current language.
#pragma once

#include "model/ITextSource.h"
#include "texts/TextCatalogue.h"

namespace zo::texts {

class CatalogueTextSource : public model::ITextSource {
 public:
  explicit CatalogueTextSource(const TextCatalogue& texts) : texts_(texts) {}
  [[nodiscard]] std::string Text(int id, int indent = 0) const override {
    return texts_.Text(id, indent);
  }

 private:
  const TextCatalogue& texts_;
};

}  // namespace zo::texts
