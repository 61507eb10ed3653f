// Editing the working copy from the Parameters page: when the controls are
// active, text box and arrows, follow-up actions, plausibility warnings,
// factory parameters, erase buttons and dates.
#include <gtest/gtest.h>

#include <vector>

#include "FakeEditorPorts.h"
#include "FakeTexts.h"
#include "TestImages.h"
#include "link/LinkState.h"
#include "model/ParameterEditor.h"
#include "model/ParameterGrid.h"

namespace zo::model {
namespace {

using test::FakeTexts;
using test::FixedClock;
using test::Image;
using test::RecordingMessages;
using test::Set;

struct Editor : testing::Test {
  Editor() { Load(test::Vela100AllOn()); }

  void Load(const Image& image) {
    state.workingCopy = image;
    state.controllerCopy = image;
    state.connectionState = link::ConnectionState::ControllerRead;
    state.activePage = link::Page::Parameters;
  }

  ParameterRow Row(int byte, int nameId = 0) {
    const ParameterGrid grid = ParameterGrid::Build(state.workingCopy, texts);
    for (const ParameterRow& row : grid.Rows())
      if (row.byte == byte && (nameId == 0 || row.nameId == nameId)) return row;
    ADD_FAILURE() << "no row for byte " << byte;
    return {};
  }
  int W(int byte) const { return state.workingCopy[static_cast<std::size_t>(byte)]; }
  int C(int byte) const { return state.controllerCopy[static_cast<std::size_t>(byte)]; }
  void SetW(int byte, int value) {
    state.workingCopy[static_cast<std::size_t>(byte)] = static_cast<std::uint8_t>(value);
  }
  // Arrow up and back down: the follow-up actions run for the value set by
  // SetW before the pair.
  EditOutcome Select(int byte, int value) {
    SetW(byte, value == 0 ? 1 : value - 1);
    if (value == 0) return editor.ArrowDown(Row(byte));
    return editor.ArrowUp(Row(byte));
  }

