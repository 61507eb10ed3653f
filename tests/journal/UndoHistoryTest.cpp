// Undo and redo over confirmed changes, and the way back to the image read
// at connect.
#include <gtest/gtest.h>

#include <array>

#include "journal/UndoHistory.h"

namespace zo::journal {
namespace {

Change Confirmed(int byte, std::uint8_t from, std::uint8_t to,
                 ChangeCause cause = ChangeCause::GridEdit) {
  return Change{0, byte, from, to, cause, "", "", ""};
}

using Writes = std::vector<ByteWrite>;

TEST(UndoHistory, WalksBackAndForwardAndANewChangeDropsWhatWasUndone) {
  UndoHistory history;
  EXPECT_EQ(history.Undo(), Writes{});
  history.Confirmed(Confirmed(57, 75, 80));
  history.Confirmed(Confirmed(57, 80, 85, ChangeCause::ParameterFile));
  history.Confirmed(Confirmed(176, 1, 2));   // a counter: the controller's own
  history.Confirmed(Confirmed(58, 23, 23));  // nothing changed
  EXPECT_EQ(history.Undo(), (Writes{{57, 80}}));
  history.Confirmed(Confirmed(57, 85, 80, ChangeCause::Undo));  // the undo's own write
  EXPECT_EQ(history.Undo(), (Writes{{57, 75}}));
  EXPECT_EQ(history.Undo(), Writes{});
  EXPECT_EQ(history.Redo(), (Writes{{57, 80}}));
  history.Confirmed(Confirmed(57, 75, 80, ChangeCause::Redo));
  EXPECT_TRUE(history.CanRedo());
  history.Confirmed(Confirmed(59, 5, 6));
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.Undo(), (Writes{{59, 5}}));
  EXPECT_EQ(history.Undo(), (Writes{{57, 75}}));
  history.Clear();
  EXPECT_FALSE(history.CanUndo());
}

TEST(UndoHistory, BytesOfOneActionAreOneStep) {
  UndoHistory history;
  history.Confirmed(Confirmed(32, 0, 1), 7);  // a coil type and what it set
  history.Confirmed(Confirmed(40, 5, 6), 7);
  history.Confirmed(Confirmed(41, 5, 6), 8);
  history.Confirmed(Confirmed(42, 5, 6), 0);  // unmarked: alone
  history.Confirmed(Confirmed(43, 5, 6), 0);
  EXPECT_EQ(history.Undo(), (Writes{{43, 5}}));
  EXPECT_EQ(history.Undo(), (Writes{{42, 5}}));
  EXPECT_EQ(history.Undo(), (Writes{{41, 5}}));
  EXPECT_EQ(history.Undo(), (Writes{{40, 5}, {32, 0}}));
  EXPECT_EQ(history.Redo(), (Writes{{32, 1}, {40, 6}}));
  // Undone steps are dropped by a new change even of the same action.
  history.Confirmed(Confirmed(50, 1, 2), 7);
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.Undo(), (Writes{{50, 1}}));
}

TEST(UndoHistory, BackToConnectWritesTheParametersThatDifferOnly) {
  std::array<std::uint8_t, 184> atConnect{};
  std::array<std::uint8_t, 184> now{};
  now[1] = 180;  // the version after an upload
  now[32] = 2;   // coil type
  now[80] = 4;   // reset cause: the controller's
  now[104] = 1;  // temperature sensor
  now[170] = 7;  // installation day
  now[181] = 9;  // gas time
  EXPECT_EQ(BackToConnect(atConnect, now), (std::vector<ByteWrite>{{32, 0}, {104, 0}, {170, 0}}));
  EXPECT_TRUE(BackToConnect(atConnect, atConnect).empty());
}

}  // namespace
}  // namespace zo::journal
