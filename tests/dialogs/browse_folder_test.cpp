#include "dialogs/browse_folder_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <set>

#include "dialogs/dialog_runner.h"
#include "dialogs/pick_routines.h"
#include "platform/text.h"
#include "support/temp_dir.h"
#include "support/wait_until.h"

namespace sw::dialogs {
namespace {

using testing::TempDir;
using testing::waitUntil;

QString qPath(const std::string& hostPath) { return QString::fromStdString(hostPath); }

void makeFolder(const TempDir& dir, const char* relative) {
  ASSERT_TRUE(QDir().mkpath(qPath(dir.file(relative))));
}

QTreeView* treeOf(BrowseFolderDialog& dialog) { return dialog.findChild<QTreeView*>("FolderTree"); }
QFileSystemModel* modelOf(BrowseFolderDialog& dialog) {
  return qobject_cast<QFileSystemModel*>(treeOf(dialog)->model());
}

// The names of the rows under `parent` that the tree shows.
std::set<QString> shownNames(BrowseFolderDialog& dialog, const QModelIndex& parent) {
  std::set<QString> names;
  QFileSystemModel* model = modelOf(dialog);
  for (int row = 0; row < model->rowCount(parent); ++row) {
    if (!treeOf(dialog)->isRowHidden(row, parent))
      names.insert(model->index(row, 0, parent).data().toString());
  }
  return names;
}

bool loaded(QFileSystemModel* model, const QString& folder, int rows) {
  return model->rowCount(model->index(folder)) == rows;
}

class BrowseFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    makeFolder(dir_, "Root/Alpha");
    makeFolder(dir_, "Root/beta");
    makeFolder(dir_, "Root/CAPS/Deep/Deeper");
    dir_.write("Root/notes.txt", "a file, never shown");
    makeFolder(dir_, "Other");
    makeFolder(dir_, "other2");
  }
  QString root() const { return qPath(dir_.file("Root")); }
  TempDir dir_;
};

TEST_F(BrowseFolder, TitleIsOneLineAboveTheTree) {
  BrowseFolderDialog dialog(nullptr, QStringLiteral(u"Выбор папки программы"), root(), {}, false, true);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral(u"Обзор папок"));
  const QLabel* label = dialog.findChild<QLabel*>("FolderTitleLabel");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), QStringLiteral(u"Выбор папки программы"));
  EXPECT_FALSE(label->wordWrap());
  dialog.show();
  EXPECT_LT(label->geometry().bottom(), treeOf(dialog)->geometry().top());
}

TEST_F(BrowseFolder, RootFolderIsTheOnlyTopItemAndShowsFoldersOnly) {
  BrowseFolderDialog dialog(nullptr, {}, root(), {}, false, true);
  QFileSystemModel* model = modelOf(dialog);
  ASSERT_NE(model, nullptr);
  const QModelIndex top = treeOf(dialog)->rootIndex();
  ASSERT_TRUE(waitUntil([&] { return loaded(model, qPath(dir_.path()), 3) && loaded(model, root(), 3); }));
  EXPECT_EQ(shownNames(dialog, top), std::set<QString>{"Root"});
  EXPECT_TRUE(treeOf(dialog)->isExpanded(model->index(root())));
  EXPECT_EQ(shownNames(dialog, model->index(root())), (std::set<QString>{"Alpha", "beta", "CAPS"}));
  EXPECT_TRUE(treeOf(dialog)->isHeaderHidden());
  for (int column = 1; column < model->columnCount(); ++column)
    EXPECT_TRUE(treeOf(dialog)->isColumnHidden(column));
}

TEST_F(BrowseFolder, EmptyOrMissingRootOffersTheWholeFileSystem) {
  for (const QString& browseRoot : {QString(), qPath(dir_.file("Missing"))}) {
    SCOPED_TRACE(browseRoot.toStdString());
    BrowseFolderDialog dialog(nullptr, {}, browseRoot, {}, false, true);
    EXPECT_FALSE(treeOf(dialog)->rootIndex().isValid());
#ifndef _WIN32
    ASSERT_TRUE(waitUntil([&] { return modelOf(dialog)->rowCount({}) > 0; }));
    EXPECT_EQ(shownNames(dialog, {}), std::set<QString>{"/"});
#endif
    EXPECT_TRUE(dialog.chosenFolder().isEmpty());
    EXPECT_FALSE(dialog.findChild<QPushButton*>("OkBt")->isEnabled());
  }
}

