#include "platform/files.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/file_io.h"
#include "platform/file_replace.h"
#include "platform/host_path.h"
#include "platform/text.h"
#include "support/temp_dir.h"

namespace sw::files {
namespace {

using sw::testing::TempDir;

// The Windows-style (1251) form of a host path below the temporary folder.
std::string windowsForm(const std::string& hostUtf8) {
  std::string path = text::fromUtf8(hostUtf8);
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

#ifndef _WIN32
TEST(HostPath, ExactPathFirstThenEachComponentWithoutCase) {
  TempDir dir;
  const std::string setup = dir.write("Soft/Sub/Setup.EXE", "x");
  dir.write("Soft/readme.txt", "x");

  EXPECT_EQ(hostPath(windowsForm(setup)), setup);
  EXPECT_EQ(hostPath(windowsForm(dir.path()) + "\\soft\\SUB\\setup.exe"), setup);
  EXPECT_EQ(hostPath(dir.path() + "/SOFT/sub/SETUP.exe"), setup);
  // A missing component keeps the rest as written.
  EXPECT_EQ(hostPath(dir.path() + "/soft/Missing/x.txt"), dir.file("Soft/Missing/x.txt"));
  EXPECT_EQ(hostPath(""), "");
}

TEST(HostPath, SeveralMatchesTakeTheFirstInCodePointOrder) {
  TempDir dir;
  dir.write("Data/tool.exe", "lower");
  const std::string upper = dir.write("DATA/Tool.exe", "upper");
  dir.write("DATA/TOOL.EXE", "loud");
  // "DATA" < "Data" and "TOOL.EXE" < "Tool.exe" by code point; an exact component wins.
  EXPECT_EQ(hostPath(dir.path() + "/data/tool.Exe"), dir.file("DATA/TOOL.EXE"));
  EXPECT_EQ(hostPath(dir.path() + "/data/Tool.exe"), upper);
  EXPECT_EQ(hostPath(dir.path() + "/Data/TOOL.exe"), dir.file("Data/tool.exe"));
}

TEST(HostPath, CyrillicNamesMatchWithoutCase) {
  TempDir dir;
  const std::string file = dir.write("Программы/Установка.exe", "x");
  // "ПРОГРАММЫ\установка.EXE" in 1251.
  const std::string query = windowsForm(dir.path()) + "\\\xCF\xD0\xCE\xC3\xD0\xC0\xCC\xCC\xDB\\" +
                            "\xF3\xf1\xf2\xe0\xed\xee\xe2\xea\xe0.EXE";
  EXPECT_EQ(hostPath(query), file);
  EXPECT_TRUE(fileExists(query));
}

TEST(HostPath, ResolvingManyPathsListsEachFolderOnce) {
  TempDir dir;
  for (int i = 0; i < 200; ++i) dir.write("Soft/File" + std::to_string(i) + ".txt", "x");
  const std::size_t before = folderListingCount();
  for (int i = 0; i < 200; ++i) {
    const std::string name = "\\SOFT\\file" + std::to_string(i) + ".TXT";
    ASSERT_TRUE(fileExists(windowsForm(dir.path()) + name)) << name;
  }
  // The temporary folder (for "SOFT") and Soft itself.
  EXPECT_EQ(folderListingCount() - before, 2u);
}

TEST(HostPath, FilesCreatedAfterAListingAreFound) {
  TempDir dir;
  dir.write("Soft/Old.txt", "x");
  ASSERT_TRUE(fileExists(dir.path() + "/soft/old.txt"));
  const std::string created = dir.write("Soft/New.txt", "x");
  EXPECT_EQ(hostPath(dir.path() + "/soft/NEW.TXT"), created);

  clearPathCache();
  const std::size_t before = folderListingCount();
  EXPECT_TRUE(fileExists(dir.path() + "/soft/new.txt"));
  EXPECT_EQ(folderListingCount() - before, 2u);
}
#endif

TEST(Files, AFolderIsNotAFile) {
  TempDir dir;
  const std::string file = dir.write("Soft/a.txt", "x");
  EXPECT_TRUE(fileExists(file));
  EXPECT_FALSE(folderExists(file));
  EXPECT_FALSE(fileExists(dir.file("Soft")));
  EXPECT_TRUE(folderExists(dir.file("Soft")));
  EXPECT_FALSE(fileExists(dir.file("Soft/b.txt")));
  EXPECT_FALSE(fileExists(""));
  EXPECT_FALSE(folderExists(""));
}

TEST(Files, ReadIsCappedAndCopyReplaces) {
  TempDir dir;
  const std::string source = dir.write("source.bin", std::string("ab\0cd\xFF", 6));
  EXPECT_EQ(readFile(source).value(), std::string("ab\0cd\xFF", 6));
  EXPECT_EQ(readFile(source, 6).value(), std::string("ab\0cd\xFF", 6));
  EXPECT_FALSE(readFile(source, 5));
  EXPECT_FALSE(readFile(dir.file("missing")));

  const std::string target = dir.write("target.bin", "older and longer content");
  EXPECT_TRUE(copyFile(source, target).ok());
  EXPECT_EQ(readFile(target).value(), std::string("ab\0cd\xFF", 6));
  const Status missing = copyFile(dir.file("missing"), dir.file("copy"));
  EXPECT_EQ(missing.failure(), Failure::NotFound);
  EXPECT_FALSE(fileExists(dir.file("copy")));
}

TEST(Files, DeleteRemovesFilesOnly) {
  TempDir dir;
  const std::string file = dir.write("Soft/a.txt", "x");
  EXPECT_FALSE(deleteFile(dir.file("Soft")));
  EXPECT_TRUE(folderExists(dir.file("Soft")));
  EXPECT_TRUE(deleteFile(file));
  EXPECT_FALSE(fileExists(file));
  EXPECT_FALSE(deleteFile(file));
}

#ifndef _WIN32
// The mount point holding `path`, taken from the kernel's mount table: the longest mount
// point that is a prefix of the canonical path.
std::string mountPointFromTable(const std::string& path) {
  const std::string canonical = std::filesystem::canonical(path).string();
  std::ifstream table("/proc/self/mountinfo");
  std::string line, best = "/";
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    std::string id, parent, device, root, mountPoint;
    fields >> id >> parent >> device >> root >> mountPoint;
    const bool under =
        canonical == mountPoint ||
        (canonical.starts_with(mountPoint) && (mountPoint == "/" || canonical[mountPoint.size()] == '/'));
    if (under && mountPoint.size() > best.size()) best = mountPoint;
  }
  return best;
}
#endif

TEST(Files, DriveOfEachKindOfPath) {
  EXPECT_EQ(driveOf("D:\\Distr"), "D:");
  EXPECT_EQ(driveOf("D:"), "D:");
  EXPECT_EQ(driveOf("\\\\server\\share\\x\\y"), "\\\\server\\share");
  EXPECT_EQ(driveOf("\\\\server\\share"), "\\\\server\\share");
  EXPECT_EQ(driveOf("Distr\\Soft"), "");
  EXPECT_EQ(driveOf("\\Distr"), "");
  EXPECT_EQ(driveOf(""), "");
#ifndef _WIN32
  TempDir dir;
  const std::string expected = text::fromUtf8(mountPointFromTable(dir.path()));
  EXPECT_EQ(driveOf(dir.path()), expected);
  EXPECT_EQ(driveOf(dir.path() + "/not/yet/made"), expected);
  EXPECT_EQ(driveOf("/"), "/");
#endif
}

TEST(Files, ExecutableFolderIsTheRunningProgramsFolder) {
  const std::string expected = text::fromQString(
      QDir::toNativeSeparators(QDir(QCoreApplication::applicationDirPath()).canonicalPath()));
  EXPECT_EQ(executableFolder(), expected);
  EXPECT_NE(executableFolder().back(), '/');
}

}  // namespace
}  // namespace sw::files
