#include "model/project_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/project.h"
#include "model/project_keys.h"
#include "model/project_document.h"
#include "model/records.h"
#include "platform/environment.h"
#include "platform/image_list.h"
#include "platform/profile_reader.h"
#include "support/icon_fixtures.h"
#include "support/project_text.h"
#include "support/temp_dir.h"

namespace sw {
namespace {

using testing::ProjectText;

class ProjectReaderTest : public ::testing::Test {
 protected:
  bool Load(const ProjectText& text) {
    return document_.open(dir_.write("project.ini", text.bytes()), dir_.path()).ok();
  }

  TInstallItem& Program(int group, int item) { return *project_.Groups.at(group)->Items.at(item); }

  std::vector<std::int32_t> Numbers(int group) {
    std::vector<std::int32_t> numbers;
    for (const auto& item : project_.Groups.at(group)->Items) numbers.push_back(item->Number);
    return numbers;
  }

  testing::TempDir dir_;
  ProjectDocument document_;
  Project& project_ = document_.project();
  ImageList& small_ = document_.smallPictures();
  ImageList& large_ = document_.largePictures();
};

ProjectText WithOneGroup() {
  ProjectText text;
  text.section("SoftwareGroup").key("Tools", "Useful tools");
  return text;
}

TEST_F(ProjectReaderTest, OnlyVersionTwoPointZeroIsAccepted) {
  for (const char* version : {"2.00", "2.0b", "2", "2. 0", "1.0", ""}) {
    ProjectText text(false);
    text.section("Common_Info").key("Ver", version).key("Autor", "Someone");
    text.section("SoftwareGroup").key("Tools", "");
    project_.Settings.Autor = "unchanged";
    EXPECT_FALSE(Load(text)) << version;
    EXPECT_EQ(project_.Settings.Autor, "unchanged") << version;
  }
  ProjectText missing(false);
  missing.section("SoftwareGroup").key("Tools", "");
  EXPECT_FALSE(Load(missing));

  // Blanks around the value belong to the line, not the value.
  ProjectText padded(false);
  padded.section("COMMON_INFO").line("ver =   2.0   ").section("SoftwareGroup").key("Tools", "");
  EXPECT_TRUE(Load(padded));
}

// The editor's own save of a project without programs has no SoftwareGroup; it must open again.
TEST_F(ProjectReaderTest, ProjectWithoutGroupsLoadsWithEverythingElse) {
  ProjectText text;
  text.section("Setup").key("RootInstallDir", "D:\\Soft").key("BeepOnStart", "1");
  text.section("UserEnvironmentVariable").key("SW_READER_REFUSED", "kept");
  text.section("SoftwareGroup");
  text.program(0, "Tools", "Orphan");

  EXPECT_TRUE(Load(text));
  EXPECT_EQ(project_.Settings.RootInstallDir, "D:\\Soft");
  EXPECT_TRUE(project_.Settings.BeepOnStart);
  EXPECT_EQ(project_.UserEnvironment, std::vector<std::string>{"SW_READER_REFUSED=kept"});
  EXPECT_EQ(env::variable("SW_READER_REFUSED"), "kept");
  EXPECT_TRUE(project_.Groups.empty());
}

TEST_F(ProjectReaderTest, GroupKindComesFromOnePrefixCharacter) {
  ProjectText text;
  text.section("SoftwareGroup")
      .key("+Office", "Office programs")
      .key("#System", "Always there")
      .key("#+Tools", "")
      .key("Plain", "Ordinary");
  ASSERT_TRUE(Load(text));
  ASSERT_EQ(project_.Groups.size(), 4u);
  const auto& g = project_.Groups;
  EXPECT_EQ(g[0]->Name, "Office");
  EXPECT_EQ(g[0]->Description, "Office programs");
  EXPECT_TRUE(g[0]->Expanded);
  EXPECT_FALSE(g[0]->Locked);
  EXPECT_EQ(g[1]->Name, "System");
  EXPECT_TRUE(g[1]->Expanded && g[1]->Locked);
  EXPECT_EQ(g[2]->Name, "+Tools");
  EXPECT_TRUE(g[2]->Locked);
  EXPECT_EQ(g[3]->Name, "Plain");
  EXPECT_EQ(g[3]->Description, "Ordinary");
  EXPECT_FALSE(g[3]->Expanded || g[3]->Locked);
}

TEST_F(ProjectReaderTest, ProgramSectionsAnywhereInTheNameJoinTheirGroupInSectionOrder) {
  ProjectText text;
  text.section("SoftwareGroup").key("Tools", "").key("Games", "");
  text.program(7, "Tools", "Seven");
  text.section("INSTALLITEM_012").key("Group", "Tools").key("Caption", "Twelve");
  text.section("MyInstallitem_004").key("Group", "Games").key("Caption", "Four");
  text.program(2, "Tools", "Two");
  text.program(3, "tools", "Wrong case");
  text.program(5, "", "No group");
  text.program(6, "Nowhere", "Unknown group");
  text.section("Installitem_008");
  text.section("Program_009").key("Group", "Tools").key("Caption", "Not a program");
  ASSERT_TRUE(Load(text));

  EXPECT_EQ(Numbers(0), (std::vector<std::int32_t>{7, 12, 2}));
  EXPECT_EQ(Numbers(1), (std::vector<std::int32_t>{4}));
  EXPECT_EQ(Program(0, 1).Caption, "Twelve");
  EXPECT_EQ(Program(0, 1).Owner, project_.Groups[0].get());
  EXPECT_EQ(ProgramCount(project_), 4);
}

TEST_F(ProjectReaderTest, ReferencesKeepOnlyEntriesNamingExistingSections) {
  ProjectText text = WithOneGroup();
  text.program(0, "Tools", "Main")
      .key("Depends", "Installitem_001; Installitem_002")
      .key("DependsOr", "installitem_002;Installitem_077;Installitem_003;;")
      .key("Exclude", "Installitem_001;Installitem_003 ;Elsewhere");
  text.program(1, "Tools", "One");
  text.program(2, "Tools", "Two");
  text.section("Installitem_003");  // no keys: does not exist
  text.section("Elsewhere").key("Group", "Nowhere");
  ASSERT_TRUE(Load(text));

  const TInstallItem& main = Program(0, 0);
  EXPECT_EQ(main.Depends, (std::vector<std::int32_t>{1, 2}));
  EXPECT_EQ(main.DependsOr, (std::vector<std::int32_t>{2}));
  // "Elsewhere" exists as a section and has no number in its name: it reads as 0.
  EXPECT_EQ(main.Exclude, (std::vector<std::int32_t>{1, 0}));
}

TEST_F(ProjectReaderTest, UserEnvironmentIsSetInFileOrder) {
  env::unsetVariable("SW_READER_LATER");
  ProjectText text;
  text.section("UserEnvironmentVariable")
      .key("SW_READER_A", "first")
      .key("SW_READER_B", "%SW_READER_A%-second")
      .key("SW_READER_C", "%SW_READER_LATER%")
      .key("SW_READER_LATER", "late")
      .line("=no name")
      .key("SW_READER_ROOT", "%ROOT%\\x");
  text.section("SoftwareGroup").key("Tools", "");
  ASSERT_TRUE(Load(text));

  EXPECT_EQ(project_.UserEnvironment,
            (std::vector<std::string>{"SW_READER_A=first", "SW_READER_B=%SW_READER_A%-second",
                                      "SW_READER_C=%SW_READER_LATER%", "SW_READER_LATER=late", "=no name",
                                      "SW_READER_ROOT=%ROOT%\\x"}));
  EXPECT_EQ(env::variable("SW_READER_B"), "first-second");
  EXPECT_EQ(env::variable("SW_READER_C"), "%SW_READER_LATER%");
  EXPECT_EQ(env::variable("SW_READER_ROOT"), dir_.path() + "\\x");
  EXPECT_EQ(env::variable(""), std::nullopt);
}

TEST_F(ProjectReaderTest, LoadTimePassesRunAndSetGroupState) {
  ProjectText text;
  text.section("Setup").key("RootInstallDir", "%ROOT%");
  text.section("SoftwareGroup").key("Tools", "").key("Games", "").key("Empty", "");
  text.program(0, "Tools", "Boss").key("Default", "1").key("Fixed", "1").key("Exclude", "Installitem_001;");
  text.program(1, "Tools", "Victim").key("Default", "1");
  text.program(2, "Games", "Tagged").key("Default", "1").key("CheckTagFile", "missing.tag");
  text.program(3, "Games", "Present").key("Default", "1").key("CheckTagFile", "here.tag");
  dir_.write("here.tag", "x");
  ASSERT_TRUE(Load(text));

  const TInstallItem& victim = Program(0, 1);
  EXPECT_TRUE(victim.Fixed);
  EXPECT_FALSE(victim.Default || victim.Selected);
  const TInstallItem& tagged = Program(1, 0);
  EXPECT_FALSE(tagged.Default || tagged.Selected || tagged.Visible);
  EXPECT_TRUE(tagged.Fixed);
  EXPECT_TRUE(Program(1, 1).Selected);
  EXPECT_EQ(project_.Groups[0]->State, GroupSelection::Some);
  EXPECT_EQ(project_.Groups[1]->State, GroupSelection::Some);
  EXPECT_EQ(project_.Groups[2]->State, GroupSelection::NoPrograms);
}

TEST_F(ProjectReaderTest, JunkAndTruncatedFilesAreRefusedQuietly) {
  const std::string junk[] = {
      "",
      std::string("\0\0\0\xff\xfe[\0", 7),
      "\x89PNG\r\n\x1a\n[[[]]]===;;;",
  };
  for (const std::string& bytes : junk) {
    ClearGroups(project_);
    EXPECT_FALSE(LoadProject(project_, dir_.write("junk.ini", bytes)).ok());
  }
  ClearGroups(project_);
  EXPECT_FALSE(LoadProject(project_, dir_.file("does-not-exist.ini")).ok());
  // A zero byte inside a value must not break the load, whatever it makes of the value.
  static constexpr char kWithZero[] = "[Common_Info]\r\nVer=2.0\0x\r\n[SoftwareGroup]\r\nTools=\r\n";
  ClearGroups(project_);
  (void)LoadProject(project_, dir_.write("zero.ini", std::string(kWithZero, sizeof kWithZero - 1)));
}

TEST_F(ProjectReaderTest, ManyProgramsWithLongReferenceListsLoad) {
  constexpr int kPrograms = 900;
  ProjectText text;
  text.section("SoftwareGroup").key("Tools", "");
  std::string everything;
  for (int n = 0; n < 140; ++n) everything += ProgramSectionName(100 + n) + ";";
  for (int n = 0; n < kPrograms; ++n) {
    text.program(n, "Tools", ProgramSectionName(n)).key("Depends", everything).key("Exclude", everything);
  }
  ASSERT_TRUE(Load(text));
  // Values are cut at 2047 characters: 127 entries with their ';' and one without.
  ASSERT_EQ(ProgramCount(project_), kPrograms);
  EXPECT_EQ(Program(0, 0).Depends.size(), 128u);
  EXPECT_EQ(Program(0, kPrograms - 1).Exclude.back(), 227);
}

// Pictures.

class ProgramPicturesTest : public ProjectReaderTest {
 protected:
  int SmallAdded() const { return small_.count() - 4; }
  int LargeAdded() const { return large_.count() - 1; }
};

TEST_F(ProgramPicturesTest, LibraryIconsByNumberWithTheDefaultPastTheEnd) {
  dir_.write("Soft/icons.dll", testing::makeIconLibraryDll(3));
  ProjectText text;
  text.section("Setup").key("RootInstallDir", "%ROOT%\\Soft").key("CommonIconLib", "icons.dll");
  text.section("SoftwareGroup").key("Tools", "");
  text.program(0, "Tools", "Second").key("IconNumber", "1");
  text.program(1, "Tools", "Missing number");
  text.program(2, "Tools", "Past the end").key("IconNumber", "3");
  ASSERT_TRUE(Load(text));

  EXPECT_EQ(project_.BuiltinImageCount, 4);
  EXPECT_EQ(Program(0, 0).SmallImage, 4);
  EXPECT_EQ(Program(0, 0).LargeImage, 1);
  EXPECT_EQ(Program(0, 1).SmallImage, 5);
  EXPECT_EQ(Program(0, 1).LargeImage, 2);
  EXPECT_EQ(Program(0, 2).SmallImage, 3);
  EXPECT_EQ(Program(0, 2).LargeImage, 0);
  EXPECT_EQ(SmallAdded(), 2);
  EXPECT_EQ(LargeAdded(), 2);
  // The small picture sits 2 pixels down in its 16 x 20 cell; the large one fills its cell.
  EXPECT_EQ(small_.at(4).pixel(8, 10), testing::iconLibraryColour(1));
  EXPECT_EQ(large_.at(1).pixel(16, 16), testing::iconLibraryColour(1));
  EXPECT_EQ(large_.at(2).pixel(16, 16), testing::iconLibraryColour(0));
}

TEST_F(ProgramPicturesTest, LibraryWithoutIconsGivesTheDefaultPicture) {
  ProjectText text;
  text.section("Setup").key("CommonIconLib", "|C:\\nowhere\\icons.dll");
  text.section("SoftwareGroup").key("Tools", "");
  text.program(0, "Tools", "Negative").key("IconNumber", "-1");
  text.program(1, "Tools", "Zero").key("IconNumber", "0");
  ASSERT_TRUE(Load(text));
  EXPECT_EQ(Program(0, 0).SmallImage, 3);
  EXPECT_EQ(Program(0, 1).SmallImage, 3);
  EXPECT_EQ(Program(0, 1).LargeImage, 0);
  EXPECT_EQ(SmallAdded(), 0);
  EXPECT_EQ(LargeAdded(), 0);
}

TEST_F(ProgramPicturesTest, IconFilesOfProgramsRelativeAbsoluteOrMissing) {
  dir_.write("Soft/Editor/editor.ico", testing::makeIcoFile(32, qRgb(200, 10, 10)));
  dir_.write("Shared/all.dll", testing::makeIconLibraryDll(2));
  ProjectText text;
  text.section("Setup").key("RootInstallDir", "%ROOT%\\Soft");
  text.section("SoftwareGroup").key("Tools", "");
  text.program(0, "Tools", "Relative").key("Folder", "Editor").key("IconFile", "editor.ico");
  text.program(1, "Tools", "Absolute").key("IconFile", "%ROOT%\\Shared\\all.dll").key("IconNumber", "1");
  text.program(2, "Tools", "Index past the end")
      .key("IconFile", "|%ROOT%\\Shared\\all.dll")
      .key("IconNumber", "999");
  text.program(3, "Tools", "Missing file").key("IconFile", "nothing.ico");
  text.program(4, "Tools", "No file, no number");
  text.program(5, "Tools", "No file, number 0").key("IconNumber", "0");
  ASSERT_TRUE(Load(text));

  EXPECT_EQ(Program(0, 0).SmallImage, 4);
  EXPECT_EQ(small_.at(4).pixel(8, 10), qRgb(200, 10, 10));
  EXPECT_EQ(Program(0, 1).SmallImage, 5);
  EXPECT_EQ(large_.at(2).pixel(16, 16), testing::iconLibraryColour(1));
  EXPECT_EQ(Program(0, 2).SmallImage, 6);
  EXPECT_EQ(large_.at(3).pixel(16, 16), testing::iconLibraryColour(0));
  for (int item = 3; item <= 5; ++item) {
    EXPECT_EQ(Program(0, item).SmallImage, 3) << item;
    EXPECT_EQ(Program(0, item).LargeImage, 0) << item;
  }
  // Both lists grow together, so each large index follows from the small one.
  EXPECT_EQ(SmallAdded(), 3);
  EXPECT_EQ(LargeAdded(), 3);
  for (int item = 0; item < 3; ++item)
    EXPECT_EQ(Program(0, item).LargeImage, Program(0, item).SmallImage - 3);
}

TEST_F(ProgramPicturesTest, ASecondLoadStartsFromTheBuiltinPictures) {
  dir_.write("a.ico", testing::makeIcoFile(16, qRgb(0, 0, 255)));
  ProjectText text;
  text.section("Setup").key("CommonIconLib", "");
  text.section("SoftwareGroup").key("Tools", "");
  text.program(0, "Tools", "One").key("IconFile", "%ROOT%\\a.ico");
  text.program(1, "Tools", "Two").key("IconFile", "%ROOT%\\a.ico");
  ASSERT_TRUE(Load(text));
  ASSERT_TRUE(Load(text));

  EXPECT_EQ(project_.BuiltinImageCount, 4);
  EXPECT_EQ(SmallAdded(), 2);
  EXPECT_EQ(LargeAdded(), 2);
  EXPECT_EQ(Program(0, 1).SmallImage, 5);
  EXPECT_EQ(Program(0, 1).LargeImage, 2);
  // A 16-pixel icon still gives a large picture of the same icon.
  EXPECT_EQ(large_.at(2).pixel(16, 16), qRgb(0, 0, 255));

  // A refused file leaves the lists as they were.
  ProjectText refused(false);
  refused.section("Common_Info").key("Ver", "1.0");
  EXPECT_FALSE(Load(refused));
  EXPECT_EQ(SmallAdded(), 2);
}

TEST_F(ProgramPicturesTest, WithoutPictureListsProgramsKeepTheDefaultIndices) {
  dir_.write("a.ico", testing::makeIcoFile(16, qRgb(0, 0, 255)));
  project_.SmallProgramImages = nullptr;
  project_.LargeProgramImages = nullptr;
  ProjectText text = WithOneGroup();
  text.program(0, "Tools", "One").key("IconFile", "%ROOT%\\a.ico");
  ASSERT_TRUE(Load(text));
  EXPECT_EQ(Program(0, 0).SmallImage, 3);
  EXPECT_EQ(Program(0, 0).LargeImage, 0);
}

}  // namespace
}  // namespace sw
