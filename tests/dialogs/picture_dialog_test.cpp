#include "dialogs/picture_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QTest>
#include <QToolButton>

#include "dialogs/dialog_runner.h"
#include "dialogs/pick_routines.h"
#include "dialogs/picture_box.h"
#include "dialogs/preview_window.h"
#include "platform/text.h"
#include "support/temp_dir.h"
#include "support/wait_until.h"
#include "support/widget_lookup.h"

namespace sw::dialogs {
namespace {

using testing::child;

std::string writePicture(const testing::TempDir& dir, const char* name, int width, int height,
                         const char* format) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(qRgb(30, 120, 200));
  const std::string path = dir.file(name);
  EXPECT_TRUE(picture.save(QString::fromStdString(path), format));
  return path;
}

TEST(PictureDialog, FilterListsEveryFormat) {
  EXPECT_EQ(
      TMyOpenPictureDialog::pictureFilter(),
      QStringLiteral("All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf|"
                     "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp|"
                     "Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf"));
  TMyOpenPictureDialog dialog;
  auto* types = child<QComboBox>(dialog, "fileTypeCombo");
  EXPECT_EQ(types->itemText(0), QStringLiteral("All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)"));
  EXPECT_EQ(types->itemText(3), QStringLiteral("Bitmaps (*.bmp)"));
  EXPECT_FALSE(child<QWidget>(dialog, "CmdEdit")->isVisibleTo(&dialog));
  EXPECT_TRUE(child<QCheckBox>(dialog, "AbcCb")->isChecked());
}

// A picture shows with its size; anything else shows "Picture:" and "(None)"; the same name
// twice is not read again.
TEST(PictureDialog, PreviewFollowsTheSelection) {
  testing::TempDir dir;
  const QString bitmap = QString::fromStdString(writePicture(dir, "shot.bmp", 640, 480, "BMP"));
  const QString text = QString::fromStdString(dir.write("notes.bmp", "not a picture"));
  TMyOpenPictureDialog dialog;
  dialog.show();
  auto* label = child<QLabel>(dialog, "PictureLabel");
  auto* button = child<QToolButton>(dialog, "PreviewButton");
  auto* panel = child<TSilentPaintPanel>(dialog, "PaintPanel");
  auto* box = child<PictureBox>(dialog, "PaintBox");
  EXPECT_EQ(label->text(), QStringLiteral("Picture:"));
  EXPECT_EQ(panel->caption(), QStringLiteral("(None)"));
  EXPECT_EQ(button->toolTip(), QStringLiteral("Preview"));
  EXPECT_FALSE(button->icon().pixmap(16, 16).isNull());

  dialog.previewFile(bitmap);
  EXPECT_EQ(label->text(), QStringLiteral(" (640x480)"));
  EXPECT_TRUE(button->isEnabled());
  EXPECT_EQ(panel->caption(), QString());
  EXPECT_FALSE(box->picture().isNull());

  writePicture(dir, "shot.bmp", 20, 10, "BMP");
  dialog.previewFile(bitmap);  // the same name: not read again
  EXPECT_EQ(label->text(), QStringLiteral(" (640x480)"));

  for (const QString& nothing :
       {text, QString::fromStdString(dir.path()), QString::fromStdString(dir.file("gone.jpg"))}) {
    dialog.previewFile(nothing);
    EXPECT_EQ(label->text(), QStringLiteral("Picture:")) << nothing.toStdString();
    EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(panel->caption(), QStringLiteral("(None)"));
    EXPECT_TRUE(box->picture().isNull());
  }
}

// The file the dialog opens on is previewed, and so is each file the user selects in the list.
TEST(PictureDialog, PreviewsTheOpeningFileAndTheListSelection) {
  testing::TempDir dir;
  const QString first = QString::fromStdString(writePicture(dir, "first.bmp", 64, 48, "BMP"));
  const QString second = QString::fromStdString(writePicture(dir, "second.bmp", 32, 16, "BMP"));
  TMyOpenPictureDialog dialog;
  dialog.setDirectory(QString::fromStdString(dir.path()));
  dialog.selectFile(first);
  dialog.show();
  auto* label = child<QLabel>(dialog, "PictureLabel");
  EXPECT_TRUE(testing::waitUntil([&] { return label->text() == QStringLiteral(" (64x48)"); }));
  // As a click does: the list's current item moves.
  auto* list = child<QListView>(dialog, "listView");
  auto* files = qobject_cast<QFileSystemModel*>(list->model());
  ASSERT_NE(files, nullptr);
  ASSERT_TRUE(testing::waitUntil([&] { return files->index(second).isValid(); }));
  list->setCurrentIndex(files->index(second));
  EXPECT_TRUE(testing::waitUntil([&] { return label->text() == QStringLiteral(" (32x16)"); }));
}

TEST(PreviewWindow, ThreeQuartersOfTheMonitorAtMost) {
  EXPECT_EQ(PreviewWindow::clientSizeFor({4000, 3000}, {12, 12}, {1920, 1080}), QSize(1440, 810));
  EXPECT_EQ(PreviewWindow::clientSizeFor({100, 50}, {12, 12}, {1920, 1080}), QSize(122, 72));
}

// The preview button opens the picture at full size; Esc closes the preview, not the dialog.
TEST(PictureDialog, PreviewWindowShowsTheWholePicture) {
  testing::TempDir dir;
  const QString bitmap = QString::fromStdString(writePicture(dir, "big.bmp", 1200, 900, "BMP"));
  TMyOpenPictureDialog dialog;
  dialog.show();
  dialog.previewFile(bitmap);
  QSize shown;
  QString title;
  bool closedByEscape = false;
  ScopedDialogRunner runner([&](QDialog& window) {
    title = window.windowTitle();
    shown = child<PictureBox>(window, "Image")->picture().size();
    window.show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &escape);
    closedByEscape = !window.isVisible();
    return window.result();
  });
  child<QToolButton>(dialog, "PreviewButton")->click();
  EXPECT_EQ(title, QStringLiteral("Preview"));
  EXPECT_EQ(shown, QSize(1200, 900));
  EXPECT_TRUE(closedByEscape);
  EXPECT_TRUE(dialog.isVisible());
}

TEST(PickPictureFile, OpensInTheBaseFolderAndGivesARelativePath) {
  testing::TempDir dir;
  dir.write("Shots/readme.txt", "x");
  writePicture(dir, "Shots/Office.bmp", 16, 16, "BMP");
  QString title;
  QString folder;
  ScopedDialogRunner runner([&](QDialog& dialog) {
    auto& picture = dynamic_cast<TMyOpenPictureDialog&>(dialog);
    title = picture.windowTitle();
    folder = picture.directory().absolutePath();
    picture.selectFile(QString::fromStdString(dir.file("Shots/Office.bmp")));
    dialog.accept();
    return dialog.result();
  });
  std::string value;
  ASSERT_TRUE(PickPictureFile(nullptr, text::fromUtf8(dir.path()), "shots", value));
  EXPECT_EQ(value, "Office.bmp");
  EXPECT_EQ(title, QStringLiteral("Открыть файл изображения"));
  EXPECT_EQ(folder, QString::fromStdString(dir.file("Shots")));
}

}  // namespace
}  // namespace sw::dialogs
