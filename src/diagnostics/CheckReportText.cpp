#include "diagnostics/CheckReportText.h"

#include "diagnostics/FindingText.h"
#include "texts/TextIds.h"

namespace zo::diagnostics {

namespace {

// A catalogue text without its accelerator mark and the blanks around it.
std::string Label(const texts::TextCatalogue& texts, int id) {
  std::string text;
  for (const char c : texts.Text(id))
    if (c != '&') text += c;
  const std::size_t first = text.find_first_not_of(' ');
  const std::size_t last = text.find_last_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::string PortLine(const PortReport& port, const texts::TextCatalogue& texts) {
  const PortColumns columns = CheckReportText::Columns(port, texts);
  std::string line =
      columns.device + " | " + Label(texts, txt::kCheckDriver) + ": " + columns.driver;
  if (!columns.maker.empty()) line += " | " + Label(texts, txt::kCheckMaker) + ": " + columns.maker;
  if (!columns.product.empty())
    line += " | " + Label(texts, txt::kCheckProduct) + ": " + columns.product;
  if (port.latencyMs) line += " | latency_timer " + std::to_string(*port.latencyMs);
  return line + "\n";
}

}  // namespace

PortColumns CheckReportText::Columns(const PortReport& port, const texts::TextCatalogue& texts) {
  PortColumns columns{port.device, port.present ? port.driver : Label(texts, txt::kCheckAbsent),
                      port.maker, port.product};
  if (!port.node.empty() && port.node != port.device) columns.device += " \u2192 " + port.node;
  if (!port.usbId.empty()) columns.maker += " [" + port.usbId + "]";
  const std::size_t first = columns.maker.find_first_not_of(' ');
  columns.maker = first == std::string::npos ? std::string() : columns.maker.substr(first);
  return columns;
}

FindingLines CheckReportText::Lines(const Finding& finding, const texts::TextCatalogue& texts) {
  return {(finding.device.empty() ? "" : finding.device + ": ") +
              texts.Compose(FindingText::Statement(finding)),
          texts.Compose(FindingText::Remedy(finding))};
}

std::string CheckReportText::Plain(const CheckReport& report, const texts::TextCatalogue& texts) {
  std::string text = Label(texts, txt::kCheckTitle) + "\n";
  for (const PortReport& port : report.ports)
    text += PortLine(port, texts);
  if (report.ports.empty()) text += Label(texts, txt::kCheckNoPorts) + "\n";
  text += Label(texts, txt::kCheckFindings) + "\n";
  for (const Finding& finding : report.findings) {
    const FindingLines lines = Lines(finding, texts);
    text += lines.statement + "\n  -> " + lines.remedy + "\n";
  }
  if (report.findings.empty()) text += Label(texts, txt::kCheckAllClear) + "\n";
  return text;
}

}  // namespace zo::diagnostics
