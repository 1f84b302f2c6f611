#include "model/project_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "model/project.h"
#include "model/references.h"
#include "platform/profile_reader.h"
#include "platform/text.h"

namespace sw {
namespace {

std::string Cp(std::string_view utf8) { return text::fromUtf8(utf8); }

TInstallItem* AddProgram(Project& project, TInstallGroup* group, std::int32_t number,
                         const std::string& caption) {
  std::unique_ptr<TInstallItem> program = NewProgram(group);
  program->Number = number;
  program->Caption = caption;
  return AttachProgram(project, group, std::move(program));
}

// Lines of the written file, without their CR LF.
std::vector<std::string> Lines(const std::string& file) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = file.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(file.substr(start, end - start));
  EXPECT_EQ(start, file.size()) << "the file must end with CR LF";
  return lines;
}

TEST(ProjectWriter, WriteProgramHasNoBlankLinesAndUsesTheOwnersCurrentName) {
  Project project;
  TInstallGroup* group = AddGroup(project, "Old", "");
  TInstallItem* program = AddProgram(project, group, 12, "[x] tool");
  SetReferences(project, *program, &TInstallItem::Depends, {3, 10});
  SetReferences(project, *program, &TInstallItem::DependsOr, {1000});
  group->Name = "Renamed";  // renaming leaves the program's Group field behind
  std::string out = "before\r\n";
  WriteProgram(out, *program);
  const std::vector<std::string> lines = Lines(out);
  ASSERT_GE(lines.size(), 7u);
  EXPECT_EQ(lines[1], "[Installitem_012]");
  EXPECT_EQ(lines[2], "Group=Renamed");
  EXPECT_EQ(lines[3], "Caption=[x] tool");
  EXPECT_EQ(lines[5], "Depends=Installitem_003;Installitem_010;");
  EXPECT_EQ(lines[6], "DependsOr=Installitem_1000;");
  for (const std::string& line : lines) EXPECT_FALSE(line.empty());
}

TEST(ProjectWriter, EmptyLineBeforeEveryLineHoldingABracketAndNowhereElse) {
  Project project;
  project.Settings.CommonShotFolder = "shots]";
  project.UserEnvironment = {"A[1]=x", "B=y"};
  TInstallGroup* group = AddGroup(project, "G", "see [notes]");
  AddProgram(project, group, 0, "P");
  const std::vector<std::string> lines = Lines(ProjectFileText(project));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "");
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const bool bracket = lines[i].find('[') != std::string::npos;
    if (lines[i].empty()) {
      ASSERT_LT(i + 1, lines.size());
      EXPECT_NE(lines[i + 1].find('['), std::string::npos) << "stray empty line before " << lines[i + 1];
      EXPECT_FALSE(lines[i - 1].empty()) << "two empty lines before " << lines[i + 1];
    } else if (bracket) {
      EXPECT_TRUE(lines[i - 1].empty()) << lines[i];
    }
  }
  const std::string file = ProjectFileText(project);
  EXPECT_NE(file.find("\r\n\r\nA[1]=x\r\nB=y\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\n\r\nG=see [notes]\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nCommonShotFolder=shots]\r\n"), std::string::npos);
}

TEST(ProjectWriter, GroupsWithoutProgramsAreNotWritten) {
  Project project;
  AddGroup(project, "Empty", "");
  EXPECT_EQ(ProjectFileText(project).find("SoftwareGroup"), std::string::npos);

  TInstallGroup* second = AddGroup(project, "Second", "");
  AddProgram(project, second, 0, "P");
  const ProfileFile file = ProfileFile::fromBytes(ProjectFileText(project));
  EXPECT_EQ(file.keyNames("SoftwareGroup"), std::vector<std::string>{"Second"});
}

// A key written again replaces the first line's value and keeps its place and spelling;
// names match as lookups do (letter case, Cyrillic included, and blanks around the name).
TEST(ProjectWriter, RepeatedKeysReplaceTheFirstLine) {
  Project project;
  project.UserEnvironment = {"Path=1", "X=2", " PATH\t=3", Cp("Имя=4"), Cp("ИМЯ=5"), "NoValue"};
  TInstallGroup* first = AddGroup(project, "Tools", "first");
  TInstallGroup* other = AddGroup(project, "Other", "o");
  TInstallGroup* again = AddGroup(project, "Tools", "second");
  AddProgram(project, first, 0, "A");
  AddProgram(project, other, 1, "B");
  AddProgram(project, again, 2, "C");
  const std::string file = ProjectFileText(project);
  EXPECT_NE(file.find("[UserEnvironmentVariable]\r\nPath=3\r\nX=2\r\n" + Cp("Имя=5") + "\r\nNoValue=\r\n"),
            std::string::npos);
  EXPECT_NE(file.find("[SoftwareGroup]\r\nTools=second\r\nOther=o\r\n\r\n[Installitem_000]"),
            std::string::npos);
  const ProfileFile read = ProfileFile::fromBytes(file);
  EXPECT_EQ(read.readString("Installitem_002", "Group", ""), "Tools");
}

