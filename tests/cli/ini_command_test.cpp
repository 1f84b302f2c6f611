#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/cli_runner.h"
#include "support/temp_dir.h"

namespace sw {
namespace {

const QString kCases = QStringLiteral(SETWRIGHT_TEST_DATA "/profile/cases/");
const QString kExpected = QStringLiteral(SETWRIGHT_TEST_DATA "/profile/expected/");

clitest::CliRun runIni(const QStringList& arguments, const QString& folder = QString()) {
  std::vector<std::string> args{"ini"};
  for (const QString& argument : arguments) args.push_back(argument.toStdString());
  return clitest::runBinary(args, folder.toStdString());
}

QJsonObject parse(const std::string& json) {
  return QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
}

QJsonObject expectedFor(const QString& name) {
  QFile file(kExpected + name + ".json");
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  QJsonObject expected = QJsonDocument::fromJson(file.readAll()).object();
  expected.remove("about");
  expected.remove("acp");
  return expected;
}

// The whole corpus through the binary, one process per case, compared as parsed JSON.
TEST(IniCommand, PrintsWhatTheCorpusRecorded) {
  const QStringList cases = QDir(kCases).entryList({"*.ini"}, QDir::Files, QDir::Name);
  ASSERT_GE(cases.size(), 70);
  for (const QString& fileName : cases) {
    const QString name = fileName.chopped(4);
    QStringList arguments{kCases + fileName};
    if (QFile::exists(kCases + name + ".queries")) arguments << "--queries" << kCases + name + ".queries";
    const clitest::CliRun run = runIni(arguments);
    ASSERT_EQ(run.exitCode, 0) << name.toStdString() << ": " << run.err;
    QJsonParseError error;
    const QJsonObject got = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << name.toStdString();
    EXPECT_EQ(got, expectedFor(name)) << name.toStdString();
  }
}

TEST(IniCommand, RelativePathsAndNoQueries) {
  const clitest::CliRun run = runIni({"project-excerpt.ini"}, kCases);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const QJsonObject got = parse(run.out);
  EXPECT_EQ(got.keys(), (QStringList{"keys", "sections", "values"}));
  EXPECT_EQ(got.value("sections"), expectedFor("project-excerpt").value("sections"));
}

TEST(IniCommand, UsageErrorsExitWithTwo) {
  testing::TempDir dir;
  const QString ini = QString::fromStdString(dir.write("a.ini", "[S]\nk=v\n"));
  const QString badQueries = QString::fromStdString(dir.write("bad.queries", "only-one-field\n"));
  for (const QStringList& arguments :
       {QStringList{}, QStringList{ini, ini}, QStringList{ini, "--bogus", "x"}, QStringList{ini, "--queries"},
        QStringList{QString::fromStdString(dir.file("missing.ini"))},
        QStringList{QString::fromStdString(dir.path())},
        QStringList{ini, "--queries", QString::fromStdString(dir.file("missing.queries"))},
        QStringList{ini, "--queries", badQueries}}) {
    const clitest::CliRun run = runIni(arguments);
    EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
    EXPECT_TRUE(run.out.empty());
    EXPECT_FALSE(run.err.empty());
  }
}

}  // namespace
}  // namespace sw
