#include <gtest/gtest.h>

#include "platform/icon_extractor.h"
#include "support/icon_fixtures.h"

namespace sw {
namespace {

using testing::dibImage;
using testing::IconGroup;
using testing::makeIco;
using testing::makePeFile;
using testing::PeFault;
using testing::putU16;
using testing::putU32;
using testing::solidPicture;

constexpr QRgb kRed = 0xFFFF0000u;
constexpr std::size_t kIcoFirstImage = 6 + 16;

std::vector<IconGroup> threeGroups() {
  std::vector<IconGroup> groups;
  for (int i = 0; i < 3; ++i) groups.push_back({i + 1, "", {dibImage(solidPicture(16, 16, kRed), 32)}, {}});
  return groups;
}

TEST(IconBadInput, IcoDirectoryThatDoesNotFitHasNoIcons) {
  std::string ico = testing::makeIcoFile(16, kRed);
  ico.resize(100);
  putU16(ico, 4, 65535);
  EXPECT_EQ(IconSource::fromBytes(ico).count(), 0);
  putU16(ico, 4, 257);  // more images than a group may hold
  EXPECT_EQ(IconSource::fromBytes(ico).count(), 0);
}

TEST(IconBadInput, BrokenChosenImageGivesNoPicture) {
  const std::string good = testing::makeIcoFile(16, kRed);
  std::string offsetPast = good;
  putU32(offsetPast, 6 + 12, static_cast<std::uint32_t>(good.size() + 10));
  std::string sizePast = good;
  putU32(sizePast, 6 + 8, static_cast<std::uint32_t>(good.size()));
  std::string hugeOffset = good;
  putU32(hugeOffset, 6 + 12, 0xFFFFFFF0u);
  std::string truncated = good.substr(0, good.size() - 40);  // the AND mask cut short
  for (const std::string& bytes : {offsetPast, sizePast, hugeOffset, truncated}) {
    const IconSource source = IconSource::fromBytes(bytes);
    EXPECT_EQ(source.count(), 1);
    EXPECT_TRUE(source.extract(0, 16).isNull());
    EXPECT_TRUE(source.extract(0, 32).isNull());
  }
}

TEST(IconBadInput, ImageHeadersAreCheckedBeforeDecoding) {
  auto withHeaderField = [](std::size_t pos, std::uint32_t value, bool wide) {
    std::string ico = testing::makeIcoFile(16, kRed);
    if (wide) {
      putU32(ico, kIcoFirstImage + pos, value);
    } else {
      putU16(ico, kIcoFirstImage + pos, static_cast<std::uint16_t>(value));
    }
    return IconSource::fromBytes(ico).extract(0, 16);
  };
  EXPECT_TRUE(withHeaderField(4, 30000, true).isNull());        // width
  EXPECT_TRUE(withHeaderField(8, 60000, true).isNull());        // height (with the mask)
  EXPECT_TRUE(withHeaderField(4, 0xFFFFFFF0u, true).isNull());  // negative width
  EXPECT_TRUE(withHeaderField(14, 16, false).isNull());         // 16 bits per pixel
  EXPECT_TRUE(withHeaderField(14, 7, false).isNull());
  EXPECT_TRUE(withHeaderField(16, 1, true).isNull());   // compressed
  EXPECT_TRUE(withHeaderField(0, 12, true).isNull());   // another header kind
  EXPECT_FALSE(withHeaderField(20, 0, true).isNull());  // image size field: not needed
}

TEST(IconBadInput, BadPngEntriesGiveNoPicture) {
  const testing::IconImage png = testing::pngImage(solidPicture(48, 48, kRed));
  testing::IconImage truncated = png;
  truncated.data.resize(png.data.size() / 2);
  testing::IconImage huge = png;
  huge.data[16] = 0;  // IHDR width 30000, big-endian
  huge.data[17] = 0;
  huge.data[18] = 0x75;
  huge.data[19] = 0x30;
  EXPECT_FALSE(IconSource::fromBytes(makeIco({png})).extract(0, 16).isNull());
  EXPECT_TRUE(IconSource::fromBytes(makeIco({truncated})).extract(0, 16).isNull());
  EXPECT_TRUE(IconSource::fromBytes(makeIco({huge})).extract(0, 16).isNull());
}

TEST(IconBadInput, ResourceTreeLoopsAndStrayAddressesAreRefused) {
  for (const PeFault fault :
       {PeFault::GroupPointsToRoot, PeFault::GroupPointsToItself, PeFault::DataOutsideSections}) {
    SCOPED_TRACE(static_cast<int>(fault));
    const IconSource source = IconSource::fromBytes(makePeFile(threeGroups(), false, fault));
    ASSERT_EQ(source.count(), 3);  // the broken group still counts
    EXPECT_TRUE(source.extract(0, 16).isNull());
    EXPECT_FALSE(source.extract(1, 16).isNull());
    EXPECT_FALSE(source.extract(2, 16).isNull());
  }
  EXPECT_EQ(IconSource::fromBytes(makePeFile(threeGroups(), true, PeFault::ResourcesOutsideSections)).count(),
            0);
  EXPECT_EQ(IconSource::fromBytes(makePeFile(threeGroups(), false, PeFault::NoResources)).count(), 0);
}

TEST(IconBadInput, UnsortedRootIsReadByLinearScan) {
  const IconSource source = IconSource::fromBytes(makePeFile(threeGroups(), false, PeFault::UnsortedRoot));
  ASSERT_EQ(source.count(), 3);
  EXPECT_EQ(source.extract(2, 32).pixel(5, 5), kRed);
}

// The first group directory of a one-group library: header 0,1,count and the 16x16 entry.
std::size_t firstGroupDirectory(const std::string& dll) {
  return dll.find(std::string("\0\0\1\0\2\0\x10\x10", 8));
}

TEST(IconBadInput, GroupsWithMissingOrTooManyImages) {
  std::string missing = testing::makeIconLibraryDll(1);
  const std::size_t group = firstGroupDirectory(missing);
  ASSERT_NE(group, std::string::npos);
  putU16(missing, group + 6 + 12, 99);       // nID of the 16x16 entry
  putU16(missing, group + 6 + 14 + 12, 98);  // nID of the 32x32 entry
  const IconSource withoutImages = IconSource::fromBytes(missing);
  EXPECT_EQ(withoutImages.count(), 1);
  EXPECT_TRUE(withoutImages.extract(0, 16).isNull());

  std::string tooMany = testing::makeIconLibraryDll(1);
  putU16(tooMany, group + 4, 300);
  EXPECT_TRUE(IconSource::fromBytes(tooMany).extract(0, 16).isNull());
}

TEST(IconBadInput, NeTablesRunningPastTheEndHaveNoIcons) {
  const std::vector<std::vector<testing::IconImage>> groups = {{dibImage(solidPicture(16, 16, kRed), 32)}};
  const std::string good = testing::makeNeFile(groups);
  constexpr std::size_t table = 0x80 + 0x40;
  std::string hugeCount = good;
  putU16(hugeCount, table + 2 + 2, 5000);  // the icon type record's count
  EXPECT_EQ(IconSource::fromBytes(hugeCount).count(), 0);

  std::string offsetPast = good;
  const std::size_t groupRecord = table + 2 + 8 + 12 + 8;
  putU16(offsetPast, groupRecord, 0xFFFF);
  const IconSource broken = IconSource::fromBytes(offsetPast);
  EXPECT_EQ(broken.count(), 1);
  EXPECT_TRUE(broken.extract(0, 16).isNull());

  std::string tableOutside = good;
  putU16(tableOutside, 0x80 + 0x24, 0xFFF0);
  EXPECT_EQ(IconSource::fromBytes(tableOutside).count(), 0);
}

// Every prefix of every kind of file, and every single-byte corruption of the headers, must
// be survived without a crash (the sanitizer build checks the reads).
TEST(IconBadInput, TruncatedAndCorruptedFilesAreSurvived) {
  std::vector<std::string> files = {testing::makeIcoFile(32, kRed), makePeFile(threeGroups(), false),
                                    makePeFile(threeGroups(), true),
                                    testing::makeNeFile({{dibImage(solidPicture(16, 16, kRed), 4)}})};
  for (const std::string& file : files) {
    for (std::size_t length = 0; length < file.size(); length += 7) {
      const IconSource source = IconSource::fromBytes(file.substr(0, length));
      for (int i = 0; i < source.count(); ++i) source.extract(i, 16);
    }
    for (std::size_t pos = 0; pos < std::min<std::size_t>(file.size(), 0x400); ++pos) {
      std::string corrupted = file;
      corrupted[pos] = static_cast<char>(corrupted[pos] ^ 0xA5);
      const IconSource source = IconSource::fromBytes(corrupted);
      for (int i = 0; i < std::min(source.count(), 4); ++i) source.extract(i, 32);
    }
  }
}

}  // namespace
}  // namespace sw
