// Names on disk that are not UTF-8, and the literal host path of a file a save writes.

#include <gtest/gtest.h>

#include <string>

#include "platform/file_io.h"
#include "platform/file_replace.h"
#include "platform/files.h"
#include "platform/text.h"
#include "support/file_kinds.h"
#include "support/temp_dir.h"

namespace sw {
namespace {

using testing::namesIn;
using testing::TempDir;

// "Проекты" in 1251, as a Windows disc stores it, and in UTF-8.
const std::string kProjects1251 = "\xCF\xF0\xEE\xE5\xEA\xF2\xFB";
const std::string kProjectsUtf8 = "Проекты";

TEST(HostName, DecodesUtf8AndTakesEveryOtherByteAs1251) {
  struct Case {
    std::string host;
    std::string expected;
  };
  const Case cases[] = {
      {"", ""},
      {"setup.ini", "setup.ini"},
      {kProjectsUtf8, kProjects1251},
      {kProjects1251, kProjects1251},                        // every byte starts a bad sequence
      {"\xD0\x9F" + kProjects1251, "\xCF" + kProjects1251},  // П in UTF-8, then raw 1251
      {"\xD0", "\xD0"},                                      // a sequence cut off at the end
      {"\xE6\x97\xA5", "?"},                                 // a character 1251 does not have
      {"\xEF\xBF\xBD", "?"},                                 // U+FFFD itself, encoded
      {"\xC0\xAF", "\xC0\xAF"},                              // an overlong '/'
  };
  for (const Case& c : cases) EXPECT_EQ(text::fromHostName(c.host), c.expected) << c.host;
}

TEST(HostName, MessagesShowRawNamesAsTheirCyrillicText) {
  EXPECT_EQ(files::shownPath("/d/" + kProjects1251 + "/setup.ini"), "/d/" + kProjectsUtf8 + "/setup.ini");
  EXPECT_EQ(files::shownPath("/d/日本/" + kProjectsUtf8), "/d/日本/" + kProjectsUtf8);
}

#ifndef _WIN32
TEST(TargetHostPath, TakesTheNameLiterallyWhereAnotherCaseExists) {
  TempDir dir;
  dir.write("SETUP.INI", "the other project");
  dir.write("SETUP.INI.BAK", "its backup");
  dir.write("Soft/readme.txt", "x");
  const std::string project = dir.path() + "\\setup.ini";
  EXPECT_EQ(files::targetHostPath(project), dir.file("setup.ini"));
  EXPECT_EQ(files::targetHostPath(project + ".bak"), dir.file("setup.ini.bak"));
  EXPECT_EQ(files::targetHostPath(dir.path() + "\\soft\\new.ini"), dir.file("soft/new.ini"));
  // Inside a project, letter case is still matched.
  EXPECT_EQ(files::hostPath(project), dir.file("SETUP.INI"));

  // The save step's order: the .bak copy of a file that is not there, then the file itself.
  EXPECT_EQ(files::copyFile(files::targetHostPath(project), files::targetHostPath(project + ".bak"),
                            {.followLinks = false})
                .failure(),
            Failure::NotFound);
  ASSERT_TRUE(files::replaceFile(files::targetHostPath(project), "new").ok());
  EXPECT_EQ(dir.read("SETUP.INI"), "the other project");
  EXPECT_EQ(dir.read("SETUP.INI.BAK"), "its backup");
  EXPECT_EQ(namesIn(dir.path()),
            (std::vector<std::string>{"SETUP.INI", "SETUP.INI.BAK", "Soft", "setup.ini"}));
}

TEST(TargetHostPath, FindsARawNamedFolderByItsExactTextOnly) {
  TempDir dir;
  dir.write(kProjects1251 + "/setup.ini", "old");
  dir.write("日/x.ini", "x");
  const std::string folder = dir.path() + "\\" + kProjects1251;  // the model's 1251 text
  const std::string expected = dir.file(kProjects1251 + "/setup.ini");
  EXPECT_EQ(files::hostPath(folder + "\\setup.ini"), expected);
  EXPECT_EQ(files::targetHostPath(folder + "\\setup.ini"), expected);
  EXPECT_TRUE(files::fileExists(folder + "\\SETUP.INI"));

  // Letter case is not matched for a save, nor is a UTF-8 name that only decodes alike.
  const std::string upper = dir.path() + "\\" + text::upperCase(kProjects1251) + "\\setup.ini";
  EXPECT_EQ(files::targetHostPath(upper),
            dir.file(text::toUtf8(text::upperCase(kProjects1251)) + "/setup.ini"));
  EXPECT_EQ(files::targetHostPath(dir.path() + "\\?\\x.ini"), dir.file("?/x.ini"));

  ASSERT_TRUE(files::replaceFile(files::targetHostPath(folder + "\\setup.ini"), "new").ok());
  const std::string backup = files::targetHostPath(folder + "\\setup.ini.bak");
  ASSERT_TRUE(files::copyFile(expected, backup, {.followLinks = false}).ok());
  EXPECT_EQ(dir.read(kProjects1251 + "/setup.ini"), "new");
  EXPECT_EQ(dir.read(kProjects1251 + "/setup.ini.bak"), "new");
  EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{kProjects1251, "日"}));
}
#endif

}  // namespace
}  // namespace sw