  FakeTexts texts;
  RecordingMessages messages;
  FixedClock clock;
  link::LinkState state;
  ParameterEditor editor{{state, state, state}, messages, clock};
};

// ---- When the controls are active -----------------------------------------------

TEST_F(Editor, ControlsOnlyWithAControllerReadOnTheParametersPage) {
  EXPECT_TRUE(editor.ControlsActive());
  using S = link::ConnectionState;
  for (const S connection : {S::NotConnected, S::FileShown, S::Tester, S::UploadOnly}) {
    state.connectionState = connection;
    EXPECT_FALSE(editor.ControlsActive()) << static_cast<int>(connection);
  }
  state.connectionState = link::ConnectionState::ControllerRead;
  state.activePage = link::Page::Configuration;
  EXPECT_FALSE(editor.ControlsActive());
}

TEST_F(Editor, Model80BelowVersion160IsReadOnlyWithoutWarnings) {
  Image image = test::Vela100AllOn();
  Set(image, {{0, 80}, {1, 159}, {41, 0}});
  Load(image);
  EXPECT_FALSE(editor.ControlsActive());
  const EditOutcome outcome = editor.ArrowUp(Row(41));
  EXPECT_FALSE(outcome.rebuildGrid);
  EXPECT_EQ(W(41), 0);
  state.plausibilityRequest = true;
  EXPECT_FALSE(editor.ServePlausibilityRequest());
  EXPECT_TRUE(messages.shown.empty());

  Set(state.workingCopy, {{1, 160}});
  EXPECT_TRUE(editor.ControlsActive());
  Set(state.workingCopy, {{0, 81}, {1, 150}});
  EXPECT_TRUE(editor.ControlsActive());
}

// ---- Text box ------------------------------------------------------------------------

TEST_F(Editor, PlacingTheTextBoxIsNotAnEditAndTypedValuesAreStoredAtOnce) {
  const ParameterRow row = Row(57);
  const EditControls controls = editor.PlaceControls(row);
  EXPECT_TRUE(controls.textBox);
  EXPECT_TRUE(controls.arrows);
  EXPECT_EQ(controls.text, "0.80");
  EXPECT_FALSE(editor.TextChanged(row, "0.80"));  // the box being filled
  EXPECT_EQ(W(57), 40);
  struct Typed {
    const char* text;
    int byte;
  };
  for (const Typed& typed : {Typed{"1.5", 75}, Typed{"2.3", 114}, Typed{"abc", 0}, Typed{"", 0},
                             Typed{"5.11", 255}, Typed{"6", 44}}) {
    EXPECT_TRUE(editor.TextChanged(row, typed.text));
    EXPECT_EQ(W(57), typed.byte) << typed.text;
  }
  EXPECT_EQ(C(57), 40);  // the scheduler writes it
  EXPECT_EQ(W(172), 25) << "typing does not stamp the configuration date";
}

TEST_F(Editor, FirstKeystrokeIsStoredWhenPlacingTheBoxRaisedNoChange) {
  // The box already held "0.80" from the row before, so placing it over this
  // row changes nothing and the first notification is the user's own edit.
  const ParameterRow row = Row(57);
  editor.PlaceControls(row);
  EXPECT_TRUE(editor.TextChanged(row, "1.5"));
  EXPECT_EQ(W(57), 75);
  EXPECT_TRUE(editor.TextChanged(row, "0.80"));  // typed back: stored like any edit
  EXPECT_EQ(W(57), 40);
}

TEST_F(Editor, RowsNamingNoImageByteChangeNothing) {
  const Image working = state.workingCopy;
  const Image controller = state.controllerCopy;
  for (int byte : {-1, 184, 512, 100000}) {
    ParameterRow row;
    row.byte = byte;
    row.editStyle = kEditTextAndArrows;
    row.maximum = 255;
    row.scale = 1;
    editor.PlaceControls(row);
    EXPECT_FALSE(editor.TextChanged(row, "7")) << byte;
    EXPECT_FALSE(editor.TextChanged(row, "8")) << byte;
    EXPECT_FALSE(editor.ArrowUp(row).rebuildGrid) << byte;
    EXPECT_FALSE(editor.ArrowDown(row).rebuildGrid) << byte;
    row.editStyle = kEditButton;
    EXPECT_FALSE(editor.ButtonPressed(row).rebuildGrid) << byte;
  }
  EXPECT_EQ(state.workingCopy, working);
  EXPECT_EQ(state.controllerCopy, controller);
}

TEST_F(Editor, RowsWithoutTextBoxIgnoreTypedText) {
  const ParameterRow row = Row(32);
  EXPECT_FALSE(editor.PlaceControls(row).textBox);
  EXPECT_FALSE(editor.TextChanged(row, "3"));
  EXPECT_EQ(W(32), 0);
  EXPECT_TRUE(editor.PlaceControls(Row(78)).button);
}

// ---- Arrows ------------------------------------------------------------------------------

TEST_F(Editor, ArrowsWrapStepThroughListsAndTablesAndConvertTheThreshold) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, int>> set;
    int byte;
    bool up;
    std::vector<std::pair<int, int>> expected;
  };
  const Case cases[] = {
      {"range wraps up", {{62, 100}}, 62, true, {{62, 0}}},
      {"range wraps down", {{62, 0}}, 62, false, {{62, 100}}},
      {"range steps down", {{62, 100}}, 62, false, {{62, 99}}},
      {"full byte wraps", {{91, 255}}, 91, true, {{91, 0}}},
      {"option outside the list up", {{32, 9}}, 32, true, {{32, 0}}},
      {"option outside the list down", {{32, 9}}, 32, false, {{32, 8}}},
      {"option down", {{32, 7}}, 32, false, {{32, 6}}},
      {"100 'C is the top", {{56, 17}}, 56, true, {{56, 17}}},
      {"100 'C down to 95 'C", {{56, 17}}, 56, false, {{56, 19}}},
      {"0 'C is the bottom", {{56, 194}}, 56, false, {{56, 194}}},
      {"0 'C up", {{56, 194}}, 56, true, {{56, 182}}},
      {"CT-2k2 equal readings passed over", {{104, 1}, {56, 5}}, 56, false, {{56, 6}}},
      {"sensor change keeps 35 'C", {{104, 0}, {56, 101}}, 104, true, {{104, 1}, {56, 30}}},
      {"and back", {{104, 1}, {56, 30}}, 104, true, {{104, 0}, {56, 101}}},
      {"sensor outside its list, same column",
       {{104, 7}, {56, 101}},
       104,
       true,
       {{104, 0}, {56, 101}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const auto& [byte, value] : c.set)
      SetW(byte, value);
    if (c.up) {
      editor.ArrowUp(Row(c.byte));
    } else {
      editor.ArrowDown(Row(c.byte));
    }
    for (const auto& [byte, value] : c.expected)
      EXPECT_EQ(W(byte), value) << byte;
  }
}

// ---- Follow-up actions -----------------------------------------------------------------

TEST_F(Editor, EveryFollowUpStampsTodayAsConfigurationDate) {
  const EditOutcome outcome = editor.ArrowUp(Row(91));
  EXPECT_TRUE(outcome.rebuildGrid);
  EXPECT_EQ(W(172), 26);
  EXPECT_EQ(W(173), 3);
  EXPECT_EQ(W(174), 9);
  EXPECT_EQ(W(175), 38);
  EXPECT_EQ(C(172), 25) << "only the working copy changes";
}

struct FollowUpCase {
  int byte;
  int value;
  std::vector<std::pair<int, int>> expected;
  bool signalList;
};

class FollowUp : public Editor, public testing::WithParamInterface<FollowUpCase> {};

TEST_P(FollowUp, SetsDependentBytes) {
  const FollowUpCase c = GetParam();
  SetW(33, 0);
  SetW(34, 0);
  SetW(68, 1);
  Set(state.workingCopy, {{57, 1},
                          {46, 1},
                          {54, 0},
                          {44, 1},
                          {47, 1},
                          {58, 1},
                          {53, 0},
                          {82, 7},
                          {69, 1},
                          {70, 1},
                          {71, 1},
                          {72, 1}});
  const EditOutcome outcome = Select(c.byte, c.value);
  EXPECT_EQ(W(c.byte), c.value);
  for (const auto& [byte, value] : c.expected)
    EXPECT_EQ(W(byte), value) << "byte " << byte;
  EXPECT_EQ(outcome.rebuildSignalList, c.signalList);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FollowUp,
    testing::Values(FollowUpCase{33, 0, {{57, 40}, {46, 40}, {54, 1}}, true},
                    FollowUpCase{33, 1, {{57, 210}, {46, 210}, {54, 1}}, true},
                    FollowUpCase{33, 2, {{57, 125}, {46, 125}, {54, 1}}, true},
                    FollowUpCase{33, 3, {{57, 125}, {46, 125}, {54, 1}}, true},
                    FollowUpCase{33, 4, {{44, 0}, {47, 0}, {54, 0}, {57, 1}}, true},
                    FollowUpCase{34, 0, {{58, 25}, {53, 1}}, true},
                    FollowUpCase{34, 1, {{58, 125}, {53, 1}}, true},
                    FollowUpCase{34, 2, {{58, 125}, {53, 1}}, true},
                    FollowUpCase{34, 3, {{58, 60}, {53, 1}}, true},
                    FollowUpCase{34, 4, {{53, 0}, {58, 1}}, true},
                    FollowUpCase{81, 2, {{82, 1}}, true}, FollowUpCase{81, 0, {{82, 0}}, true},
                    FollowUpCase{68, 0, {{69, 120}, {70, 90}, {71, 60}, {72, 30}}, false},
                    FollowUpCase{68, 1, {{69, 30}, {70, 60}, {71, 90}, {72, 120}}, false},
                    FollowUpCase{68, 2, {{69, 200}, {70, 150}, {71, 100}, {72, 50}}, false},
                    FollowUpCase{68, 3, {{69, 50}, {70, 100}, {71, 150}, {72, 200}}, false}));

TEST_F(Editor, TwoWayLevelSensorSetsTheReserveThreshold) {
  Image image = test::Vela100AllOn();
  test::SetPresent(image, 68, false);
  Load(image);
  Select(87, 1);
  EXPECT_EQ(W(69), 50);
  Select(87, 0);
  EXPECT_EQ(W(69), 200);
}

TEST_F(Editor, TypicalSimulationSetsTimingInBothCopies) {
  Set(state.workingCopy, {{36, 1}, {37, 1}, {38, 1}, {39, 1}});
  Select(35, 3);
  for (const auto& [byte, value] : {std::pair{36, 40}, {37, 40}, {38, 0}, {39, 0}}) {
    EXPECT_EQ(W(byte), value);
    EXPECT_EQ(C(byte), value) << "nothing to write for " << byte;
  }
}

TEST_F(Editor, SecondSimulationMirrorsTimingOnlyOnVersion176) {
  Set(state.workingCopy, {{1, 177}, {36, 1}});
  Select(98, 3);
  EXPECT_EQ(W(36), 1);
  Set(state.workingCopy, {{1, 176}});
  Select(98, 3);
  EXPECT_EQ(W(36), 40);
  EXPECT_EQ(C(36), 40);
}

TEST_F(Editor, PetrolGasSwitchChangesTheLampLayout) {
  EXPECT_EQ(Select(99, 1).lampLayout, 1);
  EXPECT_EQ(Select(99, 0).lampLayout, 2);
}

TEST_F(Editor, EraseButtonsWriteZeroThenReadTheWholeImageAgain) {
  for (int byte : {78, 79}) {
    Load(test::Vela100AllOn());
    state.readInProgress = false;
    state.rotatingIndex = 5;
    const EditOutcome outcome = editor.ButtonPressed(Row(byte));
    EXPECT_TRUE(outcome.rebuildGrid);
    EXPECT_EQ(W(byte), 0);
    EXPECT_EQ(C(byte), 255) << "differs, so the scheduler writes the 0";
    EXPECT_TRUE(state.readInProgress);
    EXPECT_EQ(state.rotatingIndex, 0);
    EXPECT_EQ(W(172), 26);
  }
}

TEST_F(Editor, ButtonDoesNothingOnRowsWithoutOne) {
  EXPECT_FALSE(editor.ButtonPressed(Row(91)).rebuildGrid);
  EXPECT_EQ(W(172), 25);
}

// ---- Plausibility ------------------------------------------------------------------------

texts::UserText Ids(std::initializer_list<int> ids) {
  texts::UserText text;
  for (int id : ids)
    text.push_back(texts::TextPiece::Id(id));
  return text;
}

TEST_F(Editor, FullCheckGathersPositionAndSpeedWarnings) {
  Set(state.workingCopy, {{42, 50}, {64, 100}, {65, 150}, {41, 200}, {62, 15}, {63, 40}});
  state.plausibilityRequest = true;
  EXPECT_FALSE(editor.ServePlausibilityRequest());
  EXPECT_FALSE(state.plausibilityRequest);
  Set(state.workingCopy, {{65, 100}, {62, 40}});
  state.plausibilityRequest = true;
  EXPECT_TRUE(editor.ServePlausibilityRequest());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, Ids({743, 745}));
  EXPECT_EQ(messages.shown[0].title, 700);
  EXPECT_EQ(messages.shown[0].icon, link::MsgIcon::Warning);
}

