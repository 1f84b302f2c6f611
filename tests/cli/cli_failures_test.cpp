// What the command line does with inputs and outputs that are not what they should be: a root
// folder that is not there, files that are not regular files or too large, standard output
// that cannot be written, memory that runs out, and Qt's own chatter on standard error.

#include <gtest/gtest.h>

#include <QProcess>
#include <filesystem>
#include <string>

#include "cli/commands.h"
#include "cli_runner.h"
#include "support/icon_fixtures.h"
#include "support/project_text.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace sw::clitest {
namespace {

using testing::TempDir;

// A typo in --root would make every program with a tag file hidden and fixed; it is refused.
TEST(CliFailures, TheRootFolderMustExist) {
  TempDir dir;
  const std::string project = dir.write("setup.ini", testing::oneProgramProject());
  const std::string notThere = dir.file("no-such-folder");
  for (const std::vector<std::string>& call :
       {std::vector<std::string>{"dump", project, "--root", notThere},
        {"resave", project, "--root", notThere, "--out", dir.file("out.ini")},
        {"new", "--root", notThere, "--out", dir.file("new.ini")},
        {"dump", project, "--root", project}}) {
    const CliRun run = runInProcess(call);
    EXPECT_EQ(run.exitCode, cli::kExitUsage) << call.front();
    EXPECT_NE(run.err.find("the root folder does not exist"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
  }
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.ini")));
  EXPECT_FALSE(std::filesystem::exists(dir.file("new.ini")));
}

#ifndef _WIN32
// A pipe must not hang the reader, a device must not be read to its (missing) end, a folder is
// no file, and a file over the reader's limit is refused rather than read in part.
TEST(CliFailures, OnlyRegularFilesWithinTheLimitAreRead) {
  TempDir dir;
  const std::string ini = dir.write("a.ini", "[S]\r\nk=v\r\n");
  const std::string pipe = dir.file("pipe");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::string huge = dir.file("huge.ini");
  std::filesystem::resize_file(dir.write("huge.ini", ""), (std::uintmax_t{1} << 30) + 1);  // sparse
  const std::string hugeIcons = dir.file("huge.dll");
  std::filesystem::resize_file(dir.write("huge.dll", "MZ"), std::uintmax_t{5} << 30);
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"ini", pipe}, "not a regular file"},
      {{"ini", "/dev/zero"}, "not a regular file"},
      {{"ini", dir.path()}, "Cannot read"},
      {{"ini", huge}, "more than"},
      {{"ini", ini, "--queries", pipe}, "not a regular file"},
      {{"ini", ini, "--queries", "/dev/zero"}, "not a regular file"},
      {{"ini", ini, "--queries", dir.path()}, "Cannot read"},
      {{"ini", ini, "--queries", huge}, "more than"},
      {{"dump", pipe, "--root", dir.path()}, "did not load"},
      {{"icons", hugeIcons}, "more than"},
  };
  for (const auto& [call, reason] : cases) {
    const CliRun run = runBinary(call);
    EXPECT_NE(run.exitCode, cli::kExitOk) << call.back();
    EXPECT_NE(run.err.find(reason), std::string::npos) << call.back() << ": " << run.err;
  }
}

// dump > /dev/full used to end with exit status 0 and half a JSON text.
TEST(CliFailures, OutputThatCannotBeWrittenIsAFailure) {
  TempDir dir;
  const std::string project = dir.write("setup.ini", testing::oneProgramProject());
  QProcess process;
  process.setStandardOutputFile(QStringLiteral("/dev/full"));
  process.start(QStringLiteral(SETWRIGHT_CLI_PATH),
                {QStringLiteral("dump"), QString::fromStdString(project), QStringLiteral("--root"),
                 QString::fromStdString(dir.path())});
  ASSERT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitCode(), cli::kExitSaveFailed);
  EXPECT_TRUE(process.readAllStandardError().contains("cannot write the output"));
}

#if !defined(__SANITIZE_ADDRESS__)
// Memory that runs out ends the program with a message and status 3, not an abort.
TEST(CliFailures, RunningOutOfMemoryExitsThree) {
  TempDir dir;
  const std::string large = dir.write("large.ini", "");
  std::filesystem::resize_file(large, std::uintmax_t{900} << 20);  // sparse: no disk used
  QProcess process;
  process.setChildProcessModifier([] {
    const rlimit limit{std::uint64_t{700} << 20, std::uint64_t{700} << 20};
    ::setrlimit(RLIMIT_AS, &limit);
  });
  process.start(QStringLiteral(SETWRIGHT_CLI_PATH), {QStringLiteral("ini"), QString::fromStdString(large)});
  ASSERT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), cli::kExitSaveFailed);
  EXPECT_TRUE(process.readAllStandardError().contains("out of memory"));
}
#endif
#endif

// libpng's complaints about an icon's PNG are Qt's business, not a message for our users.
TEST(CliFailures, ImageLibraryWarningsStayOffStandardError) {
  TempDir dir;
  testing::IconImage png = testing::pngImage(testing::solidPicture(32, 32, qRgb(10, 200, 30)));
  // An ancillary chunk with a wrong checksum: the picture decodes, libpng warns.
  const std::string chunk = std::string("\0\0\0\x04tEXtabcd\xDE\xAD\xBE\xEF", 16);
  png.data.insert(33, chunk);  // after the signature and the IHDR chunk
  const std::string icon = dir.write("warned.ico", testing::makeIco({png}));
  const CliRun run = runBinary({"icons", icon, "--out", dir.file("out")});
  EXPECT_EQ(run.exitCode, cli::kExitOk);
  EXPECT_EQ(run.out, "1\n");
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(std::filesystem::exists(dir.file("out/large-000.png")));
}

}  // namespace
}  // namespace sw::clitest
