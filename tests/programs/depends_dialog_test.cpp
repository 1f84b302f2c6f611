#include "programs/depends_dialog.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/dialog_runner.h"
#include "model/project.h"
#include "model/references.h"
#include "platform/text.h"
#include "support/widget_lookup.h"

namespace sw {
namespace {

using testing::child;
using Numbers = std::vector<std::int32_t>;

// One list of the dialog as the user sees it: the captions in row order and the selected row.
struct Shown {
  QStringList rows;
  int selected = -1;
  bool operator==(const Shown&) const = default;
};

Shown look(const TDependsFm& dialog, const char* list) {
  const auto* widget = child<QListWidget>(dialog, list);
  Shown shown;
  for (int row = 0; row < widget->count(); ++row) shown.rows << widget->item(row)->text();
  const QList<QListWidgetItem*> selected = widget->selectedItems();
  shown.selected = selected.isEmpty() ? -1 : widget->row(selected.first());
  return shown;
}

void PrintTo(const Shown& shown, std::ostream* out) {
  *out << shown.rows.join(QStringLiteral(", ")).toStdString() << " / selected " << shown.selected;
}

void select(TDependsFm& dialog, const char* list, int row) {
  child<QListWidget>(dialog, list)->setCurrentRow(row);
}

void press(TDependsFm& dialog, const char* button) { child<QPushButton>(dialog, button)->click(); }

// Runs EditDependencies with `drive` in place of the user; its result closes the dialog.
bool Edit(Project& project, TInstallItem* program, const std::function<int(TDependsFm&)>& drive) {
  bool driven = false;
  dialogs::ScopedDialogRunner runner([&](QDialog& dialog) {
    auto* depends = qobject_cast<TDependsFm*>(&dialog);
    EXPECT_NE(depends, nullptr);
    if (depends == nullptr) return static_cast<int>(QDialog::Rejected);
    driven = true;
    return drive(*depends);
  });
  const bool stored = EditDependencies(nullptr, project, program);
  EXPECT_TRUE(driven);
  return stored;
}

int pressOk(TDependsFm& dialog) {
  press(dialog, "OkBt");
  return dialog.result();
}

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

// Two groups of three programs; the captions are not in alphabetical order, so a sorted list
// would show.
class DependsDialog : public ::testing::Test {
 protected:
  DependsDialog() {
    TInstallGroup* system = AddGroup(project_, text::fromUtf8("Система"), "");
    TInstallGroup* office = AddGroup(project_, text::fromUtf8("Офис"), "");
    add(system, 1, "Кодеки");
    add(system, 2, "Архиватор");
    add(system, 3, "Драйверы");
    add(office, 4, "Редактор");
    add(office, 5, "Почта");
    add(office, 6, "Браузер");
  }

  TInstallItem* add(TInstallGroup* group, std::int32_t number, const char* caption) {
    auto program = NewProgram(group);
    program->Number = number;
    program->Caption = text::fromUtf8(caption);
    return AttachProgram(project_, group, std::move(program));
  }
  TInstallItem& program(std::int32_t number) { return *FindProgram(project_, number); }

  struct Lists {
    Numbers depends, dependsOr, exclude;
    bool operator==(const Lists&) const = default;
  };
  Lists listsOf(std::int32_t number) {
    const TInstallItem& p = program(number);
    return {p.Depends, p.DependsOr, p.Exclude};
  }

