// The catalogue's line format: what survives a round trip and what stops the
// build.
#include <gtest/gtest.h>

#include <array>

#include "texts/CatalogueFile.h"

namespace zo::texts {
namespace {

constexpr std::array kBase{KeyRange{100, 999}};

TEST(CatalogueFormat, KeepsLeadingAndTrailingSpacesAndDecodesEscapes) {
  const auto result = CatalogueFile::Parse(
      "# comment\n\n700\t Viz Uwaga ! \n131\tA\\n\\rB\\tC\\\\D\n130\t  \n", kBase);
  ASSERT_TRUE(result.errors.empty());
  ASSERT_EQ(result.entries.size(), 3u);
  EXPECT_EQ(result.entries[0], (CatalogueEntryText{130, "  "}));
  EXPECT_EQ(result.entries[1], (CatalogueEntryText{131, "A\n\rB\tC\\D"}));
  EXPECT_EQ(result.entries[2], (CatalogueEntryText{700, " Viz Uwaga ! "}));
}

TEST(CatalogueFormat, LastLineWithoutLineEndAndEmptyText) {
  const auto result = CatalogueFile::Parse("100\tpolski\n101\t", kBase);
  ASSERT_TRUE(result.errors.empty());
  ASSERT_EQ(result.entries.size(), 2u);
  EXPECT_EQ(result.entries[1].text, "");
}

struct BadLine {
  const char* what;
  const char* content;
};

class CatalogueFormatErrors : public testing::TestWithParam<BadLine> {};

TEST_P(CatalogueFormatErrors, AreReportedWithTheirLineNumber) {
  const std::string content = std::string("# header\n100\tpolski\n") + GetParam().content;
  const auto result = CatalogueFile::Parse(content, kBase);
  ASSERT_EQ(result.errors.size(), 1u) << GetParam().what;
  EXPECT_EQ(result.errors[0].rfind("line 3: ", 0), 0u) << result.errors[0];
  EXPECT_EQ(result.entries.size(), 1u) << "the good line is kept";
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CatalogueFormatErrors,
    testing::Values(BadLine{"no tab", "101 PL\n"}, BadLine{"key not a number", "1x1\tPL\n"},
                    BadLine{"key below the range", "99\tPL\n"},
                    BadLine{"key above the range", "1101\tPL\n"},
                    BadLine{"unknown escape", "101\tP\\xL\n"},
                    BadLine{"lone backslash at the end", "101\tPL\\\n"},
                    BadLine{"CRLF line end", "101\tPL\r\n"},
                    BadLine{"raw tab in the text", "101\tP\tL\n"},
                    BadLine{"Windows-1251 byte instead of UTF-8", "101\tP\xf3L\n"},
                    BadLine{"truncated UTF-8", "101\tPL\xc3\n"},
                    BadLine{"overlong UTF-8", "101\t\xc0\xafPL\n"}));

TEST(CatalogueFormat, RepeatedKeyIsAnError) {
  const auto result = CatalogueFile::Parse("100\ta\n100\tb\n", kBase);
  ASSERT_EQ(result.errors.size(), 1u);
  EXPECT_NE(result.errors[0].find("100"), std::string::npos);
}

}  // namespace
}  // namespace zo::texts