struct LambdaCase {
  int type;
  int low;
  int high;
};

TEST_F(Editor, LambdaThresholdLimitsPerSensorType) {
  for (const LambdaCase& c : {LambdaCase{0, 10, 40}, LambdaCase{1, 50, 200}, LambdaCase{2, 50, 200},
                              LambdaCase{3, 50, 70}}) {
    Set(state.workingCopy, {{34, c.type}});
    for (int value : {c.low - 1, c.low, c.high, c.high + 1}) {
      Set(state.workingCopy, {{58, value}});
      messages.shown.clear();
      editor.CheckPlausibility(PlausibilityMode::Full);
      const bool valid = value >= c.low && value <= c.high;
      EXPECT_EQ(messages.shown.empty(), valid) << "type " << c.type << " value " << value;
      if (!valid) {
        EXPECT_EQ(messages.shown[0].text, Ids({746}));
      }
    }
  }
  Set(state.workingCopy, {{34, 4}, {58, 255}});
  messages.shown.clear();
  EXPECT_FALSE(editor.CheckPlausibility(PlausibilityMode::Full));
}

TEST_F(Editor, InvalidLambdaThresholdReplacesTheOtherWarnings) {
  Set(state.workingCopy, {{34, 3}, {58, 74}, {41, 0}, {62, 200}});
  editor.ArrowUp(Row(58));  // 75
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, Ids({746}));
}

