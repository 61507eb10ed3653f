// The Parameters page rows built from complete images: order, names, values,
// units, ranges, conditions and name colours.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "FakeTexts.h"
#include "TestImages.h"
#include "model/ParameterGrid.h"

namespace zo::model {
namespace {

using test::FakeTexts;
using test::Image;
using test::Set;
using test::SetPresent;

std::vector<int> BytesOf(const ParameterGrid& grid) {
  std::vector<int> bytes;
  for (const ParameterRow& row : grid.Rows())
    bytes.push_back(row.byte);
  return bytes;
}

const ParameterRow* FindRow(const ParameterGrid& grid, int byte, int nameId = 0) {
  for (const ParameterRow& row : grid.Rows())
    if (row.byte == byte && (nameId == 0 || row.nameId == nameId)) return &row;
  return nullptr;
}

bool Lists(const ParameterGrid& grid, int byte) {
  return FindRow(grid, byte) != nullptr;
}

TEST(ParameterGrid, Vela100WithEverythingOnListsAll67RowsInCatalogueOrder) {
  const FakeTexts texts;
  const ParameterGrid grid = ParameterGrid::Build(test::Vela100AllOn(), texts);
  const std::vector<int> expected{78, 79, 79, 32, 86, 33, 57,  54,  59,  60,  61, 66, 44,  46,
                                  45, 77, 47, 48, 49, 50, 100, 101, 102, 103, 81, 82, 83,  84,
                                  85, 34, 75, 90, 53, 58, 76,  96,  97,  40,  74, 35, 98,  36,
                                  37, 38, 39, 52, 51, 73, 43,  67,  62,  91,  55, 56, 104, 63,
                                  41, 65, 64, 42, 89, 99, 68,  69,  70,  71,  72};
  EXPECT_EQ(BytesOf(grid), expected);
  EXPECT_EQ(grid.Rows().size(), 67u);
}

struct RowCase {
  int byte;
  int nameId;
  const char* name;
  const char* cell;
  int maximum;
};

TEST(ParameterGrid, Vela100RowsShowNameValueUnitAndRange) {
  const FakeTexts texts;
  const ParameterGrid grid = ParameterGrid::Build(test::Vela100AllOn(), texts);
  const RowCase cases[] = {
      {78, 402, "T402", "3  KASUJ", 255},       {79, 404, "T404", " KASUJ", 255},
      {32, 413, "Typ cewki", "4 cylindry", 6},  {86, 414, "  T414", "T432", 1},
      {57, 436, "  Próg TPS", "0.80 [V]", 255}, {54, 530, "  T530", "Tak", 1},
      {59, 531, "    T531", "0.20 [V]", 255},   {48, 521, "    T521", "3000 [obr/min]", 100},
      {90, 453, "  Sonda", "T457", 2},          {40, 451, "  T451", "30 [s]", 255},
      {98, 460, "Symulacja", "Typowa", 6},      {36, 470, "  T470", "0.80 [s]", 255},
      {38, 472, "  T472", "1.0 [s]", 255},      {43, 480, "  Czas przełączania", "1.50 [s]", 255},
      {56, 482, "  T482", "+35 ['C]", 255},     {104, 485, "  T485", "CTRG-10k", 1},
      {63, 484, "T484", "4000 [obr/min]", 100}, {68, 495, "T495", "T497", 3},
      {72, 503, "  T503", "2.40 [V]", 255},
  };
  for (const RowCase& c : cases) {
    const ParameterRow* row = FindRow(grid, c.byte, c.nameId);
    ASSERT_NE(row, nullptr) << c.byte;
    EXPECT_EQ(row->name, c.name) << c.byte;
    EXPECT_EQ(row->Cell(), c.cell) << c.byte;
    EXPECT_EQ(row->minimum, 0);
    EXPECT_EQ(row->maximum, c.maximum) << c.byte;
  }
}

TEST(ParameterGrid, NameColoursFollowTheTraceColoursAndFixedGreens) {
  const FakeTexts texts;
  TraceColours colours;
  colours.rpm = Rgb(200, 0, 0);
  colours.tps = Rgb(0, 0, 100);
  colours.lam = Rgb(0, 0, 10);
  colours.sim = Rgb(10, 0, 0);
  colours.mot = Rgb(0, 90, 0);
  const ParameterGrid grid = ParameterGrid::Build(test::Vela100AllOn(), texts, colours);
  const auto colourOf = [&](int byte, int nameId = 0) {
    return FindRow(grid, byte, nameId)->nameColour;
  };
  EXPECT_EQ(colourOf(78), std::nullopt);
  EXPECT_EQ(colourOf(32), Rgb(200, 0, 0));
  EXPECT_EQ(colourOf(86), Rgb(255, 180, 180));
  EXPECT_EQ(colourOf(33), Rgb(0, 0, 100));
  for (int byte : {57, 54, 59, 44, 47, 48, 100, 101, 103})
    EXPECT_EQ(colourOf(byte), Rgb(180, 180, 255)) << byte;
  for (int byte : {81, 82, 85, 52, 51})
    EXPECT_EQ(colourOf(byte), std::nullopt) << byte;
  EXPECT_EQ(colourOf(34), Rgb(0, 0, 10));
  // Byte 98 is the last simulation row: 35 and the rows before it are light LAM.
  for (int byte : {75, 90, 53, 58, 97, 40, 74, 35})
    EXPECT_EQ(colourOf(byte), Rgb(180, 180, 190)) << byte;
  EXPECT_EQ(colourOf(98), Rgb(10, 0, 0));
  for (int byte : {36, 37, 38, 39})
    EXPECT_EQ(colourOf(byte), Rgb(190, 180, 180)) << byte;
  for (int byte : {73, 43, 67, 62, 91, 55, 56, 104, 63})
    EXPECT_EQ(colourOf(byte), Rgb(255, 255, 255)) << byte;
  for (int byte : {41, 65, 64, 42, 89})
    EXPECT_EQ(colourOf(byte), Rgb(180, 255, 180)) << byte;
  EXPECT_EQ(colourOf(99), Rgb(192, 220, 192));
  EXPECT_EQ(colourOf(68), Rgb(192, 220, 192));
  for (int byte : {69, 70, 71, 72})
    EXPECT_EQ(colourOf(byte), Rgb(230, 240, 230)) << byte;
}

TEST(ParameterGrid, OnlySimulationRowTakesSimColourWhenTheSecondIsAbsent) {
  const FakeTexts texts;
  Image image = test::Vela100AllOn();
  SetPresent(image, 98, false);
  TraceColours colours;
  colours.lam = Rgb(0, 0, 10);
  colours.sim = Rgb(10, 0, 0);
  const ParameterGrid grid = ParameterGrid::Build(image, texts, colours);
  EXPECT_EQ(FindRow(grid, 35)->nameColour, Rgb(10, 0, 0));
  EXPECT_EQ(FindRow(grid, 74)->nameColour, Rgb(180, 180, 190));
  EXPECT_EQ(FindRow(grid, 36)->nameColour, Rgb(190, 180, 180));
}

TEST(ParameterGrid, Vela150SwitchOverTimeIsNotIndentedAndSwitchOffTimeNeverListed) {
  const FakeTexts texts;
  Image image = test::Vela100AllOn();
  Set(image, {{0, 150}});
  EXPECT_EQ(FindRow(ParameterGrid::Build(image, texts), 43)->name, "Czas przełączania");
  Set(image, {{73, 1}});
  const ParameterGrid relayErase = ParameterGrid::Build(image, texts);
  EXPECT_FALSE(Lists(relayErase, 43));
  EXPECT_FALSE(Lists(relayErase, 88));
  Set(image, {{0, 100}});
  EXPECT_TRUE(Lists(ParameterGrid::Build(image, texts), 88));
}

TEST(ParameterGrid, BytesMissingFromTheBitmapAreNeverShown) {
  const FakeTexts texts;
  Image image = test::Vela100AllOn();
  SetPresent(image, 75, false);
  const ParameterGrid grid = ParameterGrid::Build(image, texts);
  const std::vector<int> bytes = BytesOf(grid);
  ASSERT_EQ(std::count(bytes.begin(), bytes.end(), 90), 1);
  EXPECT_FALSE(Lists(grid, 75));
  EXPECT_EQ(FindRow(grid, 90)->maximum, 2);
  EXPECT_EQ(FindRow(grid, 90)->options, OptionList::G);
}

TEST(ParameterGrid, ConditionsHideTheirRowsAndOptionsOutsideTheListShowUstaw) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, int>> set;
    std::vector<int> hidden, shown;
  };
  const Case cases[] = {
      {"TPS type absent",
       {{33, 4}},
       {57, 54, 59, 60, 61, 66, 44, 46, 45, 77, 47, 48, 49, 50},
       {33, 100, 101, 102, 103}},
      {"lambda absent",
       {{34, 4}},
       {75, 90, 53, 58, 76, 96, 97, 40, 74, 35, 98, 36, 37, 38, 39},
       {34}},
      {"regulation 0", {{53, 0}}, {58, 76, 96, 97}, {53}},
      {"regulation 2", {{53, 2}}, {58, 76, 96, 97}, {53}},
      {"regulation 255", {{53, 255}}, {58, 76, 96, 97}, {53}},
      {"no errors, two flags", {{78, 0}, {79, 2}}, {78}, {79}},
      {"options outside their list", {{32, 7}, {54, 2}, {104, 2}}, {}, {32, 54, 104}},
  };
  const FakeTexts texts;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Image image = test::Vela100AllOn();
    for (const auto& [byte, value] : c.set)
      Set(image, {{byte, value}});
    const ParameterGrid grid = ParameterGrid::Build(image, texts);
    for (int byte : c.hidden)
      EXPECT_FALSE(Lists(grid, byte)) << byte;
    for (int byte : c.shown)
      EXPECT_TRUE(Lists(grid, byte)) << byte;
    if (c.hidden.empty()) {
      for (int byte : c.shown)
        EXPECT_EQ(FindRow(grid, byte)->Cell(), "USTAW") << byte;
    }
  }
  Image image = test::Vela100AllOn();
  Set(image, {{78, 0}, {79, 2}});
  const ParameterGrid grid = ParameterGrid::Build(image, texts);
  EXPECT_EQ(FindRow(grid, 79)->nameId, 405);
  EXPECT_EQ(FindRow(grid, 79, 404), nullptr);
}

