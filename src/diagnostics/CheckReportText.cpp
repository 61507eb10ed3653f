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
  std::string line = port.device;
  if (!port.node.empty() && port.node != port.device) line += " -> " + port.node;
  line += " | " + Label(texts, txt::kCheckDriver) + ": " +
          (port.present ? port.driver : Label(texts, txt::kCheckAbsent));
  if (!port.maker.empty() || !port.usbId.empty())
    line += " | " + Label(texts, txt::kCheckMaker) + ": " + port.maker +
            (port.usbId.empty() ? "" : " [" + port.usbId + "]");
  if (!port.product.empty()) line += " | " + Label(texts, txt::kCheckProduct) + ": " + port.product;
  if (port.latencyMs) line += " | latency_timer " + std::to_string(*port.latencyMs);
  return line + "\n";
}

}  // namespace

std::string CheckReportText::Plain(const CheckReport& report, const texts::TextCatalogue& texts) {
  std::string text = Label(texts, txt::kCheckTitle) + "\n";
  for (const PortReport& port : report.ports)
    text += PortLine(port, texts);
  if (report.ports.empty()) text += Label(texts, txt::kCheckNoPorts) + "\n";
  text += Label(texts, txt::kCheckFindings) + "\n";
  for (const Finding& finding : report.findings) {
    text += (finding.device.empty() ? "" : finding.device + ": ") +
            texts.Compose(FindingText::Statement(finding)) + "\n  -> " +
            texts.Compose(FindingText::Remedy(finding)) + "\n";
  }
  if (report.findings.empty()) text += Label(texts, txt::kCheckAllClear) + "\n";
  return text;
}

}  // namespace zo::diagnostics