TEST_F(Editor, AfterEditWarningIsShownOncePerByteUntilARowClick) {
  SetW(41, 10);  // maximum position below the others
  editor.ArrowUp(Row(41));
  editor.ArrowUp(Row(41));
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(editor.WarnedByte(), 41);
  editor.ArrowUp(Row(42));  // another checked byte warns again
  EXPECT_EQ(messages.shown.size(), 2u);
  editor.ArrowUp(Row(42));
  EXPECT_EQ(messages.shown.size(), 2u);
  editor.RowClicked();
  editor.ArrowUp(Row(42));
  EXPECT_EQ(messages.shown.size(), 3u);
  EXPECT_EQ(W(42), 53) << "the edit stays whatever the answer";
}

TEST_F(Editor, GridIsRebuiltBeforeTheAfterEditWarningIsShown) {
  // Lambda type 0 -> 1 sets the threshold to 125 and makes the positions
  // warning show: the grid must already show the new rows when it appears.
  SetW(41, 10);
  std::size_t shownAtRebuild = 99;
  editor.SetOutcomeHandler([&](const EditOutcome& outcome) {
    EXPECT_TRUE(outcome.rebuildGrid);
    EXPECT_TRUE(outcome.rebuildSignalList);
    EXPECT_EQ(W(58), 125) << "follow-up changes are made before the rebuild";
    shownAtRebuild = messages.shown.size();
  });
  const EditOutcome outcome = editor.ArrowUp(Row(34));
  EXPECT_EQ(shownAtRebuild, 0u) << "no warning before the rebuild";
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(outcome.rebuildGrid);
}

