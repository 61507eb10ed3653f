// The help window's rules that are not the search: which controller family
// the help describes, the window's caption and place, and the Polish help
// text read from the catalogue's help lines. Plain C++.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "link/LinkTypes.h"

namespace zo::help {

enum class HelpFamily { None, Vela, Xl };

// What the help window's place depends on, in pixels: the main window's
// place on the screen, the signal list within its client area, the top
// panel's height and the client area's height.
struct HelpPlacementInputs {
  int mainLeft = 0;
  int mainTop = 0;
  int signalListTop = 0;
  int signalListWidth = 0;
  int signalListHeight = 0;
  int topPanelHeight = 0;
  int clientHeight = 0;
  // Where the window must end to stay on the screen, its frame allowed
  // for; 0 for no limit.
  int screenBottom = 0;
};

struct HelpPlacement {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const HelpPlacement&) const = default;
};

class HelpRules {
 public:
  static constexpr int kFirstVelaLine = 9000;
  static constexpr int kFirstXlLine = 10000;
  static constexpr int kMaxLines = 200;
  static constexpr std::size_t kMaxLineCharacters = 127;
  static constexpr int kDesignedWidth = 551;
  static constexpr int kDesignedHeight = 312;
  static constexpr int kMinShortenedHeight = 120;

  // The family of an identified controller (image variant 255): models
  // 50, 51, 100, 101, 150 and 151, or model 80; None for anything else.
  [[nodiscard]] static HelpFamily Family(const link::ImageArea& image);

  // The help file's name (txt::kHelpFileName) in upper case, cut before its first ".".
  [[nodiscard]] static std::string Caption(std::string_view helpFileName);

  // Beside the main window, as wide as the signal list; beside the signal
  // list when it is at least 240 pixels high, else below the top panel. A
  // page without the signal list leaves the designed size where it would
  // give none; a window reaching below the screen is shortened to end there.
  [[nodiscard]] static HelpPlacement Place(const HelpPlacementInputs& in);

  // The Polish help of `family`: its catalogue lines from 9000 or 10000 up,
  // one line each, at most 127 characters, ending at the first empty line or
  // after 200 lines; empty for no family.
  [[nodiscard]] static std::string PolishContent(HelpFamily family,
                                                 const std::function<std::string_view(int)>& line);
};

}  // namespace zo::help
