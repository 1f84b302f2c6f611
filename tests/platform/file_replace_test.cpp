// Replacing a file: what is refused, what carries over, links, and the temporary file's name.

#include "platform/file_replace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/file_io.h"
#include "platform/temporary_file.h"
#include "platform/text.h"
#include "platform/write_test_hook.h"
#include "support/file_kinds.h"
#include "support/temp_dir.h"

namespace sw::files {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using testing::namesIn;
using testing::TempDir;

bool runningAsRoot() { return ::geteuid() == 0; }

TEST(ReplaceFile, WritesTheWholeFileAndLeavesNoTemporary) {
  TempDir dir;
  const std::string target = dir.write("project.ini", "old and longer");
  ASSERT_TRUE(replaceFile(target, "new content").ok());
  EXPECT_EQ(dir.read("project.ini"), "new content");
  ASSERT_TRUE(replaceFile(dir.file("created.ini"), "").ok());
  EXPECT_EQ(dir.read("created.ini"), "");
  EXPECT_EQ(namesIn(dir.path()), (Names{"created.ini", "project.ini"}));

  const Status missingFolder = replaceFile(dir.file("no/such/p.ini"), "x");
  EXPECT_EQ(missingFolder.failure(), Failure::NotFound);
  EXPECT_EQ(missingFolder.message(), "Unable to write to " + dir.file("no/such/p.ini"));
  EXPECT_EQ(missingFolder.detail(), systemReason(ENOENT));
}

TEST(ReplaceFile, RefusesWhatIsNotARegularFileBeforeOpeningIt) {
  struct Case {
    const char* detail;
    void (*make)(const TempDir& dir, const std::string& path);
  };
  // An open for writing would block on the pipe; the link is followed to the folder.
  const Case cases[] = {
      {"it is a folder",
       [](const TempDir& dir, const std::string&) { dir.write("target/inside.txt", "keep"); }},
      {"it is a pipe", [](const TempDir&, const std::string& path) { ::mkfifo(path.c_str(), 0600); }},
      {"it is a socket", [](const TempDir&, const std::string& path) { testing::makeSocket(path); }},
      {"it is a folder",
       [](const TempDir& dir, const std::string& path) {
         dir.write("folder/inside.txt", "keep");
         fs::create_symlink("folder", path);
       }},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string target = dir.file("target");
    c.make(dir, target);
    const fs::file_type before = fs::symlink_status(target).type();
    const Names namesBefore = namesIn(dir.path());
    for (const Status& status : {replaceFile(target, "x"), checkReplaceable(target)}) {
      EXPECT_EQ(status.failure(), Failure::NotRegularFile) << c.detail;
      EXPECT_EQ(status.message(), "Unable to write to " + target);
      EXPECT_EQ(status.detail(), c.detail);
    }
    EXPECT_EQ(fs::symlink_status(target).type(), before) << c.detail;
    EXPECT_EQ(namesIn(dir.path()), namesBefore) << c.detail;
  }
}

TEST(ReplaceFile, RefusesAReadOnlyFileAlsoForTheSuperuser) {
  struct Case {
    mode_t mode;
    bool refusedForRoot;  // no write bit at all, as the read-only attribute
  };
  const Case cases[] = {{0444, true}, {0000, true}, {0044, true}, {0466, false}};
  for (const Case& c : cases) {
    TempDir dir;
    const std::string target = dir.write("setup.ini", "old");
    ASSERT_EQ(::chmod(target.c_str(), c.mode), 0);
    const Status status = replaceFile(target, "new");
    ::chmod(target.c_str(), 0600);
    if (runningAsRoot() && !c.refusedForRoot) {
      EXPECT_TRUE(status.ok()) << status.text();
      continue;
    }
    EXPECT_EQ(status.failure(), Failure::ReadOnly) << std::oct << c.mode;
    EXPECT_EQ(status.text(), "Unable to write to " + target + ": the file is read-only");
    EXPECT_EQ(dir.read("setup.ini"), "old");
    EXPECT_EQ(namesIn(dir.path()), Names{"setup.ini"});
  }
}

TEST(ReplaceFile, KeepsPermissionsAndOwnerAndANewFileGetsTheUmasksPermissions) {
  TempDir dir;
  const std::string target = dir.write("setup.ini", "old");
  for (mode_t mode : {0600, 0640, 0604, 0664, 0200}) {
    ASSERT_EQ(::chmod(target.c_str(), mode), 0);
    ASSERT_TRUE(replaceFile(target, "new").ok());
    EXPECT_EQ(testing::ownershipOf(target).mode, mode) << std::oct << mode;
  }
  if (runningAsRoot()) {
    ASSERT_EQ(::chown(target.c_str(), 4242, 4343), 0);
    ASSERT_TRUE(replaceFile(target, "new").ok());
    EXPECT_EQ(testing::ownershipOf(target).owner, 4242u);
    EXPECT_EQ(testing::ownershipOf(target).group, 4343u);
  }

  for (mode_t mask : {022, 027, 077, 0}) {
    const std::string created = dir.file("new" + std::to_string(mask) + ".ini");
    const mode_t saved = ::umask(mask);
    const Status status = replaceFile(created, "x");
    ::umask(saved);
    ASSERT_TRUE(status.ok()) << status.text();
    EXPECT_EQ(testing::ownershipOf(created).mode, 0666 & ~mask) << std::oct << mask;
  }
}

TEST(ReplaceFile, FollowsLinksToTheRealFileAndKeepsThem) {
  struct Case {
    std::vector<std::pair<std::string, std::string>> links;  // link -> what it says
    std::string real;
    bool realExists = true;
  };
  const Case cases[] = {
      {{{"setup.ini", "real/setup.ini"}}, "real/setup.ini"},
      {{{"sub/setup.ini", "../real/setup.ini"}}, "real/setup.ini"},
      {{{"setup.ini", "hop.ini"}, {"hop.ini", "real/setup.ini"}}, "real/setup.ini"},
      {{{"setup.ini", "real/fresh.ini"}}, "real/fresh.ini", false},
  };
  for (const Case& c : cases) {
    TempDir dir;
    if (c.realExists) dir.write(c.real, "old");
    fs::create_directories(dir.file("real"));
    for (const auto& [link, destination] : c.links) {
      fs::create_directories(fs::path(dir.file(link)).parent_path());
      fs::create_symlink(destination, dir.file(link));
    }
    const std::string link = dir.file(c.links.front().first);
    ASSERT_TRUE(replaceFile(link, "new").ok()) << c.real;
    EXPECT_EQ(dir.read(c.real), "new");
    for (const auto& [name, destination] : c.links) EXPECT_EQ(fs::read_symlink(dir.file(name)), destination);
    EXPECT_EQ(namesIn(dir.file("real")), Names{fs::path(c.real).filename().string()});
  }

  TempDir loop;
  fs::create_symlink("b", loop.file("a"));
  fs::create_symlink("a", loop.file("b"));
  EXPECT_EQ(replaceFile(loop.file("a"), "x").detail(), systemReason(ELOOP));
  EXPECT_EQ(namesIn(loop.path()), (Names{"a", "b"}));
}

TEST(ReplaceFile, ALinkNotFollowedIsReplacedAndWhatItNamedStays) {
  using Make = void (*)(const TempDir&);
  const Make destinations[] = {
      [](const TempDir& dir) { dir.write("real", "project"); },
      [](const TempDir& dir) { ::mkfifo(dir.file("real").c_str(), 0600); },
      [](const TempDir& dir) { dir.write("real/inside.txt", "keep"); },
  };
  for (Make make : destinations) {
    TempDir dir;
    make(dir);
    const fs::file_type before = fs::status(dir.file("real")).type();
    fs::create_symlink("real", dir.file("setup.ini.bak"));
    ASSERT_TRUE(replaceFile(dir.file("setup.ini.bak"), "backup", {.followLinks = false}).ok());
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir.file("setup.ini.bak"))));
    EXPECT_EQ(dir.read("setup.ini.bak"), "backup");
    EXPECT_EQ(fs::status(dir.file("real")).type(), before);
    if (before == fs::file_type::regular) {
      EXPECT_EQ(dir.read("real"), "project");
    }
    EXPECT_EQ(namesIn(dir.path()), (Names{"real", "setup.ini.bak"}));
  }
}

