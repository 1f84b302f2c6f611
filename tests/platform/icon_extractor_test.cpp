#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "platform/icon_extractor.h"
#include "support/icon_fixtures.h"
#include "support/picture_checks.h"
#include "support/special_files.h"
#include "support/temp_dir.h"

namespace sw {
namespace {

using testing::dibImage;
using testing::IconGroup;
using testing::IconImage;
using testing::makeIco;
using testing::makePeFile;
using testing::pngImage;
using testing::solidPicture;
using testing::uniformColour;

constexpr QRgb kRed = 0xFFFF0000u;
constexpr QRgb kGreen = 0xFF00FF00u;
constexpr QRgb kBlue = 0xFF0000FFu;
constexpr QRgb kYellow = 0xFFFFFF00u;

IconImage solid(int size, QRgb colour, int bitCount = 32) {
  return dibImage(solidPicture(size, size, colour), bitCount);
}

TEST(IconExtractor, IcoIsOneIconWithTheBestImagePerSize) {
  const IconSource source =
      IconSource::fromBytes(makeIco({solid(48, kGreen), solid(32, kBlue), solid(16, kRed)}));
  ASSERT_EQ(source.count(), 1);
  EXPECT_EQ(uniformColour(source.extract(0, 16), 16), kRed);
  EXPECT_EQ(uniformColour(source.extract(0, 32), 32), kBlue);
  EXPECT_TRUE(source.extract(1, 16).isNull());
  EXPECT_TRUE(source.extract(-1, 16).isNull());
  EXPECT_EQ(source.extract(0, 16).format(), QImage::Format_ARGB32);
}

TEST(IconExtractor, IconLibraryDllsCountOneIconPerGroupInBothFormats) {
  for (const bool pe32plus : {false, true}) {
    SCOPED_TRACE(pe32plus ? "PE32+" : "PE32");
    const IconSource source = IconSource::fromBytes(testing::makeIconLibraryDll(7, pe32plus));
    ASSERT_EQ(source.count(), 7);
    for (int i = 0; i < 7; ++i) {
      EXPECT_EQ(uniformColour(source.extract(i, 16), 16), testing::iconLibraryColour(i)) << i;
      EXPECT_EQ(uniformColour(source.extract(i, 32), 32), testing::iconLibraryColour(i)) << i;
    }
    EXPECT_TRUE(source.extract(7, 32).isNull());
  }
}

TEST(IconExtractor, PeGroupsKeepStoredOrderAndUseTheFirstLanguage) {
  IconGroup named{0, "MAINICON", {solid(16, kRed)}, {}};
  IconGroup seven{7, "", {solid(16, kGreen)}, {solid(16, kYellow)}};
  IconGroup two{2, "", {solid(16, kBlue)}, {}};
  const IconSource source = IconSource::fromBytes(makePeFile({named, seven, two}));
  ASSERT_EQ(source.count(), 3);  // two languages of group 7 count once
  EXPECT_EQ(uniformColour(source.extract(0, 16), 16), kRed);
  EXPECT_EQ(uniformColour(source.extract(1, 16), 16), kGreen);
  EXPECT_EQ(uniformColour(source.extract(2, 16), 16), kBlue);  // not re-sorted by ID
}

TEST(IconExtractor, GroupsWithoutTheSizeAreScaledFromLargerImages) {
  IconGroup only48{1, "", {solid(48, kGreen), solid(48, kRed, 8)}, {}};
  IconGroup onlyPng{2, "", {pngImage(solidPicture(256, 256, kBlue))}, {}};
  for (const bool pe32plus : {false, true}) {
    const IconSource source = IconSource::fromBytes(makePeFile({only48, onlyPng}, pe32plus));
    ASSERT_EQ(source.count(), 2);
    EXPECT_EQ(uniformColour(source.extract(0, 16), 16), kGreen);  // 32 bits beat 8
    EXPECT_EQ(uniformColour(source.extract(0, 32), 32), kGreen);
    EXPECT_EQ(uniformColour(source.extract(1, 16), 16), kBlue);
    EXPECT_EQ(uniformColour(source.extract(1, 32), 32), kBlue);
  }
}

TEST(IconExtractor, ScalingIsSmooth) {
  // One-pixel stripes: a smooth reduction averages them, picking pixels would not.
  QImage stripes(64, 64, QImage::Format_ARGB32);
  for (int x = 0; x < 64; ++x) {
    for (int y = 0; y < 64; ++y) stripes.setPixel(x, y, x % 2 == 0 ? 0xFF000000u : 0xFFFFFFFFu);
  }
  const QImage small = IconSource::fromBytes(makeIco({dibImage(stripes, 32)})).extract(0, 16);
  ASSERT_EQ(small.size(), QSize(16, 16));
  const int grey = qGray(small.pixel(8, 8));
  EXPECT_GT(grey, 64);
  EXPECT_LT(grey, 192);
}

TEST(IconExtractor, NeLibrariesCountIconGroupsOnlyWithAnIconType) {
  const std::vector<std::vector<IconImage>> groups = {{solid(16, kRed), solid(32, kBlue)},
                                                      {solid(32, kGreen)}};
  for (const int shift : {0, 4, 9}) {
    SCOPED_TRACE(shift);
    const IconSource source = IconSource::fromBytes(testing::makeNeFile(groups, shift));
    ASSERT_EQ(source.count(), 2);
    EXPECT_EQ(uniformColour(source.extract(0, 16), 16), kRed);
    EXPECT_EQ(uniformColour(source.extract(0, 32), 32), kBlue);
    EXPECT_EQ(uniformColour(source.extract(1, 16), 16), kGreen);
  }
  EXPECT_EQ(IconSource::fromBytes(testing::makeNeFile(groups, 4, false)).count(), 0);
}

TEST(IconExtractor, KindIsDecidedByContentNotName) {
  testing::TempDir dir;
  EXPECT_EQ(IconSource::fromFile(dir.write("icon.dll", testing::makeIcoFile(16, kRed))).count(), 1);
  EXPECT_EQ(IconSource::fromFile(dir.write("library.ico", testing::makeIconLibraryDll(3))).count(), 3);
  std::string cursor = testing::makeIcoFile(16, kRed);
  testing::putU16(cursor, 2, 2);
  EXPECT_EQ(IconSource::fromFile(dir.write("pointer.cur", cursor)).count(), 0);
  EXPECT_EQ(IconSource::fromFile(dir.write("notes.ico", "just some text\r\n")).count(), 0);
  EXPECT_EQ(IconSource::fromFile(dir.write("picture.ico", "BM\x36\0\0\0\0\0\0\0")).count(), 0);
  std::string dosOnly = "MZ";
  dosOnly.resize(0x200, '\0');
  EXPECT_EQ(IconSource::fromFile(dir.write("dos.exe", dosOnly)).count(), 0);
  EXPECT_EQ(IconSource::fromFile(dir.write("empty.ico", "")).count(), 0);
  EXPECT_EQ(IconSource::fromFile(dir.file("missing.ico")).count(), 0);
  EXPECT_EQ(IconSource::fromFile(dir.path()).count(), 0);
  EXPECT_EQ(IconSource::fromBytes(makeIco({})).count(), 0);
  EXPECT_EQ(IconSource::fromBytes(makePeFile({}, false, testing::PeFault::NoResources)).count(), 0);
}

TEST(IconExtractor, AlphaImagesKeepStraightAlphaAndIgnoreTheirMask) {
  QImage picture(16, 16, QImage::Format_ARGB32);
  picture.fill(qRgba(200, 100, 50, 255));
  picture.setPixel(1, 0, qRgba(200, 100, 50, 10));
  picture.setPixel(2, 0, qRgba(200, 100, 50, 128));
  picture.setPixel(3, 0, qRgba(0, 0, 0, 0));
  const QImage icon =
      IconSource::fromBytes(makeIco({dibImage(picture, 32, {.maskAllSet = true})})).extract(0, 16);
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.pixel(0, 0), qRgba(200, 100, 50, 255));
  EXPECT_EQ(icon.pixel(1, 0), qRgba(200, 100, 50, 10));
  EXPECT_EQ(icon.pixel(2, 0), qRgba(200, 100, 50, 128));
  EXPECT_EQ(qAlpha(icon.pixel(3, 0)), 0);
  EXPECT_EQ(icon.pixel(5, 15), qRgba(200, 100, 50, 255));  // bottom row: rows are stored bottom-up
}

// Left column transparent by the mask (its colour non-black), the rest in two colours.
QImage maskedPicture() {
  QImage picture(16, 16, QImage::Format_ARGB32);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) picture.setPixel(x, y, y < 8 ? kRed : kBlue);
    picture.setPixel(0, y, qRgba(255, 255, 0, 0));
  }
  return picture;
}

