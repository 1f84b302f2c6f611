#include "widgets/edit_extended_menu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "support/widget_lookup.h"

namespace sw {
namespace {

using testing::child;

// The menu's items that are enabled, in menu order.
QStringList enabledItems(const EditExtendetMenu& menu) {
  QStringList names;
  for (const char* name : {"UndoMi", "CutMi", "CopyMi", "InsertMi", "DeleteMi", "SelAllMi", "SysVarMi"})
    if (child<QAction>(menu, name)->isEnabled()) names << QString::fromLatin1(name);
  return names;
}

// Each item as "caption", "(off) caption" when disabled, or "-".
QStringList shown(const QMenu& menu, bool withNames) {
  QStringList items;
  for (const QAction* item : menu.actions()) {
    QString text = item->isSeparator() ? QStringLiteral("-") : item->text();
    if (!item->isSeparator() && !item->isEnabled()) text.prepend(QStringLiteral("(off) "));
    if (withNames && !item->isSeparator()) text.prepend(item->objectName() + ' ');
    items << text;
  }
  return items;
}

QAction* variableItem(const EditExtendetMenu& menu, const char* name) {
  for (QAction* item : child<QAction>(menu, "SysVarMi")->menu()->actions())
    if (item->text() == QString::fromUtf8(name)) return item;
  ADD_FAILURE() << name;
  return nullptr;
}

// Opens the menu on `edit` and chooses `item`, which must be usable there.
void choose(EditExtendetMenu& menu, QLineEdit& edit, const char* item) {
  menu.prepareFor(&edit);
  QAction* action = child<QAction>(menu, item);
  EXPECT_TRUE(action->isEnabled()) << item;
  action->trigger();
}

// Sends the request a right click on `edit` makes.
void rightClick(QLineEdit& edit) {
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4), edit.mapToGlobal(QPoint(4, 4)));
  QApplication::sendEvent(&edit, &event);
}

class EditExtendetMenuTest : public ::testing::Test {
 protected:
  void SetUp() override { QGuiApplication::clipboard()->clear(); }
  void TearDown() override { QGuiApplication::clipboard()->clear(); }

  EditExtendetMenu menu;
};

// As built and after opening on an edit: the items in order, the variables under their headings,
// which stay disabled.
TEST_F(EditExtendetMenuTest, ItemsAndVariablesInOrder) {
  QLineEdit edit(QStringLiteral("abc"));
  menu.prepareFor(&edit);
  EXPECT_EQ(menu.objectName(), QStringLiteral("EditExtendetMenu"));
  EXPECT_EQ(shown(menu, true),
            QStringLiteral("UndoMi (off) Отменить|-|CutMi (off) Вырезать|CopyMi (off) Копировать|"
                           "InsertMi (off) Вставить|DeleteMi (off) Удалить|-|"
                           "SelAllMi Выделить все|-|SysVarMi Вставить переменную")
                .split('|'));
  EXPECT_EQ(shown(*child<QAction>(menu, "SysVarMi")->menu(), false),
            QStringLiteral("(off) Внутренние переменные:|-|%SELF%|%SOURCE%|%CDROM%|%ROOT%|%FOLDER%|"
                           "(off) Системные переменные:|-|%ALLUSERSPROFILE%|%APPDATA%|%ProgramFiles%|"
                           "%CommonProgramFiles%|%SystemDrive%|%SystemRoot%|%windir%|%HOMEDRIVE%|%HOMEPATH%|"
                           "%COMPUTERNAME%|%USERDOMAIN%|%USERNAME%|%USERPROFILE%|%TEMP%|%TMP%|%ComSpec%")
                .split('|'));
  EXPECT_EQ(menu.defaultAction(), child<QAction>(menu, "SysVarMi"));
  EXPECT_TRUE(menu.defaultAction()->font().bold());
}

TEST_F(EditExtendetMenuTest, ItemsEnabledByTheEditAndTheClipboard) {
  QLineEdit edit;
  menu.prepareFor(&edit);
  EXPECT_EQ(enabledItems(menu), QStringList{"SysVarMi"});
  QTest::keyClicks(&edit, "ab");
  edit.selectAll();
  QTest::keyClick(&edit, Qt::Key_Delete);
  menu.prepareFor(&edit);
  EXPECT_EQ(enabledItems(menu), (QStringList{"UndoMi", "SysVarMi"}));

  edit.setText(QStringLiteral("C:\\Soft"));
  edit.selectAll();
  menu.prepareFor(&edit);
  EXPECT_EQ(enabledItems(menu), (QStringList{"CutMi", "CopyMi", "DeleteMi", "SysVarMi"}));
  edit.setSelection(0, 2);
  QGuiApplication::clipboard()->setText(QStringLiteral("x"));
  menu.prepareFor(&edit);
  EXPECT_EQ(enabledItems(menu),
            (QStringList{"CutMi", "CopyMi", "InsertMi", "DeleteMi", "SelAllMi", "SysVarMi"}));
}

// The name replaces the selection as typing would: both change signals, the caret after the name,
// and undo takes it back.
TEST_F(EditExtendetMenuTest, VariableReplacesSelectionAsTyped) {
  QLineEdit edit(QStringLiteral("abc"));
  edit.setSelection(1, 1);
  QSignalSpy edited(&edit, &QLineEdit::textEdited);
  QSignalSpy changed(&edit, &QLineEdit::textChanged);
  menu.prepareFor(&edit);
  variableItem(menu, "%ROOT%")->trigger();
  EXPECT_EQ(edit.text(), QStringLiteral("a%ROOT%c"));
  EXPECT_EQ(edit.cursorPosition(), 7);
  ASSERT_EQ(edited.count(), 1);
  EXPECT_EQ(edited.first().first().toString(), QStringLiteral("a%ROOT%c"));
  EXPECT_EQ(changed.count(), 1);
  choose(menu, edit, "UndoMi");
  EXPECT_EQ(edit.text(), QStringLiteral("abc"));
}

