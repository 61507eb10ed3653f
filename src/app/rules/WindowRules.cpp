#include "app/rules/WindowRules.h"

#include <array>

namespace zo::app {

using link::Page;

std::optional<link::Page> WindowRules::PageFor(PageButton button, link::Page activePage) {
  const link::Page page = Chosen(button);
  if (page == activePage) return std::nullopt;
  return page;
}

link::Page WindowRules::Chosen(PageButton button) {
  switch (button) {
    case PageButton::Parameters:
      return Page::Parameters;
    case PageButton::Configuration:
      return Page::Configuration;
    case PageButton::Upgrade:
      subPage_ = ProcessorSubPage::None;
      return Page::Upgrade;
    case PageButton::Processor:
      if (subPage_ == ProcessorSubPage::None) subPage_ = ProcessorSubPage::Port;
      break;
  }
  switch (subPage_) {
    case ProcessorSubPage::Ram:
      return Page::Ram;
    case ProcessorSubPage::Eeprom:
      return Page::Eeprom;
    default:
      return Page::Port;
  }
}

std::optional<link::Page> WindowRules::ProcessorPage(int index, link::Page activePage) {
  static constexpr std::array<ProcessorSubPage, 3> kSubPages{
      ProcessorSubPage::Port, ProcessorSubPage::Ram, ProcessorSubPage::Eeprom};
  subPage_ = kSubPages[static_cast<std::size_t>(index < 0 ? 0 : (index > 2 ? 2 : index))];
  if (activePage != Page::Port && activePage != Page::Ram && activePage != Page::Eeprom)
    return std::nullopt;
  return PageFor(PageButton::Processor, activePage);
}

PageButton WindowRules::ButtonOf(link::Page page) {
  switch (page) {
    case Page::Parameters:
      return PageButton::Parameters;
    case Page::Configuration:
      return PageButton::Configuration;
    case Page::Upgrade:
      return PageButton::Upgrade;
    default:
      return PageButton::Processor;
  }
}

PageButtonVisibility WindowRules::ServiceMode(bool on, PageButtonVisibility current) {
  if (on) return PageButtonVisibility{true, true, true, true};
  current.processor = false;
  return current;
}

PageButtonVisibility WindowRules::AfterStopLink(PageButtonVisibility current) {
  current.parameters = true;
  current.configuration = true;
  return current;
}

int WindowRules::NextLayout(int layout, link::Page activePage) {
  if (activePage != Page::Parameters) return layout;
  return (layout + 1) % kLayouts;
}

int WindowRules::LayoutPicture(int layout) {
  return 6 + (layout >= 0 && layout < kLayouts ? layout : 0);
}

}  // namespace zo::app
