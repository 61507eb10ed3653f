// The journal against the simulated controller: random edits written back
// leave a journal whose replay over the image read at connect is the
// controller's memory, each change described as the grid shows it, and undo
// walks the controller back to that image byte for byte.
#include <gtest/gtest.h>

#include <random>

#include "FakeTexts.h"
#include "MemoryFiles.h"
#include "SimLink.h"
#include "journal/ChangeRecorder.h"
#include "journal/JournalKeeper.h"
#include "link/ImageMap.h"

namespace zo::journal {
namespace {

struct Rig {
  test::SimLink sim;
  MemoryFiles files;
  ChangeJournal journal{files};
  model::test::FakeTexts texts;
  std::vector<JournalWrite> reports;
  ChangeRecorder recorder{journal, sim.state.workingCopy, texts, [] { return 1'765'000'000; },
                          [this](JournalWrite w) { reports.push_back(w); }};
  link::ImageArea atConnect{};

  Rig() {
    sim.ReadController();
    atConnect = sim.state.controllerCopy;
    journal.Open(ControllerKey::Of(atConnect, {}, false), SessionStart{1, 179, "1.79", ""});
    sim.effects.consumers.writes = &recorder;
  }
  void Change(int byte, std::uint8_t value, link::ChangeCause cause) {
    sim.state.workingCopy[static_cast<std::size_t>(byte)] = value;
    sim.state.causes.Mark(byte, value, cause);
    sim.Ticks(2);
  }
  // The bytes in which the controller's memory differs from `image`, but
  // for those it changes itself.
  [[nodiscard]] std::vector<int> Differences(const link::ImageArea& image) const {
    std::vector<int> differ;
    const auto eeprom = sim.controller.Image();
    for (int i = 0; i < link::kImageSize; ++i)
      if (eeprom[static_cast<std::size_t>(i)] != image[static_cast<std::size_t>(i)] &&
          !IsControllerOwned(i))
        differ.push_back(i);
    return differ;
  }
};

TEST(ChangeRecorder, JournalReplaysToTheControllerAndUndoWalksItBack) {
  Rig rig;
  std::mt19937 random(7);
  const std::array<int, 6> bytes{link::ImageMap::kCoilType,        link::ImageMap::kTpsThreshold,
                                 link::ImageMap::kLambdaThreshold, link::ImageMap::kMaxPosition,
                                 link::ImageMap::kCutOffRpm,       link::ImageMap::kTurboPosition};
  for (int edit = 0; edit < 50; ++edit)
    rig.Change(bytes[random() % bytes.size()], static_cast<std::uint8_t>(random() % 200),
               edit % 2 == 0 ? link::ChangeCause::GridEdit : link::ChangeCause::ParameterFile);

  const std::vector<Change>& changes = rig.journal.CurrentSession().changes;
  ASSERT_GE(changes.size(), 40U);
  link::ImageArea replayed = rig.atConnect;
  Replay(replayed, ChangeJournal::Load(rig.files, rig.journal.Key().FileName()).at(0).changes);
  EXPECT_EQ(rig.Differences(replayed), std::vector<int>{});
  EXPECT_EQ(rig.reports, std::vector(changes.size(), JournalWrite::Written));
  const auto coil = std::find_if(changes.begin(), changes.end(), [](const Change& c) {
    return c.byte == link::ImageMap::kCoilType && c.oldValue == 0;
  });
  ASSERT_NE(coil, changes.end());
  EXPECT_EQ(coil->parameter, "Typ cewki");
  EXPECT_EQ(coil->oldText, "4 cylindry");

  for (auto undo = rig.recorder.History().Undo(); !undo.empty();
       undo = rig.recorder.History().Undo())
    for (const ByteWrite& write : undo)
      rig.Change(write.byte, write.value, link::ChangeCause::Undo);
  EXPECT_EQ(rig.Differences(rig.atConnect), std::vector<int>{});
  EXPECT_EQ(rig.journal.CurrentSession().changes.back().cause, link::ChangeCause::Undo);
  const auto redo = rig.recorder.History().Redo();
  ASSERT_FALSE(redo.empty());
  EXPECT_EQ(redo.front(), (ByteWrite{changes.front().byte, changes.front().newValue}));
}

// Over connections: a re-read keeps the session, another controller gets an
// empty undo list, and the way back to the image at connect is one step.
TEST(JournalKeeper, UndoStaysWithItsControllerAndBackToConnectIsOneStep) {
  test::SimLink sim;
  MemoryFiles files;
  model::test::FakeTexts texts;
  JournalKeeper keeper(files, sim.state, texts, [] { return 5; }, "1.79", {});
  sim.effects.consumers.writes = &keeper.Confirmations();
  sim.ReadController();
  const link::ImageArea atConnect = sim.state.controllerCopy;
  EXPECT_FALSE(keeper.Undo()) << "no controller yet";
  keeper.ConnectionStateChanged(link::ConnectionState::ControllerRead, {});
  for (const int byte : {link::ImageMap::kTpsThreshold, link::ImageMap::kLambdaThreshold}) {
    sim.state.workingCopy[static_cast<std::size_t>(byte)] = 99;
    sim.Ticks(2);
  }
  keeper.ConnectionStateChanged(link::ConnectionState::ControllerRead, {});  // read again
  EXPECT_EQ(keeper.Journal().CurrentSession().changes.size(), 2U);
  EXPECT_EQ(keeper.DifferencesFromConnect().size(), 2U);
  ASSERT_TRUE(keeper.BackToConnect());
  sim.Ticks(3);
  for (const int byte : {link::ImageMap::kTpsThreshold, link::ImageMap::kLambdaThreshold})
    EXPECT_EQ(sim.controller.Image()[static_cast<std::size_t>(byte)],
              atConnect[static_cast<std::size_t>(byte)]);
  EXPECT_TRUE(keeper.DifferencesFromConnect().empty());
  EXPECT_EQ(keeper.Journal().CurrentSession().changes.back().cause,
            link::ChangeCause::BackToConnect);
  ASSERT_TRUE(keeper.Undo()) << "back to connect is undone like any change, in one step";
  sim.Ticks(3);
  for (const int byte : {link::ImageMap::kTpsThreshold, link::ImageMap::kLambdaThreshold})
    EXPECT_EQ(sim.controller.Image()[static_cast<std::size_t>(byte)], 99);

  keeper.ConnectionStateChanged(link::ConnectionState::NotConnected, {});
  EXPECT_FALSE(keeper.Undo());
  sim.state.controllerCopy[link::ImageMap::kModel] = 150;  // another controller
  keeper.ConnectionStateChanged(link::ConnectionState::ControllerRead, {});
  EXPECT_FALSE(keeper.Undo());
  sim.state.workingCopy[link::ImageMap::kTpsThreshold] = 98;
  sim.Ticks(2);
  EXPECT_EQ(files.files.size(), 2U) << "a journal each";
}

}  // namespace
}  // namespace zo::journal
