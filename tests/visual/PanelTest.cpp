// The signal panels: gauge positions, trace colours, state panels and the
// lamps of the petrol/gas switch.
#include <gtest/gtest.h>

#include <vector>

#include "texts/TextIds.h"
#include "visual/ColourChoice.h"
#include "visual/GaugeRules.h"
#include "visual/InfoPanelRule.h"
#include "visual/StatePanels.h"
#include "visual/SwitchLamps.h"

namespace zo::visual {
namespace {

using model::LevelDirection;
using model::Rgb;
using model::SignalKind;

TEST(GaugeRulesTest, RangeAndPositionPerKindAndType) {
  struct Case {
    SignalKind kind;
    std::uint8_t raw;
    GaugeSettings settings;
    int range;
    int position;
  };
  const std::vector<Case> cases{
      {SignalKind::Lam, 50, {0, 0, LevelDirection::Rising}, 50, 50},  // 1.00 V fills 0-1 V
      {SignalKind::Lam, 200, {0, 0, LevelDirection::Rising}, 50, 50},
      {SignalKind::Lam, 200, {1, 0, LevelDirection::Rising}, 255, 200},
      {SignalKind::Sim, 200, {2, 0, LevelDirection::Rising}, 255, 55},
      {SignalKind::Sim, 100, {3, 0, LevelDirection::Rising}, 120, 100},
      {SignalKind::Rpm, 30, {}, 100, 30},
      {SignalKind::Tps, 10, {0, 0, LevelDirection::Rising}, 255, 10},
      {SignalKind::Tps, 10, {0, 3, LevelDirection::Rising}, 255, 245},
      {SignalKind::Level, 100, {0, 0, LevelDirection::Rising}, 255, 100},
      {SignalKind::Level, 100, {0, 0, LevelDirection::Falling}, 255, 155},
      {SignalKind::Temperature, 254, {}, 255, 1},
      {SignalKind::Mot, 77, {}, 255, 77},
      {SignalKind::Def, 77, {}, 255, 77},
  };
  for (const Case& c : cases) {
    const auto reading = GaugeRules::Reading(c.kind, c.raw, c.settings);
    ASSERT_TRUE(reading) << static_cast<int>(c.kind);
    EXPECT_EQ(reading->range, c.range) << static_cast<int>(c.kind) << " raw " << int{c.raw};
    EXPECT_EQ(reading->position, c.position) << static_cast<int>(c.kind) << " raw " << int{c.raw};
  }
  EXPECT_FALSE(GaugeRules::Reading(SignalKind::Ram, 5, {}));
  EXPECT_FALSE(GaugeRules::Reading(SignalKind::Header, 5, {}));
}

TEST(GaugeRulesTest, TypesComeFromTheProbeAndThrottleParameters) {
  link::ImageArea image{};
  image[34] = 2;  // probe 5-0 V
  image[33] = 1;  // throttle voltage falling as it opens
  const GaugeSettings settings = GaugeRules::ForImage(image, LevelDirection::Rising);
  EXPECT_EQ(GaugeRules::Reading(SignalKind::Lam, 200, settings)->position, 55);
  EXPECT_EQ(GaugeRules::Reading(SignalKind::Tps, 10, settings)->position, 245);
}

TEST(GaugeRulesTest, ColoursFollowTheTraces) {
  const TracePalette palette = ColourChoice::Defaults();
  const auto lam = GaugeRules::Colours(SignalKind::Lam, palette);
  ASSERT_TRUE(lam);
  EXPECT_EQ(lam->bar, Rgb(255, 0, 0));  // lime gives a red bar
  EXPECT_EQ(lam->background, Rgb(0, 255, 0));
  EXPECT_EQ(GaugeRules::Colours(SignalKind::Sim, palette)->bar, Rgb(128, 0, 0));
  EXPECT_EQ(GaugeRules::Rotated(Rgb(1, 2, 3)), Rgb(2, 3, 1));
  EXPECT_EQ(GaugeRules::Colours(SignalKind::Psi, palette)->bar, Rgb(0, 0, 255));
  EXPECT_EQ(GaugeRules::TpsBar(Rgb(255, 255, 1), 0xDF), Rgb(255, 255, 1));
  EXPECT_EQ(GaugeRules::TpsBar(Rgb(255, 255, 1), 0x20), Rgb(127, 127, 0));
}

TEST(ColourChoiceTest, ChosenColoursStayApart) {
  TracePalette palette = ColourChoice::Defaults();
  EXPECT_EQ(ColourChoice::MakeUnique(Rgb(255, 255, 255), palette), Rgb(254, 255, 255));
  EXPECT_EQ(ColourChoice::MakeUnique(Rgb(0, 0, 0), palette), Rgb(1, 0, 0));
  // Another trace's colour: one red step away, up below 128, down above.
  EXPECT_EQ(ColourChoice::MakeUnique(Rgb(0, 255, 0), palette), Rgb(1, 255, 0));
  EXPECT_EQ(ColourChoice::MakeUnique(Rgb(128, 0, 0), palette), Rgb(127, 0, 0));
  EXPECT_EQ(ColourChoice::MakeUnique(Rgb(10, 20, 30), palette), Rgb(10, 20, 30));
  // A nudge onto an earlier trace's colour is caught by the second pass.
  palette[static_cast<std::size_t>(Trace::Rpm)] = Rgb(2, 0, 0);
  palette[static_cast<std::size_t>(Trace::Ram)] = Rgb(1, 0, 0);
  EXPECT_EQ(ColourChoice::MakeUnique(Rgb(0, 0, 0), palette), Rgb(3, 0, 0));
}

TEST(StatePanelsTest, OptionsAndProbePanels) {
  constexpr std::uint32_t kWhite = StatePanels::kWhite;
  EXPECT_EQ(StatePanels::Options(0x20, 0), (PanelView{kWhite, 160}));
  EXPECT_EQ(StatePanels::Options(0x10, 0), (PanelView{kWhite, 161}));
  EXPECT_EQ(StatePanels::Options(0x10, 0x04), (PanelView{kWhite, 165}));
  EXPECT_EQ(StatePanels::Options(0x38, 0), (PanelView{kWhite, 162}));  // later overwrites
  EXPECT_EQ(StatePanels::Options(0x24, 0x04), (PanelView{kWhite, 164}));
  EXPECT_EQ(StatePanels::Options(0x3C, 0), (PanelView{kWhite, 163}));
  EXPECT_FALSE(StatePanels::Options(0xC3, 0xFF));

  EXPECT_EQ(StatePanels::Probe(0xC3), (PanelView{StatePanels::kRed, 173}));
  EXPECT_EQ(StatePanels::Probe(0xC2), (PanelView{StatePanels::kRed, 172}));
  EXPECT_EQ(StatePanels::Probe(0xC0), (PanelView{StatePanels::kLightRed, 170}));
  EXPECT_EQ(StatePanels::Probe(0x40), (PanelView{StatePanels::kLightBlue, 171}));
  EXPECT_EQ(StatePanels::Probe(0x3C), PanelView{});
}

TEST(StatePanelsTest, AutomaticModeNamesWhatItWaitsFor) {
  constexpr int kAuto = 0x80 | 0x40 | 24;
  const auto on = [](bool alive, int status, int fault, bool listShown) {
    return StatePanels::OptionsOnTick({alive, status, fault, 0, 0}, listShown);
  };
  EXPECT_EQ(on(true, kAuto, 8, true), (PanelView{StatePanels::kYellow, 483}));
  EXPECT_EQ(on(true, kAuto, 0x30, true), (PanelView{StatePanels::kYellow, 481}));
  EXPECT_EQ(on(true, kAuto, 0, true), (PanelView{StatePanels::kYellow, 0}));
  for (const PanelView& reset :
       {on(true, kAuto, 8, false), on(false, kAuto, 8, true), on(true, 0x80 | 0x40 | 4, 8, true),
        on(true, 0x40 | 24, 8, true)}) {
    EXPECT_EQ(reset, PanelView{});
  }
}

using Lamps = std::vector<Lamp>;

Lamps LitLamps(const SwitchLamps& lamps) {
  Lamps lit;
  for (int i = 0; i < static_cast<int>(kLampCount); ++i) {
    if (lamps.Lit(static_cast<Lamp>(i))) lit.push_back(static_cast<Lamp>(i));
  }
  return lit;
}

TEST(SwitchLampsTest, LevelLampsPerLayoutAndDirection) {
  using Thresholds = std::array<std::uint8_t, 4>;
  struct Case {
    LampLayout layout;
    LevelDirection direction;
    Thresholds thresholds;
    int level;
    Lamps lit;
  };
  using enum Lamp;
  constexpr auto kRise = LevelDirection::Rising;
  constexpr auto kFall = LevelDirection::Falling;
  constexpr Thresholds kUp{40, 80, 120, 160};
  constexpr Thresholds kDown{160, 120, 80, 40};
  const std::vector<Case> cases{
      {LampLayout::Full, kRise, kUp, 100, {Led1, Led2}},
      {LampLayout::Full, kRise, kUp, 40, {LedR}},
      {LampLayout::Full, kRise, kUp, 41, {Led1}},
      {LampLayout::Full, kRise, kUp, 200, {Led1, Led2, Led3, Led4}},
      {LampLayout::Full, kFall, kDown, 100, {Led1, Led2}},
      {LampLayout::Full, kFall, kDown, 160, {LedR}},
      {LampLayout::Full, kFall, kDown, 0, {Led1, Led2, Led3, Led4}},
      {LampLayout::Full, kFall, kUp, 100, {Led1, Led2, Led3, Led4}},  // the last check wins
      {LampLayout::ReserveOnly, kRise, kUp, 40, {LedR}},
      {LampLayout::ReserveOnly, kRise, kUp, 200, {}},
      {LampLayout::ReserveOnly, kFall, kDown, 100, {}},
      {LampLayout::ReserveOnly, kFall, kDown, 160, {LedR}},
      {LampLayout::None, kRise, kUp, 40, {}},
  };
  for (const Case& c : cases) {
    SwitchLamps lamps;
    lamps.SetLayout(c.layout);
    // Ignition on, gas (4), even tick.
    lamps.Tick({true, 0x80 | 0x40 | 4, 0, c.level, 2}, c.thresholds, c.direction);
    Lamps expected = c.lit;
    if (c.layout != LampLayout::None) expected.push_back(LedG);
    EXPECT_EQ(LitLamps(lamps), expected)
        << "layout " << static_cast<int>(c.layout) << " level " << c.level;
  }
}

TEST(SwitchLampsTest, GasLampFollowsFuelMode) {
  SwitchLamps lamps;
  lamps.SetLayout(LampLayout::ReserveOnly);
  // Ticks 1, 2, ...: the status byte and whether LedG is lit afterwards.
  const std::vector<std::pair<int, bool>> ticks{
      {0xC4, true},                                // gas
      {0xD0, false},                               // petrol
      {0xC8, false},                               // dual: blinks from the next tick on
      {0xC8, true},  {0xD8, false}, {0xD8, true},  // automatic blinks as well
      {0x81, false},                               // older coding, odd tick: still blinking
      {0x81, true},                                // even tick: gas
      {0x81, true},  {0x80, false}, {0xC4, true}, {0x44, false},  // ignition off
      {0x43, false},                                              // ignition off, older coding
  };
  unsigned tickCounter = 0;
  for (const auto& [status, lit] : ticks) {
    lamps.ToggleGasLamp();  // as the connection tick does first
    lamps.Tick({true, status, 0, 100, ++tickCounter}, {0, 0, 0, 0}, LevelDirection::Rising);
    EXPECT_EQ(lamps.Lit(Lamp::LedG), lit) << "tick " << tickCounter;
  }
}

TEST(InfoPanelRuleTest, ShowsLinkIgnitionAndFuelMode) {
  const auto view = [](bool alive, int status, unsigned tick = 0) {
    return InfoPanelRule::Compute(link::LinkStateDisplay{alive, status, 0, 0, tick}, true);
  };
  EXPECT_EQ(view(false, 0).textId, zo::txt::kConnect);
  EXPECT_EQ(view(false, 0, 1).textColour, 0x0000FFu);  // red on odd ticks
  EXPECT_EQ(view(true, 255).textId, 0);
  EXPECT_EQ(view(true, 0x40).textId, zo::txt::kIgnitionSwitch);
  EXPECT_EQ(view(true, 0xC4).textId, zo::txt::kLpg);
  EXPECT_EQ(view(true, 0xD0).textId, zo::txt::kPetrol);
  EXPECT_EQ(view(true, 0xC8).gasLamp, GasLampCommand::Blinking);  // dual
  EXPECT_EQ(view(true, 0xD8).gasLamp, GasLampCommand::Blinking);  // automatic
  for (const int unlisted : {0xC0, 0xDC}) {
    EXPECT_TRUE(view(true, unlisted).keep) << unlisted;
    EXPECT_EQ(view(true, unlisted).gasLamp, GasLampCommand::Keep);
  }
  EXPECT_FALSE(view(true, 0xC4).keep);
  // Older coding: shown on even ticks only.
  EXPECT_EQ(view(true, 0x81, 0).textId, zo::txt::kLpg);
  EXPECT_EQ(view(true, 0x81, 1).textId, 0);
  EXPECT_EQ(InfoPanelRule::Compute(link::LinkStateDisplay{false, 0, 0, 0, 0}, false).textId, 0);
}

TEST(SwitchLampsTest, PlacesPerLayout) {
  EXPECT_EQ(SwitchLamps::LayoutFor(true, 1), LampLayout::Full);
  EXPECT_EQ(SwitchLamps::LayoutFor(true, 0xFE), LampLayout::ReserveOnly);
  EXPECT_EQ(SwitchLamps::LayoutFor(false, 1), LampLayout::None);
  const auto at = [](LampLayout layout, Lamp lamp) {
    const auto place = SwitchLamps::Place(layout, lamp);
    return place ? std::pair{place->x, place->y} : std::pair{-1, -1};
  };
  EXPECT_EQ(at(LampLayout::Full, Lamp::Led4), std::pair(74, 11));
  EXPECT_EQ(at(LampLayout::ReserveOnly, Lamp::LedR), std::pair(26, 38));
  EXPECT_EQ(at(LampLayout::ReserveOnly, Lamp::Led1), std::pair(-1, -1));
  EXPECT_EQ(at(LampLayout::None, Lamp::LedG), std::pair(-1, -1));
}

}  // namespace
}  // namespace zo::visual
