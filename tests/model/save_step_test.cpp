#include "model/save_step.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "model/project.h"
#include "model/project_reader.h"
#include "model/project_writer.h"
#include "platform/status.h"
#include "platform/text.h"
#include "platform/write_test_hook.h"
#include "support/project_generator.h"
#include "support/temp_dir.h"

#include <cerrno>

namespace sw {
namespace {

using testing::TempDir;

std::string Cp(std::string_view utf8) { return text::fromUtf8(utf8); }
std::string QuotedUtf8(const std::string& name) { return "«" + text::toUtf8(name) + "»"; }

TInstallGroup* AddGroupWithProgram(Project& project, const std::string& name, const std::string& caption,
                                   bool expanded = false, bool locked = false) {
  TInstallGroup* group = AddGroup(project, name, "about " + caption);
  group->Expanded = expanded;
  group->Locked = locked;
  std::unique_ptr<TInstallItem> program = NewProgram(group);
  program->Number = NextProgramNumber(project);
  program->Caption = caption;
  AttachProgram(project, group, std::move(program));
  return group;
}

constexpr std::string_view kOldFile = "\r\n[Common_Info]\r\nVer=2.0\r\n; the old file\r\n";

TEST(SaveStep, BackupThenReplaceWithNoTemporaryFileLeft) {
  TempDir dir;
  const std::string path = dir.write("setup.ini", kOldFile);
  dir.write("setup.ini.bak", "an older backup");
  Project project;
  AddGroupWithProgram(project, "Office", "Editor");
  const Status result = SaveProjectStep(project, path);
  ASSERT_TRUE(result.ok()) << result.text();
  EXPECT_EQ(dir.read("setup.ini.bak"), kOldFile);
  EXPECT_EQ(dir.read("setup.ini"), ProjectFileText(project));
  EXPECT_EQ(testing::namesIn(dir.path()), (std::vector<std::string>{"setup.ini", "setup.ini.bak"}));

  // A first save makes no backup; a Windows-style name in other letter case reaches the folder.
  const std::string fresh = dir.path() + "\\Fresh.ini";
  ASSERT_TRUE(SaveProjectStep(project, fresh).ok());
  EXPECT_EQ(dir.read("Fresh.ini"), ProjectFileText(project));
  EXPECT_EQ(testing::namesIn(dir.path()).size(), 3u);
}

TEST(SaveStep, FailedWriteLeavesEverythingAndSaysWhere) {
  TempDir dir;
  Project project;
  AddGroupWithProgram(project, "Office", "Editor");
  const std::string missing = dir.file("no such folder/setup.ini");
  Status result = SaveProjectStep(project, missing);
  EXPECT_FALSE(result.ok());
  EXPECT_EQ(result.message(), "Unable to write to " + missing);
  EXPECT_TRUE(testing::namesIn(dir.path()).empty());

  // A folder where the file should be: nothing replaces it and no temporary file remains.
  std::filesystem::create_directory(dir.file("taken.ini"));
  result = SaveProjectStep(project, dir.file("taken.ini"));
  EXPECT_FALSE(result.ok());
  EXPECT_EQ(result.message(), "Unable to write to " + dir.file("taken.ini"));
  EXPECT_EQ(testing::namesIn(dir.path()), std::vector<std::string>{"taken.ini"});
}

// Whatever step of the write fails, the old file stays, its backup is fresh, no temporary file
// is left, and the message says why in the system's words.
TEST(SaveStep, AFailedWriteKeepsTheOldFileAndSaysWhy) {
  using files::test_hook::WriteStep;
  const std::pair<WriteStep, int> failures[] = {{WriteStep::Open, EACCES},
                                                {WriteStep::Write, ENOSPC},
                                                {WriteStep::Flush, EIO},
                                                {WriteStep::Rename, EXDEV}};
  for (const auto& [step, error] : failures) {
    SCOPED_TRACE(systemReason(error));
    TempDir dir;
    Project project;
    AddGroupWithProgram(project, "Office", "Editor");
    const std::string path = dir.write("setup.ini", kOldFile);
    files::test_hook::ScopedWriteHooks hooks;
    files::test_hook::failWriteStep(step, error, "/setup.ini");
    const Status result = SaveProjectStep(project, path);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.message(), "Unable to write to " + path);
    EXPECT_EQ(result.detail(), systemReason(error));
    EXPECT_EQ(dir.read("setup.ini"), kOldFile);
    EXPECT_EQ(dir.read("setup.ini.bak"), kOldFile);
    EXPECT_EQ(testing::namesIn(dir.path()), (std::vector<std::string>{"setup.ini", "setup.ini.bak"}));
  }
}

// A backup that cannot be written does not stop the save, and the older backup stays whole.
TEST(SaveStep, AFailedBackupKeepsTheOlderBackupAndTheSaveGoesOn) {
  TempDir dir;
  Project project;
  AddGroupWithProgram(project, "Office", "Editor");
  const std::string path = dir.write("setup.ini", kOldFile);
  dir.write("setup.ini.bak", "the older backup");
  files::test_hook::ScopedWriteHooks hooks;
  files::test_hook::failWriteStep(files::test_hook::WriteStep::Write, ENOSPC, ".bak");
  ASSERT_TRUE(SaveProjectStep(project, path).ok());
  EXPECT_EQ(dir.read("setup.ini.bak"), "the older backup");
  EXPECT_EQ(dir.read("setup.ini"), ProjectFileText(project));
  EXPECT_EQ(testing::namesIn(dir.path()), (std::vector<std::string>{"setup.ini", "setup.ini.bak"}));
}

struct Refusal {
  const char* what;
  std::function<void(Project&)> addBadGroups;
  std::string named;   // the group name the message must show
  std::string reason;  // and part of why (UTF-8)
};

// Projects the file cannot carry are refused: the old file stays, its backup is fresh, no
// temporary file remains, and the message names what would be lost.
TEST(SaveStep, UnfaithfulProjectsAreRefusedAndNamed) {
  const std::vector<Refusal> cases = {
      {"ordinary group named with +", [](Project& p) { AddGroupWithProgram(p, "+Tools", "T"); }, "+Tools",
       "начинается с «+» или «#»"},
      {"ordinary group named with #", [](Project& p) { AddGroupWithProgram(p, "#Sys", "S"); }, "#Sys",
       "начинается с «+» или «#»"},
      {"equals sign", [](Project& p) { AddGroupWithProgram(p, "a=b", "A"); }, "a=b", "в имени есть «=»"},
      {"section-like name", [](Project& p) { AddGroupWithProgram(p, "[x]", "X"); }, "[x]",
       "начинается с «[»"},
      {"leading blank", [](Project& p) { AddGroupWithProgram(p, " Lead", "L"); }, " Lead", "пробел в начале"},
      {"trailing tab", [](Project& p) { AddGroupWithProgram(p, "Trail\t", "T"); }, "Trail ", "в конце имени"},
      {"semicolon", [](Project& p) { AddGroupWithProgram(p, ";Hidden", "H"); }, ";Hidden",
       "начинается с «;»"},
      {"quoted", [](Project& p) { AddGroupWithProgram(p, "\"Q\"", "Q"); }, "\"Q\"", "в кавычках"},
      {"line break", [](Project& p) { AddGroupWithProgram(p, "Two\nLines", "B"); }, "Two Lines",
       "перевод строки"},
      {"case only", [](Project& p) { AddGroupWithProgram(p, "good", "g"); }, "good", "только регистром"},
      {"Cyrillic case only",
       [](Project& p) {
         AddGroupWithProgram(p, Cp("Офис"), "o");
         AddGroupWithProgram(p, Cp("ОФИС"), "O");
       },
       Cp("ОФИС"), "только регистром"},
      {"same name, other kind", [](Project& p) { AddGroupWithProgram(p, "Good", "L", true, true); }, "Good",
       "другого вида"},
  };
  for (const Refusal& refusal : cases) {
    SCOPED_TRACE(refusal.what);
    TempDir dir;
    const std::string path = dir.write("setup.ini", kOldFile);
    Project project;
    AddGroupWithProgram(project, "Good", "Kept");
    refusal.addBadGroups(project);
    const Status result = SaveProjectStep(project, path);
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.message().find(QuotedUtf8(refusal.named)), std::string::npos) << result.message();
    EXPECT_NE(result.message().find(refusal.reason), std::string::npos) << result.message();
    EXPECT_EQ(result.message().find("Kept"), std::string::npos) << result.message();
    EXPECT_EQ(dir.read("setup.ini"), kOldFile);
    EXPECT_EQ(dir.read("setup.ini.bak"), kOldFile);
    EXPECT_EQ(testing::namesIn(dir.path()), (std::vector<std::string>{"setup.ini", "setup.ini.bak"}));
  }
}

