// The service report as a value: every text it prints, in the current
// language, grouped by section, ready for a painter to lay out on pages.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "journal/ChangeTable.h"

namespace zo::report {

// A label and its value on one line ("Name :" and the workshop's name); a
// continued value (the second line of an address) has an empty label.
struct LabelledLine {
  std::string label;
  std::string value;

  friend bool operator==(const LabelledLine&, const LabelledLine&) = default;
};

// One row of the parameter grid: its name without the indent, the indent's
// depth in spaces, and the value as the grid shows it.
struct ParameterLine {
  std::string name;
  int indent = 0;
  std::string value;

  friend bool operator==(const ParameterLine&, const ParameterLine&) = default;
};

struct ReportDocument {
  std::string title;  // "Service report"

  std::string workshopHeading;
  std::vector<LabelledLine> workshop;  // the name, then the address line by line
  LabelledLine date;                   // the date of the report

  std::string controllerHeading;       // the controller's model
  std::vector<LabelledLine> identity;  // version, dates and working times

  std::string parametersHeading;
  std::array<std::string, 2> parameterColumns;  // parameter, value
  std::vector<ParameterLine> parameters;

  std::string changesHeading;
  std::array<std::string, 4> changeColumns;  // time, parameter, change, cause
  std::vector<journal::ChangeRow> changes;
  std::string noChanges;  // printed instead of the table when nothing changed

  std::string scopeHeading;
  std::string pageWord;  // the footer's "Page"

  [[nodiscard]] bool HasChanges() const { return !changes.empty(); }
};

}  // namespace zo::report