TEST(ParameterGrid, SecondSimulationOffersBrakOnlyAboveVersion177) {
  const FakeTexts texts;
  Image image = test::Vela100AllOn();
  Set(image, {{1, 177}, {98, 6}});
  EXPECT_EQ(FindRow(ParameterGrid::Build(image, texts), 98)->maximum, 5);
  Set(image, {{1, 178}});
  const ParameterGrid grid = ParameterGrid::Build(image, texts);
  EXPECT_EQ(FindRow(grid, 98)->maximum, 6);
  EXPECT_EQ(FindRow(grid, 98)->Cell(), "Brak");
}

TEST(ParameterGrid, LevelRowsFollowTheSensorKindAndSwitch) {
  const FakeTexts texts;
  Image image = test::Vela100AllOn();
  Set(image, {{99, 0}, {68, 2}});
  ParameterGrid grid = ParameterGrid::Build(image, texts);
  EXPECT_EQ(FindRow(grid, 69)->nameId, 504);
  EXPECT_FALSE(Lists(grid, 70));
  EXPECT_EQ(grid.LevelSensorDirection(), LevelDirection::Falling);

  SetPresent(image, 68, false);
  Set(image, {{87, 1}});
  grid = ParameterGrid::Build(image, texts);
  const std::vector<int> bytes = BytesOf(grid);
  const std::vector<int> tail(bytes.end() - 3, bytes.end());
  EXPECT_EQ(tail, (std::vector<int>{99, 87, 69}));
  EXPECT_EQ(grid.LevelSensorDirection(), LevelDirection::Rising);
  EXPECT_EQ(FindRow(grid, 87)->nameColour, Rgb(192, 220, 192));
  EXPECT_EQ(FindRow(grid, 69)->nameColour, Rgb(230, 240, 230));

  Set(image, {{87, 5}});
  EXPECT_EQ(ParameterGrid::Build(image, texts).LevelSensorDirection(), std::nullopt);
}