TEST(SaveStep, SameNameAndKindMergingIsNotALoss) {
  TempDir dir;
  Project project;
  AddGroupWithProgram(project, "Tools", "A", true);
  AddGroupWithProgram(project, "Other", "B");
  AddGroupWithProgram(project, "Tools", "C", true);
  const Status result = SaveProjectStep(project, dir.file("setup.ini"));
  EXPECT_TRUE(result.ok()) << result.message();
}

// A program whose references do not fit the value length would lose some of them.
TEST(SaveStep, ProgramWithTooManyReferencesIsNamed) {
  TempDir dir;
  Project project;
  TInstallGroup* group = AddGroupWithProgram(project, "Big", "Hub");
  std::vector<std::int32_t> leaves;
  for (int i = 0; i < 200; ++i) {
    std::unique_ptr<TInstallItem> program = NewProgram(group);
    program->Number = i + 1;
    program->Caption = "Leaf " + std::to_string(i);
    AttachProgram(project, group, std::move(program));
    leaves.push_back(i + 1);
  }
  SetReferences(project, *group->Items.front(), &TInstallItem::Depends, leaves);
  const Status result = SaveProjectStep(project, dir.file("setup.ini"));
  EXPECT_FALSE(result.ok());
  EXPECT_NE(result.message().find(QuotedUtf8("Hub") + " из группы " + QuotedUtf8("Big")), std::string::npos)
      << result.message();
  EXPECT_EQ(result.message().find("Leaf"), std::string::npos);
}

