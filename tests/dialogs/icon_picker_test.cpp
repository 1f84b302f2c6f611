#include "dialogs/icon_picker.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <utility>

#include "dialogs/dialog_runner.h"
#include "dialogs/icon_picker_dialog.h"
#include "dialogs/icon_picker_state.h"
#include "model/project.h"
#include "platform/text.h"
#include "support/icon_fixtures.h"
#include "support/temp_dir.h"
#include "support/widget_lookup.h"

namespace sw {
namespace {

using testing::child;

using dialogs::ScopedDialogRunner;
using dialogs::TPicIconDlgFm;

// What the picker showed when it opened.
struct Opened {
  bool libraryChecked = false;
  bool libraryEnabled = false;
  bool fileControlsEnabled = false;
  QString shownFile;
  int icons = -1;
  int selectedRow = -1;
  bool okEnabled = false;
};

Opened look(const TPicIconDlgFm& picker) {
  Opened opened;
  const auto* library = child<QRadioButton>(picker, "IconLibFileRb");
  const auto* list = child<QListWidget>(picker, "IconPiclist");
  opened.libraryChecked = library->isChecked();
  opened.libraryEnabled = library->isEnabled();
  opened.fileControlsEnabled = child<QLineEdit>(picker, "IconFileEd")->isEnabled() &&
                               child<QPushButton>(picker, "BrowseBt")->isEnabled();
  opened.shownFile = child<QLineEdit>(picker, "IconFileEd")->text();
  opened.icons = list->count();
  const QList<QListWidgetItem*> selected = list->selectedItems();
  opened.selectedRow = selected.isEmpty() ? -1 : list->row(selected.first());
  opened.okEnabled = child<QPushButton>(picker, "OkBt")->isEnabled();
  return opened;
}

// Runs every dialog the picker opens: the picker itself through `onPicker`, the open dialog by
// choosing `browseTo` (cancelling when empty), and message boxes by recording their text.
struct Driver {
  explicit Driver(std::function<int(TPicIconDlgFm&)> picker) : onPicker(std::move(picker)) {}

  std::function<int(TPicIconDlgFm&)> onPicker;
  QString browseTo;
  QStringList messages;

  ScopedDialogRunner install() {
    return ScopedDialogRunner([this](QDialog& dialog) {
      if (auto* picker = qobject_cast<TPicIconDlgFm*>(&dialog)) return onPicker(*picker);
      if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        messages << box->windowTitle() + QStringLiteral(" | ") + box->text() +
                        (box->icon() == QMessageBox::Warning ? QStringLiteral(" | warning") : QString());
        return static_cast<int>(QMessageBox::Ok);
      }
      auto* files = qobject_cast<QFileDialog*>(&dialog);
      EXPECT_NE(files, nullptr);
      if (files == nullptr || browseTo.isEmpty()) return static_cast<int>(QDialog::Rejected);
      EXPECT_EQ(files->objectName(), QStringLiteral("OpenIconFileDlg"));
      EXPECT_EQ(files->windowTitle(), QStringLiteral(u"Смена значка"));
      files->selectFile(browseTo);
      dialog.accept();  // QFileDialog's own accept, which checks the name
      return dialog.result();
    });
  }
};

class IconPicker : public ::testing::Test {
 protected:
  IconPicker() {
    dir_.write("Project/Icons/Library.dll", testing::makeIconLibraryDll(6));
    dir_.write("Project/three.dll", testing::makeIconLibraryDll(3));
    dir_.write("Project/readme.txt", "no icons here");
    project_.ProjectRootFolder = text::fromUtf8(dir_.file("Project"));
    project_.Settings.CommonIconLib = "Icons\\Library.dll";
  }
  std::string file(const char* relative) const { return text::fromUtf8(dir_.file(relative)); }
  std::string library() const { return project_.ProjectRootFolder + "\\Icons\\Library.dll"; }

