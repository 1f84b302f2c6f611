#include <gtest/gtest.h>

#include <QImage>

#include "model/builtin_pictures.h"
#include "platform/image_list.h"

namespace sw {
namespace {

int opaquePixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) == 255;
  }
  return count;
}

// The pictures come from a resource compiled into a static library: if it were not linked in,
// the lists would still fill, with empty cells.
TEST(BuiltinPictures, FillReplacesTheListsWithFourAndOneDrawnPictures) {
  ImageList small(16, 20);
  ImageList large(32, 32);
  small.append(QImage());
  FillBuiltinPictures(small, large);
  FillBuiltinPictures(small, large);
  ASSERT_EQ(small.count(), kBuiltinSmallPictures);
  ASSERT_EQ(large.count(), kBuiltinLargePictures);
  for (int i = 0; i < small.count(); ++i) {
    EXPECT_GT(opaquePixels(small.at(i)), 60) << i;
    EXPECT_LT(opaquePixels(small.at(i)), 16 * 20) << i;  // the cell around the picture stays clear
  }
  EXPECT_GT(opaquePixels(large.at(0)), 250);
  EXPECT_NE(small.at(0), small.at(1));
  EXPECT_NE(small.at(0), small.at(2));
  EXPECT_NE(small.at(1), small.at(2));
}

}  // namespace
}  // namespace sw
