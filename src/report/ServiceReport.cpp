#include "report/ServiceReport.h"

#include <algorithm>

#include "model/ControllerInfo.h"
#include "model/ParameterGrid.h"
#include "texts/TextIds.h"

namespace zo::report {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return std::string(text);
}

// An identity line of the controller-information window: the label before
// its first tab, the value after it.
LabelledLine Split(const std::string& line) {
  const std::size_t tab = line.find('\t');
  if (tab == std::string::npos) return {Trimmed(line), {}};
  return {Trimmed(std::string_view(line).substr(0, tab)),
          Trimmed(std::string_view(line).substr(tab + 1))};
}

// The name line, then the address line by line, the label on the first one;
// the address's empty lines at its end are left out.
std::vector<LabelledLine> WorkshopLines(const ReportInputs& in, const model::ITextSource& texts) {
  std::vector<LabelledLine> lines{
      {Trimmed(texts.Text(txt::kWorkshopName)), Trimmed(in.workshopName)}};
  std::vector<std::string> address;
  std::string_view rest = in.workshopAddress;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    address.push_back(Trimmed(rest.substr(0, end)));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
  while (!address.empty() && address.back().empty())
    address.pop_back();
  if (address.empty()) address.emplace_back();
  for (std::size_t i = 0; i < address.size(); ++i)
    lines.push_back(
        {i == 0 ? Trimmed(texts.Text(txt::kWorkshopAddress)) : std::string(), address[i]});
  return lines;
}

void AddController(ReportDocument& doc, const ReportInputs& in, const model::ITextSource& texts) {
  const model::InfoLines info =
      model::ControllerInfo::Lines(in.image, in.counterBlock, in.dates, texts);
  doc.controllerHeading = Trimmed(info.caption);
  const std::size_t shown = info.workingTimes ? info.labels.size() : 4;
  for (std::size_t i = 0; i < shown; ++i)
    doc.identity.push_back(Split(info.labels[i]));
}

void AddParameters(ReportDocument& doc, const model::ParameterGrid& grid,
                   const model::ITextSource& texts) {
  doc.parametersHeading = Trimmed(texts.Text(txt::kReportParameters));
  doc.parameterColumns = {journal::ChangeTable::Label(texts.Text(txt::kHeaderParameter)),
                          journal::ChangeTable::Label(texts.Text(txt::kHeaderValue))};
  for (const model::ParameterRow& row : grid.Rows()) {
    const std::size_t first = row.name.find_first_not_of(' ');
    const int indent = static_cast<int>(first == std::string::npos ? 0 : first);
    doc.parameters.push_back({Trimmed(row.name), indent, Trimmed(row.Cell())});
  }
}

// The journal keeps a parameter's name in the language it was changed in;
// the report names it in its own language when one grid row alone holds the
// byte (rows sharing a byte, its bits, keep the journal's name).
std::string CurrentName(const journal::ChangeRow& row, int byte, const model::ParameterGrid& grid) {
  const auto& rows = grid.Rows();
  const auto holds = [byte](const model::ParameterRow& r) { return r.byte == byte; };
  const auto found = std::find_if(rows.begin(), rows.end(), holds);
  if (found == rows.end() || std::count_if(rows.begin(), rows.end(), holds) != 1)
    return row.parameter;
  return Trimmed(found->name);
}

void AddChanges(ReportDocument& doc, const ReportInputs& in, const model::ParameterGrid& grid,
                const model::ITextSource& texts) {
  doc.changesHeading = Trimmed(texts.Text(txt::kReportChanges));
  doc.changeColumns = {journal::ChangeTable::Label(texts.Text(txt::kColumnTime)),
                       journal::ChangeTable::Label(texts.Text(txt::kHeaderParameter)),
                       journal::ChangeTable::Label(texts.Text(txt::kColumnChange)),
                       journal::ChangeTable::Label(texts.Text(txt::kColumnCause))};
  const journal::ChangeTable table(texts, in.timeText);
  for (const journal::Change& change : in.changes) {
    journal::ChangeRow row = table.Row(change);
    row.parameter = CurrentName(row, change.byte, grid);
    doc.changes.push_back(std::move(row));
  }
  doc.noChanges = Trimmed(texts.Text(txt::kReportNoChanges));
}

}  // namespace

ReportDocument ServiceReport::Build(const ReportInputs& inputs, const model::ITextSource& texts) {
  ReportDocument doc;
  doc.title = Trimmed(texts.Text(txt::kReportTitle));
  doc.workshopHeading = Trimmed(texts.Text(txt::kWorkshop));
  doc.workshop = WorkshopLines(inputs, texts);
  doc.date = {Trimmed(texts.Text(txt::kReportDate)), inputs.date};
  AddController(doc, inputs, texts);
  const model::ParameterGrid grid = model::ParameterGrid::Build(inputs.image, texts);
  AddParameters(doc, grid, texts);
  AddChanges(doc, inputs, grid, texts);
  doc.scopeHeading = Trimmed(texts.Text(txt::kReportScope));
  doc.pageWord = Trimmed(texts.Text(txt::kReportPage));
  return doc;
}

std::string ServiceReport::FileName(std::string_view title, const link::ImageArea& image,
                                    std::string_view date) {
  std::string name = Trimmed(title) + " " + Trimmed(model::ControllerModel::Identify(image).name) +
                     " " + std::string(date);
  for (char& c : name)
    if (c == ' ' || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' ||
        c == '<' || c == '>' || c == '|' || static_cast<unsigned char>(c) < 32)
      c = '-';
  return name + ".pdf";
}

}  // namespace zo::report
