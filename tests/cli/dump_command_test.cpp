#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>

#include "cli/commands.h"
#include "cli_runner.h"
#include "platform/text.h"
#include "support/project_text.h"
#include "support/temp_dir.h"

namespace sw::clitest {
namespace {

using testing::ProjectText;
using testing::TempDir;

QJsonObject parse(const std::string& json) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  return document.object();
}

// Two groups of two programs, whose sections are out of number order, with references.
std::string smallProject() {
  return ProjectText()
      .key("Autor", text::fromUtf8("Пётр"))
      .section("Setup")
      .key("DefaultTimer", "15")
      .key("BeepOnStart", "1")
      .section("UserEnvironmentVariable")
      .key("A", "1")
      .section("SoftwareGroup")
      .key("+Tools", text::fromUtf8("Утилиты"))
      .key("#Base", "Always")
      .program(5, "Tools", "Five")
      .key("Depends", "Installitem_002;Installitem_009;")
      .key("IconNumber", "7")
      .key("Default", "1")
      .program(2, "Tools", "Two")
      .key("Default", "1")
      .program(1, "Base", "One")
      .key("Exclude", "Installitem_005;")
      .bytes();
}

const std::vector<std::string>& programMembers() {
  static const std::vector<std::string> names = {
      "Number",          "Group",      "Caption",      "Description",  "Depends",   "DependsOr",
      "Exclude",         "Folder",     "SourceFolder", "CheckTagFile", "MinToTray", "PreCopyCommand",
      "PostCopyCommand", "PreRegFile", "Command1",     "Command2",     "Command3",  "Command4",
      "Command5",        "Command6",   "PostRegFile",  "KillWait",     "IconFile",  "IconNumber",
      "SkreenShotImage", "SmallImage", "LargeImage",   "Default",      "Fixed",     "Visible",
      "RebootNeed",      "Selected"};
  return names;
}

std::vector<std::string> expectedMembers(int programs) {
  std::vector<std::string> names = {"loaded", "settings"};
  for (const char* name : {"Autor",
                           "Date",
                           "Description",
                           "RootInstallDir",
                           "CommonIconLib",
                           "CommonShotFolder",
                           "LogFile",
                           "LogInstall",
                           "DetaliseLog",
                           "EnableUserInput",
                           "EnableCloseMsg",
                           "EnableWelcomeDlg",
                           "AdminRightsRequired",
                           "CheckFDD",
                           "CheckCd",
                           "CheckFlash",
                           "CheckHDD",
                           "CheckNet",
                           "SourceTagFile",
                           "DefaultTimer",
                           "ReadMeText",
                           "LicenseText",
                           "RunOnceKey",
                           "RunValyeName",
                           "UseRunKey",
                           "ShowLog",
                           "AutoClose",
                           "SupressReboot",
                           "BeepOnStart"}) {
    names.push_back(name);
  }
  const std::vector<std::string> stage = {"Folder",   "PreRegFile", "Command1",   "Command2",
                                          "Command3", "Command4",   "PostRegFile"};
  names.push_back("Preinstall");
  names.insert(names.end(), stage.begin(), stage.end());
  names.push_back("Postinstall");
  names.insert(names.end(), stage.begin(), stage.end());
  names.insert(names.end(), {"Reboot", "PowerOff", "UserButtons"});
  for (int i = 0; i < 3; ++i) {
    names.insert(names.end(), {"Caption", "Hint", "Picture", "Folder", "Command", "Text", "Visible"});
  }
  names.insert(names.end(),
               {"UserEnvironment", "variables", "SELF", "ROOT", "CDROM", "SOURCE", "A", "Groups"});
  for (int group = 0; group < 2; ++group) {
    names.insert(names.end(), {"Name", "Description", "Expanded", "Locked", "State", "Items"});
    for (int i = 0; i < (group == 0 ? programs - 1 : 1); ++i) {
      names.insert(names.end(), programMembers().begin(), programMembers().end());
    }
  }
  names.insert(names.end(), {"pictures", "small", "large"});
  return names;
}

TEST(DumpCommand, PrintsEveryMemberInContractOrder) {
  TempDir dir;
  const std::string project = dir.write("setup.ini", smallProject());
  const CliRun run = runBinary({"dump", project, "--root", dir.path()});
  ASSERT_EQ(run.exitCode, cli::kExitOk) << run.err;
  EXPECT_EQ(jsonMemberNames(run.out), expectedMembers(3));
  // Reference lists as loaded, before any renumbering, on one line.
  EXPECT_NE(run.out.find("\"Depends\": [2]"), std::string::npos);
  EXPECT_NE(run.out.find("\"Exclude\": [5]"), std::string::npos);
  EXPECT_NE(run.out.find("\"DependsOr\": []"), std::string::npos);
  EXPECT_EQ(run.out.back(), '\n');
  EXPECT_EQ(run.err.find("setwright-cli"), std::string::npos);
}

TEST(DumpCommand, ValuesComeOutAsLoaded) {
  TempDir dir;
  const std::string project = dir.write("setup.ini", smallProject());
  const QJsonObject json = parse(runInProcess({"dump", project, "--root", dir.path()}).out);
  EXPECT_TRUE(json["loaded"].toBool());
  const QJsonObject settings = json["settings"].toObject();
  EXPECT_EQ(settings["Autor"].toString(), QStringLiteral("Пётр"));
  EXPECT_EQ(settings["Description"].toString(), QStringLiteral("No Description"));
  EXPECT_EQ(settings["DefaultTimer"].toInt(), 15);
  EXPECT_TRUE(settings["BeepOnStart"].toBool());
  EXPECT_EQ(json["UserEnvironment"].toArray().at(0).toString(), QStringLiteral("A=1"));

  const QJsonArray groups = json["Groups"].toArray();
  ASSERT_EQ(groups.size(), 2);
  const QJsonObject tools = groups.at(0).toObject();
  EXPECT_EQ(tools["Name"].toString(), QStringLiteral("Tools"));
  EXPECT_EQ(tools["Description"].toString(), QStringLiteral("Утилиты"));
  EXPECT_TRUE(tools["Expanded"].toBool());
  EXPECT_FALSE(tools["Locked"].toBool());
  EXPECT_EQ(tools["State"].toInt(), 1);  // Five is default and pulls in Two
  const QJsonObject five = tools["Items"].toArray().at(0).toObject();
  EXPECT_EQ(five["Number"].toInt(), 5);
  EXPECT_EQ(five["IconNumber"].toInt(), 7);
  EXPECT_EQ(five["SmallImage"].toInt(), 3);
  EXPECT_EQ(five["LargeImage"].toInt(), 0);
  const QJsonObject base = groups.at(1).toObject();
  EXPECT_TRUE(base["Locked"].toBool());
  EXPECT_TRUE(base["Expanded"].toBool());
  EXPECT_EQ(json["pictures"].toObject()["small"].toInt(), 4);
  EXPECT_EQ(json["pictures"].toObject()["large"].toInt(), 1);
}

TEST(DumpCommand, VariablesListUserNamesOnceInFirstSpelling) {
  TempDir dir;
  const std::string project = dir.write("setup.ini", ProjectText()
                                                         .section("UserEnvironmentVariable")
                                                         .key("Base", "%ROOT%\\soft")
                                                         .key("TOOLS", "%BASE%\\tools")
                                                         .key("base", "second")
                                                         .key("root", "mine")
                                                         .section("SoftwareGroup")
                                                         .key("G", "")
                                                         .program(0, "G", "P")
                                                         .bytes());
  const CliRun run = runBinary({"dump", project, "--root", dir.path()});
  ASSERT_EQ(run.exitCode, cli::kExitOk) << run.err;
  const std::vector<std::string> names = jsonMemberNames(run.out);
  const auto variables = std::find(names.begin(), names.end(), "variables");
  ASSERT_NE(variables, names.end());
  EXPECT_EQ(std::vector<std::string>(variables + 1, variables + 7),
            (std::vector<std::string>{"SELF", "ROOT", "CDROM", "SOURCE", "Base", "TOOLS"}));
  EXPECT_EQ(*(variables + 7), "Groups");
  const QJsonObject values = parse(run.out)["variables"].toObject();
  const QString root = QString::fromStdString(dir.path());
  EXPECT_EQ(values["SELF"].toString(), root);
  EXPECT_EQ(values["ROOT"].toString(), QStringLiteral("mine"));  // the user line came later
  // The key list has both spellings, but a key read twice yields its first value.
  EXPECT_EQ(values["Base"].toString(), root + QStringLiteral("\\soft"));
  EXPECT_EQ(values["TOOLS"].toString(), root + QStringLiteral("\\soft\\tools"));
}

// Input that is no project: the load fails, the JSON still shows the model, exit 1.
TEST(DumpCommand, BadInputGivesLoadedFalseAndExitOne) {
  TempDir dir;
  const std::vector<std::pair<std::string, std::string>> inputs = {
      {"junk.ini", std::string("\x00\xff\xfe[[[=\r\n\x01garbage", 17)},
      {"empty.ini", ""},
      {"common.ini", "[Common_Info]\r\nVer=2.0\r\n"},
      {"version.ini", "[Common_Info]\r\nVer=2.00\r\n[SoftwareGroup]\r\nG=x\r\n"},
  };
  for (const auto& [name, bytes] : inputs) dir.write(name, bytes);
  for (const char* name : {"junk.ini", "empty.ini", "common.ini", "version.ini", "missing.ini"}) {
    const CliRun run = runBinary({"dump", dir.file(name), "--root", dir.path()});
    EXPECT_EQ(run.exitCode, cli::kExitFailed) << name;
    const QJsonObject json = parse(run.out);
    EXPECT_FALSE(json["loaded"].toBool()) << name;
    EXPECT_TRUE(json["Groups"].toArray().isEmpty()) << name;
    EXPECT_NE(run.err.find("did not load"), std::string::npos) << name;
  }
}

TEST(DumpCommand, FailedLoadKeepsWhatWasReadAndOnlySelfIsSet) {
  TempDir dir;
  // A version but no groups: the settings read so far stay in the model.
  const std::string noGroups =
      dir.write("nogroups.ini", ProjectText().section("Setup").key("CheckNet", "1").bytes());
  const CliRun run = runBinary({"dump", noGroups, "--root", dir.path()});
  EXPECT_EQ(run.exitCode, cli::kExitFailed);
  EXPECT_TRUE(parse(run.out)["settings"].toObject()["CheckNet"].toBool());

  // Refused at the version: ROOT was never set in this fresh process, so it is absent.
  const std::string wrongVersion = dir.write("v.ini", "[Common_Info]\r\nVer=1.0\r\n");
  const QJsonObject variables =
      parse(runBinary({"dump", wrongVersion, "--root", dir.path()}).out)["variables"].toObject();
  EXPECT_TRUE(variables.contains("SELF"));
  if (!qEnvironmentVariableIsSet("ROOT")) {
    EXPECT_FALSE(variables.contains("ROOT"));
  }
}

TEST(DumpCommand, RelativePathsAreTakenFromTheCurrentFolder) {
  TempDir dir;
  dir.write("work/setup.ini",
            ProjectText().section("SoftwareGroup").key("G", "").program(0, "G", "P").bytes());
  const CliRun run = runBinary({"dump", "work/setup.ini", "--root", "work"}, dir.path());
  ASSERT_EQ(run.exitCode, cli::kExitOk) << run.err;
  EXPECT_EQ(parse(run.out)["variables"].toObject()["ROOT"].toString(),
            QString::fromStdString(dir.file("work")));
}

TEST(DumpCommand, PicturesAreWrittenForEverySlot) {
  TempDir dir;
  dir.write("setup.ini", ProjectText()
                             .section("SoftwareGroup")
                             .key("G", "")
                             .program(0, "G", "P")
                             .key("IconFile", "missing.ico")
                             .bytes());
  const std::string outFolder = dir.file("out/nested");
  const CliRun run =
      runBinary({"dump", dir.file("setup.ini"), "--root", dir.path(), "--pictures", outFolder});
  ASSERT_EQ(run.exitCode, cli::kExitOk) << run.err;
  for (int i = 0; i < 4; ++i) {
    const QImage small(QString::fromStdString(outFolder + "/small-00" + std::to_string(i) + ".png"));
    EXPECT_EQ(small.size(), QSize(16, 20)) << i;
  }
  EXPECT_FALSE(std::filesystem::exists(outFolder + "/small-004.png"));
  EXPECT_EQ(QImage(QString::fromStdString(outFolder + "/large-000.png")).size(), QSize(32, 32));
  EXPECT_FALSE(std::filesystem::exists(outFolder + "/large-001.png"));
}

TEST(DumpCommand, UnwritablePictureFolderIsUsageError) {
  TempDir dir;
  const std::string blocker = dir.write("file", "x");
  const CliRun run =
      runInProcess({"dump", dir.file("setup.ini"), "--root", dir.path(), "--pictures", blocker + "/sub"});
  EXPECT_EQ(run.exitCode, cli::kExitUsage);
  EXPECT_TRUE(run.out.empty());
}

}  // namespace
}  // namespace sw::clitest
