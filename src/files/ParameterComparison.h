// What loading a parameter file into the controller would change: every
// parameter row whose value in the file differs from the controller's, with
// both values formatted as the parameter grid shows them.
#pragma once

#include <string>
#include <vector>

#include "ParameterFile.h"
#include "model/ITextSource.h"

namespace zo::files {

struct DifferenceRow {
  int byte = 0;
  std::string name;       // without the grid's indent
  std::string fileValue;  // the file's, or the image compared with the controller's
  std::string controllerValue;
};

class ParameterComparison {
 public:
  // `controller` is the controller copy when one is connected, else the
  // parameters shown. The file is seen as the "Yes" answer would load it, so
  // both sides list the same rows under the controller's model and bitmap.
  static std::vector<DifferenceRow> Compare(const ParameterFileContent& file,
                                            const link::ImageArea& controller,
                                            const model::ITextSource& texts);
  // Every parameter row whose value in `other` differs from the controller's.
  static std::vector<DifferenceRow> Between(const link::ImageArea& other,
                                            const link::ImageArea& controller,
                                            const model::ITextSource& texts);
};

}  // namespace zo::files
