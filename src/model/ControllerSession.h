// What the program keeps about the controller it shows between connection
// states: whether one is identified, its three dates for the
// controller-information window, and whether the switch panel is shown.
// Each new connection state (a read, a loss, a file shown) gives the view
// the window applies: caption, page buttons, lamp layout, version message.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ControllerModel.h"
#include "ITextSource.h"
#include "link/LinkTypes.h"
#include "texts/UserText.h"

namespace zo::model {

struct SessionView {
  std::string caption;
  PageButtons pages;
  // Set when the switch panel's choice was made again: the panel is shown
  // (with this lamp layout) or not (layout 0).
  std::optional<bool> switchPanelShown;
  int lampLayout = 0;
  std::optional<texts::UserText> versionMessage;
};

class ControllerSession {
 public:
  struct Controller {
    const link::ImageArea& image;  // the working copy
    const std::array<std::int32_t, 16>& counterBlock;
    bool serviceMode = false;
  };

  // The link was read again or lost: the counter block is the read's again.
  void LinkChanged() { workingTimesInBlock_ = false; }
  // The controller-information window read the working times into the
  // counter block, over the production date the read had left there.
  void WorkingTimesRead() { workingTimesInBlock_ = true; }

  // A new connection state. After a complete read, `fillInstallationDate`
  // runs before the dates are taken, so a date it writes is the one kept.
  SessionView Enter(link::ConnectionState state, const Controller& controller,
                    const ITextSource& texts, std::string_view filePath,
                    const std::function<void()>& fillInstallationDate);

  [[nodiscard]] bool Identified() const { return identified_; }
  [[nodiscard]] bool SwitchPanelShown() const { return switchPanelShown_; }
  [[nodiscard]] const ControllerDates& Dates() const { return dates_; }

 private:
  ControllerDates dates_;
  bool workingTimesInBlock_ = false;
  bool identified_ = false;
  bool switchPanelShown_ = true;
};

}  // namespace zo::model
