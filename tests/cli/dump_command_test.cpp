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

// Input that is no project: the load fails and says why, the JSON still shows the model, exit 1.
TEST(DumpCommand, BadInputGivesLoadedFalseAndExitOneWithTheReason) {
  TempDir dir;
  const std::vector<std::pair<std::string, std::string>> inputs = {
      {"junk.ini", std::string("\x00\xff\xfe[[[=\r\n\x01garbage", 17)},
      {"empty.ini", ""},
      {"version.ini", "[Common_Info]\r\nVer=2.00\r\n[SoftwareGroup]\r\nG=x\r\n"},
  };
  for (const auto& [name, bytes] : inputs) dir.write(name, bytes);
  const std::pair<const char*, const char*> cases[] = {
      {"junk.ini", "is not a project file: it has no Ver key in [Common_Info]"},
      {"empty.ini", "is not a project file"},
      {"version.ini", "Ver is \"2.00\""},
      {"missing.ini", "no such file"},
  };
  for (const auto& [name, reason] : cases) {
    const CliRun run = runBinary({"dump", dir.file(name), "--root", dir.path()});
    EXPECT_EQ(run.exitCode, cli::kExitFailed) << name;
    const QJsonObject json = parse(run.out);
    EXPECT_FALSE(json["loaded"].toBool()) << name;
    EXPECT_TRUE(json["Groups"].toArray().isEmpty()) << name;
    EXPECT_NE(run.err.find("the project did not load: "), std::string::npos) << name;
    EXPECT_NE(run.err.find(dir.file(name)), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
  }
}

TEST(DumpCommand, AProjectWithoutGroupsLoadsAndAFailedLoadSetsOnlySelf) {
  TempDir dir;
  const std::string noGroups =
      dir.write("nogroups.ini", ProjectText().section("Setup").key("CheckNet", "1").bytes());
  const CliRun run = runBinary({"dump", noGroups, "--root", dir.path()});
  EXPECT_EQ(run.exitCode, cli::kExitOk) << run.err;
  EXPECT_TRUE(parse(run.out)["loaded"].toBool());
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