TEST(IconExtractor, MaskImagesTakeTransparencyFromTheAndMask) {
  std::vector<IconImage> variants;
  for (const int bits : {4, 8, 24}) variants.push_back(dibImage(maskedPicture(), bits));
  variants.push_back(dibImage(maskedPicture(), 32, {.zeroAlpha = true}));
  for (const IconImage& image : variants) {
    SCOPED_TRACE(image.bitCount);
    const QImage icon = IconSource::fromBytes(makeIco({image})).extract(0, 16);
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(qAlpha(icon.pixel(0, 3)), 0);  // AND bit 1 over yellow: transparent, not inverted
    EXPECT_EQ(icon.pixel(5, 3), kRed);
    EXPECT_EQ(icon.pixel(5, 12), kBlue);
  }
}

TEST(IconExtractor, MonochromeImagesUseTheirPalette) {
  QImage picture(32, 32, QImage::Format_ARGB32);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) picture.setPixel(x, y, (x + y) % 2 == 0 ? 0xFFFFFFFFu : 0xFF000000u);
  }
  picture.setPixel(31, 31, 0u);
  const QImage icon = IconSource::fromBytes(makeIco({dibImage(picture, 1)})).extract(0, 32);
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.pixel(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(icon.pixel(1, 0), 0xFF000000u);
  EXPECT_EQ(qAlpha(icon.pixel(31, 31)), 0);
}

