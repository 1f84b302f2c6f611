#include <gtest/gtest.h>

#include "platform/icon_extractor.h"
#include "platform/icon_lists.h"
#include "platform/image_list.h"
#include "support/icon_fixtures.h"
#include "support/temp_dir.h"

namespace sw {
namespace {

using testing::iconLibraryColour;

constexpr QRgb kRed = 0xFFFF0000u;

class IconLists : public ::testing::Test {
 protected:
  testing::TempDir dir_;
};

TEST_F(IconLists, AppendFileIconsDrawsSmallIconsTwoPixelsDownOnTheBackground) {
  const std::string dll = dir_.write("Lib.dll", testing::makeIconLibraryDll(3));
  ImageList small(16, 20);
  ImageList large(32, 32);
  ASSERT_EQ(AppendFileIcons(dll, &small, &large, kDefaultIconBackground), 3);
  ASSERT_EQ(small.count(), 3);
  ASSERT_EQ(large.count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(qAlpha(small.at(i).pixel(7, 1)), 0);  // background rows, made transparent
    EXPECT_EQ(small.at(i).pixel(0, 2), iconLibraryColour(i));
    EXPECT_EQ(small.at(i).pixel(15, 17), iconLibraryColour(i));
    EXPECT_EQ(qAlpha(small.at(i).pixel(7, 18)), 0);
    EXPECT_EQ(large.at(i).pixel(31, 31), iconLibraryColour(i));
  }
}

TEST_F(IconLists, SmallIconTransparencyShowsTheBackgroundColourThenDropsIt) {
  QImage picture = testing::solidPicture(16, 16, kRed);
  picture.setPixel(4, 4, qRgba(0, 0, 0, 0));
  picture.setPixel(5, 4, qRgba(0, 0, 255, 128));
  ImageList small(20, 20);  // centred both ways: offset 2, 2
  AppendSmallIcon(small, picture, qRgb(0, 128, 0));
  const QImage cell = small.at(0);
  EXPECT_EQ(qAlpha(cell.pixel(6, 6)), 0);
  EXPECT_EQ(qAlpha(cell.pixel(7, 6)), 255);  // half-transparent blue blended onto green
  EXPECT_GT(qGreen(cell.pixel(7, 6)), 40);
  EXPECT_GT(qBlue(cell.pixel(7, 6)), 100);
  EXPECT_EQ(cell.pixel(2, 2), kRed);
  EXPECT_EQ(qAlpha(cell.pixel(1, 1)), 0);
}

TEST_F(IconLists, AppendTwiceDoublesLoadReplaces) {
  const std::string dll = dir_.write("lib.dll", testing::makeIconLibraryDll(2));
  const std::string ico = dir_.write("one.ico", testing::makeIcoFile(48, kRed));
  ImageList small(16, 20);
  ImageList large(32, 32);
  AppendFileIcons(dll, &small, &large, kDefaultIconBackground);
  AppendFileIcons(dll, &small, &large, kDefaultIconBackground);
  EXPECT_EQ(small.count(), 4);
  EXPECT_EQ(large.at(3).pixel(0, 0), iconLibraryColour(1));

  EXPECT_EQ(LoadFileIcons(ico, &small, &large), 1);
  ASSERT_EQ(small.count(), 1);
  ASSERT_EQ(large.count(), 1);
  EXPECT_EQ(small.at(0).size(), QSize(16, 20));  // stretched to the cell, not on the background
  EXPECT_EQ(small.at(0).pixel(8, 0), kRed);
  EXPECT_EQ(large.at(0).pixel(0, 0), kRed);

  EXPECT_EQ(LoadFileIcons(dll, nullptr, &large), 2);
  EXPECT_EQ(large.count(), 2);
  EXPECT_EQ(small.count(), 1);
}

TEST_F(IconLists, FilesWithoutIconsLeaveTheListsAlone) {
  const std::string text = dir_.write("readme.txt", "no icons here");
  const std::string dll = dir_.write("lib.dll", testing::makeIconLibraryDll(2));
  ImageList small(16, 20);
  ImageList large(32, 32);
  large.append(testing::solidPicture(32, 32, kRed));
  EXPECT_EQ(LoadFileIcons(text, &small, &large), 0);
  EXPECT_EQ(LoadFileIcons(dir_.file("missing.dll"), &small, &large), 0);
  EXPECT_EQ(LoadFileIcons(dir_.path(), &small, &large), 0);
  EXPECT_EQ(AppendFileIcons(text, &small, &large, kDefaultIconBackground), 0);
  EXPECT_EQ(AppendFileIcons(dll, nullptr, nullptr, kDefaultIconBackground), 0);
  EXPECT_EQ(LoadFileIcons(dll, nullptr, nullptr), 0);
  EXPECT_EQ(large.count(), 1);
  EXPECT_EQ(small.count(), 0);
}

TEST_F(IconLists, WindowsStylePathsAndTheCacheFindAndParseEachFileOnce) {
  dir_.write("Icons/Lib.DLL", testing::makeIconLibraryDll(2));
  std::string windowsPath = dir_.path() + "\\icons\\lib.dll";
  ImageList small(16, 20);
  ImageList large(32, 32);
  IconSourceCache cache;
  EXPECT_EQ(AppendFileIcons(windowsPath, &small, &large, kDefaultIconBackground, &cache), 2);
  cache.get(dir_.write("other.ico", testing::makeIcoFile(16, kRed)));
  // Released once appended and another file asked for (asking again does not read it).
  EXPECT_FALSE(cache.get(dir_.file("Icons/Lib.DLL")).holdsBytes());
  dir_.write("Icons/Lib.DLL", testing::makeIconLibraryDll(5));  // not read again through the cache
  EXPECT_EQ(AppendFileIcons(windowsPath, &small, &large, kDefaultIconBackground, &cache), 2);
  EXPECT_EQ(AppendFileIcons(windowsPath, &small, &large, kDefaultIconBackground), 5);
  EXPECT_EQ(large.count(), 9);
}

}  // namespace
}  // namespace sw