// A file of 1500 programs (which this editor never writes) loads partly; saving it again
// would lose programs, so the save is refused and the file stays as it was.
TEST(SaveStep, OversizedProjectLoadsButIsNotSavedOverItself) {
  TempDir dir;
  Project generated;
  testing::GeneratorOptions options;
  options.groups = 10;
  options.programs = 1500;
  testing::GenerateProject(generated, options);
  RenumberPrograms(generated);
  const std::string path = dir.write("big.ini", ProjectFileText(generated));
  const std::string original = dir.read("big.ini");

  Project loaded;
  loaded.ProjectRootFolder = dir.path();
  ASSERT_TRUE(LoadProjectIfExists(loaded, path).ok());
  EXPECT_GT(ProgramCount(loaded), 1000);
  const Status result = SaveProjectStep(loaded, path);
  EXPECT_FALSE(result.ok());
  EXPECT_NE(result.message().find("не больше 1000"), std::string::npos) << result.message();
  EXPECT_NE(result.message().find("Программа «"), std::string::npos);
  EXPECT_EQ(dir.read("big.ini"), original);
  EXPECT_EQ(dir.read("big.ini.bak"), original);
  EXPECT_EQ(testing::namesIn(dir.path()), (std::vector<std::string>{"big.ini", "big.ini.bak"}));
}

TEST(SaveStep, LoadProjectIfExistsNeedsARegularFile) {
  TempDir dir;
  Project project;
  EXPECT_EQ(LoadProjectIfExists(project, dir.file("missing.ini")).failure(), Failure::NotFound);
  std::filesystem::create_directory(dir.file("folder.ini"));
  EXPECT_EQ(LoadProjectIfExists(project, dir.file("folder.ini")).failure(), Failure::NotFound);

  Project saved;
  AddGroupWithProgram(saved, "Office", "Editor");
  ASSERT_TRUE(SaveProjectStep(saved, dir.file("setup.ini")).ok());
  project.ProjectRootFolder = dir.path();
  EXPECT_TRUE(LoadProjectIfExists(project, dir.file("setup.ini")).ok());
  EXPECT_EQ(ProgramCount(project), 1);
}

TEST(SaveStep, ProjectFileNamesWithoutFullPathLiveInTheRootFolder) {
  Project project;
  EXPECT_EQ(ResolveProjectFileName(project, "setup.ini"), "setup.ini");
  project.ProjectRootFolder = "D:\\Disc";
  EXPECT_EQ(ResolveProjectFileName(project, "setup.ini"), "D:\\Disc\\setup.ini");
  EXPECT_EQ(ResolveProjectFileName(project, "cfg\\setup.ini"), "D:\\Disc\\cfg\\setup.ini");
  EXPECT_EQ(ResolveProjectFileName(project, "C:\\Work\\setup.ini"), "C:\\Work\\setup.ini");
  EXPECT_EQ(ResolveProjectFileName(project, "\\\\server\\share\\setup.ini"), "\\\\server\\share\\setup.ini");
  EXPECT_EQ(ResolveProjectFileName(project, ""), "");
  project.ProjectRootFolder = "D:\\";
  EXPECT_EQ(ResolveProjectFileName(project, "setup.ini"), "D:\\setup.ini");
  project.ProjectRootFolder = "/media/disc";
  EXPECT_EQ(ResolveProjectFileName(project, "setup.ini"), "/media/disc/setup.ini");
  EXPECT_EQ(ResolveProjectFileName(project, "/home/me/setup.ini"), "/home/me/setup.ini");
}

}  // namespace
}  // namespace sw