TEST(ReplaceFile, AFailedCheckKeepsTheOldFile) {
  TempDir dir;
  const std::string target = dir.write("setup.ini", "old");
  std::string checked;
  ReplaceOptions options;
  options.verify = [&checked](const std::string& temporary) {
    checked = readFile(temporary).value();
    return Status::failed(Failure::Refused, "Refused", "two groups would merge");
  };
  const Status status = replaceFile(target, "new bytes", options);
  EXPECT_EQ(checked, "new bytes");
  EXPECT_EQ(status.text(), "Refused: two groups would merge");
  EXPECT_EQ(dir.read("setup.ini"), "old");
  EXPECT_EQ(namesIn(dir.path()), Names{"setup.ini"});
}

TEST(ReplaceFile, LongNamesSaveWithATemporaryNameWithinTheLimit) {
  // 255 bytes whose 242 bytes of room end inside a character.
  std::string cyrillic = "x";
  for (int i = 0; i < 127; ++i) cyrillic += "я";
  const std::string names[] = {std::string(238, 'a'), std::string(239, 'b'), std::string(255, 'c'), cyrillic,
                               std::string(255, '\xFF')};
  for (const std::string& name : names) {
    TempDir dir;
    const std::string target = dir.write(name, "old");
    Names during;
    test_hook::ScopedWriteHooks hooks;
    test_hook::runAtWriteStep(test_hook::WriteStep::Flush, [&] { during = namesIn(dir.path()); });
    ASSERT_TRUE(replaceFile(target, "new").ok()) << name.size();
    EXPECT_EQ(dir.read(name), "new");
    EXPECT_EQ(namesIn(dir.path()), Names{name});

    ASSERT_EQ(during.size(), 2u);
    const std::string& temporary = during[0] == name ? during[1] : during[0];
    EXPECT_LE(temporary.size(), 255u);
    ASSERT_TRUE(temporary.ends_with(".tmp")) << temporary;
    const std::string kept = temporary.substr(0, temporary.size() - std::string(".12345678.tmp").size());
    EXPECT_GT(kept.size(), 200u);
    EXPECT_TRUE(name.starts_with(kept));
    if (name == cyrillic) {
      EXPECT_EQ(kept.size(), 241u);
      EXPECT_EQ(text::toUtf8(text::fromUtf8(kept)), kept) << "cut inside a character";
    }
  }
}

TEST(TemporaryName, CutsTheTargetsNameAtACharacterBoundary) {
  struct Case {
    std::string target;
    std::size_t limit;
    std::string expected;
  };
  const Case cases[] = {
      {"setup.ini", 255, "setup.ini.r1.tmp"},
      {"setup.ini", 12, "setup.r1.tmp"},
      {"яяя", 12, "яя.r1.tmp"},  // 5 bytes of room: two characters, not two and a half
      {"\xFF\xFF\xFF", 9, "\xFF\xFF.r1.tmp"},
      {"я", 8, ".r1.tmp"},
  };
  for (const Case& c : cases) EXPECT_EQ(temporaryName(c.target, "r1", c.limit), c.expected) << c.limit;
}

}  // namespace
}  // namespace sw::files
