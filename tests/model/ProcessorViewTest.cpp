// Pin and input names, port and input texts, dump addressing and the
// reset-cause hint.
#include <gtest/gtest.h>

#include <array>

#include "FakeTexts.h"
#include "TestImages.h"
#include "model/ParameterGrid.h"
#include "model/ProcessorView.h"

namespace zo::model {
namespace {

using test::FakeTexts;
using test::Image;
using test::Set;
using test::SetPresent;

TEST(ProcessorView, PinNamesPerModel) {
  EXPECT_EQ(ProcessorView::PinName(80, 0), "B.0 Sw8-LAM");
  for (int pin : {6, 7, 14, 15})
    EXPECT_EQ(ProcessorView::PinName(80, pin), "") << pin;
  EXPECT_EQ(ProcessorView::PinName(80, 23), "D.7 Sw7-LAM");
  EXPECT_EQ(ProcessorView::PinName(50, 6), "B.6 PwmLinijka");
  EXPECT_EQ(ProcessorView::PinName(100, 12), "C.4 LEDzie");
  EXPECT_EQ(ProcessorView::PinName(151, 6), "B.6 Przełącznik");
  EXPECT_EQ(ProcessorView::PinName(150, 12), "C.4 ");
  EXPECT_EQ(ProcessorView::PinName(101, 18), "D.2 ImpWtrysku");
  EXPECT_EQ(ProcessorView::PinName(81, 0), "B.0");
  EXPECT_EQ(ProcessorView::PinName(203, 15), "C.7");
  EXPECT_EQ(ProcessorView::PinName(77, 23), "D.7");
  EXPECT_EQ(ProcessorView::PinName(100, 24), "");
}

TEST(ProcessorView, InputNamesPerModel) {
  EXPECT_EQ(ProcessorView::InputName(80, 1), "TPS");
  EXPECT_EQ(ProcessorView::InputName(150, 1), "Symulacja");
  EXPECT_EQ(ProcessorView::InputName(51, 1), "");
  EXPECT_EQ(ProcessorView::InputName(50, 7), "Zasilanie");
  EXPECT_EQ(ProcessorView::InputName(81, 0), "");
  EXPECT_EQ(ProcessorView::InputLabel(7), "ADC7");
  EXPECT_EQ(ProcessorView::InputText(255), "5.10 [V]");
  EXPECT_EQ(ProcessorView::InputText(0), "0.00 [V]");
}

TEST(ProcessorView, PortByte0x81SetsPinsZeroAndSeven) {
  const std::array<std::uint8_t, 3> ports{0x81, 0x00, 0x81};
  for (int pin = 0; pin < 8; ++pin) {
    const char* expected = pin == 0 || pin == 7 ? "1" : "0";
    EXPECT_EQ(ProcessorView::PinState(ports, pin), expected) << pin;
    EXPECT_EQ(ProcessorView::PinState(ports, 8 + pin), "0");
    EXPECT_EQ(ProcessorView::PinState(ports, 16 + pin), expected);
  }
}

TEST(ProcessorView, DumpAddressing) {
  EXPECT_EQ(ProcessorView::DumpRowLabel(1), "0");
  EXPECT_EQ(ProcessorView::DumpRowLabel(16), "F");
  EXPECT_EQ(ProcessorView::DumpColumnLabel(1), "00_");
  EXPECT_EQ(ProcessorView::DumpColumnLabel(11), "0A_");
  EXPECT_EQ(ProcessorView::DumpColumnLabel(39), "26_");
  // RAM block 10 fills column "0A_"; its byte at offset 0xF sits in row "F".
  const DumpCell cell = ProcessorView::CellOf(10, 0xF);
  EXPECT_EQ(ProcessorView::DumpColumnLabel(cell.column), "0A_");
  EXPECT_EQ(ProcessorView::DumpRowLabel(cell.row), "F");
  EXPECT_EQ(ProcessorView::CellText(200), "200");
  EXPECT_EQ(ProcessorView::CellText(7), "7");
}

TEST(ProcessorView, ResetCauseUsesLowFourBits) {
  EXPECT_EQ(ProcessorView::ResetCause(0), "Watchdog Reset");
  EXPECT_EQ(ProcessorView::ResetCause(1), "Power On Reset");
  EXPECT_EQ(ProcessorView::ResetCause(2), "External Reset");
  EXPECT_EQ(ProcessorView::ResetCause(0x12), "External Reset");
  EXPECT_EQ(ProcessorView::ResetCause(4), "Brown-out Reset");
  EXPECT_EQ(ProcessorView::ResetCause(8), "Watchdog Reset");
  EXPECT_EQ(ProcessorView::ResetCause(0xF0), "Watchdog Reset");
  EXPECT_EQ(ProcessorView::ResetCause(15), "Power On Reset");
}

TEST(ProcessorView, ResetCauseHintNeedsPowerErrorsRowFirstSelectedAndByte80) {
  const FakeTexts texts;
  Image image = test::Vela100AllOn();
  Set(image, {{80, 0x14}});
  const ParameterGrid grid = ParameterGrid::Build(image, texts);
  EXPECT_EQ(ProcessorView::ResetCauseHint(image, grid, 1, true), "Brown-out Reset");
  EXPECT_EQ(ProcessorView::ResetCauseHint(image, grid, 2, true), std::nullopt);
  EXPECT_EQ(ProcessorView::ResetCauseHint(image, grid, 1, false), std::nullopt);
  Image absent = image;
  SetPresent(absent, 80, false);
  EXPECT_EQ(ProcessorView::ResetCauseHint(absent, grid, 1, true), std::nullopt);
  Image noErrors = image;
  Set(noErrors, {{78, 0}});
  EXPECT_EQ(ProcessorView::ResetCauseHint(noErrors, ParameterGrid::Build(noErrors, texts), 1, true),
            std::nullopt);
}

}  // namespace
}  // namespace zo::model
