// The file a save writes is the file named: taken literally, links followed, anything that is
// not a regular file refused; and folders whose names are not UTF-8 work for reads and writes.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/commands.h"
#include "cli_runner.h"
#include "support/project_text.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace sw::clitest {
namespace {

namespace fs = std::filesystem;
using testing::namesIn;
using testing::TempDir;

// `--out setup.ini` beside SETUP.INI used to overwrite SETUP.INI, and the next run its backup.
TEST(SaveTarget, TheNameIsTakenLiterally) {
  TempDir dir;
  const std::string source = dir.write("source.ini", testing::oneProgramProject(4));
  dir.write("SETUP.INI", "upper case, not ours");
  dir.write("SETUP.INI.BAK", "its backup, not ours");
  for (int run = 0; run < 2; ++run) {
    const CliRun resave = runBinary({"resave", source, "--root", dir.path(), "--out", dir.file("setup.ini")});
    ASSERT_EQ(resave.exitCode, cli::kExitOk) << resave.err;
  }
  EXPECT_EQ(readBytes(dir.file("SETUP.INI")), "upper case, not ours");
  EXPECT_EQ(readBytes(dir.file("SETUP.INI.BAK")), "its backup, not ours");
  EXPECT_EQ(readBytes(dir.file("setup.ini.bak")), readBytes(dir.file("setup.ini")));
  EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"SETUP.INI", "SETUP.INI.BAK", "setup.ini",
                                                           "setup.ini.bak", "source.ini"}));
}

#ifndef _WIN32
// Saving through a link replaces the file it leads to and keeps the link.
TEST(SaveTarget, LinksAreFollowedAndKept) {
  TempDir dir;
  const std::string source = dir.write("source.ini", testing::oneProgramProject(4));
  const std::string real = dir.write("real/setup.ini", "old");
  fs::create_symlink("real/setup.ini", dir.file("link.ini"));
  const CliRun resave = runBinary({"resave", source, "--root", dir.path(), "--out", dir.file("link.ini")});
  ASSERT_EQ(resave.exitCode, cli::kExitOk) << resave.err;
  EXPECT_TRUE(fs::is_symlink(dir.file("link.ini")));
  EXPECT_NE(readBytes(real), "old");
  EXPECT_NE(readBytes(real).find("Caption=P"), std::string::npos);
}

// A folder, a pipe or a read-only file is refused with the reason and status 3; none changes.
TEST(SaveTarget, WhatCannotBeReplacedIsRefused) {
  TempDir dir;
  const std::string source = dir.write("source.ini", testing::oneProgramProject(4));
  fs::create_directory(dir.file("folder.ini"));
  ASSERT_EQ(::mkfifo(dir.file("pipe.ini").c_str(), 0600), 0);
  const std::string readOnly = dir.write("readonly.ini", "keep me");
  fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read);
  const std::pair<const char*, const char*> cases[] = {{"folder.ini", "Unable to write to"},
                                                       {"pipe.ini", "Unable to write to"},
                                                       {"readonly.ini", "read-only"}};
  for (const auto& [name, reason] : cases) {
    const CliRun resave = runBinary({"resave", source, "--root", dir.path(), "--out", dir.file(name)});
    EXPECT_EQ(resave.exitCode, cli::kExitSaveFailed) << name;
    EXPECT_NE(resave.err.find(reason), std::string::npos) << resave.err;
  }
  EXPECT_TRUE(fs::is_directory(dir.file("folder.ini")));
  EXPECT_TRUE(fs::is_fifo(dir.file("pipe.ini")));
  EXPECT_EQ(readBytes(readOnly), "keep me");
  EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"folder.ini", "pipe.ini", "readonly.ini",
                                                           "readonly.ini.bak", "source.ini"}));
}

// A folder named in code page 1251 bytes, as copied from a Windows disc.
TEST(SaveTarget, FoldersNamedInAnotherEncodingWork) {
  TempDir dir;
  const std::string folder = dir.file("\xCF\xF0\xEE\xE5\xEA\xF2");  // "Проект" in 1251
  fs::create_directory(folder);
  const std::string source = dir.write("\xCF\xF0\xEE\xE5\xEA\xF2/setup.ini", testing::oneProgramProject(4));
  const CliRun dump = runBinary({"dump", source, "--root", folder, "--pictures", folder + "/\xEA\xE0\xF0"});
  EXPECT_EQ(dump.exitCode, cli::kExitOk) << dump.err;
  EXPECT_TRUE(fs::exists(folder + "/\xEA\xE0\xF0/small-000.png"));
  const CliRun resave = runBinary({"resave", source, "--root", folder, "--out", source});
  EXPECT_EQ(resave.exitCode, cli::kExitOk) << resave.err;
  EXPECT_TRUE(fs::exists(source + ".bak"));
  const CliRun created = runBinary({"new", "--root", folder, "--out", folder + "/\xED\xEE\xE2.ini"});
  EXPECT_EQ(created.exitCode, cli::kExitOk) << created.err;
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"\xCF\xF0\xEE\xE5\xEA\xF2"});
  EXPECT_EQ(namesIn(folder),
            (std::vector<std::string>{"setup.ini", "setup.ini.bak", "\xEA\xE0\xF0", "\xED\xEE\xE2.ini"}));
}
#endif

}  // namespace
}  // namespace sw::clitest
