#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/commands.h"
#include "cli/project_session.h"
#include "cli_runner.h"
#include "platform/text.h"
#include "support/temp_dir.h"

namespace sw::clitest {
namespace {

using testing::TempDir;

TEST(NewCommand, WritesTheNewProjectValuesWithTodaysDate) {
  TempDir dir;
  const std::string out = dir.file("new.ini");
  const CliRun run = runBinary({"new", "--root", dir.path(), "--out", out});
  ASSERT_EQ(run.exitCode, cli::kExitOk) << run.err;
  EXPECT_TRUE(run.out.empty());
  const std::string bytes = readBytes(out);
  EXPECT_EQ(bytes.rfind("\r\n[Common_Info]\r\nVer=2.0\r\nAutor=\r\nDescription=\r\nDate=" +
                            cli::TodayShortDate() + "\r\n",
                        0),
            0u);
  EXPECT_NE(bytes.find("LogFile=%SystemDrive%\\InstallLog.txt\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("RunValyeName=TEMP_VELMORA\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("BeepOnStart=1\r\n"), std::string::npos);
  EXPECT_EQ(bytes.find("SoftwareGroup"), std::string::npos);

  // Without groups the file does not load, but every setting reads back as written.
  const CliRun dump = runBinary({"dump", out, "--root", dir.path()});
  EXPECT_EQ(dump.exitCode, cli::kExitFailed);
  const QJsonObject settings =
      QJsonDocument::fromJson(QByteArray::fromStdString(dump.out))["settings"].toObject();
  EXPECT_EQ(settings["Date"].toString().toStdString(), text::toUtf8(cli::TodayShortDate()));
  EXPECT_TRUE(settings["BeepOnStart"].toBool());
  EXPECT_EQ(settings["RunOnceKey"].toString(), QStringLiteral("999"));
}

TEST(NewCommand, ReplacesAnExistingFileKeepingABackup) {
  TempDir dir;
  const std::string out = dir.write("setup.ini", "old content");
  ASSERT_EQ(runInProcess({"new", "--root", dir.path(), "--out", out}).exitCode, cli::kExitOk);
  EXPECT_EQ(readBytes(out + ".bak"), "old content");
  EXPECT_NE(readBytes(out).find("Ver=2.0"), std::string::npos);
}

TEST(NewCommand, AnUnwritableTargetExitsThree) {
  TempDir dir;
  const CliRun run = runInProcess({"new", "--root", dir.path(), "--out", dir.file("missing/new.ini")});
  EXPECT_EQ(run.exitCode, cli::kExitSaveFailed);
  EXPECT_NE(run.err.find("Unable to write to"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace sw::clitest
