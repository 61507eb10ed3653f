// The service report's contents: the workshop over its address lines, the
// identity lines with working times only where the firmware has them, every
// grid row with its value, this session's changes, and the file name.
#include "report/ServiceReport.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "FakeTexts.h"
#include "TestImages.h"
#include "model/ParameterGrid.h"

namespace zo::report {
namespace {

using Block = std::array<std::int32_t, 16>;

std::string Clock(std::int64_t seconds) {
  return "t" + std::to_string(seconds);
}

TEST(ServiceReport, HoldsWorkshopIdentityEveryGridRowAndTheChanges) {
  const model::test::FakeTexts texts;
  const link::ImageArea image = model::test::Vela100AllOn();
  const Block block{16, 14, 0, 0, 0x10, 0x0E, 0x01, 0};  // petrol 3600 s, gas 69136 s
  const model::ControllerDates dates{"2023.05.17", "2024.01.02", "2024.12.31"};
  const std::vector<journal::Change> changes{
      {100, 57, 40, 41, link::ChangeCause::GridEdit, "Czas przełączania", "40", "41"},
      {105, 150, 1, 2, link::ChangeCause::Undo, "", "", ""}};
  const ReportDocument doc =
      ServiceReport::Build({image, block, dates, changes, " Auto-Gaz Kowalski ",
                            "ul. Długa 5\r\n00-001 Warszawa\n\n", "2026-12-08", Clock},
                           texts);

  EXPECT_EQ(doc.title, "T945");
  EXPECT_EQ(doc.workshop,
            (std::vector<LabelledLine>{
                {"T918", "Auto-Gaz Kowalski"}, {"T919", "ul. Długa 5"}, {"", "00-001 Warszawa"}}));
  EXPECT_EQ(doc.date, (LabelledLine{"T947", "2026-12-08"}));
  EXPECT_EQ(doc.controllerHeading, "Kontroler sondy lambda  Vela100");
  EXPECT_EQ(doc.identity, (std::vector<LabelledLine>{{"T158 :", "V1.79"},
                                                     {"T961", "2023.05.17"},
                                                     {"T962", "2024.01.02"},
                                                     {"T963", "2024.12.31"},
                                                     {"T964", "1 h 0 m"},
                                                     {"T965", "19 h 12 m"}}));

  const model::ParameterGrid grid = model::ParameterGrid::Build(image, texts);
  const auto& rows = grid.Rows();
  ASSERT_EQ(doc.parameters.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(std::string(static_cast<std::size_t>(doc.parameters[i].indent), ' ') +
                  doc.parameters[i].name,
              rows[i].name);
    const std::string cell = rows[i].Cell();
    const std::size_t first = cell.find_first_not_of(' ');
    EXPECT_EQ(doc.parameters[i].value, cell.substr(std::min(first, cell.size())))
        << "the value as the grid shows it, without its leading spaces";
  }

  // The grid's name of byte 57 in the current language, not the journal's.
  const auto byte57 =
      std::find_if(rows.begin(), rows.end(), [](const auto& r) { return r.byte == 57; });
  ASSERT_NE(byte57, rows.end());
  const std::string name57 = byte57->name.substr(byte57->name.find_first_not_of(' '));
  ASSERT_NE(name57, "Czas przełączania");
  ASSERT_TRUE(doc.HasChanges());
  EXPECT_EQ(doc.changes, (std::vector<journal::ChangeRow>{{"t100", name57, "40 \u2192 41", "T935"},
                                                          {"t105", "#150", "1 \u2192 2", "T942"}}));
  EXPECT_EQ(doc.changeColumns, (std::array<std::string, 4>{"T989", "T300", "T997", "T998"}));
}

TEST(ServiceReport, OlderFirmwareWithoutChangesAndItsFileName) {
  const model::test::FakeTexts texts;
  link::ImageArea image = model::test::Vela100AllOn();
  image[1] = 177;
  const ReportDocument doc = ServiceReport::Build(
      {image, Block{}, model::ControllerDates{}, {}, "", "", "8.12.2026", Clock}, texts);
  EXPECT_EQ(doc.identity.size(), 4U) << "no working times before firmware 1.78";
  EXPECT_EQ(doc.workshop, (std::vector<LabelledLine>{{"T918", ""}, {"T919", ""}}));
  EXPECT_FALSE(doc.HasChanges());
  EXPECT_EQ(doc.noChanges, "T949");

  EXPECT_EQ(ServiceReport::FileName(" Raport serwisowy", image, "2026/12/08"),
            "Raport-serwisowy-Vela100-2026-12-08.pdf");
}

}  // namespace
}  // namespace zo::report
