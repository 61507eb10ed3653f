// What the controller-information window shows: its caption and six lines
// (version, the three dates and, from firmware 1.78 on, the petrol and gas
// working times), the reading of the working-time counters into the link's
// counter block, and the version line of the About window.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "ControllerModel.h"
#include "ITextSource.h"
#include "link/ControllerLink.h"
#include "link/LiveData.h"

namespace zo::model {

struct InfoLines {
  std::string caption;
  std::array<std::string, 6> labels;  // Label1 .. Label6; tabs are tab stops
  bool workingTimes = false;          // firmware 1.78 and above: the taller window
};

// How the working-time read left the counter block.
enum class CounterRead {
  Filled,     // from the controller's reply
  FromImage,  // nothing came back: from the working copy's counters and the 8 bytes after them
  Kept,       // a reply failed its checks, or another transaction was running
};

class ControllerInfo {
 public:
  // "H h M m": hours = seconds / 3600, minutes = (seconds / 60) mod 60.
  static std::string WorkingTime(std::uint32_t seconds);
  // Four counter entries from `first`, one byte each, little-endian.
  static std::uint32_t Counter(const std::array<std::int32_t, 16>& block, int first);

  // The caption and labels for the image's controller; the working times
  // from the counter block only when the firmware is 1.78 or above.
  static InfoLines Lines(const link::ImageArea& image, const std::array<std::int32_t, 16>& block,
                         const ControllerDates& dates, const ITextSource& texts);

  // One `MemoryPage` read of page 14. A valid reply fills the counter block
  // of `live` with its sixteen values, on every page (the RAM page's view
  // shows them as well); no byte at all fills it from `image`, the working
  // copy; a reply that fails its checks leaves it as it was.
  static CounterRead ReadWorkingTimes(link::ControllerLink& link, const link::ImageArea& image,
                                      link::LiveData& live);
  // The same for firmware that counts working times, none else: whether the
  // counter block now holds them.
  static bool RefreshWorkingTimes(link::ControllerLink& link, const link::ImageArea& image,
                                  link::LiveData& live);

  // The program version in hundredths as text: "." after the first digit.
  static std::string ProgramVersionText(int version);
  // txt::kProgramVersion + " : V" + the program version.
  static std::string AboutVersionLine(int version, const ITextSource& texts);
};

}  // namespace zo::model
