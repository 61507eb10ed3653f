// Model names, captions, pages per connection state, dates and the minimum
// program version message.
#include <gtest/gtest.h>

#include "FakeTexts.h"
#include "TestImages.h"
#include "model/ControllerModel.h"

namespace zo::model {
namespace {

using test::FakeTexts;
using test::Image;
using test::Set;
using S = link::ConnectionState;

Image Controller(int model, int version, int variant = 255) {
  Image image = link::BlankImage();
  Set(image, {{0, model}, {1, version}, {6, variant}});
  return image;
}

struct NameCase {
  int model;
  int version;
  int variant;
  const char* name;
  int lamps;
};

class ModelName : public testing::TestWithParam<NameCase> {};

TEST_P(ModelName, FollowsCodeVariantAndVersionRules) {
  const NameCase c = GetParam();
  const ModelInfo info = ControllerModel::Identify(Controller(c.model, c.version, c.variant));
  EXPECT_EQ(info.name, c.name);
  EXPECT_EQ(info.lampLayout, c.lamps);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ModelName,
    testing::Values(NameCase{50, 179, 255, " Vela50", 2}, NameCase{51, 179, 255, " Vela50", 2},
                    NameCase{100, 179, 255, " Vela100", 1}, NameCase{101, 150, 255, " Vela100", 1},
                    NameCase{80, 170, 255, " VelaXL", 0}, NameCase{80, 170, 254, " Quillon", 0},
                    // the version test comes last and wins
                    NameCase{81, 150, 255, " VelaL+", 0}, NameCase{80, 159, 254, " VelaL+", 0},
                    NameCase{80, 160, 255, " VelaXL", 0},
                    // none of the three tests holds: named by its code
                    NameCase{80, 170, 200, " 80", 0}, NameCase{203, 120, 255, " K3010", 0},
                    NameCase{255, 179, 255, "", 0}, NameCase{77, 179, 255, " 77", 0},
                    NameCase{0, 0, 0, " 0", 0}));

TEST(ControllerModel, Vela150LampLayoutFollowsSwitchByte) {
  Image image = Controller(150, 179);
  Set(image, {{99, 1}});
  EXPECT_EQ(ControllerModel::Identify(image).lampLayout, 1);
  Set(image, {{99, 2}});
  EXPECT_EQ(ControllerModel::Identify(image).lampLayout, 2);
}

TEST(ControllerModel, CaptionPerConnectionState) {
  const FakeTexts texts;
  const Image vela = Controller(100, 179);
  EXPECT_EQ(ControllerModel::Caption(S::NotConnected, vela, texts), "Zo Viz V1.79");
  EXPECT_EQ(ControllerModel::Caption(S::FileShown, vela, texts, "/home/u/auta/golf.zop"),
            "Zo Viz V1.79 - [golf.zop] - Vela100 V1.79");
  EXPECT_EQ(ControllerModel::Caption(S::FileShown, vela, texts, "C:\\auta\\golf.zop"),
            "Zo Viz V1.79 - [golf.zop] - Vela100 V1.79");
  EXPECT_EQ(ControllerModel::Caption(S::ControllerRead, vela, texts),
            "Zo Viz V1.79 - Kontroler sondy lambda Vela100 V1.79");
  EXPECT_EQ(ControllerModel::Caption(S::Tester, Controller(203, 120), texts),
            "Zo Viz V1.79 - Tester K3010 V1.20");
  EXPECT_EQ(ControllerModel::Caption(S::UploadOnly, Controller(100, 177, 0), texts),
            "Zo Viz V1.79 - Kontroler sondy lambda Vela100");
}

TEST(ControllerModel, ControllerReadShowsPagesByFeatureFlagsAndServiceMode) {
  Image image = Controller(100, 179);
  Set(image, {{3, 0x0A}});
  PageButtons pages = ControllerModel::Pages(S::ControllerRead, image, false);
  EXPECT_TRUE(pages.parameters);
  EXPECT_EQ(pages.selected, link::Page::Parameters);
  EXPECT_TRUE(pages.configuration);
  EXPECT_FALSE(pages.upgrade);
  EXPECT_FALSE(pages.processor);
  EXPECT_TRUE(pages.controllerInfo);
  EXPECT_EQ(pages.switchPanel, true);

  pages = ControllerModel::Pages(S::ControllerRead, image, true);
  EXPECT_TRUE(pages.upgrade);
  EXPECT_TRUE(pages.processor);

  Set(image, {{3, 0}, {0, 80}});
  pages = ControllerModel::Pages(S::ControllerRead, image, false);
  EXPECT_FALSE(pages.configuration);
  EXPECT_TRUE(pages.upgrade);
  EXPECT_EQ(pages.switchPanel, false);
  Set(image, {{0, 100}, {6, 254}});
  EXPECT_EQ(ControllerModel::Pages(S::ControllerRead, image, false).switchPanel, false);
}

TEST(ControllerModel, OtherStatesShowOnlyTheirPages) {
  const Image image = Controller(100, 179);
  for (S state : {S::Tester, S::UploadOnly}) {
    const PageButtons pages = ControllerModel::Pages(state, image, true);
    EXPECT_TRUE(pages.upgrade);
    EXPECT_EQ(pages.selected, link::Page::Upgrade);
    EXPECT_FALSE(pages.parameters || pages.configuration || pages.processor ||
                 pages.controllerInfo);
  }
  for (S state : {S::NotConnected, S::FileShown}) {
    const PageButtons pages = ControllerModel::Pages(state, image, true);
    EXPECT_TRUE(pages.parameters);
    EXPECT_FALSE(pages.configuration || pages.upgrade || pages.processor || pages.controllerInfo);
    EXPECT_EQ(pages.selected, std::nullopt);
  }
}

TEST(ControllerModel, ThreeDates) {
  Image image = test::Vela100AllOn();
  std::array<std::int32_t, 16> counters{};
  counters[13] = 23;
  counters[14] = 11;
  counters[15] = 5;
  ControllerDates dates = ControllerModel::Dates(image, counters);
  EXPECT_EQ(dates.production, "2023.11.05");
  EXPECT_EQ(dates.installation, "2024.05.17");
  EXPECT_EQ(dates.configuration, "2025.12.31");
  // The production date has no lower bounds; only too large parts hide it.
  counters[13] = 0;
  counters[14] = 0;
  counters[15] = 0;
  EXPECT_EQ(ControllerModel::Dates(image, counters).production, "2000.00.00");
  for (int entry : {13, 14, 15}) {
    std::array<std::int32_t, 16> bad{};
    bad[13] = 23;
    bad[14] = 11;
    bad[15] = 5;
    bad[static_cast<std::size_t>(entry)] = entry == 13 ? 100 : entry == 14 ? 13 : 32;
    EXPECT_EQ(ControllerModel::Dates(image, bad).production, "--.--.--") << entry;
  }
  Set(image, {{169, 13}});
  EXPECT_EQ(ControllerModel::Dates(image, counters).installation, "--.--.--");
}

TEST(ControllerModel, MinimumVersionMessage) {
  EXPECT_EQ(ControllerModel::VersionMessage(S::ControllerRead, Controller(100, 191)), std::nullopt);
  const texts::UserText expected{texts::TextPiece::Id(741), texts::TextPiece::Literal("192"),
                                 texts::TextPiece::Literal(" .\n\r")};
  EXPECT_EQ(ControllerModel::VersionMessage(S::ControllerRead, Controller(100, 192)), expected);
  EXPECT_EQ(ControllerModel::VersionMessage(S::FileShown, Controller(100, 200)), expected);
  EXPECT_EQ(ControllerModel::VersionMessage(S::ControllerRead, Controller(100, 255))->at(1),
            texts::TextPiece::Literal("240"));
  for (S state : {S::NotConnected, S::Tester, S::UploadOnly})
    EXPECT_EQ(ControllerModel::VersionMessage(state, Controller(100, 200)), std::nullopt);
}

TEST(ControllerModel, WorkingTimesAreReadFromVersion178On) {
  EXPECT_TRUE(ControllerModel::ReadsWorkingTimes(Controller(100, 178)));
  EXPECT_FALSE(ControllerModel::ReadsWorkingTimes(Controller(100, 177)));
}

}  // namespace
}  // namespace zo::model
