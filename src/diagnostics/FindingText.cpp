#include "diagnostics/FindingText.h"

#include "texts/TextIds.h"

namespace zo::diagnostics {

namespace {

using texts::TextPiece;

texts::UserText Said(int textId, std::string about) {
  return {TextPiece::Id(textId), TextPiece::Literal(" " + std::move(about))};
}

}  // namespace

texts::UserText FindingText::Statement(const Finding& finding) {
  switch (finding.kind) {
    case FindingKind::NotInGroup:
      return Said(txt::kCheckNotInGroup, finding.name);
    case FindingKind::GroupNeedsLogin:
      return Said(txt::kCheckGroupNeedsLogin, finding.name);
    case FindingKind::BrlttyTookAdapter:
      return Said(txt::kCheckBrltty, finding.name);
    case FindingKind::ModemManager:
      return {TextPiece::Id(txt::kCheckModemManager)};
    case FindingKind::PortInUse:
      return {TextPiece::Id(txt::kCheckPortInUse), TextPiece::Literal(" " + finding.name + " ("),
              TextPiece::Id(txt::kCheckProcess),
              TextPiece::Literal(" " + std::to_string(finding.number) + ")")};
    case FindingKind::LatencyHigh:
      return {TextPiece::Id(txt::kCheckLatency),
              TextPiece::Literal(" " + std::to_string(finding.number) + " "),
              TextPiece::Id(txt::kCheckMilliseconds)};
    case FindingKind::LinkGood:
    case FindingKind::LinkPoor: {
      const link::ReplyCounts& r = finding.replies;
      return Said(txt::kCheckReplies, std::to_string(r.good) + " / " + std::to_string(r.damaged) +
                                          " / " + std::to_string(r.missing));
    }
  }
  return {};
}

texts::UserText FindingText::Remedy(const Finding& finding) {
  switch (finding.kind) {
    case FindingKind::NotInGroup:
      return Said(txt::kCheckNotInGroupRemedy, "sudo usermod -aG " + finding.name + " $USER");
    case FindingKind::GroupNeedsLogin:
      return {TextPiece::Id(txt::kCheckGroupNeedsLoginRemedy)};
    case FindingKind::BrlttyTookAdapter:
      return {TextPiece::Id(txt::kCheckBrlttyRemedy)};
    case FindingKind::ModemManager:
      return {TextPiece::Id(txt::kCheckModemManagerRemedy)};
    case FindingKind::PortInUse:
      return {TextPiece::Id(txt::kCheckPortInUseRemedy)};
    case FindingKind::LatencyHigh:
      return Said(txt::kCheckLatencyRemedy, "echo 1 | sudo tee /sys/bus/usb-serial/devices/" +
                                                finding.name + "/latency_timer");
    case FindingKind::LinkGood:
      return {TextPiece::Id(txt::kCheckLinkGood)};
    case FindingKind::LinkPoor:
      return {TextPiece::Id(txt::kCheckLinkPoor)};
  }
  return {};
}

}  // namespace zo::diagnostics