TEST_F(BrowseFolder, StartFolderIsSelectedExpandedToAndScrolledIntoView) {
  // Enough folders before it that it starts below the visible rows.
  for (int i = 0; i < 60; ++i) makeFolder(dir_, ("Root/CAPS/a" + std::to_string(100 + i)).c_str());
  const QString start = qPath(dir_.file("Root/CAPS/Deep"));
  BrowseFolderDialog dialog(nullptr, {}, root(), start + "/", false, true);
  EXPECT_EQ(dialog.chosenFolder(), start);
  EXPECT_TRUE(dialog.findChild<QPushButton*>("OkBt")->isEnabled());
  QTreeView* tree = treeOf(dialog);
  EXPECT_TRUE(tree->isExpanded(modelOf(dialog)->index(root())));
  EXPECT_TRUE(tree->isExpanded(modelOf(dialog)->index(root() + "/CAPS")));

  dialog.show();
  ASSERT_TRUE(waitUntil([&] { return loaded(modelOf(dialog), root() + "/CAPS", 61); }));
  ASSERT_TRUE(
      waitUntil([&] { return tree->viewport()->rect().contains(tree->visualRect(tree->currentIndex())); }));
  EXPECT_EQ(dialog.chosenFolder(), start);
}

TEST_F(BrowseFolder, StartFolderOutsideTheRootOrMissingSelectsNothing) {
  for (const std::string& start : {dir_.file("Other"), dir_.file("Root/Missing"), std::string()}) {
    BrowseFolderDialog dialog(nullptr, {}, root(), qPath(start), false, true);
    EXPECT_TRUE(dialog.chosenFolder().isEmpty()) << start;
    EXPECT_FALSE(dialog.findChild<QPushButton*>("OkBt")->isEnabled()) << start;
  }
}

TEST_F(BrowseFolder, RelativeCheckboxFollowsTheFlagOrIsDisabled) {
  struct Case {
    bool relative, allowRelative;
    bool checked, enabled;
    bool afterClick;  // isRelative() once the user has clicked the box
  };
  for (const Case& c : {Case{true, true, true, true, false}, Case{false, true, false, true, true},
                        Case{true, false, false, false, true}, Case{false, false, false, false, false}}) {
    SCOPED_TRACE(::testing::Message() << "relative " << c.relative << ", allowed " << c.allowRelative);
    BrowseFolderDialog dialog(nullptr, {}, root(), {}, c.relative, c.allowRelative);
    auto* box = dialog.findChild<QCheckBox*>("RelativePathCb");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral(u"Преобразовать путь к папке в относительный"));
    EXPECT_EQ(box->isChecked(), c.checked);
    EXPECT_EQ(box->isEnabled(), c.enabled);
    box->click();
    EXPECT_EQ(dialog.isRelative(), c.afterClick);
  }
}

TEST_F(BrowseFolder, ChosenFolderHasNoTrailingSeparatorAndOkConfirms) {
  struct Case {
    QString browseRoot, select, expected;
  };
  const QString alpha = root() + "/Alpha";
  for (const Case& c : {Case{root(), alpha + "/", alpha}, Case{root(), root(), root()}, Case{{}, "/", "/"}}) {
    SCOPED_TRACE(c.select.toStdString());
    BrowseFolderDialog dialog(nullptr, {}, c.browseRoot, {}, false, true);
    QString chosen;
    const ScopedDialogRunner runner([&](QDialog& shown) {
      treeOf(dialog)->setCurrentIndex(modelOf(dialog)->index(c.select));
      chosen = dialog.chosenFolder();
      shown.findChild<QPushButton*>("OkBt")->click();
      return shown.result();
    });
    EXPECT_EQ(runDialog(dialog), QDialog::Accepted);
    EXPECT_EQ(chosen, QDir::toNativeSeparators(c.expected));
  }
}

