// The settings key's text form: what a line means, what is skipped, and that
// every string and number survives writing and reading back.
#include <gtest/gtest.h>

#include <string>

#include "settings/RegKey.h"

namespace zo::settings {
namespace {

TEST(RegKeyTest, ReadsValuesAndSkipsCommentsBlankAndMalformedLines) {
  const RegKey key = RegKey::Parse(
      "[Software\\Zo\\VAD2]\r\n"
      "; a comment\n"
      "\n"
      "\"DirOpen\"=\"C:\\\\Zo \\\"x\\\"\"\r\n"
      "\"Lang\"=dword:0000000A\n"
      "\"Comm\"=dword:ffffffff\n"
      "\"NoClose\"=\"abc\n"
      "\"BadEscape\"=\"a\\tb\"\n"
      "\"Trailing\"=\"a\" x\n"
      "\"Short\"=dword:123\n"
      "\"Long\"=dword:000000001\n"
      "\"NotHex\"=dword:0000000g\n"
      "\"Signed\"=dword:-0000001\n"
      "Bare=dword:00000001\n"
      "\"NoValue\"\n"
      "\"FontSize\"=dword:0000000c");
  ASSERT_EQ(key.Entries().size(), 4u);
  EXPECT_EQ(std::get<std::string>(*key.Find("DirOpen")), "C:\\Zo \"x\"");
  EXPECT_EQ(std::get<std::uint32_t>(*key.Find("Lang")), 10u);
  EXPECT_EQ(std::get<std::uint32_t>(*key.Find("Comm")), 0xFFFFFFFFu);
  EXPECT_EQ(std::get<std::uint32_t>(*key.Find("FontSize")), 12u);
  EXPECT_EQ(key.Find("NoClose"), nullptr);
  EXPECT_EQ(key.Find("Short"), nullptr);
}

TEST(RegKeyTest, ANameGivenTwiceKeepsItsPlaceAndItsLastValue) {
  RegKey key = RegKey::Parse("\"A\"=\"1\"\n\"B\"=dword:00000002\n\"A\"=dword:00000003\n");
  ASSERT_EQ(key.Entries().size(), 2u);
  EXPECT_EQ(key.Entries()[0].first, "A");
  EXPECT_EQ(std::get<std::uint32_t>(key.Entries()[0].second), 3u);
  key.SetString("B", "x");
  key.SetInteger("C", -2);
  EXPECT_EQ(key.Text(),
            "[Software\\Zo\\VAD2]\n\"A\"=dword:00000003\n\"B\"=\"x\"\n\"C\"=dword:fffffffe\n");
}

TEST(RegKeyTest, StringsAndNumbersSurviveTheTextForm) {
  RegKey key;
  key.SetString("Dir", "/home/jan/Zo \"nowy\"\\C:\\x");
  key.SetString("Line\nbreak", "a\nb\r\nc");
  key.SetString("Empty", "");
  key.SetString("Folder", "/home/użytkownik/Łódź");
  key.SetDword("Min", 0x80000000u);
  key.SetDword("Zero", 0);
  EXPECT_EQ(RegKey::Parse(key.Text()), key);
}

}  // namespace
}  // namespace zo::settings