TEST(IconExtractor, ImageChoiceFollowsSizeThenDepthThenOrder) {
  auto colourAt16 = [](const std::vector<IconImage>& images) {
    return uniformColour(IconSource::fromBytes(makeIco(images)).extract(0, 16), 16);
  };
  // Exact size wins over depth.
  EXPECT_EQ(colourAt16({solid(32, kBlue), solid(16, kRed, 8)}), kRed);
  // Nearest size, smaller or larger alike: 20x20 and 12x12 share the pair (4, 4), depth decides.
  EXPECT_EQ(colourAt16({solid(48, kBlue), solid(20, kRed, 8), solid(12, kGreen)}), kGreen);
  EXPECT_EQ(colourAt16({solid(48, kBlue), solid(12, kRed), solid(20, kGreen)}), kRed);
  // Same pair: the depth nearest 32 wins, then the earliest entry.
  EXPECT_EQ(colourAt16({solid(16, kRed, 8), solid(16, kGreen, 24), solid(16, kBlue, 4)}), kGreen);
  EXPECT_EQ(colourAt16({solid(16, kRed, 24), solid(16, kGreen, 24)}), kRed);
  // PNG entries compete like any other.
  EXPECT_EQ(colourAt16({solid(32, kRed), pngImage(solidPicture(16, 16, kBlue))}), kBlue);
}

TEST(IconExtractor, ChoiceUsesDirectoryPairNotJustDistance) {
  // 20x16 and 16x20 are both 4 away from 16x16; the first fixes the pair (4, 0), so the deeper
  // 16x20 image never competes.
  IconImage wide = dibImage(solidPicture(20, 16, kRed), 8);
  IconImage tall = dibImage(solidPicture(16, 20, kBlue), 32);
  const QImage icon = IconSource::fromBytes(makeIco({wide, tall})).extract(0, 16);
  EXPECT_EQ(uniformColour(icon, 16), kRed);
}

TEST(IconSourceCache, ParsesEachFileOnce) {
  testing::TempDir dir;
  const std::string path = dir.write("lib.dll", testing::makeIconLibraryDll(2));
  IconSourceCache cache;
  const IconSource& first = cache.get(path);
  dir.write("lib.dll", testing::makeIcoFile(16, kRed));
  EXPECT_EQ(&cache.get(path), &first);
  EXPECT_EQ(cache.get(path).count(), 2);
  cache.clear();
  EXPECT_EQ(cache.get(path).count(), 1);
}

// After a release the tables stay and the bytes go, those of the file given out last when
// another is asked for; the next extraction reads or maps the file again, without a parse.
TEST(IconSourceCache, ReleasedBytesAreReadAgainWithoutAParse) {
  const std::string library = testing::makeIconLibraryDll(2);
  for (const std::uint64_t size : {std::uint64_t{library.size()}, std::uint64_t{1} << 20}) {
    SCOPED_TRACE(size);
    testing::TempDir dir;
    const std::string path = testing::writeSparseFile(dir, "lib.dll", library, size);
    const std::string other = dir.write("other.ico", testing::makeIcoFile(16, kRed));
    IconSourceCache cache;
    const IconSource& source = cache.get(path);
    EXPECT_EQ(uniformColour(source.extract(1, 32), 32), testing::iconLibraryColour(1));
    cache.releaseBytes();
    EXPECT_TRUE(cache.get(path).holdsBytes());  // programs sharing a file do not read it again
    cache.releaseBytes();
    cache.get(other);
    EXPECT_FALSE(source.holdsBytes());

    EXPECT_EQ(&cache.get(path), &source);
    EXPECT_EQ(uniformColour(source.extract(1, 16), 16), testing::iconLibraryColour(1));
    cache.get(other);
    EXPECT_TRUE(source.holdsBytes());  // in use until the release
    cache.releaseBytes();
    EXPECT_FALSE(source.holdsBytes());

    dir.write("lib.dll", testing::makeIconLibraryDll(5));
    EXPECT_EQ(cache.get(path).count(), 2);  // not parsed again
    std::filesystem::remove(path);
    EXPECT_TRUE(source.extract(0, 16).isNull());
    EXPECT_FALSE(source.holdsBytes());
  }
}

TEST(IconSourceCache, BytesGivenInMemoryAreKept) {
  IconSource source = IconSource::fromBytes(testing::makeIcoFile(16, kRed));
  source.releaseBytes();
  EXPECT_TRUE(source.holdsBytes());
  EXPECT_EQ(uniformColour(source.extract(0, 16), 16), kRed);
}

}  // namespace
}  // namespace sw
