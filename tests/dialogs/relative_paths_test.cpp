#include "dialogs/relative_paths.h"

#include <gtest/gtest.h>

#include "platform/environment.h"
#include "platform/text.h"

namespace sw {
namespace {

TEST(RelativeToFolder, WalksUpAndDownWithoutRegardToCase) {
  const struct {
    const char* base;
    const char* destination;
    const char* relative;
  } cases[] = {
      {"C:\\Proj\\", "C:\\Proj\\bin\\setup.exe", "bin\\setup.exe"},
      {"C:\\Proj\\Soft\\App\\", "C:\\Proj\\Soft\\App\\setup.exe", "setup.exe"},
      {"C:\\Proj\\Soft\\App\\", "C:\\Proj\\Other\\x.exe", "..\\..\\Other\\x.exe"},
      {"C:\\PROJ\\", "c:\\proj\\bin\\x.exe", "bin\\x.exe"},
      {"C:\\Proj\\", "D:\\Tools\\x.exe", "D:\\Tools\\x.exe"},                           // another drive
      {"\\\\srv\\share\\a\\", "\\\\SRV\\Share\\a\\b\\c.txt", "b\\c.txt"},               // one network share
      {"\\\\srv\\share\\a\\", "\\\\srv\\other\\a\\c.txt", "\\\\srv\\other\\a\\c.txt"},  // another share
      {"C:\\Proj\\", "C:\\Proj", "..\\Proj"},  // the base folder itself, chosen as a folder
      {"/media/disc\\Soft\\", "/media/disc/Soft/Office/setup.exe", "Office\\setup.exe"},
      {"/media/Disc/", "/media/disc/readme.txt", "readme.txt"},
      {"/media/disc/", "/home/me/x.reg", "..\\..\\home\\me\\x.reg"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RelativeToFolder(c.base, c.destination), c.relative) << c.base << " " << c.destination;
  }
  // Cyrillic folder names fold as the runtime's system folds them.
  EXPECT_EQ(RelativeToFolder(text::fromUtf8("D:\\Программы\\"), text::fromUtf8("d:\\ПРОГРАММЫ\\офис.exe")),
            text::fromUtf8("офис.exe"));
}

TEST(PickBaseFolder, ValueItemFolderOrRoot) {
  env::setVariable("SW_PICK_TOOLS", "D:\\Tools");
  const struct {
    const char* item;
    const char* value;
    const char* folder;
    bool relative;
  } cases[] = {
      {"", "", "C:\\Proj\\", true},
      {"Soft\\App", "setup.exe", "C:\\Proj\\Soft\\App\\", true},
      {"D:\\Apps", "x.exe", "D:\\Apps\\", true},
      {"Soft", "D:\\Tools\\run.exe -q", "D:\\Tools\\", false},
      {"", "D:\\run.exe", "D:\\", false},  // a drive root keeps one separator
      {"", "D:\\Tools\\run.exe /log=C:\\x\\y.txt", "D:\\Tools\\run.exe /log=C:\\x\\", false},
      {"", "%SW_PICK_TOOLS%\\run.exe", "D:\\Tools\\", false},    // expanded, then absolute
      {"", "\"C:\\Program Files\\x.exe\"", "C:\\Proj\\", true},  // a quote: relative
      {"", "/opt/tools/run.sh", "/opt/tools/", false},
  };
  for (const auto& c : cases) {
    const PickBase base = PickBaseFolder("C:\\Proj", c.item, c.value);
    EXPECT_EQ(base.folder, c.folder) << c.value;
    EXPECT_EQ(base.relative, c.relative) << c.value;
  }
}

}  // namespace
}  // namespace sw
