// Icon files read through a memory map: cut files, files far larger than their icons, and
// files that cannot be read at all.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/icon_extractor.h"
#include "support/icon_fixtures.h"
#include "support/picture_checks.h"
#include "support/special_files.h"
#include "support/temp_dir.h"

namespace sw {
namespace {

using testing::dibImage;
using testing::iconLibraryColour;
using testing::solidPicture;
using testing::uniformColour;

constexpr QRgb kRed = 0xFFFF0000u;
constexpr QRgb kGreen = 0xFF00FF00u;

// A file of each kind and the colour of each of its icons at both sizes. Small files are read
// whole and larger ones mapped: both kinds are here.
struct IconFile {
  const char* name;
  std::string bytes;
  std::vector<QRgb> colours;
};

std::vector<QRgb> libraryColours(int count) {
  std::vector<QRgb> colours;
  for (int i = 0; i < count; ++i) colours.push_back(iconLibraryColour(i));
  return colours;
}

std::vector<IconFile> iconFiles() {
  const auto solid = [](int size, QRgb colour) { return dibImage(solidPicture(size, size, colour), 32); };
  return {
      {"library.dll", testing::makeIconLibraryDll(3), libraryColours(3)},
      {"library64.dll", testing::makeIconLibraryDll(3, true), libraryColours(3)},
      {"large-library.dll", testing::makeIconLibraryDll(120), libraryColours(120)},
      {"icon.ico", testing::makeIco({solid(16, kRed), solid(32, kRed)}), {kRed}},
      {"large-icon.ico", testing::makeIco({solid(16, kRed), solid(32, kRed), solid(256, kGreen)}), {kRed}},
      {"library.icl",
       testing::makeNeFile({{solid(16, kRed), solid(32, kRed)}, {solid(32, kGreen)}}),
       {kRed, kGreen}},
  };
}

// Every icon the source gives is either missing or the right one.
void expectNoWrongIcons(const IconSource& source, const IconFile& file) {
  ASSERT_LE(source.count(), static_cast<int>(file.colours.size()));
  for (int i = 0; i < source.count(); ++i) {
    for (const int size : {kSmallIconSize, kLargeIconSize}) {
      const QImage icon = source.extract(i, size);
      if (icon.isNull()) continue;
      EXPECT_EQ(uniformColour(icon, size), file.colours[i]) << "icon " << i << " at " << size;
    }
  }
}

TEST(IconFile, CutFilesGiveFewerIconsOrNone) {
  testing::TempDir dir;
  for (const IconFile& file : iconFiles()) {
    const std::size_t size = file.bytes.size();
    for (const std::size_t cut : {std::size_t{0}, std::size_t{1}, std::size_t{0x3E}, std::size_t{0x100},
                                  size / 3, size / 2, size * 2 / 3, size - 1}) {
      SCOPED_TRACE(std::string(file.name) + " cut at " + std::to_string(cut));
      const Result<IconSource> source = IconSource::open(dir.write(file.name, file.bytes.substr(0, cut)));
      ASSERT_TRUE(source.ok()) << source.status().text();
      expectNoWrongIcons(*source, file);
    }
  }
}

// Payload past the icons costs neither memory nor a refusal (a 64 MB cap once gave no icons).
TEST(IconFile, HundredMegabyteFilesGiveTheirIcons) {
  testing::TempDir dir;
  for (const IconFile& file : iconFiles()) {
    SCOPED_TRACE(file.name);
    const std::string path = testing::writeSparseFile(dir, file.name, file.bytes, std::uint64_t{100} << 20);
    const Result<IconSource> source = IconSource::open(path);
    ASSERT_TRUE(source.ok()) << source.status().text();
    ASSERT_EQ(source->count(), static_cast<int>(file.colours.size()));
    expectNoWrongIcons(*source, file);
    EXPECT_FALSE(source->extract(source->count() - 1, kLargeIconSize).isNull());
  }
}

TEST(IconFile, OpenSaysWhyAFileGivesNoIcons) {
  testing::TempDir dir;
  for (const auto& test :
       testing::unreadableFiles(dir, ".dll", testing::makeIconLibraryDll(1), std::uint64_t{5} << 30)) {
    SCOPED_TRACE(test.what);
    const Result<IconSource> source = IconSource::open(test.path);
    ASSERT_FALSE(source.ok());
    EXPECT_EQ(source.status().failure(), test.failure);
    EXPECT_NE(source.status().message().find("Cannot read"), std::string::npos);
    EXPECT_EQ(IconSource::fromFile(test.path).count(), 0);
  }
  for (const char* readable : {"", "plain text"}) {
    const Result<IconSource> source = IconSource::open(dir.write("notes.txt", readable));
    ASSERT_TRUE(source.ok());
    EXPECT_EQ(source->count(), 0);
  }
}

}  // namespace
}  // namespace sw
