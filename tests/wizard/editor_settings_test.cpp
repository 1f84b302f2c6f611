#include "wizard/editor_settings.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QFile>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>

#include "support/temp_dir.h"
#include "support/widget_lookup.h"
#include "wizard/main_window.h"

namespace sw {
namespace {

using testing::child;

TEST(SettingsInteger, NumbersAsTheFileStoresThem) {
  EXPECT_EQ(parseSettingsInteger("120"), 120);
  EXPECT_EQ(parseSettingsInteger(" -8"), -8);
  EXPECT_EQ(parseSettingsInteger("+7"), 7);
  EXPECT_EQ(parseSettingsInteger("$1F"), 31);
  EXPECT_EQ(parseSettingsInteger("0x10"), 16);
  EXPECT_EQ(parseSettingsInteger("-2147483648"), -2147483647 - 1);
  for (const char* junk : {"", " ", "abc", "12px", "1.5", "99999999999", "2147483648", "-", "$", "0x"})
    EXPECT_EQ(parseSettingsInteger(junk), std::nullopt) << junk;
}

// An installed editor, even one run by root who may write to /usr/bin, keeps its settings in the
// configuration folder; a build or a copy in a folder of its own keeps them beside itself.
TEST(SettingsPath, BesideOnlyAWritableFolderThatIsNoBinFolder) {
  const QString config = QStringLiteral("/home/u/.config/setwright");
  const QString inConfig = config + QStringLiteral("/setwright.ini");
  EXPECT_EQ(settingsPathFor("/work/build", "setwright.ini", config, true), "/work/build/setwright.ini");
  EXPECT_EQ(settingsPathFor("/media/disc/tools/", "setwright.ini", config, true),
            "/media/disc/tools/setwright.ini");
  EXPECT_EQ(settingsPathFor("/home/u/cabin", "setwright.ini", config, true), "/home/u/cabin/setwright.ini");
  EXPECT_EQ(settingsPathFor("/work/build", "setwright.ini", config, false), inConfig);
  for (const char* bin :
       {"/usr/bin", "/usr/local/bin/", "/opt/setwright/bin", "/home/u/bin", "C:/Setwright/Bin"})
    EXPECT_EQ(settingsPathFor(bin, "setwright.ini", config, true), inConfig) << bin;
  EXPECT_EQ(settingsPathFor("/usr/bin", "setwright.ini", config, false), inConfig);
}

class SettingsFile : public ::testing::Test {
 protected:
  MainWindowOptions options() const {
    MainWindowOptions options;
    options.settingsFile = dir_.file("setwright.ini");
    return options;
  }
  testing::TempDir dir_;
};

// A first run writes all seven keys; the next run reads them back.
TEST_F(SettingsFile, FirstRunWritesEveryKeyAndTheNextReadsThem) {
  {
    TSetwrightFm window(options());
    window.move(40, 30);
    window.resize(700, 560);
  }
  const std::string written = dir_.read("setwright.ini");
  for (const char* line : {"[Projects]", "LastProject=", "LastRootDir=", "[Interface]", "Left=40", "Top=30",
                           "Width=700", "Height=560", "Maximize=0"})
    EXPECT_NE(written.find(line), std::string::npos) << line << "\n" << written;
  TSetwrightFm again(options());
  EXPECT_EQ(again.frameGeometry(), QRect(40, 30, 700, 560));
  EXPECT_FALSE(again.isMaximized());
}

// The outer size is what is stored: a shown window, with its frame, opens as large as it closed.
TEST_F(SettingsFile, AShownWindowKeepsItsOuterSizeFromRunToRun) {
  dir_.write("setwright.ini", "[Interface]\r\nLeft=40\r\nTop=30\r\nWidth=700\r\nHeight=560\r\n");
  for (int run = 0; run < 2; ++run) {
    TSetwrightFm window(options());
    window.show();
    EXPECT_EQ(window.frameGeometry(), QRect(40, 30, 700, 560)) << run;
  }
  const std::string written = dir_.read("setwright.ini");
  EXPECT_NE(written.find("Width=700\r\nHeight=560"), std::string::npos) << written;
}

TEST_F(SettingsFile, WithoutAStoredSizeTheClientAreaIsTheFormsOwn) {
  dir_.write("setwright.ini", "[Interface]\r\nLeft=40\r\nTop=30\r\n");
  TSetwrightFm window(options());
  window.show();
  EXPECT_EQ(window.size(), QSize(646, 613));
}

// A run that changes nothing leaves the file as it is, not even replaced by a copy of itself.
TEST_F(SettingsFile, AnUnchangedFileIsNotReplaced) {
  dir_.write("setwright.ini",
             "[Projects]\r\nLastProject=\r\nLastRootDir=\r\n[Interface]\r\nLeft=40\r\nTop=30\r\n"
             "Width=700\r\nHeight=560\r\nMaximize=0\r\n");
  const auto inode = [this] {
    struct stat info {};
    return ::stat(dir_.file("setwright.ini").c_str(), &info) == 0 ? info.st_ino : 0;
  };
  const auto before = inode();
  { TSetwrightFm window(options()); }
  EXPECT_EQ(inode(), before);
  {
    TSetwrightFm window(options());
    window.move(41, 30);
  }
  EXPECT_NE(inode(), before);
  EXPECT_NE(dir_.read("setwright.ini").find("Left=41"), std::string::npos);
}

// A maximized window rewrites only the project keys and the flag: the placement stays.
TEST_F(SettingsFile, MaximizedKeepsTheLastNormalPlacement) {
  dir_.write("setwright.ini", "[Interface]\r\nMaximize=1\r\nLeft=5\r\nTop=6\r\nWidth=640\r\nHeight=520\r\n");
  {
    TSetwrightFm window(options());
    window.show();
    EXPECT_TRUE(window.isMaximized());
  }
  const std::string written = dir_.read("setwright.ini");
  EXPECT_NE(written.find("Left=5\r\nTop=6\r\nWidth=640\r\nHeight=520"), std::string::npos) << written;
  EXPECT_NE(written.find("Maximize=1"), std::string::npos) << written;
}

// Junk, numbers out of range, a placement on no screen and a last project that is a folder give
// a window on the screen and no last-project choice.
TEST_F(SettingsFile, BadValuesGiveAUsableWindow) {
  dir_.write("folder/placeholder", "");
  dir_.write("setwright.ini",
             std::string("\x01\x02\xff[Projects]\r\nLastProject=") + dir_.file("folder") +
                 "\r\n[Interface]\r\nLeft=junk\r\nTop=-900000\r\nWidth=99999999999\r\nHeight=10\r\n");
  TSetwrightFm window(options());
  EXPECT_FALSE(child<QRadioButton>(window, "LastProjectRb")->isEnabled());
  EXPECT_GE(window.height(), 500);
  bool onAScreen = false;
  for (const QScreen* screen : QGuiApplication::screens())
    onAScreen = onAScreen || screen->availableGeometry().intersects(window.frameGeometry());
  EXPECT_TRUE(onAScreen);
}

// A settings file that cannot be written is left alone, and the window still closes.
TEST_F(SettingsFile, AnUnwritableFileIsIgnored) {
  dir_.write("setwright.ini", "[Projects]\r\nLastProject=x\r\n");
  QFile::setPermissions(QString::fromStdString(dir_.file("setwright.ini")), QFile::ReadOwner);
  {
    TSetwrightFm window(options());
    window.show();
    window.close();
  }
  EXPECT_EQ(dir_.read("setwright.ini"), "[Projects]\r\nLastProject=x\r\n");
}

}  // namespace
}  // namespace sw
