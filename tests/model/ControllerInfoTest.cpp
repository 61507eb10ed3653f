// The controller-information lines with and without working times, the
// working-time read from the simulated controller with its two fall-backs,
// and the program version of the About window.
#include <gtest/gtest.h>

#include "FakeTexts.h"
#include "ProgramVersion.h"
#include "SimLink.h"
#include "model/ControllerInfo.h"

namespace zo::model {
namespace {

using Block = std::array<std::int32_t, 16>;

link::ImageArea Vela100(int version) {
  link::ImageArea image = link::BlankImage();
  image[0] = 100;
  image[1] = static_cast<std::uint8_t>(version);
  image[6] = 255;
  return image;
}

TEST(ControllerInfo, WorkingTimesOnlyFromFirmware178) {
  const test::FakeTexts texts;
  const ControllerDates dates{"2023.05.17", "2024.01.02", "--.--.--"};
  // Petrol 3600 s; gas 0x010E10 = 69136 s.
  const Block block{16, 14, 0, 0, 0x10, 0x0E, 0x01, 0};

  const InfoLines older = ControllerInfo::Lines(Vela100(177), block, dates, texts);
  EXPECT_EQ(older.caption, "Kontroler sondy lambda  Vela100");
  EXPECT_EQ(older.labels[0], "T158 :\tV1.77");
  EXPECT_EQ(older.labels[1], "T961\t2023.05.17");
  EXPECT_EQ(older.labels[3], "T963\t--.--.--");
  EXPECT_FALSE(older.workingTimes);
  EXPECT_EQ(older.labels[4] + older.labels[5], "");

  const InfoLines newer = ControllerInfo::Lines(Vela100(178), block, dates, texts);
  EXPECT_TRUE(newer.workingTimes);
  EXPECT_EQ(newer.labels[4], "T964\t1 h 0 m");
  EXPECT_EQ(newer.labels[5], "T965\t19 h 12 m");
}

TEST(ControllerInfo, ReadFillsFromTheReplyOrTheImageOrKeepsTheBlock) {
  zo::test::SimLink t;  // 123456 s on petrol, 654321 s on gas
  t.ReadController();
  // On the RAM page the reply also lands in the memory view; the counters
  // must still be filled.
  t.state.activePage = link::Page::Ram;
  t.state.counterBlock.fill(7);
  EXPECT_EQ(ControllerInfo::ReadWorkingTimes(t.link, t.state.workingCopy, t.state),
            CounterRead::Filled);
  EXPECT_EQ(ControllerInfo::WorkingTime(ControllerInfo::Counter(t.state.counterBlock, 0)),
            "34 h 17 m");
  EXPECT_EQ(ControllerInfo::WorkingTime(ControllerInfo::Counter(t.state.counterBlock, 4)),
            "181 h 45 m");

  const Block filled = t.state.counterBlock;
  t.port.Faults().Script(lpgsim::Fault::Corrupt);
  EXPECT_EQ(ControllerInfo::ReadWorkingTimes(t.link, t.state.workingCopy, t.state),
            CounterRead::Kept);
  EXPECT_EQ(t.state.counterBlock, filled);

  for (int i = 176; i < 192; ++i)
    t.state.workingCopy[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  t.port.Faults().Script(lpgsim::Fault::Drop);
  EXPECT_EQ(ControllerInfo::ReadWorkingTimes(t.link, t.state.workingCopy, t.state),
            CounterRead::FromImage);
  EXPECT_EQ(t.state.counterBlock[0], 176);
  EXPECT_EQ(t.state.counterBlock[15], 191);
}

TEST(ControllerInfo, ProgramVersionIsTheCaptionsVersion) {
  EXPECT_EQ(ControllerInfo::AboutVersionLine(179, test::FakeTexts()), "T158 : V1.79");
  EXPECT_EQ(ControllerModel::kProgramCaption,
            "Zo Viz V" + ControllerInfo::ProgramVersionText(kProgramVersion));
}

}  // namespace
}  // namespace zo::model
