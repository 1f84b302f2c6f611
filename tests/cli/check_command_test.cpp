#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <set>
#include <tuple>

#include "cli/commands.h"
#include "cli_runner.h"
#include "platform/text.h"
#include "support/icon_fixtures.h"
#include "support/project_text.h"
#include "support/temp_dir.h"

namespace sw::clitest {
namespace {

using testing::ProjectText;
using testing::TempDir;

// code, section, key, line
using Place = std::tuple<std::string, std::string, std::string, int>;

QJsonObject reportOf(const CliRun& run) {
  return QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
}

std::multiset<Place> placesOf(const QJsonObject& report) {
  std::multiset<Place> places;
  for (const QJsonValue& value : report["findings"].toArray()) {
    const QJsonObject finding = value.toObject();
    places.emplace(finding["code"].toString().toStdString(), finding["section"].toString().toStdString(),
                   finding["key"].toString().toStdString(), finding["line"].toInt());
  }
  return places;
}

// A disc with one sound program: its folder, installer and tag file are all there.
struct SoundDisc {
  TempDir dir;
  SoundDisc() {
    dir.write("Soft/App/setup.exe", "");
    dir.write("Soft/App/app.tag", "");
  }
  ProjectText project() const {
    return ProjectText()
        .section("Setup")
        .key("RootInstallDir", "%ROOT%\\Soft")
        .key("LogFile", "%SystemDrive%\\log.txt")
        .section("SoftwareGroup")
        .key("Apps", "")
        .program(0, "Apps", "App")
        .key("Folder", "App")
        .key("CheckTagFile", "app.tag")
        .key("Command1", "setup.exe /S")
        .key("Command2", "%SystemRoot%\\notepad.exe readme.txt");
  }
  std::string write(const ProjectText& text) const { return dir.write("setup.ini", text.bytes()); }
};

TEST(CheckCommand, ASoundProjectHasNoFindingsInEitherForm) {
  SoundDisc disc;
  const std::string project = disc.write(disc.project());
  const CliRun text = runBinary({"check", project, "--root", disc.dir.path(), "--strict"});
  EXPECT_EQ(text.exitCode, cli::kExitOk) << text.err;
  EXPECT_EQ(text.out, "0 errors, 0 warnings, 0 notes\n");
  EXPECT_TRUE(text.err.empty());

  const CliRun json = runBinary({"check", project, "--root", disc.dir.path(), "--json"});
  ASSERT_EQ(json.exitCode, cli::kExitOk);
  EXPECT_EQ(jsonMemberNames(json.out), (std::vector<std::string>{"project", "loaded", "findings", "counts",
                                                                 "error", "warning", "info"}));
  const QJsonObject report = reportOf(json);
  EXPECT_EQ(report["project"].toString().toStdString(), project);
  EXPECT_TRUE(report["loaded"].toBool());
  EXPECT_TRUE(report["findings"].toArray().isEmpty());
}

// One project with every warning and note, each where a person would look for it.
TEST(CheckCommand, EveryFindingIsReportedAtItsSectionKeyAndLine) {
  SoundDisc disc;
  disc.dir.write("Soft/App/app.ico", sw::testing::makeIcoFile(32, 0xFF112233));
  const std::string longText(3000, 'x');
  // Lines 1-15: the sound project; its program section starts at line 9 once "Empty" is in.
  const ProjectText text = disc.project()
                               .key("IconFile", "app.ico")
                               .key("IconNumber", "4")  // 17: the file has one icon
                               .key("Command3", "%NOWHERE%\\tool.exe")
                               .key("Command4", "missing.msi /q")
                               .key("Depends", "Installitem_001;Installitem_077;")  // 20
                               .program(1, "Apps", "App")                           // 21
                               .key("Depends", "Installitem_000;")                  // 24: a cycle
                               .key("Exclude", "Installitem_000;")
                               .program(2, "Apps", "Blocked")  // 26
                               .key("Fixed", "1")
                               .program(3, "Apps", "Needs blocked")  // 30
                               .key("Depends", "Installitem_002;")
                               .key("Description", longText)
                               .program(4, "Gone", "Orphan");  // 35
  std::string bytes = text.bytes();
  // An empty group: a second SoftwareGroup key, line 8.
  bytes.insert(bytes.find("Apps=\r\n") + 7, "Empty=\r\n");
  const std::string project = disc.dir.write("setup.ini", bytes);

  const CliRun run = runBinary({"check", project, "--root", disc.dir.path(), "--json"});
  ASSERT_EQ(run.exitCode, cli::kExitOk) << run.err;
  const std::multiset<Place> expected = {
      {"empty-group", "SoftwareGroup", "Empty", 8},
      {"orphan-program", "Installitem_004", "Group", 36},
      {"unresolved-reference", "Installitem_000", "Depends", 20},
      {"value-truncated", "Installitem_003", "Description", 34},
      {"duplicate-caption", "Installitem_001", "Caption", 23},
      {"icon-index", "Installitem_000", "IconNumber", 17},
      {"missing-file", "Installitem_000", "Command4", 19},
      {"dependency-cycle", "Installitem_000", "Depends", 20},
      {"depends-and-excludes", "Installitem_000", "Depends", 20},
      {"depends-and-excludes", "Installitem_001", "Depends", 24},
      {"never-chosen", "Installitem_003", "Depends", 33},
      {"undefined-variable", "Installitem_000", "Command3", 18},
  };
  const QJsonObject report = reportOf(run);
  EXPECT_EQ(placesOf(report), expected) << run.out;
  EXPECT_EQ(report["counts"].toObject()["warning"].toInt(), 10);
  EXPECT_EQ(report["counts"].toObject()["info"].toInt(), 2);
}

// The settings, stages and buttons name files against the project root, their own folder or
// the screenshot folder; paths on the target machine are left alone.
TEST(CheckCommand, ProjectWideFilesAreLookedUpWhereTheRuntimeLooks) {
  SoundDisc disc;
  disc.dir.write("Tools/prepare.cmd", "");
  disc.dir.write("Docs/readme.txt", "");
  const std::string project = disc.write(ProjectText()
                                             .section("Setup")
                                             .key("RootInstallDir", "%ROOT%\\Soft")
                                             .key("CommonIconLib", "icons.dll")  // 5: not in Soft
                                             .key("CommonShotFolder", "Shots")   // 6: not there
                                             .key("ReadMeText", "Docs\\readme.txt")
                                             .key("LicenseText", "|%ROOT%\\licence.txt")  // 8
                                             .section("Preinstall")
                                             .key("Folder", "Tools")
                                             .key("Command1", "prepare.cmd /q")
                                             .key("Command2", "cleanup.bat")  // 12
                                             .key("Command3", "%windir%\\regedit.exe /s x.reg")
                                             .section("UserButton_2")
                                             .key("Folder", "%TEMP%\\x")
                                             .key("Text", "notes.txt")
                                             .section("UserButton_3")
                                             .key("Picture", "button.bmp")  // 18
                                             .section("SoftwareGroup")
                                             .key("Apps", "")
                                             .program(0, "Apps", "App")
                                             .key("Folder", "App")
                                             .key("SkreenShotImage", "app.png")
                                             .key("IconFile", "nothing.ico"));  // 26
  const CliRun run = runBinary({"check", project, "--root", disc.dir.path(), "--json"});
  ASSERT_EQ(run.exitCode, cli::kExitOk) << run.err;
  const std::multiset<Place> expected = {
      {"missing-file", "Setup", "CommonIconLib", 5},   {"missing-file", "Setup", "CommonShotFolder", 6},
      {"missing-file", "Setup", "LicenseText", 8},     {"missing-file", "Preinstall", "Command2", 12},
      {"missing-file", "UserButton_3", "Picture", 18}, {"missing-file", "Installitem_000", "IconFile", 26},
  };
  EXPECT_EQ(placesOf(reportOf(run)), expected) << run.out;
  // The message names the file as this machine finds it.
  EXPECT_NE(run.out.find(disc.dir.path() + "/Tools/cleanup.bat"), std::string::npos);
}

TEST(CheckCommand, TextFormIsOneCompilerStyleLinePerFindingAndAnExactSummary) {
  SoundDisc disc;
  const std::string project = disc.write(
      disc.project().key("Command3", "gone.exe").key("Command4", "%NOPE%\\x.exe").program(1, "Apps", "App"));
  const CliRun run = runBinary({"check", project, "--root", disc.dir.path()});
  EXPECT_EQ(run.exitCode, cli::kExitOk) << run.err;
  EXPECT_EQ(run.out,
            project + ":15: warning: Command3 names the file \"" + disc.dir.path() +
                "/Soft/App/gone.exe\", which is not there [missing-file]\n" + project +
                ":16: note: Command4 uses %NOPE%, which is neither a runtime variable, a variable of the "
                "project nor a system variable [undefined-variable]\n" +
                project + ":19: note: group \"Apps\" has two programs called \"App\" [duplicate-caption]\n" +
                "0 errors, 1 warning, 2 notes\n");
}

TEST(CheckCommand, WarningsFailOnlyWhenStrictAndALoadFailureIsStatusOne) {
  SoundDisc disc;
  const std::string project = disc.write(disc.project().key("Command3", "gone.exe"));
  EXPECT_EQ(runInProcess({"check", project, "--root", disc.dir.path()}).exitCode, cli::kExitOk);
  EXPECT_EQ(runInProcess({"check", project, "--root", disc.dir.path(), "--strict"}).exitCode,
            cli::kExitFindings);
  EXPECT_EQ(runInProcess({"check", "--strict", "--root=" + disc.dir.path(), project}).exitCode,
            cli::kExitFindings);

  const std::string notAProject = disc.dir.write("other.ini", "[Common_Info]\r\nVer=1.0\r\n");
  const CliRun text = runInProcess({"check", notAProject, "--root", disc.dir.path()});
  EXPECT_EQ(text.exitCode, cli::kExitFailed);
  EXPECT_TRUE(text.out.empty());
  EXPECT_NE(text.err.find("did not load"), std::string::npos);
  const CliRun json =
      runInProcess({"check", disc.dir.file("absent.ini"), "--root", disc.dir.path(), "--json"});
  EXPECT_EQ(json.exitCode, cli::kExitFailed);
  EXPECT_FALSE(reportOf(json)["loaded"].toBool(true));
  EXPECT_TRUE(reportOf(json)["findings"].toArray().isEmpty());
}

// The file holds numbers of three digits: a program numbered 1000 comes back as 100.
TEST(CheckCommand, AProjectTheEditorWouldNotSaveIsAnError) {
  TempDir dir;
  ProjectText text;
  text.section("SoftwareGroup").key("Apps", "");
  for (int number = 0; number <= 1000; ++number) text.program(number, "Apps", "P" + std::to_string(number));
  const std::string project = dir.write("setup.ini", text.bytes());
  const CliRun run = runBinary({"check", project, "--root", dir.path(), "--json"});
  EXPECT_EQ(run.exitCode, cli::kExitFindings) << run.out;
  const QJsonObject report = reportOf(run);
  ASSERT_GE(report["counts"].toObject()["error"].toInt(), 1);
  const QJsonObject first = report["findings"].toArray().last().toObject();
  EXPECT_EQ(first["severity"].toString(), "error");
  EXPECT_EQ(first["code"].toString(), "save-refused");
}

// The demo keeps a few findings on purpose: four programs whose tag files are missing (they show
// how hidden programs look) and one icon number past the library's last icon.
TEST(CheckCommand, TheDemoProjectHasOnlyItsIntendedFindings) {
  const std::string demo = std::string(SETWRIGHT_SOURCE_DIR) + "/examples/demo";
  const CliRun run = runBinary({"check", demo + "/setup.ini", "--root", demo, "--json"});
  ASSERT_EQ(run.exitCode, cli::kExitOk) << run.err;
  std::multiset<std::string> codes;
  for (const Place& place : placesOf(reportOf(run))) codes.insert(std::get<0>(place));
  EXPECT_EQ(codes.count("missing-tag-file"), 4u);
  EXPECT_EQ(codes.count("missing-file"), 4u);  // the folders of those four programs
  EXPECT_EQ(codes.count("icon-index"), 1u);
  EXPECT_EQ(codes.size(), 9u) << run.out;
}

}  // namespace
}  // namespace sw::clitest
