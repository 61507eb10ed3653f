// The main window's rules that are not keys: which page a page button
// selects, which page buttons service mode shows, the window-layout cycle and the caption of the
// connect/disconnect entries. The window asks and renders; nothing here
// touches a widget.
#pragma once

#include <optional>

#include "link/LinkTypes.h"
#include "texts/TextIds.h"

namespace zo::app {

// The four page buttons of the top panel.
enum class PageButton { Parameters, Configuration, Upgrade, Processor };

// The processor sub-page chosen with `Btn1`..`Btn3` on the Processor page.
enum class ProcessorSubPage { None, Port, Ram, Eeprom };

struct PageButtonVisibility {
  bool parameters = true;
  bool configuration = false;
  bool upgrade = false;
  bool processor = false;
  bool operator==(const PageButtonVisibility&) const = default;
};

class WindowRules {
 public:
  static constexpr int kLayouts = 3;

  // The page a page button (or its key) enters. The Processor button shows
  // the sub-page chosen last (PORT when none was); the Upgrade button forgets
  // it. Choosing the page already shown enters nothing: its state, such as
  // the wizard's step, stays as it is.
  std::optional<link::Page> PageFor(PageButton button, link::Page activePage);
  // `Btn1`..`Btn3` (index 0..2) remember the sub-page; the page to show
  // when another processor sub-page is the active one, nothing otherwise.
  std::optional<link::Page> ProcessorPage(int index, link::Page activePage);
  [[nodiscard]] ProcessorSubPage SubPage() const { return subPage_; }

  // The page button shown down for a page.
  static PageButton ButtonOf(link::Page page);

  // Service mode on shows all four page buttons; off hides the Processor
  // button and leaves the others as they are.
  static PageButtonVisibility ServiceMode(bool on, PageButtonVisibility current);
  // Ctrl+Q shows the Parameters and Configuration buttons.
  static PageButtonVisibility AfterStopLink(PageButtonVisibility current);

  // The window-layout command works only on the Parameters page: 0 -> 1 -> 2 -> 0.
  static int NextLayout(int layout, link::Page activePage);
  // Picture of the window-layout button for a layout (6, 7, 8).
  static int LayoutPicture(int layout);

  static int ConnectCaptionText(bool connected) {
    return connected ? txt::kDisconnect : txt::kConnect;
  }

 private:
  link::Page Chosen(PageButton button);

  ProcessorSubPage subPage_ = ProcessorSubPage::None;
};

}  // namespace zo::app
