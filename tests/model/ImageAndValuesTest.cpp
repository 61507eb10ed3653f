// Image layout (presence bitmap, dates, counters), value kinds with their
// format and parse rules, and the temperature table.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>

#include "FakeTexts.h"
#include "TestImages.h"
#include "model/ImageLayout.h"
#include "model/TemperatureTable.h"
#include "model/ValueFormat.h"

namespace zo::model {
namespace {

using test::FakeTexts;
using test::Image;
using test::Set;

// ---- Image layout ----------------------------------------------------------

TEST(ImageLayout, PresenceBitOfByteIsBitIndexMod8OfByte3PlusIndexDiv8) {
  Image image{};
  Set(image, {{3 + 75 / 8, 1 << (75 % 8)}});  // byte 12 bit 3: byte 75
  for (const int byte : {74, 76, 90, -1})
    EXPECT_FALSE(ImageLayout::IsPresent(image, byte)) << byte;
  EXPECT_TRUE(ImageLayout::IsPresent(image, 75));
  image.fill(0xFF);  // bytes outside the exchanged image are never present
  EXPECT_TRUE(ImageLayout::IsPresent(image, 183));
  EXPECT_FALSE(ImageLayout::IsPresent(image, 184));
}

struct DateCase {
  int year, month, day;
  const char* text;
};

class DateText : public testing::TestWithParam<DateCase> {};

TEST_P(DateText, ShowsTwentyYearMonthDayOrDashes) {
  const DateCase c = GetParam();
  EXPECT_EQ((ImageDate{c.year, c.month, c.day}.Text()), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    ValidAndInvalid, DateText,
    testing::Values(DateCase{24, 5, 7, "2024.05.07"}, DateCase{1, 1, 1, "2001.01.01"},
                    DateCase{99, 12, 31, "2099.12.31"}, DateCase{0, 5, 7, "--.--.--"},
                    DateCase{100, 5, 7, "--.--.--"}, DateCase{24, 0, 7, "--.--.--"},
                    DateCase{24, 13, 7, "--.--.--"}, DateCase{24, 5, 0, "--.--.--"},
                    DateCase{24, 5, 32, "--.--.--"}, DateCase{255, 255, 255, "--.--.--"}));

TEST(ImageLayout, WorkingTimeCountersAreLittleEndian) {
  Image image{};
  Set(image, {{176, 0x78}, {177, 0x56}, {178, 0x34}, {179, 0x12}});
  Set(image, {{180, 0xFF}, {181, 0xFF}, {182, 0xFF}, {183, 0xFF}});
  EXPECT_EQ(ImageLayout::PetrolTime(image), 0x12345678u);
  EXPECT_EQ(ImageLayout::GasTime(image), 0xFFFFFFFFu);
}

TEST(ImageLayout, VersionIsShownInHundredths) {
  Image image{};
  Set(image, {{1, 5}});
  EXPECT_EQ(ImageLayout::VersionText(image), "0.05");
}

// ---- Format ------------------------------------------------------------------

struct FormatCase {
  int raw;
  ValueKind kind;
  double scale;
  const char* value;
  const char* unit;
};

class Format : public testing::TestWithParam<FormatCase> {};

TEST_P(Format, GivesValueAndUnitOfItsKind) {
  const FormatCase c = GetParam();
  const FakeTexts texts;
  EXPECT_EQ(ValueFormat::Format(static_cast<std::uint8_t>(c.raw), c.kind, c.scale, texts), c.value);
  EXPECT_EQ(ValueFormat::Unit(c.kind, c.scale, texts), c.unit);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Format,
    testing::Values(FormatCase{17, ValueKind::Count, 1, "17", ""},
                    FormatCase{114, ValueKind::Volts, 0.02, "2.28", " [V]"},
                    FormatCase{255, ValueKind::Volts, 0.02, "5.10", " [V]"},
                    FormatCase{7, ValueKind::Seconds01, 0.2, "1.4", " [s]"},
                    FormatCase{30, ValueKind::Rpm, 100, "3000", " [obr/min]"},
                    FormatCase{6, ValueKind::Seconds, 5, "30", " [s]"},
                    FormatCase{101, ValueKind::Temperature, 1, "+35", " ['C]"},
                    FormatCase{194, ValueKind::Temperature, 1, "+0", " ['C]"},
                    FormatCase{205, ValueKind::Temperature, 1, "-5", " ['C]"},
                    FormatCase{0, ValueKind::Bit, 1, "0", ""},
                    FormatCase{128, ValueKind::Bit, 1, "1", ""},
                    FormatCase{0, ValueKind::OnOff, 0, "Nie", ""},
                    FormatCase{1, ValueKind::OnOff, 0, "Tak", ""},
                    FormatCase{2, ValueKind::OnOff, 0, "USTAW", ""},
                    FormatCase{1, ValueKind::Erase, 0, " KASUJ", ""},
                    FormatCase{150, ValueKind::Seconds001, 0.01, "1.50", " [s]"},
                    FormatCase{41, ValueKind::Seconds001, 0.02, "0.82", " [s]"},
                    FormatCase{255, ValueKind::Millis, 0.1, "25.5", " [ms]"},
                    // The unit follows the scale: none when it is zero.
                    FormatCase{3, ValueKind::Volts, 0, "0.00", ""}));

// ---- Parse -------------------------------------------------------------------

struct ParseCase {
  const char* text;
  double scale;
  int byte;
};

class Parse : public testing::TestWithParam<ParseCase> {};

TEST_P(Parse, ReadsDividesTruncatesAndKeepsLowEightBits) {
  const ParseCase c = GetParam();
  EXPECT_EQ(ValueFormat::Parse(c.text, c.scale), c.byte) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, Parse,
    testing::Values(ParseCase{"1.5", 0.02, 75},
                    // 2.3 / 0.02 is just below 115 in double precision.
                    ParseCase{"2.3", 0.02, 114}, ParseCase{"300", 1, 44}, ParseCase{"256", 1, 0},
                    ParseCase{"abc", 1, 0}, ParseCase{"", 0.02, 0}, ParseCase{"12abc", 1, 12},
                    ParseCase{"1,5", 0.02, 50}, ParseCase{"3000", 100, 30},
                    ParseCase{"3099", 100, 30}, ParseCase{"-1", 1, 255}, ParseCase{"-0.5", 1, 0},
                    ParseCase{".5", 0.02, 25}, ParseCase{"+7", 1, 7}, ParseCase{" 7", 1, 7},
                    ParseCase{"1e2", 1, 100}, ParseCase{"inf", 1, 0}, ParseCase{"nan", 1, 0},
                    ParseCase{"1e999", 1, 0}, ParseCase{"99999999999999999999", 1, 0},
                    ParseCase{"1.14", 0.02, 56}, ParseCase{"1.4", 0.2, 6}, ParseCase{"7", 0, 7},
                    // A second sign cannot belong to the number: nothing is read.
                    ParseCase{"+-5", 1, 0}, ParseCase{"-+5", 1, 0}, ParseCase{"+", 1, 0},
                    ParseCase{"-.5", 0.02, 231}));

// ---- Locale independence ---------------------------------------------------------

// A C++ locale whose numbers use a decimal comma.
struct CommaPunct : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

void ExpectDotFormatting() {
  const FakeTexts texts;
  EXPECT_EQ(ValueFormat::Format(114, ValueKind::Volts, 0.02, texts), "2.28");
  EXPECT_EQ(ValueFormat::Format(7, ValueKind::Seconds01, 0.2, texts), "1.4");
  EXPECT_EQ(ValueFormat::Parse("1.5", 0.02), 75);
  EXPECT_EQ(ValueFormat::Parse("2.3", 0.02), 114);
  EXPECT_EQ(ValueFormat::Parse("1,5", 0.02), 50);
}

TEST(LocaleIndependence, GlobalCxxLocaleWithDecimalCommaChangesNothing) {
  // std::locale takes ownership of the facet.
  const std::locale comma(std::locale::classic(), new CommaPunct);
  const std::locale previous = std::locale::global(comma);
  ExpectDotFormatting();
  std::locale::global(previous);
}

TEST(LocaleIndependence, CLocaleWithDecimalCommaChangesNothing) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  const char* found = nullptr;
  for (const char* name : {"de_DE.UTF-8", "pl_PL.UTF-8", "fr_FR.UTF-8", "ru_RU.UTF-8",
                           "lt_LT.UTF-8", "de_DE", "pl_PL"}) {
    if (std::setlocale(LC_ALL, name) != nullptr &&
        std::string(std::localeconv()->decimal_point) == ",") {
      found = name;
      break;
    }
  }
  if (found == nullptr) {
    std::setlocale(LC_ALL, previous.c_str());
    GTEST_SKIP() << "no locale with a decimal comma is installed on this machine";
  }
  ExpectDotFormatting();
  std::setlocale(LC_ALL, previous.c_str());
}

// ---- Round trip over every byte --------------------------------------------------

TEST(RoundTrip, ParseGivesEveryFormattedByteBackWhereTheScaleIsExact) {
  const FakeTexts texts;
  struct Exact {
    ValueKind kind;
    int decimals;
  };
  const Exact numeric[] = {{ValueKind::Count, 0},     {ValueKind::Volts, 2},
                           {ValueKind::Seconds01, 1}, {ValueKind::Rpm, 0},
                           {ValueKind::Seconds, 0},   {ValueKind::Seconds001, 2},
                           {ValueKind::Millis, 1}};
  struct Scale {
    double value;
    int decimals;
  };
  const Scale scales[] = {{1, 0}, {5, 0}, {100, 0}, {0.5, 1}, {0.25, 2}};
  for (const Exact& e : numeric)
    for (const Scale& scale : scales) {
      if (scale.decimals > e.decimals) continue;
      for (int raw = 0; raw < 256; ++raw) {
        const auto byte = static_cast<std::uint8_t>(raw);
        const std::string text = ValueFormat::Format(byte, e.kind, scale.value, texts);
        ASSERT_EQ(ValueFormat::Parse(text, scale.value), byte)
            << "kind " << static_cast<int>(e.kind) << " scale " << scale.value << " text " << text;
      }
    }
}

// ---- Temperature table -----------------------------------------------------------

TEST(TemperatureTable, ShowsTheFirstRowWhoseRawEntryIsAtLeastTheReading) {
  EXPECT_EQ(TemperatureTable::Celsius(101, 0), 35);
  EXPECT_EQ(TemperatureTable::Celsius(100, 0), 35);
  EXPECT_EQ(TemperatureTable::Celsius(102, 0), 30);
  EXPECT_EQ(TemperatureTable::Celsius(0, 0), 185);
  EXPECT_EQ(TemperatureTable::Celsius(255, 0), -60);
  EXPECT_EQ(TemperatureTable::Celsius(30, 1), 35);
  EXPECT_EQ(TemperatureTable::Celsius(30, 7), 75);  // any type but 1 reads column 0
}

TEST(TemperatureTable, ColderStepsStopAtZeroDegrees) {
  std::uint8_t raw = 17;  // 100 'C
  int steps = 0;
  int previous = TemperatureTable::Celsius(raw, 0);
  for (; steps < 40; ++steps) {
    const std::uint8_t next = TemperatureTable::StepColder(raw, 0);
    if (next == raw) break;
    EXPECT_EQ(TemperatureTable::Celsius(next, 0), previous - 5);
    previous = TemperatureTable::Celsius(next, 0);
    raw = next;
  }
  EXPECT_EQ(steps, 20);
  EXPECT_EQ(raw, 194);
  EXPECT_EQ(TemperatureTable::Celsius(raw, 0), 0);
}

TEST(TemperatureTable, StepsStopAtTheEndsAndConversionKeepsTheTemperature) {
  // Single steps within a column and the sensor change are checked through
  // the editor's arrows; here the readings beyond the table's ends.
  EXPECT_EQ(TemperatureTable::StepWarmer(0, 0), 17);     // far too hot: back to 100 'C
  EXPECT_EQ(TemperatureTable::StepColder(255, 0), 194);  // far too cold: back to 0 'C
  EXPECT_EQ(TemperatureTable::StepColder(0, 0), 1);      // row 0 steps one row colder
  EXPECT_EQ(TemperatureTable::StepColder(92, 1), 92);    // CT-2k2 0 'C stays
  EXPECT_EQ(TemperatureTable::StepWarmer(5, 1), 5);      // CT-2k2 100 'C stays
  EXPECT_EQ(TemperatureTable::Convert(194, 0, 1), 92);   // 0 'C
  EXPECT_EQ(TemperatureTable::Convert(77, 0, 0), 77);
}

}  // namespace
}  // namespace zo::model
