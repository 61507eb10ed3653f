// The comparison of a parameter file with the controller lists exactly the
// rows whose shown values differ; the CSV export holds one row per sample
// with the signal list's values, "." decimals and "," fields.
#include <gtest/gtest.h>

#include <clocale>
#include <sstream>

#include "FactoryImage.h"
#include "FakeTexts.h"
#include "files/ParameterComparison.h"
#include "files/RecordingCsv.h"
#include "model/ParameterGrid.h"

namespace zo::files {
namespace {

using model::SignalKind;

link::ImageArea VelaImage() {
  link::ImageArea area = link::BlankImage();
  const auto image = lpgsim::FactoryImage::Build(100, 179, 255);
  std::copy(image.begin(), image.end(), area.begin());
  return area;
}

TEST(ParameterComparisonTest, ListsExactlyTheRowsThatDiffer) {
  const model::test::FakeTexts texts;
  const link::ImageArea controller = VelaImage();
  ParameterFileContent file = ParameterFile::Decode(ParameterFile::Encode(controller));
  EXPECT_TRUE(ParameterComparison::Compare(file, controller, texts).empty());

  const auto rows = model::ParameterGrid::Build(controller, texts).Rows();
  // Two listed parameters changed, and bytes the file never loads.
  std::vector<int> changed;
  for (const auto& row : rows)
    if (row.kind == model::ValueKind::Count && changed.size() < 2) changed.push_back(row.byte);
  ASSERT_EQ(changed.size(), 2u);
  for (const int byte : changed)
    ++file.bytes[static_cast<std::size_t>(byte)];
  file.bytes[0] = 51;    // model code: stays the controller's
  file.bytes[170] ^= 1;  // a date byte: never loaded
  // The file's presence bitmap lists none of bytes 32..103: the rows are
  // still the controller's.
  std::fill(file.bytes.begin() + 7, file.bytes.begin() + 16, std::uint8_t{0});
  const auto differences = ParameterComparison::Compare(file, controller, texts);
  ASSERT_EQ(differences.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    const auto& d = differences[i];
    EXPECT_EQ(d.byte, changed[i]);
    const auto row =
        std::find_if(rows.begin(), rows.end(), [&](auto& r) { return r.byte == d.byte; });
    EXPECT_EQ(d.controllerValue, row->Cell());
    EXPECT_NE(d.fileValue, d.controllerValue);
    EXPECT_EQ(d.name, row->name.substr(row->name.find_first_not_of(' ')));
  }
}

TEST(RecordingCsvTest, OneRowPerSampleWithTheListsValuesWhateverTheLocale) {
  const model::test::FakeTexts texts;
  const link::ImageArea image = VelaImage();
  link::SampleHistory history;
  for (int slot = 0; slot < link::kHistoryLength; ++slot)
    history.At(slot).fill(static_cast<std::uint8_t>(slot));
  history.SetWriteIndex(41);
  // Slot 43: status, both flag bytes apart, a faulty temperature reading.
  history.At(43)[1] = 193;
  history.At(43)[2] = 68;
  history.At(43)[7] = 33;
  history.At(43)[14] = 254;
  const std::vector kinds{SignalKind::Rpm, SignalKind::Lam, SignalKind::Def, SignalKind::Mot,
                          SignalKind::Temperature};
  const char* previous = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  const std::string csv = RecordingCsv::Build(image, history, 42, kinds, texts);
  if (previous != nullptr) std::setlocale(LC_NUMERIC, "C");

  std::istringstream lines(csv);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line,
            "time [s],T210 [obr/min],T211 [V],T215 [ms],T219 [poz],T224 [°C],status,flags,"
            "flags2");
  int count = 0;
  std::string row43;
  while (std::getline(lines, line)) {
    if (count == 1) row43 = line;
    ++count;
  }
  EXPECT_EQ(count, link::kHistoryLength);
  // Slot 43 (raw 43): the values the signal list shows, without their units.
  const auto listed = [&](SignalKind k) {
    const std::string text = model::LiveSignals::Text(k, 43, image[104], texts);
    return text.substr(0, text.find(' '));
  };
  EXPECT_EQ(row43, "0.1," + listed(SignalKind::Rpm) + "," + listed(SignalKind::Lam) + "," +
                       listed(SignalKind::Def) + "," + listed(SignalKind::Mot) + ",,193,68,33");
  EXPECT_EQ(listed(SignalKind::Lam), "0.86");
  EXPECT_EQ(RecordingCsv::Value(SignalKind::Temperature, 255, 0), "") << "faulty reading";
}

}  // namespace
}  // namespace zo::files
