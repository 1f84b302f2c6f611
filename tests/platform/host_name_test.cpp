// Names on disk that are not UTF-8.

#include <gtest/gtest.h>

#include <string>

#include "platform/file_io.h"
#include "platform/text.h"

namespace sw {
namespace {

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

}  // namespace
}  // namespace sw
