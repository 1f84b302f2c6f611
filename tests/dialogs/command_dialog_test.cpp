#include "dialogs/command_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTest>

#include "dialogs/file_filter.h"
#include "support/temp_dir.h"
#include "support/widget_lookup.h"

namespace sw::dialogs {
namespace {

using testing::child;

TEST(FileFilter, DescriptionsAsWrittenPatternsForQt) {
  EXPECT_EQ(qtNameFilters(QStringLiteral("Исполняемые файлы (*.exe; *.com)|*.exe;*.com|Все файлы (*.*)|*.*")),
            (QStringList{QStringLiteral("Исполняемые файлы (*.exe; *.com) (*.exe *.com)"),
                         QStringLiteral("Все файлы (*.*) (*.*)")}));
  EXPECT_EQ(qtNameFilters(QStringLiteral("Значки|*.ico|Без шаблона")),
            (QStringList{QStringLiteral("Значки (*.ico)"), QStringLiteral("Без шаблона (*)")}));
  EXPECT_TRUE(qtNameFilters(QString()).size() == 1);
}

// The file-type list shows each description exactly as written, and a pattern matches a name
// in any letter case, as on Windows.
TEST(FileFilter, DialogShowsDescriptionsAndMatchesAnyCase) {
  testing::TempDir dir;
  dir.write("SETUP.EXE", "x");
  dir.write("tool.Com", "x");
  dir.write("readme.txt", "x");
  TMyCmdDialog dialog;
  applyFilter(dialog, QStringLiteral("Исполняемые файлы (*.exe; *.com)|*.exe;*.com|Все файлы (*.*)|*.*"));
  dialog.setDirectory(QString::fromStdString(dir.path()));
  auto* types = child<QComboBox>(dialog, "fileTypeCombo");
  ASSERT_EQ(types->count(), 2);
  EXPECT_EQ(types->itemText(0), QStringLiteral("Исполняемые файлы (*.exe; *.com)"));
  EXPECT_EQ(types->itemText(1), QStringLiteral("Все файлы (*.*)"));

  dialog.show();
  auto* list = child<QListView>(dialog, "listView");
  const auto shown = [&] {
    QStringList names;
    const QModelIndex root = list->rootIndex();
    for (int row = 0; row < list->model()->rowCount(root); ++row)
      names << list->model()->index(row, 0, root).data().toString();
    names.sort();
    return names;
  };
  EXPECT_TRUE(QTest::qWaitFor([&] { return shown().size() == 2; }, 5000)) << shown().join(' ').toStdString();
  EXPECT_EQ(shown(), (QStringList{QStringLiteral("SETUP.EXE"), QStringLiteral("tool.Com")}));
}

TEST(CommandDialog, PropertiesGoInAndOutVerbatim) {
  TMyCmdDialog dialog;
  EXPECT_TRUE(dialog.ShowParamBox());
  EXPECT_TRUE(dialog.IsRelFilePath());  // checked until told otherwise
  EXPECT_EQ(dialog.CmdParam(), QString());
  dialog.setProperty("CmdParam", QStringLiteral(" -q /x "));
  dialog.setProperty("IsRelFilePath", false);
  EXPECT_EQ(child<QLineEdit>(dialog, "CmdEdit")->text(), QStringLiteral(" -q /x "));
  EXPECT_FALSE(child<QCheckBox>(dialog, "AbcCb")->isChecked());
  child<QLineEdit>(dialog, "CmdEdit")->setText(QStringLiteral(" /S"));
  EXPECT_EQ(dialog.property("CmdParam").toString(), QStringLiteral(" /S"));
  EXPECT_EQ(child<QLabel>(dialog, "PachLabel")->text(), QStringLiteral("Путь к файлу:"));
  EXPECT_EQ(child<QLabel>(dialog, "CmdLabel")->text(), QStringLiteral("Параметры:"));
  EXPECT_EQ(child<QCheckBox>(dialog, "AbcCb")->text(), QStringLiteral("Преобразовать пути в относительные"));
}

// The strip stands under the file-type row: labels in the label column, fields under the list,
// the parameters field as wide as the list also after a resize.
TEST(CommandDialog, StripFollowsTheFileTypeRow) {
  for (bool withParameters : {true, false}) {
    SCOPED_TRACE(withParameters);
    TMyCmdDialog dialog;
    dialog.setShowParamBox(withParameters);
    dialog.resize(640, 420);
    dialog.show();
    QTest::qWait(20);
    auto* typeLabel = child<QWidget>(dialog, "fileTypeLabel");
    auto* typeList = child<QWidget>(dialog, "fileTypeCombo");
    auto* panel = child<QWidget>(dialog, "CmdPanel");
    auto* box = child<QWidget>(dialog, "AbcCb");
    auto* edit = child<QWidget>(dialog, "CmdEdit");
    auto* pathLabel = child<QWidget>(dialog, "PachLabel");
    const auto inDialog = [&](QWidget* w) { return QRect(w->mapTo(&dialog, QPoint(0, 0)), w->size()); };
    for (int width : {640, 900, 560}) {
      dialog.resize(width, 420);
      QTest::qWait(20);
      EXPECT_GE(inDialog(panel).top(), inDialog(typeList).bottom());
      EXPECT_EQ(inDialog(box).left(), inDialog(typeList).left()) << width;
      EXPECT_EQ(inDialog(pathLabel).left(), inDialog(typeLabel).left());
      EXPECT_EQ(edit->isVisible(), withParameters);
      if (withParameters) {
        EXPECT_EQ(inDialog(edit).left(), inDialog(typeList).left());
        EXPECT_EQ(edit->width(), typeList->width()) << width;
      }
      EXPECT_LE(inDialog(panel).bottom(), dialog.height());
    }
  }
}

}  // namespace
}  // namespace sw::dialogs
