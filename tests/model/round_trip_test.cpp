// Generated projects saved and loaded again give the same model, with the programs renumbered;
// a loaded project saved again gives the same bytes.

#include <gtest/gtest.h>

#include <algorithm>

#include "model/project.h"
#include "model/project_reader.h"
#include "model/save_step.h"
#include "support/project_generator.h"
#include "support/temp_dir.h"

namespace sw {
namespace {

#define EXPECT_SAME(field) EXPECT_EQ(a.field, b.field) << #field

void ExpectSameSettings(const ProjectSettings& a, const ProjectSettings& b) {
  EXPECT_SAME(Autor);
  EXPECT_SAME(Date);
  EXPECT_SAME(Description);
  EXPECT_SAME(RootInstallDir);
  EXPECT_SAME(CommonIconLib);
  EXPECT_SAME(CommonShotFolder);
  EXPECT_SAME(LogFile);
  EXPECT_SAME(LogInstall);
  EXPECT_SAME(DetaliseLog);
  EXPECT_SAME(EnableUserInput);
  EXPECT_SAME(EnableCloseMsg);
  EXPECT_SAME(EnableWelcomeDlg);
  EXPECT_SAME(AdminRightsRequired);
  EXPECT_SAME(CheckFDD);
  EXPECT_SAME(CheckCd);
  EXPECT_SAME(CheckFlash);
  EXPECT_SAME(CheckHDD);
  EXPECT_SAME(CheckNet);
  EXPECT_SAME(SourceTagFile);
  EXPECT_SAME(DefaultTimer);
  EXPECT_SAME(ReadMeText);
  EXPECT_SAME(LicenseText);
  EXPECT_SAME(RunOnceKey);
  EXPECT_SAME(RunValyeName);
  EXPECT_SAME(UseRunKey);
  EXPECT_SAME(ShowLog);
  EXPECT_SAME(AutoClose);
  EXPECT_SAME(SupressReboot);
  EXPECT_SAME(BeepOnStart);
}

void ExpectSameStage(const TStageSet& a, const TStageSet& b) {
  EXPECT_SAME(Folder);
  EXPECT_SAME(PreRegFile);
  EXPECT_SAME(Command1);
  EXPECT_SAME(Command2);
  EXPECT_SAME(Command3);
  EXPECT_SAME(Command4);
  EXPECT_SAME(PostRegFile);
  EXPECT_SAME(Reboot);
  EXPECT_SAME(PowerOff);
}

void ExpectSameButton(const TUserFuncItem& a, const TUserFuncItem& b) {
  EXPECT_SAME(Caption);
  EXPECT_SAME(Hint);
  EXPECT_SAME(Picture);
  EXPECT_SAME(Folder);
  EXPECT_SAME(Command);
  EXPECT_SAME(Text);
  EXPECT_SAME(Visible);
}

void ExpectSameProgram(const TInstallItem& a, const TInstallItem& b) {
  EXPECT_SAME(Number);
  EXPECT_SAME(Group);
  EXPECT_SAME(Caption);
  EXPECT_SAME(Description);
  EXPECT_SAME(Depends);
  EXPECT_SAME(DependsOr);
  EXPECT_SAME(Exclude);
  EXPECT_SAME(Folder);
  EXPECT_SAME(CheckTagFile);
  EXPECT_SAME(MinToTray);
  EXPECT_SAME(PreRegFile);
  for (auto command : TInstallItem::Commands) EXPECT_EQ(a.*command, b.*command);
  EXPECT_SAME(PostRegFile);
  EXPECT_SAME(KillWait);
  EXPECT_SAME(IconFile);
  EXPECT_SAME(IconNumber);
  EXPECT_SAME(SkreenShotImage);
  EXPECT_SAME(Default);
  EXPECT_SAME(Fixed);
  EXPECT_SAME(Visible);
  EXPECT_SAME(RebootNeed);
}

void ExpectSameProject(const Project& a, const Project& b) {
  ExpectSameSettings(a.Settings, b.Settings);
  ExpectSameStage(a.Preinstall, b.Preinstall);
  ExpectSameStage(a.Postinstall, b.Postinstall);
  for (std::size_t i = 0; i < a.UserButtons.size(); ++i) ExpectSameButton(a.UserButtons[i], b.UserButtons[i]);
  EXPECT_SAME(UserEnvironment);
  ASSERT_EQ(a.Groups.size(), b.Groups.size());
  for (std::size_t g = 0; g < a.Groups.size(); ++g) {
    const TInstallGroup& ga = *a.Groups[g];
    const TInstallGroup& gb = *b.Groups[g];
    EXPECT_EQ(ga.Name, gb.Name);
    EXPECT_EQ(ga.Description, gb.Description);
    EXPECT_EQ(ga.Expanded, gb.Expanded);
    EXPECT_EQ(ga.Locked, gb.Locked);
    ASSERT_EQ(ga.Items.size(), gb.Items.size()) << ga.Name;
    for (std::size_t i = 0; i < ga.Items.size(); ++i) ExpectSameProgram(*ga.Items[i], *gb.Items[i]);
  }
}

// The load-time passes change Default, Fixed and Visible for programs whose tag file is
// missing or that meet a fixed exclusion; without tag files and fixed programs they change
// nothing, so the loaded model must equal the saved one.
void MakeLoadStable(Project& project) {
  for (const auto& group : project.Groups) {
    for (const auto& program : group->Items) {
      program->CheckTagFile.clear();
      program->Fixed = false;
    }
  }
}

// Large files differ somewhere: say where instead of diffing a megabyte.
void ExpectSameBytes(const std::string& a, const std::string& b) {
  const auto diverge = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  const auto offset = diverge.first - a.begin();
  EXPECT_TRUE(a == b) << "sizes " << a.size() << " and " << b.size() << ", first difference at " << offset
                      << ": "
                      << a.substr(static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, offset - 60)), 120);
}

struct Shape {
  int groups;
  int programs;
  int references;
  const char* iconLibrary;
};

TEST(RoundTrip, GeneratedProjectsComeBackAndResaveByteForByte) {
  const Shape shapes[] = {{1, 1, 0, ""}, {3, 10, 2, ""}, {7, 60, 5, "icons.dll"}, {40, 1000, 3, "icons.dll"}};
  for (const Shape& shape : shapes) {
    for (std::uint32_t seed : {1u, 2u}) {
      SCOPED_TRACE(std::to_string(shape.programs) + " programs, seed " + std::to_string(seed));
      testing::TempDir dir;
      Project original;
      testing::GenerateProject(original, {shape.groups, shape.programs, seed, shape.references,
                                          shape.iconLibrary, shape.iconLibrary[0] ? 300 : 0});
      MakeLoadStable(original);
      const std::string path = dir.file("setup.ini");
      const Status saved = SaveProjectStep(original, path);
      ASSERT_TRUE(saved.ok()) << saved.text();
      for (const auto& group : original.Groups) {
        for (const auto& program : group->Items) program->Group = group->Name;
      }

      Project loaded;
      loaded.ProjectRootFolder = dir.path();
      ASSERT_TRUE(LoadProjectIfExists(loaded, path).ok());
      ExpectSameProject(original, loaded);

      ASSERT_TRUE(SaveProjectStep(loaded, dir.file("again.ini")).ok());
      ExpectSameBytes(dir.read("again.ini"), dir.read("setup.ini"));
    }
  }
}

}  // namespace
}  // namespace sw
