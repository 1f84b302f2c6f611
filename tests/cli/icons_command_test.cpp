#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "cli_runner.h"
#include "support/icon_fixtures.h"
#include "support/temp_dir.h"

namespace sw::clitest {
namespace {

using testing::TempDir;

TEST(IconsCommand, PrintsTheCountAndWritesBothSizesPerIndex) {
  TempDir dir;
  const std::string dll = dir.write("lib.dll", testing::makeIconLibraryDll(3, true));
  const CliRun run = runInProcess({"icons", dll, "--out", dir.file("out")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "3\n");
  for (int i = 0; i < 3; ++i) {
    const std::string number = "00" + std::to_string(i);
    const QImage small(QString::fromStdString(dir.file("out/small-" + number + ".png")));
    const QImage large(QString::fromStdString(dir.file("out/large-" + number + ".png")));
    EXPECT_EQ(small.size(), QSize(16, 16));
    EXPECT_EQ(large.size(), QSize(32, 32));
    EXPECT_EQ(small.pixel(3, 3), testing::iconLibraryColour(i));
    EXPECT_EQ(large.pixel(30, 30), testing::iconLibraryColour(i));
  }
  EXPECT_FALSE(std::filesystem::exists(dir.file("out/small-003.png")));
}

TEST(IconsCommand, FilesWithoutIconsCountZeroMissingFilesAreErrors) {
  TempDir dir;
  const std::string text = dir.write("notes.txt", "plain text");
  const CliRun none = runInProcess({"icons", text, "--out", dir.file("out")});
  EXPECT_EQ(none.exitCode, 0);
  EXPECT_EQ(none.out, "0\n");
  EXPECT_TRUE(std::filesystem::is_empty(dir.file("out")));

  const CliRun missing = runInProcess({"icons", dir.file("missing.ico")});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("missing.ico"), std::string::npos);
  EXPECT_EQ(runInProcess({"icons"}).exitCode, 2);
  EXPECT_EQ(runInProcess({"icons", text, "--size", "16"}).exitCode, 2);
  EXPECT_EQ(runInProcess({"icons", text, "other"}).exitCode, 2);
}

TEST(IconsCommand, BinaryResolvesRelativePathsAgainstTheCurrentFolder) {
  TempDir dir;
  dir.write("app.ico", testing::makeIcoFile(48, 0xFF102030u));
  const CliRun run = runBinary({"icons", "app.ico", "--out", "pictures"}, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "1\n");
  const QImage large(QString::fromStdString(dir.file("pictures/large-000.png")));
  EXPECT_EQ(large.pixel(0, 0), 0xFF102030u);
}

}  // namespace
}  // namespace sw::clitest
