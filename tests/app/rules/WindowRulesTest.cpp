#include <gtest/gtest.h>

#include "app/rules/KeyRules.h"
#include "app/rules/WindowRules.h"

namespace zo::app {
namespace {

using link::Page;

KeyContext Parameters() {
  KeyContext c;
  c.activePage = Page::Parameters;
  c.connectionState = link::ConnectionState::ControllerRead;
  return c;
}

TEST(KeyRules, PageKeysActOnlyForVisiblePageButtons) {
  KeyRules rules;
  KeyContext c = Parameters();
  EXPECT_EQ(rules.KeyDown(keys::kF3, c), KeyCommand::ShowParameters);
  EXPECT_EQ(rules.KeyDown(keys::kF4, c), KeyCommand::None);
  EXPECT_EQ(rules.KeyDown(keys::kF6, c), KeyCommand::None);
  c.tabCfgVisible = c.tabUpgVisible = true;
  EXPECT_EQ(rules.KeyDown(keys::kF4, c), KeyCommand::ShowConfiguration);
  EXPECT_EQ(rules.KeyDown(keys::kF6, c), KeyCommand::ShowUpgrade);
  c.tabParVisible = false;
  EXPECT_EQ(rules.KeyDown(keys::kF3, c), KeyCommand::None);
  EXPECT_EQ(rules.KeyDown(keys::kF7, c), KeyCommand::FocusGrid);
  c.parameterGridVisible = false;
  EXPECT_EQ(rules.KeyDown(keys::kF7, c), KeyCommand::None);
}

TEST(KeyRules, KeysDependOnPageConnectionAndCtrl) {
  KeyRules rules;
  KeyContext c = Parameters();
  EXPECT_EQ(rules.KeyDown(keys::kLeft, c), KeyCommand::StepDown);
  EXPECT_EQ(rules.KeyDown(keys::kRight, c), KeyCommand::StepUp);
  EXPECT_EQ(rules.KeyDown(keys::kEnter, c), KeyCommand::ToggleScope);
  EXPECT_EQ(rules.KeyDown(keys::kF11, c), KeyCommand::NextLanguage);
  EXPECT_EQ(rules.KeyDown(keys::kF12, c), KeyCommand::NextFontSize);
  c.connectionState = link::ConnectionState::FileShown;  // a file shown: no stepping
  EXPECT_EQ(rules.KeyDown(keys::kRight, c), KeyCommand::None);
  c.activePage = Page::Upgrade;
  EXPECT_EQ(rules.KeyDown(keys::kEnter, c), KeyCommand::Upload);
  c.activePage = Page::Configuration;
  EXPECT_EQ(rules.KeyDown(keys::kEnter, c), KeyCommand::None);
  c.ctrlHeld = true;
  EXPECT_EQ(rules.KeyDown(keys::kF11, c), KeyCommand::Window800x600);
  EXPECT_EQ(rules.KeyDown(keys::kF12, c), KeyCommand::Window640x480);
  EXPECT_EQ(rules.KeyDown(keys::Letter('E'), c), KeyCommand::None);  // not in service mode
  c.serviceMode = true;
  EXPECT_EQ(rules.KeyDown(keys::Letter('E'), c), KeyCommand::DatesTo255);
  EXPECT_EQ(rules.KeyDown(keys::Letter('R'), c), KeyCommand::DatesTo0);
}

TEST(KeyRules, QAndWActOnlyRightAfterCtrlEvenWhenReleased) {
  KeyRules rules;
  const KeyContext c = Parameters();
  EXPECT_EQ(rules.KeyDown(keys::Letter('Q'), c), KeyCommand::None);
  rules.KeyDown(keys::kControl, c);
  // Ctrl released before Q: the rule asks only for the key before.
  EXPECT_EQ(rules.KeyDown(keys::Letter('Q'), c), KeyCommand::StopLink);
  EXPECT_EQ(rules.KeyDown(keys::Letter('W'), c), KeyCommand::None);
  rules.KeyDown(keys::kControl, c);
  EXPECT_EQ(rules.KeyDown(keys::Letter('W'), c), KeyCommand::ResetColours);
}

TEST(KeyRules, SequencesToggleOnlyWhenTypedInARow) {
  KeyRules rules;
  const KeyContext c = Parameters();
  const auto type = [&](const std::array<char, 4>& sequence) {
    KeyCommand last = KeyCommand::None;
    for (char letter : sequence)
      last = rules.KeyDown(keys::Letter(letter), c);
    return last;
  };
  EXPECT_EQ(type(KeyRules::kServiceSequence), KeyCommand::ToggleServiceMode);
  // Any other key in between breaks the sequence.
  const auto& s = KeyRules::kServiceSequence;
  rules.KeyDown(keys::Letter(s[0]), c);
  rules.KeyDown(keys::Letter(s[1]), c);
  rules.KeyDown(keys::kF7, c);
  rules.KeyDown(keys::Letter(s[2]), c);
  EXPECT_EQ(rules.KeyDown(keys::Letter(s[3]), c), KeyCommand::None);
  // The last three letters after another first one are no sequence.
  for (const int key : {keys::Letter('X'), keys::Letter(s[1]), keys::Letter(s[2])})
    rules.KeyDown(key, c);
  EXPECT_EQ(rules.KeyDown(keys::Letter(s[3]), c), KeyCommand::None);
}

TEST(WindowRules, ProcessorButtonRemembersItsSubPageUntilTheUpgradePage) {
  WindowRules rules;
  EXPECT_EQ(rules.PageFor(PageButton::Processor, Page::Parameters), Page::Port);
  EXPECT_EQ(rules.ProcessorPage(2, Page::Port), Page::Eeprom);
  EXPECT_EQ(rules.PageFor(PageButton::Parameters, Page::Eeprom), Page::Parameters);
  EXPECT_EQ(rules.PageFor(PageButton::Processor, Page::Parameters), Page::Eeprom);
  // Chosen while another page is shown: only remembered.
  EXPECT_EQ(rules.ProcessorPage(1, Page::Parameters), std::nullopt);
  EXPECT_EQ(rules.ProcessorPage(1, Page::Map), std::nullopt);
  EXPECT_EQ(rules.PageFor(PageButton::Processor, Page::Parameters), Page::Ram);
  EXPECT_EQ(rules.PageFor(PageButton::Upgrade, Page::Ram), Page::Upgrade);
  EXPECT_EQ(rules.SubPage(), ProcessorSubPage::None);
  EXPECT_EQ(rules.PageFor(PageButton::Processor, Page::Upgrade), Page::Port);
}

TEST(WindowRules, ChoosingThePageShownEntersNothing) {
  WindowRules rules;
  EXPECT_EQ(rules.PageFor(PageButton::Configuration, Page::Configuration), std::nullopt);
  EXPECT_EQ(rules.PageFor(PageButton::Parameters, Page::Parameters), std::nullopt);
  EXPECT_EQ(rules.PageFor(PageButton::Upgrade, Page::Upgrade), std::nullopt);
  EXPECT_EQ(rules.ProcessorPage(1, Page::Port), Page::Ram);
  EXPECT_EQ(rules.PageFor(PageButton::Processor, Page::Ram), std::nullopt);
  EXPECT_EQ(rules.ProcessorPage(1, Page::Ram), std::nullopt);
}

TEST(WindowRules, LeavingServiceModeHidesOnlyTheProcessorButton) {
  const PageButtonVisibility all{true, true, true, true};
  EXPECT_EQ(WindowRules::ServiceMode(false, all), (PageButtonVisibility{true, true, true, false}));
}

}  // namespace
}  // namespace zo::app
