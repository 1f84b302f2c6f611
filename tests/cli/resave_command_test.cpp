#include <gtest/gtest.h>

#include <filesystem>

#include "cli/commands.h"
#include "cli_runner.h"
#include "model/project_keys.h"
#include "platform/text.h"
#include "support/project_text.h"
#include "support/temp_dir.h"

namespace sw::clitest {
namespace {

using testing::ProjectText;
using testing::TempDir;

std::string twoGroupProject() {
  return ProjectText()
      .key("Autor", text::fromUtf8("Автор"))
      .section("SoftwareGroup")
      .key("#Base", "")
      .key("Apps", text::fromUtf8("Программы"))
      .program(7, "Apps", "Seven")
      .key("Depends", "Installitem_003;")
      .key("SourceFolder", "kept on save")
      .program(3, "Base", "Three")
      .bytes();
}

TEST(ResaveCommand, SavesRenumberedAndASecondResaveIsByteIdentical) {
  TempDir dir;
  const std::string original = dir.write("setup.ini", twoGroupProject());
  const std::string first = dir.file("first.ini");
  const std::string second = dir.file("second.ini");

  const CliRun run = runBinary({"resave", original, "--root", dir.path(), "--out", first});
  ASSERT_EQ(run.exitCode, cli::kExitOk) << run.err;
  EXPECT_TRUE(run.out.empty());
  const std::string firstBytes = readBytes(first);
  EXPECT_EQ(firstBytes.rfind("\r\n[Common_Info]\r\nVer=2.0\r\n", 0), 0u);
  // Base comes first in the file, so Three becomes 0 and Seven's reference follows it.
  EXPECT_NE(firstBytes.find("[Installitem_000]\r\nGroup=Base\r\nCaption=Three"), std::string::npos);
  EXPECT_NE(firstBytes.find("Caption=Seven\r\nDescription=\r\nDepends=Installitem_000;"), std::string::npos);
  // Keys the editor does not edit are written back where they were read.
  EXPECT_NE(firstBytes.find("Folder=\r\nSourceFolder=kept on save\r\nCheckTagFile="), std::string::npos);
  EXPECT_EQ(firstBytes.find("PreCopyCommand"), std::string::npos);

  ASSERT_EQ(runBinary({"resave", first, "--root", dir.path(), "--out", second}).exitCode, cli::kExitOk);
  EXPECT_EQ(readBytes(second), firstBytes);
  EXPECT_FALSE(std::filesystem::exists(second + ".bak"));
}

TEST(ResaveCommand, AnExistingTargetIsBackedUpAndReplaced) {
  TempDir dir;
  const std::string project = dir.write("setup.ini", twoGroupProject());
  const CliRun run = runInProcess({"resave", project, "--root", dir.path(), "--out", project});
  ASSERT_EQ(run.exitCode, cli::kExitOk) << run.err;
  EXPECT_EQ(readBytes(project + ".bak"), twoGroupProject());
  EXPECT_NE(readBytes(project), twoGroupProject());
}

TEST(ResaveCommand, AFailedLoadWritesNothing) {
  TempDir dir;
  const std::string project = dir.write("setup.ini", "[Common_Info]\r\nVer=2.1\r\n");
  const std::string out = dir.file("out.ini");
  for (const std::string& input : {project, dir.file("missing.ini")}) {
    const CliRun run = runInProcess({"resave", input, "--root", dir.path(), "--out", out});
    EXPECT_EQ(run.exitCode, cli::kExitFailed);
    EXPECT_NE(run.err.find("did not load"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out));
  }
}

TEST(ResaveCommand, AFailedWriteExitsThreeWithTheReason) {
  TempDir dir;
  const std::string project = dir.write("setup.ini", twoGroupProject());
  const std::string out = dir.file("no/such/folder/out.ini");
  const CliRun run = runBinary({"resave", project, "--root", dir.path(), "--out", out});
  EXPECT_EQ(run.exitCode, cli::kExitSaveFailed);
  EXPECT_NE(run.err.find("Unable to write to"), std::string::npos) << run.err;
  EXPECT_TRUE(run.out.empty());
}

// More than 1000 programs cannot be stored with three-digit sections: the save is refused,
// the old file stays and the reason is printed.
TEST(ResaveCommand, ARefusedSaveLeavesTheTargetAndExitsThree) {
  TempDir dir;
  ProjectText text;
  text.section("SoftwareGroup").key("G", "");
  for (int i = 0; i < 1001; ++i) text.program(i, "G", ProgramSectionName(i));
  const std::string project = dir.write("big.ini", text.bytes());
  const std::string target = dir.write("target.ini", "old");
  const CliRun run = runInProcess({"resave", project, "--root", dir.path(), "--out", target});
  EXPECT_EQ(run.exitCode, cli::kExitSaveFailed);
  EXPECT_FALSE(run.err.empty());
  EXPECT_EQ(readBytes(target), "old");
}

}  // namespace
}  // namespace sw::clitest
