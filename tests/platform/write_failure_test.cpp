// A save that fails or is interrupted at any step leaves the project file, its old backup and
// the folder as they were.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <string>
#include <vector>

#include "platform/file_replace.h"
#include "platform/write_test_hook.h"
#include "support/file_kinds.h"
#include "support/temp_dir.h"

namespace sw::files {
namespace {

using test_hook::WriteStep;
using testing::namesIn;
using testing::TempDir;

constexpr std::string_view kOld = "[Common_Info]\r\nVer=2.0\r\n";
constexpr std::string_view kOldBackup = "[Common_Info]\r\nVer=2.0\r\n; older\r\n";
constexpr std::string_view kNew = "[Common_Info]\r\nVer=2.0\r\n; new\r\n";

struct ProjectFolder {
  TempDir dir;
  std::string project = dir.write("setup.ini", kOld);
  std::string backup = dir.write("setup.ini.bak", kOldBackup);

  // The save step's two writes: the backup copy, then the project file.
  Status saveBackup() const { return copyFile(project, backup, {.followLinks = false}); }
  Status saveProject() const { return replaceFile(project, kNew); }

  void expectUntouched() const {
    EXPECT_EQ(dir.read("setup.ini"), kOld);
    EXPECT_EQ(dir.read("setup.ini.bak"), kOldBackup);
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"setup.ini", "setup.ini.bak"}));
  }
};

void expectFailure(const Status& status, const std::string& target, int error) {
  EXPECT_EQ(status.message(), "Unable to write to " + target);
  EXPECT_EQ(status.detail(), systemReason(error));
}

TEST(WriteFailure, EveryStepLeavesTheFileItsBackupAndNoTemporary) {
  struct Case {
    WriteStep step;
    int error;
  };
  const Case cases[] = {
      {WriteStep::Open, EACCES},  {WriteStep::Open, ENAMETOOLONG}, {WriteStep::Write, ENOSPC},
      {WriteStep::Write, EDQUOT}, {WriteStep::Write, EFBIG},       {WriteStep::Flush, EIO},
      {WriteStep::Flush, ENOSPC}, {WriteStep::Rename, EACCES},     {WriteStep::Rename, EBUSY},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "step " << static_cast<int>(c.step) << ", errno " << c.error);
    const ProjectFolder folder;
    test_hook::ScopedWriteHooks hooks;
    test_hook::failWriteStep(c.step, c.error);
    expectFailure(folder.saveBackup(), folder.backup, c.error);
    expectFailure(folder.saveProject(), folder.project, c.error);
    folder.expectUntouched();
  }
}

TEST(WriteFailure, OnlyTheFileWhoseNameEndsSoFails) {
  const ProjectFolder backupFails;
  {
    test_hook::ScopedWriteHooks hooks;
    test_hook::failWriteStep(WriteStep::Write, ENOSPC, ".bak");
    expectFailure(backupFails.saveBackup(), backupFails.backup, ENOSPC);
    EXPECT_TRUE(backupFails.saveProject().ok());
  }
  EXPECT_EQ(backupFails.dir.read("setup.ini.bak"), kOldBackup);
  EXPECT_EQ(backupFails.dir.read("setup.ini"), kNew);

  const ProjectFolder projectFails;
  test_hook::ScopedWriteHooks hooks;
  test_hook::failWriteStep(WriteStep::Rename, ENOSPC, "setup.ini");
  EXPECT_TRUE(projectFails.saveBackup().ok());
  expectFailure(projectFails.saveProject(), projectFails.project, ENOSPC);
  EXPECT_EQ(projectFails.dir.read("setup.ini.bak"), kOld);
  EXPECT_EQ(projectFails.dir.read("setup.ini"), kOld);
}

TEST(WriteInterrupted, ASignalMidSaveEndsTheProcessAndLeavesNoTemporary) {
  struct Case {
    int signalNumber;
    bool backup;
    WriteStep step;
  };
  const Case cases[] = {
      {SIGINT, false, WriteStep::Flush},
      {SIGINT, true, WriteStep::Write},
      {SIGTERM, false, WriteStep::Rename},
      {SIGTERM, true, WriteStep::Flush},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "signal " << c.signalNumber << (c.backup ? " in the backup" : ""));
    const ProjectFolder folder;
    // The child raises the signal itself at that step; the parent sees how it ended.
    EXPECT_EXIT(
        {
          testing::defaultWhereIgnored(c.signalNumber);
          test_hook::runAtWriteStep(c.step, [&c] { std::raise(c.signalNumber); });
          (void)(c.backup ? folder.saveBackup() : folder.saveProject());
        },
        ::testing::KilledBySignal(c.signalNumber), "");
    folder.expectUntouched();
  }
}

TEST(WriteInterrupted, AFileSizeLimitFailsTheWriteInsteadOfEndingTheProcess) {
  const ProjectFolder folder;
  TempDir elsewhere;
  const std::string large(4096, 'x');
  const std::string source = elsewhere.write("large.ini", large);
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const Status project = replaceFile(folder.project, large);
  const Status backup = copyFile(source, folder.backup, {.followLinks = false});
  ::setrlimit(RLIMIT_FSIZE, &saved);
  expectFailure(project, folder.project, EFBIG);
  expectFailure(backup, folder.backup, EFBIG);
  folder.expectUntouched();
}

}  // namespace
}  // namespace sw::files
