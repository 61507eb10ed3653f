// Builds the service report of a controller from what the program holds
// about it: the workshop from the settings, the controller's identity lines
// as the controller-information window shows them, every row of the
// parameter grid, and the changes the controller confirmed in this session.
// The date and the change times come formatted from the caller, in local
// time.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "journal/ChangeTable.h"
#include "journal/JournalRecord.h"
#include "link/LinkTypes.h"
#include "model/ControllerModel.h"
#include "model/ITextSource.h"
#include "report/ReportDocument.h"

namespace zo::report {

struct ReportInputs {
  const link::ImageArea& image;  // the parameters as the grid shows them
  const std::array<std::int32_t, 16>& counterBlock;
  const model::ControllerDates& dates;
  const std::vector<journal::Change>& changes;  // this session's, oldest first
  std::string workshopName;
  std::string workshopAddress;  // lines separated by line breaks
  std::string date;             // the date of the report, formatted
  journal::ChangeTable::TimeText timeText;
};

class ServiceReport {
 public:
  static ReportDocument Build(const ReportInputs& inputs, const model::ITextSource& texts);
  // A file name for the report from its title, the controller's model and
  // the date: "Service-report-Vela100-2026-12-08.pdf". Spaces and the
  // characters a file name should not hold become "-".
  static std::string FileName(std::string_view title, const link::ImageArea& image,
                              std::string_view date);
};

}  // namespace zo::report