  Project project_;
};

TEST_F(DependsDialog, OpensWithTheReferencesInTheirListsAndTheRestOnTheLeft) {
  TInstallItem& browser = program(6);
  browser.Depends = {2};
  browser.DependsOr = {5, 1};
  browser.Exclude = {4};
  Edit(project_, &browser, [&](TDependsFm& dialog) {
    EXPECT_EQ(dialog.objectName(), QStringLiteral("TDependsFm"));
    EXPECT_EQ(dialog.windowTitle(), Q("Редактор зависимостей и исключений"));
    EXPECT_EQ(child<QLabel>(dialog, "ItemNameLb")->text(), Q("Браузер"));
    // The program itself is offered too.
    EXPECT_EQ(look(dialog, "AllPrgListBox"), (Shown{{Q("Драйверы"), Q("Браузер")}, -1}));
    EXPECT_EQ(look(dialog, "DependsPrgListBox"), (Shown{{Q("Архиватор")}, -1}));
    EXPECT_EQ(look(dialog, "DependsOrPrgListBox"), (Shown{{Q("Почта"), Q("Кодеки")}, -1}));
    EXPECT_EQ(look(dialog, "ExcludePrgListBox"), (Shown{{Q("Редактор")}, -1}));
    EXPECT_EQ(dialog.dependsOrNumbers(), (Numbers{5, 1}));

    for (const char* name :
         {"AllPrgListBox", "DependsPrgListBox", "DependsOrPrgListBox", "ExcludePrgListBox"}) {
      const auto* list = child<QListWidget>(dialog, name);
      EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection) << name;
      EXPECT_FALSE(list->isSortingEnabled()) << name;
      EXPECT_EQ(list->visualItemRect(list->item(0)).height(), 16) << name;
    }
    return pressOk(dialog);
  });
}

TEST_F(DependsDialog, CancelClosingAndEscapeChangeNothing) {
  program(6).Depends = {2, 3};
  program(6).Exclude = {4};
  const Lists before = listsOf(6);
  const std::string text = DependsText(project_, program(6));

  const auto moveEverything = [](TDependsFm& dialog) {
    select(dialog, "AllPrgListBox", 0);
    for (int i = 0; i < 4; ++i) press(dialog, "DepOrAddBt");
    select(dialog, "DependsPrgListBox", 0);
    press(dialog, "DepRemBt");
  };
  EXPECT_FALSE(Edit(project_, &program(6), [&](TDependsFm& dialog) {
    moveEverything(dialog);
    press(dialog, "CancelBt");
    return dialog.result();
  }));
  EXPECT_FALSE(Edit(project_, &program(6), [&](TDependsFm& dialog) {
    moveEverything(dialog);
    dialog.close();
    return dialog.result();
  }));
  EXPECT_EQ(listsOf(6), before);
  EXPECT_EQ(DependsText(project_, program(6)), text);

  // No button is the default or the cancel button: Enter and Escape close nothing.
  Edit(project_, &program(6), [&](TDependsFm& dialog) {
    for (auto* button : dialog.findChildren<QPushButton*>()) {
      EXPECT_FALSE(button->isDefault()) << button->objectName().toStdString();
      EXPECT_FALSE(button->autoDefault()) << button->objectName().toStdString();
    }
    QSignalSpy finished(&dialog, &QDialog::finished);
    QTest::keyClick(child<QListWidget>(dialog, "AllPrgListBox"), Qt::Key_Escape);
    QTest::keyClick(child<QListWidget>(dialog, "AllPrgListBox"), Qt::Key_Return);
    EXPECT_EQ(finished.count(), 0);
    return pressOk(dialog);
  });
}

TEST_F(DependsDialog, AddingMovesTheSelectedRowAndSelectsTheOneThatTookItsPlace) {
  Edit(project_, &program(1), [&](TDependsFm& dialog) {
    select(dialog, "AllPrgListBox", 1);
    press(dialog, "DepOrAddBt");
    EXPECT_EQ(look(dialog, "DependsOrPrgListBox"), (Shown{{Q("Архиватор")}, 0}));
    EXPECT_EQ(look(dialog, "AllPrgListBox").selected, 1);
    press(dialog, "DepOrAddBt");  // repeated clicks take consecutive programs
    EXPECT_EQ(look(dialog, "DependsOrPrgListBox"), (Shown{{Q("Архиватор"), Q("Драйверы")}, 1}));
    EXPECT_EQ(look(dialog, "AllPrgListBox"),
              (Shown{{Q("Кодеки"), Q("Редактор"), Q("Почта"), Q("Браузер")}, 1}));

    // The last row moved: the new last row is selected.
    select(dialog, "AllPrgListBox", 3);
    press(dialog, "ExclAddBt");
    EXPECT_EQ(look(dialog, "ExcludePrgListBox"), (Shown{{Q("Браузер")}, 0}));
    EXPECT_EQ(look(dialog, "AllPrgListBox"), (Shown{{Q("Кодеки"), Q("Редактор"), Q("Почта")}, 2}));

    // Nothing selected: nothing moves, and the target's last row is selected.
    child<QListWidget>(dialog, "AllPrgListBox")->clearSelection();
    child<QListWidget>(dialog, "DependsOrPrgListBox")->clearSelection();
    press(dialog, "DepOrAddBt");
    EXPECT_EQ(look(dialog, "DependsOrPrgListBox"), (Shown{{Q("Архиватор"), Q("Драйверы")}, 1}));
    EXPECT_EQ(look(dialog, "AllPrgListBox"), (Shown{{Q("Кодеки"), Q("Редактор"), Q("Почта")}, -1}));
    return pressOk(dialog);
  });
  EXPECT_EQ(listsOf(1), (Lists{{}, {2, 3}, {6}}));
}

TEST_F(DependsDialog, MovingTheOnlyRowLeavesTheLeftListEmpty) {
  Project single;
  TInstallGroup* group = AddGroup(single, "G", "");
  auto alone = NewProgram(group);
  alone->Number = 7;
  alone->Caption = "Alone";
  TInstallItem* program = AttachProgram(single, group, std::move(alone));
  Edit(single, program, [&](TDependsFm& dialog) {
    select(dialog, "AllPrgListBox", 0);
    press(dialog, "DepAddBt");
    EXPECT_EQ(look(dialog, "AllPrgListBox"), (Shown{{}, -1}));
    EXPECT_EQ(look(dialog, "DependsPrgListBox"), (Shown{{QStringLiteral("Alone")}, 0}));
    return pressOk(dialog);
  });
  EXPECT_EQ(program->Depends, (Numbers{7}));
}

TEST_F(DependsDialog, RemovingReturnsTheRowToTheEndOfTheLeftList) {
  program(4).Exclude = {1, 2, 3};
  Edit(project_, &program(4), [&](TDependsFm& dialog) {
    select(dialog, "ExcludePrgListBox", 0);
    press(dialog, "ExclRemBt");
    EXPECT_EQ(look(dialog, "ExcludePrgListBox"), (Shown{{Q("Архиватор"), Q("Драйверы")}, 0}));
    EXPECT_EQ(look(dialog, "AllPrgListBox").rows,
              (QStringList{Q("Редактор"), Q("Почта"), Q("Браузер"), Q("Кодеки")}));

    select(dialog, "ExcludePrgListBox", 1);
    press(dialog, "ExclRemBt");
    EXPECT_EQ(look(dialog, "ExcludePrgListBox"), (Shown{{Q("Архиватор")}, 0}));
    press(dialog, "ExclRemBt");
    EXPECT_EQ(look(dialog, "ExcludePrgListBox"), (Shown{{}, -1}));
    EXPECT_EQ(look(dialog, "AllPrgListBox").rows, (QStringList{Q("Редактор"), Q("Почта"), Q("Браузер"),
                                                               Q("Кодеки"), Q("Драйверы"), Q("Архиватор")}));
    EXPECT_EQ(look(dialog, "AllPrgListBox").selected, -1);

    press(dialog, "ExclRemBt");  // nothing selected, nothing there: nothing moves
    EXPECT_EQ(look(dialog, "AllPrgListBox").rows.size(), 6);
    return pressOk(dialog);
  });
  EXPECT_EQ(listsOf(4), (Lists{}));
}

TEST_F(DependsDialog, OkStoresTheThreeListsInRowOrder) {
  program(1).DependsOr = {3};
  TInstallItem& mail = program(5);
  EXPECT_TRUE(Edit(project_, &mail, [&](TDependsFm& dialog) {
    // Browser (row 5), then Archiver (row 1), then the program itself.
    select(dialog, "AllPrgListBox", 5);
    press(dialog, "DepAddBt");
    select(dialog, "AllPrgListBox", 1);
    press(dialog, "DepAddBt");
    select(dialog, "AllPrgListBox", 3);  // Кодеки, Драйверы, Редактор, Почта
    press(dialog, "ExclAddBt");
    select(dialog, "AllPrgListBox", 0);
    press(dialog, "DepOrAddBt");
    return pressOk(dialog);
  }));
  EXPECT_EQ(listsOf(5), (Lists{{6, 2}, {1}, {5}}));
  EXPECT_EQ(text::toQString(DependsText(project_, mail)), Q("Браузер  Архиватор"));
  // The index follows: the program now counts as a dependant of what it depends on.
  ASSERT_EQ(ProgramIndexOf(project_).dependants.count(6), 1u);
  EXPECT_EQ(ProgramIndexOf(project_).dependants.at(6), (std::vector<TInstallItem*>{&mail}));
  // Other programs are untouched.
  EXPECT_EQ(listsOf(1), (Lists{{}, {3}, {}}));
}

TEST_F(DependsDialog, NumbersNamingNoProgramAreDroppedAndRepeatedOnesKept) {
  // A second program numbered 5, in the first group: references to 5 name the one in the last.
  add(project_.Groups[0].get(), 5, "Копия");
  TInstallItem& editor = program(4);
  editor.Depends = {99, 2, 3};
  editor.DependsOr = {-1, 5};
  editor.Exclude = {2, 42};
  Edit(project_, &editor, [&](TDependsFm& dialog) {
    EXPECT_EQ(look(dialog, "DependsPrgListBox").rows, (QStringList{Q("Архиватор"), Q("Драйверы")}));
    EXPECT_EQ(look(dialog, "DependsOrPrgListBox").rows, QStringList{Q("Почта")});
    EXPECT_EQ(look(dialog, "ExcludePrgListBox").rows, QStringList{Q("Архиватор")});
    EXPECT_EQ(look(dialog, "AllPrgListBox").rows,
              (QStringList{Q("Кодеки"), Q("Копия"), Q("Редактор"), Q("Браузер")}));
    return pressOk(dialog);
  });
  EXPECT_EQ(listsOf(4), (Lists{{2, 3}, {5}, {2}}));
}

TEST_F(DependsDialog, WithoutAProgramEverythingIsOfferedAndNothingStored) {
  program(2).Depends = {1};
  EXPECT_TRUE(Edit(project_, nullptr, [&](TDependsFm& dialog) {
    EXPECT_EQ(child<QLabel>(dialog, "ItemNameLb")->text(), QString());
    EXPECT_EQ(look(dialog, "AllPrgListBox").rows.size(), 6);
    select(dialog, "AllPrgListBox", 0);
    press(dialog, "DepAddBt");
    return pressOk(dialog);
  }));
  EXPECT_EQ(listsOf(2), (Lists{{1}, {}, {}}));
  EXPECT_EQ(listsOf(1), (Lists{}));
}

TEST(DependsDialogScale, ThreeHundredProgramsThatAllDependOnEachOtherOpenQuickly) {
  Project project;
  TInstallGroup* group = AddGroup(project, "Big", "");
  constexpr int kPrograms = 300;
  Numbers everyone;
  for (int number = 0; number < kPrograms; ++number) everyone.push_back(number);
  for (int number = 0; number < kPrograms; ++number) {
    auto program = NewProgram(group);
    program->Number = number;
    program->Caption = "Program " + std::to_string(number);
    for (int other : everyone)
      if (other != number) program->Depends.push_back(other);
    AttachProgram(project, group, std::move(program));
  }
  TInstallItem* middle = FindProgram(project, 150);
  const Numbers before = middle->Depends;

  QElapsedTimer timer;
  timer.start();
  Edit(project, middle, [&](TDependsFm& dialog) {
    EXPECT_EQ(look(dialog, "AllPrgListBox").rows, QStringList{QStringLiteral("Program 150")});
    EXPECT_EQ(look(dialog, "DependsPrgListBox").rows.size(), kPrograms - 1);
    return pressOk(dialog);
  });
  // Generous for a loaded machine; a quadratic fill with widgets shows as seconds.
  EXPECT_LT(timer.elapsed(), 1000);
  EXPECT_EQ(middle->Depends, before);
}

}  // namespace
}  // namespace sw
