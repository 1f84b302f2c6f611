#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/commands.h"
#include "cli_runner.h"
#include "model/project_document.h"
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
  EXPECT_EQ(
      bytes.rfind(
          "\r\n[Common_Info]\r\nVer=2.0\r\nAutor=\r\nDescription=\r\nDate=" + TodayShortDate() + "\r\n", 0),
      0u);
  EXPECT_NE(bytes.find("LogFile=%SystemDrive%\\InstallLog.txt\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("RunValyeName=TEMP_VELMORA\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("BeepOnStart=1\r\n"), std::string::npos);
  EXPECT_EQ(bytes.find("SoftwareGroup"), std::string::npos);

  // The editor opens what it wrote: without groups, every setting as written.
  const CliRun dump = runBinary({"dump", out, "--root", dir.path()});
  EXPECT_EQ(dump.exitCode, cli::kExitOk) << dump.err;
  const QJsonObject settings =
      QJsonDocument::fromJson(QByteArray::fromStdString(dump.out))["settings"].toObject();
  EXPECT_EQ(settings["Date"].toString().toStdString(), text::toUtf8(TodayShortDate()));
  EXPECT_TRUE(settings["BeepOnStart"].toBool());
  EXPECT_EQ(settings["RunOnceKey"].toString(), QStringLiteral("999"));
}

TEST(NewCommand, ANewProjectResavesToTheSameBytes) {
  TempDir dir;
  const std::string created = dir.file("new.ini");
  ASSERT_EQ(runBinary({"new", "--root", dir.path(), "--out", created}).exitCode, cli::kExitOk);
  const CliRun resave = runBinary({"resave", created, "--root", dir.path(), "--out", dir.file("again.ini")});
  ASSERT_EQ(resave.exitCode, cli::kExitOk) << resave.err;
  EXPECT_EQ(readBytes(dir.file("again.ini")), readBytes(created));
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