TEST(ParameterGrid, Model80ImageListsOnlyItsPresentBytes) {
  const FakeTexts texts;
  Image image = test::Vela100AllOn();
  Set(image, {{0, 80}, {1, 150}, {78, 0}, {79, 0}, {99, 0}});
  for (int byte : {86, 90, 96, 97, 98, 99, 100, 101, 102, 103, 104, 91, 87, 88, 89})
    SetPresent(image, byte, false);
  const std::vector<int> expected{32, 33, 57, 54, 59, 60, 61, 66, 44, 46, 45, 77, 47, 48, 49, 50,
                                  81, 82, 83, 84, 85, 34, 75, 53, 58, 76, 40, 74, 35, 36, 37, 38,
                                  39, 52, 51, 73, 43, 67, 62, 55, 56, 63, 41, 65, 64, 42, 68, 69};
  EXPECT_EQ(BytesOf(ParameterGrid::Build(image, texts)), expected);
  Set(image, {{1, 170}});
  EXPECT_EQ(BytesOf(ParameterGrid::Build(image, texts)), expected);
}

TEST(ParameterGrid, K3010ImageReadToIndex4ListsNothing) {
  const FakeTexts texts;
  Image image = link::BlankImage();
  Set(image, {{0, 203}, {1, 120}, {2, 0}, {3, 0}, {4, 0}});
  EXPECT_TRUE(ParameterGrid::Build(image, texts).Rows().empty());
}

}  // namespace
}  // namespace zo::model