// No text can add lines, keys or sections: every line break becomes one blank.
TEST(ProjectWriter, LineBreaksInKeysAndValuesBecomeBlanks) {
  Project project;
  project.Settings.Description = "one\r\ntwo\rthree\nfour\n\r";
  project.UserEnvironment = {"A\r\n[Evil]\r\nB=v1\nv2"};
  TInstallGroup* group = AddGroup(project, "G\n[Installitem_005]", "d\r\nX=1");
  TInstallItem* program = AddProgram(project, group, 0, "P");
  program->Command1 = "a\n\nb";
  const std::string file = ProjectFileText(project);
  const ProfileFile read = ProfileFile::fromBytes(file);
  EXPECT_EQ(read.readString("Common_Info", "Description", ""), "one two three four");
  EXPECT_EQ(read.keyNames("UserEnvironmentVariable"), std::vector<std::string>{"A [Evil] B"});
  EXPECT_EQ(read.readString("UserEnvironmentVariable", "A [Evil] B", ""), "v1 v2");
  EXPECT_EQ(read.keyNames("SoftwareGroup"), std::vector<std::string>{"G [Installitem_005]"});
  EXPECT_EQ(read.readString("Installitem_000", "Group", ""), "G [Installitem_005]");
  EXPECT_EQ(read.readString("Installitem_000", "Command1", ""), "a  b");
  EXPECT_FALSE(read.sectionExists("Evil"));
  EXPECT_FALSE(read.sectionExists("Installitem_005"));
}

// Numbers follow group and item order; references follow their programs. A reference to a
// number no program had is dropped; of two programs with one old number, the last one wins.
TEST(ProjectWriter, RenumberFollowsOrderAndKeepsReferencesOnTheirPrograms) {
  Project project;
  TInstallGroup* g1 = AddGroup(project, "One", "");
  TInstallGroup* g2 = AddGroup(project, "Two", "");
  TInstallItem* five = AddProgram(project, g1, 5, "five");
  TInstallItem* two = AddProgram(project, g1, 2, "two");
  TInstallItem* moved = AddProgram(project, g2, 9, "nine");
  TInstallItem* twin = AddProgram(project, g2, 2, "another two");
  SetReferences(project, *five, &TInstallItem::Depends, {2, 9, 44});
  SetReferences(project, *five, &TInstallItem::Exclude, {44});
  SetReferences(project, *moved, &TInstallItem::DependsOr, {5, 2});
  SetReferences(project, *two, &TInstallItem::Exclude, {9});

  RenumberPrograms(project);
  EXPECT_EQ(five->Number, 0);
  EXPECT_EQ(two->Number, 1);
  EXPECT_EQ(moved->Number, 2);
  EXPECT_EQ(twin->Number, 3);
  EXPECT_EQ(five->OldNumber, 5);
  EXPECT_EQ(twin->OldNumber, 2);
  EXPECT_EQ(five->Depends, (std::vector<std::int32_t>{3, 2}));
  EXPECT_TRUE(five->Exclude.empty());
  EXPECT_EQ(moved->DependsOr, (std::vector<std::int32_t>{0, 3}));
  EXPECT_EQ(two->Exclude, (std::vector<std::int32_t>{2}));
  EXPECT_EQ(FindProgram(project, 2), moved);

  const std::string file = ProjectFileText(project);
  EXPECT_NE(file.find("[Installitem_000]\r\nGroup=One\r\nCaption=five\r\nDescription=\r\n"
                      "Depends=Installitem_003;Installitem_002;\r\nDependsOr=\r\nExclude=\r\n"),
            std::string::npos);
}

// A new project writes values that read back as the new project's, BeepOnStart included
// (a file without the key would read it as false).
TEST(ProjectWriter, NewProjectSettingsReadBack) {
  Project project;
  const ProfileFile read = ProfileFile::fromBytes(ProjectFileText(project));
  EXPECT_EQ(read.readString("Setup", "BeepOnStart", ""), "1");
  EXPECT_EQ(read.readString("Setup", "RunOnceKey", ""), "999");
  EXPECT_EQ(read.readString("Common_Info", "Ver", ""), "2.0");
  EXPECT_FALSE(read.sectionExists("UserEnvironmentVariable"));
}

}  // namespace
}  // namespace sw
