#include "platform/profile_writer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <vector>

#include "platform/profile_reader.h"
#include "platform/write_test_hook.h"
#include "support/file_kinds.h"
#include "support/temp_dir.h"

namespace sw {
namespace {

namespace fs = std::filesystem;

const std::string kSettings =
    "; editor settings\r\n"
    "[Projects]\r\n"
    "  Last = old.ini  \r\n"
    "Count=2\r\n"
    "\r\n"
    "[Interface]\r\n"
    "Left=10\n"  // a foreign line end stays as it is
    "\r\n"
    "\r\n";

TEST(ProfileWriter, ReplacesAnExistingKeyInPlace) {
  testing::TempDir dir;
  const std::string path = dir.write("s.ini", kSettings);
  ASSERT_TRUE(writeProfileString(path, "PROJECTS", "last", "new.ini").ok());
  EXPECT_EQ(
      dir.read("s.ini"),
      "; editor settings\r\n[Projects]\r\nLast=new.ini\r\nCount=2\r\n\r\n[Interface]\r\nLeft=10\n\r\n\r\n");
  // A line without '=' is what a lookup of its text finds, so it is the one written.
  const std::string shadow = dir.write("shadow.ini", "[S]\nflag\nflag=1\n");
  ASSERT_TRUE(writeProfileString(shadow, "S", "FLAG", "2").ok());
  EXPECT_EQ(dir.read("shadow.ini"), "[S]\nflag=2\nflag=1\n");
  EXPECT_EQ(ProfileFile::read(shadow)->readString("S", "flag", ""), "2");
}

// Several keys at once give the file that writing them one by one gives.
TEST(ProfileWriter, SeveralKeysAtOnceAsOneByOne) {
  testing::TempDir dir;
  const std::vector<ProfileEntry> entries{
      {"Projects", "Last", "a.ini"}, {"Interface", "Top", "5"},       {"New", "Key", "v"},
      {"Interface", "Left", "7"},    {"Projects", "Extra", "x\r\ny"}, {"New", "Key", "w"}};
  const std::string together = dir.write("together.ini", kSettings);
  const std::string oneByOne = dir.write("one-by-one.ini", kSettings);
  ASSERT_TRUE(writeProfileStrings(together, entries, false).ok());
  for (const ProfileEntry& entry : entries)
    ASSERT_TRUE(writeProfileString(oneByOne, entry.section, entry.key, entry.value).ok());
  EXPECT_EQ(dir.read("together.ini"), dir.read("one-by-one.ini"));
}

TEST(ProfileWriter, AppendsKeyAtTheEndOfItsSection) {
  testing::TempDir dir;
  const std::string path = dir.write("s.ini", kSettings);
  ASSERT_TRUE(writeProfileString(path, "Projects", "Open", "1").ok());
  ASSERT_TRUE(writeProfileString(path, "Interface", "Top", "20").ok());
  EXPECT_EQ(dir.read("s.ini"),
            "; editor settings\r\n[Projects]\r\n  Last = old.ini  \r\nCount=2\r\nOpen=1\r\n\r\n"
            "[Interface]\r\nLeft=10\nTop=20\r\n\r\n\r\n");
  // Only the first section of a name is read, so only it is written to.
  const std::string twice = dir.write("twice.ini", "[A]\r\n[B]\r\n[A]\r\nx=1\r\n");
  ASSERT_TRUE(writeProfileString(twice, "a", "y", "2").ok());
  EXPECT_EQ(dir.read("twice.ini"), "[A]\r\ny=2\r\n[B]\r\n[A]\r\nx=1\r\n");
}

TEST(ProfileWriter, AppendsSectionAtTheEndAndCreatesTheFile) {
  testing::TempDir dir;
  const std::string path = dir.write("s.ini", "[A]\r\nx=1");  // no final line end
  ASSERT_TRUE(writeProfileString(path, "B", "y", "2").ok());
  EXPECT_EQ(dir.read("s.ini"), "[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
  ASSERT_TRUE(writeProfileString(path, "A", "z", "3").ok());
  EXPECT_EQ(dir.read("s.ini"), "[A]\r\nx=1\r\nz=3\r\n[B]\r\ny=2\r\n");

  const std::string created = dir.file("new.ini");
  ASSERT_TRUE(writeProfileString(created, "Projects", "Last", "\xCF\xF0\xEE\xE5\xEA\xF2.ini").ok());
  EXPECT_EQ(dir.read("new.ini"), "[Projects]\r\nLast=\xCF\xF0\xEE\xE5\xEA\xF2.ini\r\n");
}

TEST(ProfileWriter, LineBreaksInAValueCannotAddLines) {
  testing::TempDir dir;
  const std::string path = dir.file("s.ini");
  ASSERT_TRUE(writeProfileString(path, "S", "k", "one\r\n[Evil]\nx=1\rtwo").ok());
  EXPECT_EQ(dir.read("s.ini"), "[S]\r\nk=one [Evil] x=1 two\r\n");
}

TEST(ProfileWriter, Utf8FileStaysUtf8) {
  testing::TempDir dir;
  const std::string path = dir.write("u.ini", "\xEF\xBB\xBF[\xD0\x9F]\r\nk=1\r\n");  // [П]
  ASSERT_TRUE(writeProfileString(path, "\xEF", "k", "\xE4").ok());                   // п, д in 1251
  EXPECT_EQ(dir.read("u.ini"), "\xEF\xBB\xBF[\xD0\x9F]\r\nk=\xD0\xB4\r\n");
}

TEST(ProfileWriter, FailuresAreReportedAndChangeNothing) {
  testing::TempDir dir;
  const Status missingFolder = writeProfileString(dir.file("no/such/folder/s.ini"), "S", "k", "v");
  EXPECT_EQ(missingFolder.message(), "Unable to write to " + dir.file("no/such/folder/s.ini"));
  EXPECT_EQ(missingFolder.detail(), systemReason(ENOENT));
  EXPECT_FALSE(fs::exists(dir.file("no")));
  EXPECT_EQ(writeProfileString(dir.path(), "S", "k", "v").failure(), Failure::NotRegularFile);

  const std::string utf16 = dir.write("w.ini", std::string("\xFF\xFE[\0S\0]\0", 8));
  EXPECT_EQ(writeProfileString(utf16, "S", "k", "v").detail(), "UTF-16 files are not written");
  EXPECT_EQ(dir.read("w.ini").size(), 8u);

  const std::string readOnly = dir.write("ro.ini", "[S]\r\nk=old\r\n");
  fs::permissions(readOnly, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_EQ(writeProfileString(readOnly, "S", "k", "new").failure(), Failure::ReadOnly);
  EXPECT_EQ(dir.read("ro.ini"), "[S]\r\nk=old\r\n");

  // A folder the process may not write into, also when it runs as root.
  const std::string inLocked = dir.write("locked/s.ini", "[S]\r\nk=old\r\n");
  files::test_hook::ScopedWriteHooks hooks;
  files::test_hook::failWriteStep(files::test_hook::WriteStep::Open, EACCES);
  EXPECT_EQ(writeProfileString(inLocked, "S", "k", "new").detail(), systemReason(EACCES));
  EXPECT_EQ(writeProfileString(dir.file("locked/other.ini"), "S", "k", "new").detail(), systemReason(EACCES));
  EXPECT_EQ(dir.read("locked/s.ini"), "[S]\r\nk=old\r\n");
  EXPECT_EQ(testing::namesIn(dir.file("locked")), std::vector<std::string>{"s.ini"});
}

TEST(ProfileWriter, WritesThroughALinkAndKeepsPermissions) {
  testing::TempDir dir;
  const std::string real = dir.write("config/s.ini", "[S]\r\nk=old\r\n");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink("config/s.ini", dir.file("s.ini"));
  ASSERT_TRUE(writeProfileString(dir.file("s.ini"), "S", "k", "new").ok());
  EXPECT_TRUE(fs::is_symlink(dir.file("s.ini")));
  EXPECT_EQ(dir.read("config/s.ini"), "[S]\r\nk=new\r\n");
  EXPECT_EQ(fs::status(real).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

}  // namespace
}  // namespace sw
