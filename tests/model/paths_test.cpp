#include "model/paths.h"

#include <gtest/gtest.h>

#include <utility>

#include "model/project.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/icon_extractor.h"
#include "support/icon_fixtures.h"
#include "support/temp_dir.h"

namespace sw {
namespace {

using Split = std::pair<std::string, std::string>;

TEST(Paths, IsAbsolutePathAfterExpansion) {
  env::setVariable("ROOT", "D:\\Distr");
  env::unsetVariable("FOLDER");
  EXPECT_TRUE(IsAbsolutePath("C:\\x"));
  EXPECT_TRUE(IsAbsolutePath("\\\\server\\share"));
  EXPECT_TRUE(IsAbsolutePath("|Soft\\x"));
  EXPECT_TRUE(IsAbsolutePath("%ROOT%\\x"));
  EXPECT_FALSE(IsAbsolutePath("Soft\\x"));
  EXPECT_FALSE(IsAbsolutePath("\\Soft\\x"));
  EXPECT_FALSE(IsAbsolutePath("|"));
  EXPECT_FALSE(IsAbsolutePath("C"));
  EXPECT_FALSE(IsAbsolutePath(""));
  EXPECT_FALSE(IsAbsolutePath("%FOLDER%\\x"));
#ifndef _WIN32
  EXPECT_TRUE(IsAbsolutePath("/home/user/Distr"));
#endif
}

TEST(Paths, StripLeadMarkerRemovesOneCharacter) {
  EXPECT_EQ(StripLeadMarker("|C:\\x"), "C:\\x");
  EXPECT_EQ(StripLeadMarker("||C:\\x"), "|C:\\x");
  EXPECT_EQ(StripLeadMarker("\\Soft"), "Soft");
  EXPECT_EQ(StripLeadMarker("C:\\x"), "C:\\x");
  EXPECT_EQ(StripLeadMarker("Soft"), "Soft");
  EXPECT_EQ(StripLeadMarker("\\\\server\\share"), "\\\\server\\share");
  EXPECT_EQ(StripLeadMarker("|"), "|");
  EXPECT_EQ(StripLeadMarker(""), "");
}

TEST(Paths, WithTrailingBackslash) {
  EXPECT_EQ(WithTrailingBackslash("C:\\x\\"), "C:\\x\\");
  EXPECT_EQ(WithTrailingBackslash("C:\\x"), "C:\\x\\");
  EXPECT_EQ(WithTrailingBackslash("|C:\\x"), "C:\\x\\");
  EXPECT_EQ(WithTrailingBackslash("\\Soft"), "Soft\\");
  EXPECT_EQ(WithTrailingBackslash("\\"), "");
  EXPECT_EQ(WithTrailingBackslash(""), "");
}

TEST(Paths, ProgramFolderPathJoinsRootAndFolder) {
  env::setVariable("ROOT", "D:\\Distr");
  Project project;
  project.Settings.RootInstallDir = "%ROOT%\\Soft";
  EXPECT_EQ(ProgramFolderPath(project, "Office"), "D:\\Distr\\Soft\\Office\\");
  EXPECT_EQ(ProgramFolderPath(project, "\\Office"), "D:\\Distr\\Soft\\Office\\");
  EXPECT_EQ(ProgramFolderPath(project, ""), "D:\\Distr\\Soft\\");
  EXPECT_EQ(ProgramFolderPath(project, "|E:\\Apps"), "E:\\Apps\\");
  EXPECT_EQ(ProgramFolderPath(project, "%ROOT%\\Tools\\"), "D:\\Distr\\Tools\\");
  project.Settings.RootInstallDir.clear();
  EXPECT_EQ(ProgramFolderPath(project, "Office"), "Office\\");
}

TEST(Paths, SplitCommandAtTheFirstListedExtension) {
  EXPECT_EQ(SplitCommand("setup.exe /S"), Split("setup.exe", " /S"));
  EXPECT_EQ(SplitCommand("SETUP.EXE /S"), Split("SETUP.EXE", " /S"));
  EXPECT_EQ(SplitCommand("setup.exe"), Split("setup.exe", ""));
  EXPECT_EQ(SplitCommand("setup.msi -q"), Split("setup.msi", " -q"));
  EXPECT_EQ(SplitCommand("install now please"), Split("install now please", ""));
  EXPECT_EQ(SplitCommand(""), Split("", ""));
  EXPECT_EQ(CommandFileEnd(""), 0u);
  EXPECT_EQ(CommandFileEnd("setup.exe /S"), 10u);
  // The earliest end wins, whatever the table order.
  EXPECT_EQ(SplitCommand("run.cmd tool.exe"), Split("run.cmd", " tool.exe"));
  EXPECT_EQ(SplitCommand("%ROOT%\\a b\\x.reg"), Split("%ROOT%\\a b\\x.reg", ""));
}

TEST(Paths, ExtensionCountsOnlyWhenNoLetterOrDigitFollows) {
  EXPECT_EQ(SplitCommand("script.vbs /x"), Split("script.vbs", " /x"));
  EXPECT_EQ(SplitCommand("run.vb /q"), Split("run.vb", " /q"));
  EXPECT_EQ(SplitCommand("x.vb"), Split("x.vb", ""));
  EXPECT_EQ(SplitCommand("my.executor\\setup.bat /q"), Split("my.executor\\setup.bat", " /q"));
  EXPECT_EQ(SplitCommand("tool.exe2 /q"), Split("tool.exe2 /q", ""));
  EXPECT_EQ(SplitCommand("\"C:\\a.exe\" /s"), Split("\"C:\\a.exe", "\" /s"));
  // A Cyrillic letter (1251 "я") continues the word too.
  EXPECT_EQ(SplitCommand("a.exe\xFF b"), Split("a.exe\xFF b", ""));
}

TEST(Paths, RuntimeVariablesFollowTheRootFolder) {
  Project project;
  SetSelfVariable(project);
  EXPECT_EQ(project.SelfValue, files::executableFolder());
  EXPECT_EQ(env::variable("SELF"), project.SelfValue);

  project.EditorMode = true;
  project.ProjectRootFolder = "D:\\Distr";
  SetSelfVariable(project);
  SetSourceVariables(project);
  SetRootVariable(project);
  EXPECT_EQ(env::variable("SELF"), "D:\\Distr");
  EXPECT_EQ(env::variable("ROOT"), "D:\\Distr");
  EXPECT_EQ(project.RootValue, "D:\\Distr");
  EXPECT_EQ(project.SourceValue, "D:");
  EXPECT_EQ(env::variable("CDROM"), "D:");
  EXPECT_EQ(env::variable("SOURCE"), "D:");

  project.ProjectRootFolder = "\\\\server\\share\\Distr";
  SetSourceVariables(project);
  EXPECT_EQ(env::variable("source"), "\\\\server\\share");

  project.ProjectRootFolder = "Distr";
  SetSourceVariables(project);
  EXPECT_EQ(env::variable("CDROM"), "");
  EXPECT_EQ(ExpandVariables("%SOURCE%\\x"), "\\x");
}

TEST(Paths, ExtractOneIconTakesTheIndexAsUnsigned16Bit) {
  sw::testing::TempDir dir;
  const std::string library = dir.write("Icons.dll", sw::testing::makeIconLibraryDll(3));
  const QRgb first = sw::testing::iconLibraryColour(0);
  const QRgb third = sw::testing::iconLibraryColour(2);
  auto colourAt = [&](int index, bool small) {
    const QImage icon = ExtractOneIcon(library, index, small);
    return icon.isNull() ? QRgb(0) : icon.pixel(icon.width() / 2, icon.height() / 2);
  };
  EXPECT_EQ(colourAt(2, true), third);
  EXPECT_EQ(colourAt(999, true), first);
  EXPECT_EQ(colourAt(3, false), first);
  EXPECT_EQ(colourAt(-1, false), first);
  // 65538 is 2 as a 16-bit value.
  EXPECT_EQ(colourAt(65538, true), third);
  EXPECT_EQ(ExtractOneIcon(library, 0, true).size(), QSize(16, 16));
  EXPECT_EQ(ExtractOneIcon(library, 0, false).size(), QSize(32, 32));

  EXPECT_TRUE(ExtractOneIcon(dir.file("missing.dll"), 0, true).isNull());
  EXPECT_TRUE(ExtractOneIcon(dir.path(), 0, true).isNull());
  const std::string empty = dir.write("empty.dll", "not an executable");
  EXPECT_TRUE(ExtractOneIcon(empty, 0, true).isNull());
}

}  // namespace
}  // namespace sw