TEST_F(BrowseFolder, CancelRejects) {
  BrowseFolderDialog dialog(nullptr, {}, root(), root(), false, true);
  const ScopedDialogRunner runner([](QDialog& shown) {
    shown.findChild<QPushButton*>("CancelBt")->click();
    return shown.result();
  });
  EXPECT_EQ(runDialog(dialog), QDialog::Rejected);
}

TEST_F(BrowseFolder, CentredOnTheOwnerWhenShownAndWhenTheSelectionChanges) {
  QWidget owner;
  // Narrower than the dialog, by an odd number of pixels: the half rounds toward zero.
  owner.setGeometry(300, 200, 201, 151);
  owner.show();
  BrowseFolderDialog dialog(&owner, {}, root(), {}, false, true);
  dialog.show();
  const QRect area = owner.frameGeometry();
  const QRect frame = dialog.frameGeometry();
  ASSERT_LT(area.width() - frame.width(), 0);
  const int dx = area.width() - frame.width();
  const int dy = area.height() - frame.height();
  ASSERT_TRUE(dx % 2 != 0 || dy % 2 != 0);
  const QPoint centred(area.left() + dx / 2, area.top() + dy / 2);
  EXPECT_EQ(frame.topLeft(), centred);

  dialog.move(10, 10);
  treeOf(dialog)->setCurrentIndex(modelOf(dialog)->index(root() + "/beta"));
  EXPECT_EQ(dialog.frameGeometry().topLeft(), centred);
}

// The routine: a path that names no folder is cleared and stays so on cancel; OK gives the
// chosen folder as an absolute path and the checkbox's state, unless relative paths are not
// allowed.
TEST_F(BrowseFolder, RoutineGivesTheChosenFolderAndTheCheckbox) {
  const std::string beta = text::fromUtf8(dir_.file("Root/beta"));
  const std::string browseRoot = text::fromUtf8(dir_.file("Root"));
  QString startSelection;
  bool clickBox = false;
  const ScopedDialogRunner runner([&](QDialog& shown) {
    auto& browser = dynamic_cast<BrowseFolderDialog&>(shown);
    startSelection = browser.chosenFolder();
    treeOf(browser)->setCurrentIndex(modelOf(browser)->index(qPath(dir_.file("Root/beta"))));
    if (clickBox) browser.findChild<QCheckBox*>("RelativePathCb")->click();
    browser.findChild<QPushButton*>("OkBt")->click();
    return browser.result();
  });

  std::string path = text::fromUtf8(dir_.file("Root/Alpha"));
  bool relative = true;
  ASSERT_TRUE(sw::BrowseFolder(nullptr, QStringLiteral("t"), browseRoot, path, relative, true));
  EXPECT_EQ(startSelection, QDir::toNativeSeparators(qPath(dir_.file("Root/Alpha"))));
  EXPECT_EQ(path, beta);
  EXPECT_TRUE(relative);

  clickBox = true;
  ASSERT_TRUE(sw::BrowseFolder(nullptr, QStringLiteral("t"), browseRoot, path, relative, true));
  EXPECT_FALSE(relative);
  ASSERT_TRUE(sw::BrowseFolder(nullptr, QStringLiteral("t"), browseRoot, path, relative, false));
  EXPECT_FALSE(relative);  // the box is disabled: the click does nothing, the flag comes back

  const ScopedDialogRunner cancel([&](QDialog& shown) {
    startSelection = dynamic_cast<BrowseFolderDialog&>(shown).chosenFolder();
    return static_cast<int>(QDialog::Rejected);
  });
  path = text::fromUtf8(dir_.file("Root/Missing"));
  relative = true;
  EXPECT_FALSE(sw::BrowseFolder(nullptr, QStringLiteral("t"), browseRoot, path, relative, true));
  EXPECT_TRUE(startSelection.isEmpty());
  EXPECT_EQ(path, "");
  EXPECT_TRUE(relative);
}

}  // namespace
}  // namespace sw::dialogs
