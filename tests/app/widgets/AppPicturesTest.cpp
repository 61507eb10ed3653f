// The program's own pictures: present, distinct and drawn where expected.
#include <gtest/gtest.h>

#include <QImage>

#include "app/widgets/AppPictures.h"

namespace zo::app {
namespace {

// A point inside each picture's body, clear of the sign drawn on it.
QPoint BodyPoint(link::ProgressPicture picture) {
  return picture == link::ProgressPicture::Warning ? QPoint(12, 22) : QPoint(6, 16);
}

QColor Body(const QPixmap& pixmap, link::ProgressPicture picture) {
  return pixmap.toImage().pixelColor(BodyPoint(picture));
}

TEST(AppPictures, IconCodesSelectTheirPictures) {
  EXPECT_FALSE(AppPictures::ForIcon(link::MsgIcon::Warning).isNull());
  EXPECT_FALSE(AppPictures::ForIcon(link::MsgIcon::Question).isNull());
  EXPECT_FALSE(AppPictures::ForIcon(link::MsgIcon::Information).isNull());
  EXPECT_TRUE(AppPictures::ForIcon(link::MsgIcon::None).isNull());
}

TEST(AppPictures, PicturesAreOpaqueInsideAndTransparentInTheCorner) {
  for (const auto picture : {link::ProgressPicture::Warning, link::ProgressPicture::Question,
                             link::ProgressPicture::Information, link::ProgressPicture::Reading}) {
    const QPixmap pixmap = AppPictures::ForProgress(picture);
    ASSERT_EQ(pixmap.size(), QSize(AppPictures::kSize, AppPictures::kSize));
    const QImage image = pixmap.toImage();
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(image.pixelColor(BodyPoint(picture)).alpha(), 255);
  }
}

TEST(AppPictures, WarningIsYellowQuestionBlueInformationGreen) {
  const QColor warning = Body(AppPictures::Warning(), link::ProgressPicture::Warning);
  EXPECT_GT(warning.red(), 200);
  EXPECT_GT(warning.green(), 150);
  EXPECT_LT(warning.blue(), 80);
  const QColor question = Body(AppPictures::Question(), link::ProgressPicture::Question);
  EXPECT_GT(question.blue(), question.red());
  const QColor information = Body(AppPictures::Information(), link::ProgressPicture::Information);
  EXPECT_GT(information.green(), information.red());
}

}  // namespace
}  // namespace zo::app
