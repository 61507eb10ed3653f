// Reading the settings in their fixed order with the stop at the first missing
// or wrongly typed number, the limits, and what a save writes or leaves alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/SettingsStore.h"

namespace zo::settings {
namespace {

const std::string kFolder = "/opt/zo";

// Settings with every value away from its default and within its limits.
Settings Changed() {
  Settings s("/unused");
  s.dirOpen = "/home/jan/odczyt";
  s.dirSave = "";
  s.ramIndex = 77;
  s.help = 2;
  s.trackX = 5;
  s.lineRPM = false;
  s.lineLAM = false;
  s.lineSIM = s.lineTPS = s.lineMOT = s.linePSI = s.lineDEF = s.lineRAM = true;
  s.colorRPM = 1;
  s.colorLAM1 = 2;
  s.colorSIM = 3;
  s.colorTPS = 4;
  s.colorMOT1 = 5;
  s.colorDEF = 6;
  s.colorPSI = 7;
  s.colorRAM = 0xFFFFFF;
  s.scale = 1;
  s.vertical = 2;
  s.fontSize = 12;
  s.lang = 4;
  s.comm = 1025;
  s.visuSco = 2;
  s.wGrid = 300;
  s.bounds = WindowBounds{10, 20, 1000, 700};
  s.wState = Settings::kMinimised;
  s.w0State = 2;
  s.workshopName = "Auto-Gaz \"Kowalski\"";
  s.workshopAddress = "ul. Polna 1\n00-950 Warszawa";
  int n = 0;
  for (const int kind : Settings::kStoredIndicatorKinds) {
    s.indicators[static_cast<std::size_t>(kind)] = {-100 + n, 50 + n, 128 + n, n % 16};
    ++n;
  }
  return s;
}

RegKey Stored(const Settings& s, bool identified = true) {
  RegKey key;
  SettingsStore::Write(s, kFolder, identified, key);
  return RegKey::Parse(key.Text());
}

Settings WithFolders(const std::string& open, const std::string& save) {
  Settings s(kFolder);
  s.dirOpen = open;
  s.dirSave = save;
  return s;
}

TEST(SettingsStoreTest, NoKeyGivesTheDefaults) {
  const Settings s = SettingsStore::Read(std::nullopt, kFolder);
  EXPECT_EQ(s, Settings(kFolder));
  EXPECT_EQ(s.dirOpen + s.dirSave, kFolder + kFolder);
  EXPECT_TRUE(s.lineRPM && s.lineLAM && !s.lineSIM && !s.lineRAM);
  const std::vector<Colour> colours{s.colorRPM,  s.colorLAM1, s.colorSIM, s.colorTPS,
                                    s.colorMOT1, s.colorDEF,  s.colorPSI, s.colorRAM};
  EXPECT_EQ(colours,
            (std::vector<Colour>{255, 65280, 32768, 65535, 16776960, 16711935, 16711680, 128}));
  EXPECT_EQ(s.indicators[14], (IndicatorSlot{0, 0, 240, 0}));
}

TEST(SettingsStoreTest, EveryValueSurvivesASaveAndARead) {
  const Settings s = Changed();
  EXPECT_EQ(SettingsStore::Read(Stored(s), kFolder), s);
}

TEST(SettingsStoreTest, ReadingStopsAtTheFirstMissingOrWronglyTypedNumber) {
  // Only the folders: everything from the missing RamIndex on keeps its default.
  EXPECT_EQ(SettingsStore::Read(RegKey::Parse("\"DirOpen\"=\"/a\"\n\"DirSave\"=\"/b\""), kFolder),
            WithFolders("/a", "/b"));
  // Absent strings read empty and do not stop the reading.
  Settings expected = WithFolders("", "");
  expected.ramIndex = 5;
  EXPECT_EQ(SettingsStore::Read(RegKey::Parse("\"RamIndex\"=dword:00000005"), kFolder), expected);
  // Help stored as a string: RamIndex read, TrackX and all after it default.
  const Settings changed = Changed();
  RegKey key = Stored(changed);
  key.SetString("Help", "2");
  expected = WithFolders(changed.dirOpen, changed.dirSave);
  expected.ramIndex = changed.ramIndex;
  expected.workshopName = changed.workshopName;  // read whatever stopped the rest
  expected.workshopAddress = changed.workshopAddress;
  EXPECT_EQ(SettingsStore::Read(key, kFolder), expected);
  // A folder stored as a number stops at once: the program's folder stays.
  key.SetDword("DirOpen", 1);
  expected = Settings(kFolder);
  expected.workshopName = changed.workshopName;
  expected.workshopAddress = changed.workshopAddress;
  EXPECT_EQ(SettingsStore::Read(key, kFolder), expected);
}

TEST(SettingsStoreTest, BoundsApplyOnlyWhenAllFourAreStored) {
  RegKey key = Stored(Changed());
  key = RegKey::Parse(key.Text().substr(0, key.Text().find("\"WHeight\"")));
  const Settings s = SettingsStore::Read(key, kFolder);
  EXPECT_EQ(s.wGrid, 300);
  EXPECT_FALSE(s.bounds.has_value());
  EXPECT_EQ(s.wState, Settings::kNormal);
}

struct LimitCase {
  const char* name;
  int stored;
  int Settings::*field;
  int expected;
};

TEST(SettingsStoreTest, StoredValuesOutOfRangeAreCorrected) {
  const LimitCase cases[] = {
      {"TrackX", 0, &Settings::trackX, 1},       {"TrackX", -5, &Settings::trackX, 1},
      {"FontSize", 18, &Settings::fontSize, 8},  {"FontSize", 6, &Settings::fontSize, 8},
      {"FontSize", 12, &Settings::fontSize, 12}, {"FontSize", 16, &Settings::fontSize, 16},
      {"Lang", 7, &Settings::lang, 0},           {"Lang", -1, &Settings::lang, 0},
      {"WGrid", 10, &Settings::wGrid, 50},       {"Scale", 6, &Settings::scale, 2},
      {"Vertical", -1, &Settings::vertical, 3},  {"W0State", 3, &Settings::w0State, 1},
      {"W0State", 0, &Settings::w0State, 0},     {"W14State", 16, nullptr, 16},
  };
  Settings base(kFolder);
  base.bounds = WindowBounds{};
  for (const auto& c : cases) {
    RegKey key = Stored(base);
    key.SetInteger(c.name, c.stored);
    const Settings s = SettingsStore::Read(key, kFolder);
    const int value = c.field != nullptr ? s.*c.field : s.indicators[14].state;
    EXPECT_EQ(value, c.expected) << c.name << " stored as " << c.stored;
  }
  RegKey key = Stored(Changed());
  key.SetInteger("WLeft", -20);
  key.SetInteger("WWidth", 300);
  key.SetInteger("WHeight", 200);
  EXPECT_EQ(SettingsStore::Read(key, kFolder).bounds, (WindowBounds{10, 0, 640, 480}));
}

TEST(SettingsStoreTest, AMaximisedWindowKeepsTheBoundsOfTheLastNormalRun) {
  RegKey key = Stored(Changed());
  Settings s = Changed();
  s.bounds = WindowBounds{0, 0, 1920, 1080};
  s.wState = Settings::kMaximised;
  SettingsStore::Write(s, kFolder, true, key);
  const Settings read = SettingsStore::Read(key, kFolder);
  EXPECT_EQ(read.wState, Settings::kMaximised);
  EXPECT_EQ(read.bounds, Changed().bounds);
}

TEST(SettingsStoreTest, AFirstRunEndingMaximisedStoresItsNormalBounds) {
  RegKey key;
  Settings s = Changed();
  s.wState = Settings::kMaximised;
  SettingsStore::Write(s, kFolder, true, key);
  // The values after the bounds are read too.
  EXPECT_EQ(SettingsStore::Read(key, kFolder), s);
}

TEST(SettingsStoreTest, AutoScanIsClearedOnlyAfterARunWithoutAController) {
  RegKey key = RegKey::Parse("\"AutoScan\"=dword:00000001");
  SettingsStore::Write(Changed(), kFolder, true, key);
  EXPECT_EQ(std::get<std::uint32_t>(*key.Find("AutoScan")), 1u);
  EXPECT_EQ(Stored(Changed(), true).Find("AutoScan"), nullptr);
  SettingsStore::Write(Changed(), kFolder, false, key);
  EXPECT_EQ(std::get<std::uint32_t>(*key.Find("AutoScan")), 0u);
}

TEST(SettingsStoreTest, ANewKeyHoldsTheValuesInWritingOrder) {
  const RegKey key = Stored(Changed(), false);
  std::vector<std::string> names;
  for (const auto& entry : key.Entries())
    names.push_back(entry.first);
  ASSERT_EQ(names.size(), 3u + 3 + 8 + 8 + 5 + 4 + 4 + 1 + 36 + 2);
  EXPECT_EQ(std::get<std::string>(*key.Find("Dir")), kFolder);
  const std::vector<std::string> start(names.begin(), names.begin() + 7);
  EXPECT_EQ(start, (std::vector<std::string>{"Dir", "DirOpen", "DirSave", "TrackX", "RamIndex",
                                             "Help", "LineRPM"}));
  const std::vector<std::string> window(names.begin() + 25, names.begin() + 38);
  EXPECT_EQ(window, (std::vector<std::string>{"Lang", "AutoScan", "Comm", "VisuSco", "WGrid",
                                              "WState", "WTop", "WLeft", "WWidth", "WHeight",
                                              "W0State", "W3Left", "W3Top"}));
  EXPECT_EQ(names[names.size() - 3], "W14State");
  EXPECT_EQ(names.back(), "WorkshopAddress");
}

TEST(SettingsStoreTest, RamIndexText) {
  EXPECT_EQ(SettingsStore::RamIndexFromText("123"), 123);
  EXPECT_EQ(SettingsStore::RamIndexFromText("12x"), 0);
  EXPECT_EQ(SettingsStore::RamIndexFromText(""), 0);
}

}  // namespace
}  // namespace zo::settings