// Typing next to an inserted name is not taken back with it.
TEST_F(EditExtendetMenuTest, VariableAtCaretIsItsOwnUndoStep) {
  QLineEdit edit;
  QTest::keyClicks(&edit, "D:");
  menu.prepareFor(&edit);
  variableItem(menu, "%ProgramFiles%")->trigger();
  QTest::keyClicks(&edit, "\\x");
  choose(menu, edit, "UndoMi");
  EXPECT_EQ(edit.text(), QStringLiteral("D:%ProgramFiles%"));
  choose(menu, edit, "UndoMi");
  EXPECT_EQ(edit.text(), QStringLiteral("D:"));
  edit.setCursorPosition(0);
  variableItem(menu, "%SystemDrive%")->trigger();
  EXPECT_EQ(edit.text(), QStringLiteral("%SystemDrive%D:"));
  EXPECT_EQ(edit.cursorPosition(), 13);
}

TEST_F(EditExtendetMenuTest, ClipboardItemsActOnTheTarget) {
  QLineEdit other(QStringLiteral("other"));
  QLineEdit edit(QStringLiteral("C:\\Soft\\Tools"));
  QClipboard& clipboard = *QGuiApplication::clipboard();
  edit.setSelection(2, 5);
  choose(menu, edit, "CopyMi");
  EXPECT_EQ(clipboard.text(), QStringLiteral("\\Soft"));
  QSignalSpy edited(&edit, &QLineEdit::textEdited);
  choose(menu, edit, "CutMi");
  EXPECT_EQ(edit.text(), QStringLiteral("C:\\Tools"));
  edit.setSelection(0, 2);
  choose(menu, edit, "InsertMi");
  EXPECT_EQ(edit.text(), QStringLiteral("\\Soft\\Tools"));
  edit.setSelection(5, 6);
  choose(menu, edit, "DeleteMi");
  EXPECT_EQ(edit.text(), QStringLiteral("\\Soft"));
  EXPECT_EQ(clipboard.text(), QStringLiteral("\\Soft"));
  EXPECT_EQ(edited.count(), 3);

  // Delete without a selection takes nothing, not the character after the caret.
  edit.setCursorPosition(0);
  menu.DeleteMiClick();
  EXPECT_EQ(edit.text(), QStringLiteral("\\Soft"));
  choose(menu, edit, "SelAllMi");
  EXPECT_EQ(edit.selectedText(), QStringLiteral("\\Soft"));
  choose(menu, edit, "UndoMi");
  EXPECT_EQ(edit.text(), QStringLiteral("\\Soft\\Tools"));
  EXPECT_EQ(other.text(), QStringLiteral("other"));
}

// A read-only edit may be copied from and selected, but nothing in the menu changes it; with no
// target (or one that is gone) the items do nothing.
TEST_F(EditExtendetMenuTest, ReadOnlyOrMissingTargetIsLeftAlone) {
  const auto changeAll = [this] {
    menu.UndoMiClick();
    menu.CutMiClick();
    menu.InsertMiClick();
    menu.DeleteMiClick();
    menu.SysVarMiClick(variableItem(menu, "%ROOT%"));
  };
  QGuiApplication::clipboard()->setText(QStringLiteral("x"));
  changeAll();
  EXPECT_EQ(menu.target(), nullptr);

  QLineEdit edit(QStringLiteral("abc"));
  QTest::keyClicks(&edit, "d");
  edit.setReadOnly(true);
  edit.setSelection(0, 2);
  menu.prepareFor(&edit);
  EXPECT_EQ(enabledItems(menu), (QStringList{"CopyMi", "SelAllMi"}));
  changeAll();
  EXPECT_EQ(edit.text(), QStringLiteral("abcd"));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("x"));

  auto gone = std::make_unique<QLineEdit>(QStringLiteral("abc"));
  menu.prepareFor(gone.get());
  gone.reset();
  EXPECT_EQ(menu.target(), nullptr);
  changeAll();
  menu.EditExtendetMenuPopup();
}

// Registered edits, also ones made later, open this menu on themselves; any other edit shows Qt's.
TEST_F(EditExtendetMenuTest, RightClickOpensThisMenuOnRegisteredEditsOnly) {
  QLineEdit first(QStringLiteral("C:\\Soft"));
  auto later = std::make_unique<QLineEdit>();
  QLineEdit plain(QStringLiteral("abc"));
  menu.attach(&first);
  menu.attach(&first);
  menu.attach(later.get());
  first.selectAll();
  QSignalSpy opened(&menu, &QMenu::aboutToShow);
  rightClick(first);
  EXPECT_EQ(opened.count(), 1);
  EXPECT_TRUE(menu.isVisible());
  EXPECT_EQ(menu.target(), &first);
  EXPECT_TRUE(child<QAction>(menu, "CutMi")->isEnabled());
  menu.hide();

  rightClick(*later);
  EXPECT_EQ(menu.target(), later.get());
  variableItem(menu, "%CDROM%")->trigger();
  menu.hide();
  EXPECT_EQ(later->text(), QStringLiteral("%CDROM%"));
  EXPECT_EQ(first.text(), QStringLiteral("C:\\Soft"));

  EXPECT_EQ(plain.contextMenuPolicy(), Qt::DefaultContextMenu);
  rightClick(plain);
  QWidget* popup = QApplication::activePopupWidget();
  ASSERT_NE(popup, nullptr);
  EXPECT_NE(popup, &menu);
  EXPECT_EQ(menu.target(), later.get());
  popup->close();
}

}  // namespace
}  // namespace sw