  testing::TempDir dir_;
  Project project_;
};

TEST_F(IconPicker, DefaultIsTheProjectLibraryOrTheSystemShell) {
  EXPECT_EQ(DefaultIconFile(project_), library());
  EXPECT_EQ(dialogs::iconPickerState().libraryPath, library());

  project_.Settings.CommonIconLib = file("Project/Icons/Library.dll");  // absolute: taken as it is
  EXPECT_EQ(DefaultIconFile(project_), file("Project/Icons/Library.dll"));

  project_.Settings.CommonIconLib = "Icons\\Missing.dll";
  EXPECT_EQ(DefaultIconFile(project_), "C:\\Windows\\System32\\SHELL32.DLL");
  EXPECT_EQ(dialogs::iconPickerState().libraryPath, "");
}

// An empty icon file opens on the library; confirming keeps the file empty and gives the index.
TEST_F(IconPicker, EmptyFileStartsOnTheLibrary) {
  Opened opened;
  Driver driver([&](TPicIconDlgFm& picker) {
    opened = look(picker);
    auto* list = child<QListWidget>(picker, "IconPiclist");
    list->setCurrentRow(4);
    child<QPushButton>(picker, "OkBt")->click();
    return picker.result();
  });
  auto runner = driver.install();
  std::string iconFile;
  int index = 2;
  ASSERT_TRUE(PickIcon(nullptr, project_, iconFile, index));
  EXPECT_TRUE(opened.libraryChecked);
  EXPECT_TRUE(opened.libraryEnabled);
  EXPECT_FALSE(opened.fileControlsEnabled);
  EXPECT_EQ(opened.icons, 6);
  EXPECT_EQ(opened.selectedRow, 2);
  EXPECT_EQ(iconFile, "");
  EXPECT_EQ(index, 4);
}

// Without a library the picker starts on the system shell (missing here): an empty list, the
// file controls on, and OK only once an icon is selected; cancelling changes nothing.
TEST_F(IconPicker, MissingLibraryStartsOnTheShellWithNothingToConfirm) {
  project_.Settings.CommonIconLib = "";
  Opened opened;
  bool doubleClickClosed = true;
  Driver driver([&](TPicIconDlgFm& picker) {
    opened = look(picker);
    picker.IconPiclistDblClick();  // on empty space, nothing selected
    doubleClickClosed = picker.result() == QDialog::Accepted;
    return static_cast<int>(QDialog::Rejected);
  });
  auto runner = driver.install();
  std::string iconFile;
  int index = 0;
  EXPECT_FALSE(PickIcon(nullptr, project_, iconFile, index));
  EXPECT_FALSE(opened.libraryChecked);
  EXPECT_FALSE(opened.libraryEnabled);
  EXPECT_TRUE(opened.fileControlsEnabled);
  EXPECT_EQ(opened.shownFile, QStringLiteral("C:\\Windows\\System32\\SHELL32.DLL"));
  EXPECT_EQ(opened.icons, 0);
  EXPECT_FALSE(opened.okEnabled);
  EXPECT_FALSE(doubleClickClosed);
  EXPECT_EQ(iconFile, "");
  EXPECT_EQ(index, 0);
}

// A file of its own shows its icons with "any file" checked; the radio buttons switch the list
// between the library and that file, and OK returns what the list shows. An index beyond the
// last icon selects nothing.
TEST_F(IconPicker, OwnFileAndTheRadioButtonsShowWhatOkReturns) {
  Opened opened;
  int libraryIcons = -1;
  int backToFile = -1;
  Driver driver([&](TPicIconDlgFm& picker) {
    opened = look(picker);
    picker.show();
    auto* list = child<QListWidget>(picker, "IconPiclist");
    child<QRadioButton>(picker, "IconLibFileRb")->click();
    libraryIcons = list->count();
    child<QRadioButton>(picker, "AnyIconFileRb")->click();
    backToFile = list->count();
    list->setCurrentRow(1);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    return picker.result();
  });
  auto runner = driver.install();
  std::string iconFile = file("Project/three.dll");
  int index = 7;
  ASSERT_TRUE(PickIcon(nullptr, project_, iconFile, index));
  EXPECT_FALSE(opened.libraryChecked);
  EXPECT_TRUE(opened.libraryEnabled);
  EXPECT_TRUE(opened.fileControlsEnabled);
  EXPECT_EQ(opened.icons, 3);
  EXPECT_EQ(opened.selectedRow, -1);
  EXPECT_FALSE(opened.okEnabled);
  EXPECT_EQ(libraryIcons, 6);
  EXPECT_EQ(backToFile, 3);
  EXPECT_EQ(iconFile, file("Project/three.dll"));
  EXPECT_EQ(index, 1);
}

// The library is recognised whatever its letter case and separators: as the incoming file and
// as the file browsed to. It is stored as an empty file name.
TEST_F(IconPicker, TheLibraryByAnyNameIsStoredEmpty) {
  std::string spelled = library();
  for (char& c : spelled) c = c == '\\' ? '/' : c;
  spelled.replace(spelled.size() - 11, 11, "LIBRARY.DLL");
  Opened opened;
  Driver confirm([&](TPicIconDlgFm& picker) {
    opened = look(picker);
    child<QListWidget>(picker, "IconPiclist")->setCurrentRow(0);
    picker.OkBtClick();
    return picker.result();
  });
  {
    auto runner = confirm.install();
    std::string iconFile = spelled;
    int index = 3;
    ASSERT_TRUE(PickIcon(nullptr, project_, iconFile, index));
    EXPECT_TRUE(opened.libraryChecked);
    EXPECT_EQ(iconFile, "");
    EXPECT_EQ(index, 0);
  }
  Driver browse([&](TPicIconDlgFm& picker) {
    child<QPushButton>(picker, "BrowseBt")->click();
    opened = look(picker);
    child<QListWidget>(picker, "IconPiclist")->setCurrentRow(5);
    picker.OkBtClick();
    return picker.result();
  });
  browse.browseTo = QString::fromStdString(dir_.file("Project/Icons/Library.dll"));
  auto runner = browse.install();
  std::string iconFile = file("Project/three.dll");
  int index = 0;
  ASSERT_TRUE(PickIcon(nullptr, project_, iconFile, index));
  EXPECT_EQ(opened.icons, 6);
  EXPECT_EQ(opened.shownFile, browse.browseTo);
  EXPECT_EQ(iconFile, "");
  EXPECT_EQ(index, 5);
}

// Browsing to a file without icons warns and keeps the file and the list as they were.
TEST_F(IconPicker, FileWithoutIconsWarnsAndChangesNothing) {
  Opened before;
  Opened after;
  Driver driver([&](TPicIconDlgFm& picker) {
    before = look(picker);
    child<QPushButton>(picker, "BrowseBt")->click();
    after = look(picker);
    child<QListWidget>(picker, "IconPiclist")->setCurrentRow(2);
    picker.OkBtClick();
    return picker.result();
  });
  driver.browseTo = QString::fromStdString(dir_.file("Project/readme.txt"));
  auto runner = driver.install();
  std::string iconFile = file("Project/three.dll");
  int index = 0;
  ASSERT_TRUE(PickIcon(nullptr, project_, iconFile, index));
  EXPECT_EQ(driver.messages,
            QStringList{QStringLiteral(u"Смена значка | Этот файл не содержит значков | warning")});
  EXPECT_EQ(after.icons, before.icons);
  EXPECT_EQ(after.shownFile, before.shownFile);
  EXPECT_EQ(iconFile, file("Project/three.dll"));
  EXPECT_EQ(index, 2);
}

// A relative file is looked up as it stands, against the process's folder, not the project's.
TEST_F(IconPicker, RelativeFileIsLookedUpAsItStands) {
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir_.path())));
  int fromProcessFolder = -1;
  int fromProjectFolder = -1;
  Driver driver([&](TPicIconDlgFm& picker) {
    (fromProcessFolder < 0 ? fromProcessFolder : fromProjectFolder) = look(picker).icons;
    return static_cast<int>(QDialog::Rejected);
  });
  auto runner = driver.install();
  int index = 0;
  std::string inProcessFolder = "Project\\three.dll";
  std::string inProjectFolder = "three.dll";
  PickIcon(nullptr, project_, inProcessFolder, index);
  PickIcon(nullptr, project_, inProjectFolder, index);
  QDir::setCurrent(previous);
  EXPECT_EQ(fromProcessFolder, 3);
  EXPECT_EQ(fromProjectFolder, 0);
}

TEST_F(IconPicker, ControlsCarryTheirTexts) {
  TPicIconDlgFm picker(nullptr);
  EXPECT_EQ(picker.windowTitle(), QStringLiteral(u"Смена значка"));
  EXPECT_EQ(child<QRadioButton>(picker, "IconLibFileRb")->text(),
            QStringLiteral(u"Искать значки в общей библиотеку иконок"));
  EXPECT_EQ(child<QRadioButton>(picker, "AnyIconFileRb")->text(),
            QStringLiteral(u"Искать значки в следующем файле:"));
  EXPECT_EQ(child<QPushButton>(picker, "BrowseBt")->text(), QStringLiteral(u"Обзор"));
  EXPECT_EQ(child<QPushButton>(picker, "OkBt")->text(), QStringLiteral(u"ОК"));
  EXPECT_EQ(child<QPushButton>(picker, "CancelBt")->text(), QStringLiteral(u"Отмена"));
  const auto* list = child<QListWidget>(picker, "IconPiclist");
  EXPECT_EQ(list->viewMode(), QListView::IconMode);
  EXPECT_EQ(list->gridSize(), QSize(40, 55));
}

}  // namespace
}  // namespace sw
