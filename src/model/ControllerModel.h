// Turns the model code, firmware version and variant byte of the image into
// the model name, subtitle and lamp layout, the window caption for a
// connection state, the pages and menu entries that state offers, the three
// controller dates and the minimum-program-version message; and gathers the
// version and model rules other parts of the program ask about.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ITextSource.h"
#include "link/LinkTypes.h"
#include "texts/TextIds.h"
#include "texts/UserText.h"

namespace zo::model {

struct ModelInfo {
  std::string name;  // appended to the caption, with its leading space
  int subtitleId = txt::kSubtitleLpgController;
  int lampLayout = 0;  // 0 no switch panel, 1 full indication, 2 reserve lamp only
};

// Which page buttons and menu entries a connection state shows. Nothing in
// `selected` or `switchPanel` leaves the current choice alone.
struct PageButtons {
  bool parameters = false;
  bool configuration = false;
  bool upgrade = false;
  bool processor = false;
  bool controllerInfo = false;
  std::optional<link::Page> selected;
  std::optional<bool> switchPanel;
};

struct ControllerDates {
  std::string production;
  std::string installation;
  std::string configuration;
};

class ControllerModel {
 public:
  static constexpr std::string_view kProgramCaption = "Zo Viz V1.79";

  static ModelInfo Identify(const link::ImageArea& image);
  static std::string Caption(link::ConnectionState state, const link::ImageArea& image,
                             const ITextSource& texts, std::string_view filePath = {});
  static PageButtons Pages(link::ConnectionState state, const link::ImageArea& image,
                           bool serviceMode);
  // Production date from counter-block entries 13..15, installation and
  // configuration dates from the image.
  static ControllerDates Dates(const link::ImageArea& image,
                               const std::array<std::int32_t, 16>& counterBlock);
  // txt::kNewerSoftwareRequired, (version AND 240) and " .\n\r" in states 1 and 2 when the
  // version is above 191; shown with title txt::kTitleAttention and the information icon.
  static std::optional<texts::UserText> VersionMessage(link::ConnectionState state,
                                                       const link::ImageArea& image);

  // Version and model rules.
  static bool IsReadOnly(const link::ImageArea& image);               // model 80 below 1.60
  static bool OffersSimulationBrak(const link::ImageArea& image);     // version above 1.77
  static bool MirrorsSecondSimulation(const link::ImageArea& image);  // version exactly 1.76
  static bool ForcesSignalFlags(const link::ImageArea& image);  // models 50/51/100/101/150/151
  // Models 150/151: switch-over time not indented, switch-off time never listed.
  static bool IsVela150(const link::ImageArea& image);
  static bool HasSwitchPanel(const link::ImageArea& image);     // those models with variant 255
  static bool ReadsWorkingTimes(const link::ImageArea& image);  // version at least 1.78
};

}  // namespace zo::model
