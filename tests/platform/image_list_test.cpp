#include <gtest/gtest.h>

#include "platform/image_list.h"
#include "support/icon_fixtures.h"

namespace sw {
namespace {

using testing::solidPicture;

constexpr QRgb kRed = 0xFFFF0000u;
constexpr QRgb kBlue = 0xFF0000FFu;

TEST(ImageList, AppendFitsEveryPictureToTheCell) {
  ImageList list(16, 20);
  EXPECT_EQ(list.append(solidPicture(16, 20, kRed)), 0);
  EXPECT_EQ(list.append(solidPicture(64, 64, kBlue)), 1);
  EXPECT_EQ(list.append(QImage()), 2);  // keeps lists filled in step aligned
  ASSERT_EQ(list.count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(list.at(i).size(), QSize(16, 20));
    EXPECT_EQ(list.at(i).format(), QImage::Format_ARGB32);
  }
  EXPECT_EQ(list.at(1).pixel(8, 10), kBlue);
  EXPECT_EQ(qAlpha(list.at(2).pixel(0, 0)), 0);
  EXPECT_TRUE(list.at(3).isNull());
  EXPECT_TRUE(list.at(-1).isNull());
}

TEST(ImageList, TransparentColourMatchesExactlyThatColour) {
  QImage picture = solidPicture(4, 4, qRgb(10, 20, 30));
  picture.setPixel(1, 1, qRgb(10, 20, 31));
  ImageList list(4, 4);
  list.appendWithTransparentColor(picture, qRgb(10, 20, 30));
  EXPECT_EQ(qAlpha(list.at(0).pixel(0, 0)), 0);
  EXPECT_EQ(list.at(0).pixel(1, 1), qRgb(10, 20, 31));
}

TEST(ImageList, ReplaceCopyTruncateAndClear) {
  ImageList list(8, 8);
  list.append(solidPicture(8, 8, kRed));
  list.append(solidPicture(8, 8, kRed));
  list.replace(1, solidPicture(2, 2, kBlue));
  list.replace(5, solidPicture(8, 8, kBlue));  // out of range: ignored
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(list.at(1).pixel(7, 7), kBlue);

  ImageList larger(16, 16);
  EXPECT_EQ(larger.appendCopy(list, 1), 0);
  EXPECT_EQ(larger.at(0).size(), QSize(16, 16));
  EXPECT_EQ(larger.appendCopy(list, 2), -1);
  EXPECT_EQ(list.appendCopy(list, 0), 2);  // from itself
  EXPECT_EQ(list.at(2).pixel(0, 0), kRed);

  list.truncate(1);
  EXPECT_EQ(list.count(), 1);
  list.truncate(5);
  EXPECT_EQ(list.count(), 1);
  EXPECT_EQ(list.append(solidPicture(8, 8, kBlue)), 1);
  list.clear();
  EXPECT_EQ(list.count(), 0);
}

}  // namespace
}  // namespace sw
