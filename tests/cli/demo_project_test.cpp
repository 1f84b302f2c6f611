#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <set>

#include "cli/commands.h"
#include "cli_runner.h"
#include "model/project.h"
#include "model/project_document.h"
#include "platform/environment.h"
#include "platform/image_list.h"
#include "platform/text.h"
#include "support/icon_fixtures.h"
#include "support/temp_dir.h"

namespace sw::clitest {
namespace {

const std::string kDemo = std::string(SETWRIGHT_SOURCE_DIR) + "/examples/demo";

struct DemoIcon {
  const char* path;
  QRgb colour;
};

// The icon files of the demo, each made by makeIcoFile(32, colour).
const std::vector<DemoIcon>& demoIcons() {
  static const std::vector<DemoIcon> icons = {
      {"Soft/System/Archiver/archiver.ico", qRgb(0x2E, 0x7D, 0x32)},
      {"Soft/Security/Antivirus/antivirus.ico", qRgb(0xC6, 0x28, 0x28)},
      {"Soft/Security/Antivirus2/antivirus2.ico", qRgb(0xEF, 0x6C, 0x00)},
      {"Soft/Office/Suite/office.ico", qRgb(0x15, 0x65, 0xC0)},
      {"Soft/Internet/Browser/browser.ico", qRgb(0x00, 0x83, 0x8F)},
      {"Soft/Internet/Mail/mail.ico", qRgb(0xF9, 0xA8, 0x25)},
      {"Soft/Media/Player/player.ico", qRgb(0x6A, 0x1B, 0x9A)},
      {"Soft/Graphics/Viewer/viewer.ico", qRgb(0xAD, 0x14, 0x57)},
  };
  return icons;
}
constexpr int kLibraryIcons = 16;

TEST(DemoProject, CommittedBinariesAreWhatTheFixtureWriterMakes) {
  EXPECT_EQ(readBytes(kDemo + "/Soft/icons.dll"), testing::makeIconLibraryDll(kLibraryIcons));
  for (const DemoIcon& icon : demoIcons()) {
    EXPECT_EQ(readBytes(kDemo + "/" + icon.path), testing::makeIcoFile(32, icon.colour)) << icon.path;
  }
}

std::set<int> numbersWhere(const Project& project, bool (*test)(const TInstallItem&)) {
  std::set<int> numbers;
  for (const auto& group : project.Groups) {
    for (const auto& program : group->Items) {
      if (test(*program)) numbers.insert(program->Number);
    }
  }
  return numbers;
}

const TInstallItem& programNumbered(const Project& project, int number) {
  for (const auto& group : project.Groups) {
    for (const auto& program : group->Items) {
      if (program->Number == number) return *program;
    }
  }
  throw std::runtime_error("no program " + std::to_string(number));
}

QRgb centreOf(const QImage& image) { return image.pixel(image.width() / 2, image.height() / 2); }

TEST(DemoProject, LoadsWithItsGroupsSelectionsAndPictures) {
  ProjectDocument document;
  ASSERT_TRUE(document.open(text::fromUtf8(kDemo + "/setup.ini"), text::fromUtf8(kDemo)).ok());
  const Project& project = document.project();

  ASSERT_EQ(GroupCount(project), 8);
  EXPECT_EQ(ProgramCount(project), 40);
  std::vector<std::string> kinds;
  std::vector<int> states;
  for (const auto& group : project.Groups) {
    kinds.push_back(group->Locked ? "#" : group->Expanded ? "+" : "");
    states.push_back(GroupStateNumber(group->State));
    EXPECT_EQ(group->Items.size(), 5u) << text::toUtf8(group->Name);
  }
  EXPECT_EQ(kinds, (std::vector<std::string>{"+", "#", "#", "", "+", "", "", ""}));
  EXPECT_EQ(text::toUtf8(project.Groups[0]->Name), "Система");
  EXPECT_EQ(states, (std::vector<int>{2, 2, 2, 2, 2, 2, 1, 0}));

  // Missing tag files hide and fix their programs; printer (9) is hidden by its author.
  EXPECT_EQ(numbersWhere(project, [](const TInstallItem& p) { return !p.Visible; }),
            (std::set<int>{4, 8, 9, 24, 38}));
  // 10 is default and fixed and excludes 11 and is excluded by 14, which therefore become fixed.
  EXPECT_EQ(numbersWhere(project, [](const TInstallItem& p) { return p.Fixed; }),
            (std::set<int>{0, 4, 5, 8, 10, 11, 14, 24, 38}));
  EXPECT_FALSE(programNumbered(project, 11).Default);
  // 28 needs one of 26, 27 (neither default): 26 is chosen, and 26 in turn pulls in 25.
  EXPECT_EQ(numbersWhere(project, [](const TInstallItem& p) { return p.Selected; }),
            (std::set<int>{0, 1, 2, 5, 6, 10, 12, 15, 16, 20, 25, 26, 28, 30, 31, 32, 33, 34}));

  EXPECT_EQ(document.smallPictures().count(), 4 + 31 + 8);
  EXPECT_EQ(document.largePictures().count(), 1 + 31 + 8);
  const TInstallItem& printer = programNumbered(project, 9);  // library index out of range
  EXPECT_EQ(printer.SmallImage, 3);
  EXPECT_EQ(printer.LargeImage, 0);
  const TInstallItem& runtime = programNumbered(project, 0);  // library icon 0
  EXPECT_EQ(centreOf(document.largePictures().at(runtime.LargeImage)), testing::iconLibraryColour(0));
  const TInstallItem& archiver = programNumbered(project, 2);  // its own icon file
  EXPECT_EQ(archiver.LargeImage, archiver.SmallImage - 3);
  EXPECT_EQ(centreOf(document.smallPictures().at(archiver.SmallImage)), demoIcons()[0].colour);
  const TInstallItem& mail = programNumbered(project, 22);  // icon path through a user variable
  EXPECT_EQ(centreOf(document.largePictures().at(mail.LargeImage)), demoIcons()[5].colour);

  EXPECT_EQ(env::variable("TOOLS"), text::fromUtf8(kDemo + "\\Soft\\Tools"));
}

TEST(DemoProject, DumpsAndResavesThroughTheBinary) {
  const CliRun dump = runBinary({"dump", kDemo + "/setup.ini", "--root", kDemo});
  ASSERT_EQ(dump.exitCode, cli::kExitOk) << dump.err;
  const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(dump.out)).object();
  EXPECT_EQ(json["Groups"].toArray().size(), 8);
  EXPECT_EQ(json["UserButtons"].toArray().at(0).toObject()["Caption"].toString(), QStringLiteral("Справка"));
  EXPECT_EQ(json["variables"].toObject()["DISTR"].toString(), QString::fromStdString(kDemo + "\\Soft"));

  // The demo is written in the editor's own layout: a resave changes only what the load
  // derived (hidden and fixed programs), and a second resave changes nothing.
  testing::TempDir dir;
  const std::string first = dir.file("first.ini");
  const std::string second = dir.file("second.ini");
  ASSERT_EQ(runBinary({"resave", kDemo + "/setup.ini", "--root", kDemo, "--out", first}).exitCode,
            cli::kExitOk);
  ASSERT_EQ(runBinary({"resave", first, "--root", kDemo, "--out", second}).exitCode, cli::kExitOk);
  EXPECT_EQ(readBytes(second), readBytes(first));
  EXPECT_EQ(readBytes(first).size(), readBytes(kDemo + "/setup.ini").size());
}

}  // namespace
}  // namespace sw::clitest