TEST_F(Editor, AfterEditCheckRunsOnlyForCheckedBytes) {
  SetW(41, 10);
  editor.ArrowUp(Row(91));
  editor.ArrowUp(Row(32));
  EXPECT_TRUE(messages.shown.empty());
  for (int byte : {34, 41, 42, 52, 53, 58, 62, 63, 64, 65}) {
    editor.RowClicked();
    messages.shown.clear();
    editor.CheckPlausibility(PlausibilityMode::AfterEdit, byte);
    EXPECT_EQ(messages.shown.size(), 1u) << byte;
  }
}

// ---- Factory parameters, dates, migration ----------------------------------------------

TEST_F(Editor, FactoryParametersAskAndOnYesWriteZeroToAddressZero) {
  messages.answer = 7;
  EXPECT_FALSE(editor.FactoryParameters());
  EXPECT_EQ(messages.beeps, 1);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, Ids({705}));
  EXPECT_EQ(messages.shown[0].icon, link::MsgIcon::Question);
  EXPECT_EQ(W(0), 100);
  EXPECT_FALSE(state.factoryResetRequest);
  messages.answer = 6;
  EXPECT_TRUE(editor.FactoryParameters());
  EXPECT_EQ(W(0), 0);
  EXPECT_EQ(C(0), 255);
  EXPECT_TRUE(state.factoryResetRequest);
  // Confirmed, it counts as the factory parameters over the model it replaced.
  const auto why = state.causes.Of(0, 0, 255);
  EXPECT_EQ(why.cause, link::ChangeCause::FactoryParameters);
  EXPECT_EQ(why.before, 100);
}

TEST_F(Editor, InstallationDateIsFilledInOnlyWhenInvalid) {
  EXPECT_FALSE(editor.FillInstallationDate());
  EXPECT_EQ(W(168), 24);
  Set(state.workingCopy, {{168, 255}, {169, 255}, {170, 255}, {171, 255}});
  EXPECT_TRUE(editor.FillInstallationDate());
  EXPECT_EQ((std::vector<int>{W(168), W(169), W(170), W(171)}), (std::vector<int>{26, 3, 9, 38}));
  EXPECT_EQ(C(168), 24) << "only the working copy changes";
}

TEST_F(Editor, ServiceModeDateKeys) {
  EXPECT_FALSE(editor.SetDateBytes(255));
  EXPECT_EQ(W(168), 24);
  state.serviceMode = true;
  EXPECT_TRUE(editor.SetDateBytes(255));
  for (int i = 168; i <= 175; ++i)
    EXPECT_EQ(W(i), 255) << i;
  EXPECT_EQ(W(176), 255);
  EXPECT_TRUE(editor.SetDateBytes(0));
  for (int i = 168; i <= 175; ++i)
    EXPECT_EQ(W(i), 0) << i;
  EXPECT_EQ(W(167), 255);
}

}  // namespace
}  // namespace zo::model
