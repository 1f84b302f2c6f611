#include "model/project_document.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/project_writer.h"
#include "platform/text.h"
#include "support/icon_fixtures.h"
#include "support/project_text.h"
#include "support/temp_dir.h"

namespace sw {
namespace {

using testing::ProjectText;
using testing::TempDir;

std::string TwoPrograms() {
  return ProjectText()
      .key("Autor", "Loaded")
      .section("SoftwareGroup")
      .key("G", "")
      .program(3, "G", "Three")
      .program(1, "G", "One")
      .bytes();
}

TEST(ProjectDocument, StartsAsTheEditorsWindowDoes) {
  ProjectDocument document;
  EXPECT_TRUE(document.project().EditorMode);
  EXPECT_EQ(document.smallPictures().count(), kBuiltinSmallPictures);
  EXPECT_EQ(document.largePictures().count(), kBuiltinLargePictures);
  EXPECT_EQ(document.project().SmallProgramImages, &document.smallPictures());
  EXPECT_EQ(document.project().LargeProgramImages, &document.largePictures());
  EXPECT_FALSE(document.isOpen());
  EXPECT_EQ(document.fileName(), "");
}

// A name typed without a folder lives in the root folder, for opening and saving alike.
TEST(ProjectDocument, OpensAndSavesNamesRelativeToTheRootFolder) {
  TempDir dir;
  dir.write("setup.ini", TwoPrograms());
  ProjectDocument document;
  ASSERT_TRUE(document.open("setup.ini", dir.path()).ok());
  EXPECT_TRUE(document.isOpen());
  EXPECT_EQ(document.fileName(), "setup.ini");
  EXPECT_EQ(document.filePath(), dir.file("setup.ini"));
  EXPECT_EQ(document.project().Settings.Autor, "Loaded");

  ASSERT_TRUE(document.save("copy.ini").ok());
  EXPECT_EQ(document.fileName(), "copy.ini");
  EXPECT_EQ(dir.read("copy.ini"), ProjectFileText(document.project()));
  EXPECT_EQ(document.project().Groups[0]->Items[0]->Number, 0);  // renumbered by the save
}

// A failed load leaves no project open; a failed save keeps the name the document had.
TEST(ProjectDocument, FailuresChangeNoName) {
  TempDir dir;
  dir.write("setup.ini", TwoPrograms());
  ProjectDocument document;
  ASSERT_TRUE(document.open(dir.file("setup.ini"), dir.path()).ok());
  const Status missing = document.open(dir.file("missing.ini"), dir.path());
  EXPECT_EQ(missing.failure(), Failure::NotFound);
  EXPECT_FALSE(document.isOpen());
  EXPECT_TRUE(document.project().Groups.empty());

  ASSERT_TRUE(document.open(dir.file("setup.ini"), dir.path()).ok());
  const Status refused = document.save(dir.file("no/such/folder/setup.ini"));
  EXPECT_FALSE(refused.ok());
  EXPECT_EQ(refused.message(), "Unable to write to " + dir.file("no/such/folder/setup.ini"));
  EXPECT_FALSE(refused.detail().empty());
  EXPECT_EQ(document.fileName(), dir.file("setup.ini"));
}

// "Создать новый проект" in the same run keeps the earlier project's settings, drops its
// groups and dates the project today.
TEST(ProjectDocument, NewProjectKeepsSettingsAndDropsGroups) {
  TempDir dir;
  dir.write("setup.ini", TwoPrograms());
  ProjectDocument document;
  ASSERT_TRUE(document.open(dir.file("setup.ini"), dir.path()).ok());
  document.createNew("new.ini", dir.path());
  EXPECT_TRUE(document.isOpen());
  EXPECT_TRUE(document.project().Groups.empty());
  EXPECT_EQ(document.project().Settings.Autor, "Loaded");
  EXPECT_EQ(document.project().Settings.Date, TodayShortDate());
  ASSERT_TRUE(document.save("new.ini").ok());

  // What it wrote, it opens again: a project without groups.
  ProjectDocument again;
  ASSERT_TRUE(again.open("new.ini", dir.path()).ok());
  EXPECT_TRUE(again.project().Groups.empty());
  EXPECT_EQ(again.project().Settings.Autor, "Loaded");
}

// Small pictures are drawn on the document's colour, the program tree's background.
TEST(ProjectDocument, SmallPicturesAreDrawnOnItsBackgroundColour) {
  TempDir dir;
  QImage picture = testing::solidPicture(16, 16, qRgb(255, 0, 0));
  picture.setPixel(5, 5, qRgba(0, 0, 255, 128));
  dir.write("half.ico", testing::makeIco({testing::dibImage(picture, 32)}));
  dir.write("setup.ini", ProjectText()
                             .section("SoftwareGroup")
                             .key("G", "")
                             .program(0, "G", "P")
                             .key("IconFile", "%ROOT%\\half.ico")
                             .bytes());
  ProjectDocument document;
  document.setIconBackgroundColor(qRgb(0, 128, 0));
  ASSERT_TRUE(document.open("setup.ini", dir.path()).ok());
  const QImage small = document.smallPictures().at(document.project().Groups[0]->Items[0]->SmallImage);
  const QRgb blended = small.pixel(5, 7);  // two rows down in its 16 x 20 cell
  EXPECT_GT(qGreen(blended), 40);
  EXPECT_GT(qBlue(blended), 100);
  EXPECT_EQ(small.pixel(0, 2), qRgb(255, 0, 0));
  EXPECT_EQ(qAlpha(small.pixel(0, 0)), 0);  // the background itself is transparent
}

}  // namespace
}  // namespace sw
