#include "ParameterComparison.h"

#include <algorithm>

#include "model/ParameterGrid.h"

namespace zo::files {

namespace {

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

std::vector<DifferenceRow> ParameterComparison::Compare(const ParameterFileContent& file,
                                                        const link::ImageArea& controller,
                                                        const model::ITextSource& texts) {
  link::ImageArea loaded = controller;
  ParameterFile::LoadForController(file, loaded);
  return Between(loaded, controller, texts);
}

std::vector<DifferenceRow> ParameterComparison::Between(const link::ImageArea& other,
                                                        const link::ImageArea& controller,
                                                        const model::ITextSource& texts) {
  const model::ParameterGrid fromOther = model::ParameterGrid::Build(other, texts);
  const model::ParameterGrid fromController = model::ParameterGrid::Build(controller, texts);
  std::vector<DifferenceRow> rows;
  const auto& theirs = fromController.Rows();
  for (const model::ParameterRow& row : fromOther.Rows()) {
    const auto same = std::find_if(theirs.begin(), theirs.end(), [&row](const auto& r) {
      return r.byte == row.byte && r.nameId == row.nameId;
    });
    if (same == theirs.end()) continue;
    if (row.Cell() == same->Cell()) continue;
    rows.push_back({row.byte, Trimmed(row.name), row.Cell(), same->Cell()});
  }
  return rows;
}

}  // namespace zo::files
