#include "programs/programs_page.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <string>
#include <vector>

#include "programs/programs_test_fixture.h"
#include "support/widget_lookup.h"

namespace sw::testing {
namespace {

using Calls = std::vector<std::string>;

const QString kGroupsHint = QStringLiteral(
    "Свойства групп можно отредактировать на предидущей странице мастера!\n\nДля добавления программы "
    "нажмите "
    "\"Добавить\" и отредактируйте свойста.");
const QString kNoGroupsHint = QStringLiteral(
    "Нет (не созданно) ни одной группы программ!\n\nСоздать группы можно на предидущей странице мастера!");

class PageTest : public ProgramsPageTest {
 protected:
  using ProgramsPageTest::click;
  void click(const char* name) const { child<QAbstractButton>(page_, name)->click(); }
  bool panelShown() const { return !page_.editPanelHost()->isHidden(); }
  bool hintShown() const { return !child<QLabel>(page_, "GroupWarningLabel")->isHidden(); }
};

// Groups and programs in model order, each node and record pointing at the other; the first
// expanded group is selected, no program is current and the hint shows.
TEST_F(PageTest, FillBuildsTheTreeAndSelectsTheFirstExpandedGroup) {
  TInstallGroup* office = addGroup("Офис", {"Текст", "Таблицы"});
  TInstallGroup* tools = addGroup("Tools", {"Archiver"}, true);
  addGroup("Media", {"Player"}, true);
  state_.CurrentProgram = nullptr;
  QSignalSpy filled(&page_, &ProgramsPage::programsPageFilled);
  page_.FillProgramsPage();
  EXPECT_EQ(filled.count(), 1);

  ASSERT_EQ(tree().topLevelItemCount(), 3);
  EXPECT_EQ(tree().topLevelItem(0), office->Node);
  EXPECT_EQ(office->Node->text(0), QStringLiteral("--- Офис ---"));
  EXPECT_EQ(childTexts(office->Node), (Calls{"Текст", "Таблицы"}));
  EXPECT_EQ(SelectProgTree::programOf(office->Items[1]->Node), office->Items[1].get());
  EXPECT_EQ(SelectProgTree::groupOf(tools->Node), tools);
  EXPECT_EQ(picture(program("Текст")->Node), kDefaultProgramPicture);
  EXPECT_EQ(tree().currentItem(), tools->Node);
  EXPECT_EQ(state_.CurrentProgram, nullptr);
  EXPECT_FALSE(panelShown());
  EXPECT_TRUE(hintShown());
  EXPECT_EQ(child<QLabel>(page_, "GroupWarningLabel")->text(), kGroupsHint);
  EXPECT_FALSE(child<QWidget>(page_, "PrgItemEditPanel")->isHidden());
  EXPECT_EQ(editor_.take(), (Calls{"scroll"}));
}

TEST_F(PageTest, NoGroupExpandedSelectsNothing) {
  addGroup("A", {"A1"});
  page_.FillProgramsPage();
  EXPECT_EQ(tree().currentItem(), nullptr);
  EXPECT_TRUE(editor_.take().empty());
}

TEST_F(PageTest, ProjectWithoutGroupsHidesTheButtonsAndSaysWhereGroupsAreMade) {
  page_.FillProgramsPage();
  EXPECT_EQ(tree().topLevelItemCount(), 0);
  EXPECT_TRUE(child<QWidget>(page_, "PrgItemEditPanel")->isHidden());
  EXPECT_EQ(child<QLabel>(page_, "GroupWarningLabel")->text(), kNoGroupsHint);
  EXPECT_TRUE(hintShown());
  page_.PrgAddBtClick();  // nothing to add to
  EXPECT_EQ(ProgramCount(project_), 0);
}

// Store the old program, show the new one, scroll the panel to its top; a group node stores
// and hides the panel.
TEST_F(PageTest, SelectionEventsStoreTheOldProgramThenShowTheNew) {
  addGroup("A", {"A1", "A2"}, true);
  addGroup("B", {"B1"});
  page_.FillProgramsPage();
  showPage();
  editor_.take();

  click(program("A1")->Node);
  EXPECT_EQ(editor_.take(), (Calls{"show A1", "scroll"}));
  EXPECT_EQ(state_.CurrentProgram, program("A1"));
  EXPECT_TRUE(panelShown());
  EXPECT_FALSE(hintShown());

  QTest::keyClick(&tree(), Qt::Key_Down);
  EXPECT_EQ(editor_.take(), (Calls{"store A1", "show A2", "scroll"}));
  EXPECT_EQ(state_.CurrentProgram, program("A2"));

  click(project_.Groups[1]->Node);
  EXPECT_EQ(editor_.take(), (Calls{"store A2", "scroll"}));
  EXPECT_EQ(state_.CurrentProgram, nullptr);
  EXPECT_FALSE(panelShown());
  EXPECT_TRUE(hintShown());

  // A click beside the nodes keeps the selection.
  QTest::mouseClick(tree().viewport(), Qt::LeftButton, {}, QPoint(5, tree().viewport()->height() - 3));
  EXPECT_EQ(tree().currentItem(), project_.Groups[1]->Node);
  EXPECT_TRUE(editor_.take().empty());
}

// Leaving the page removes every node without storing or showing anything.
TEST_F(PageTest, ClearingTheTreeStoresNothingAndForgetsTheNodes) {
  TInstallGroup* group = addGroup("A", {"A1"}, true);
  page_.FillProgramsPage();
  tree().selectNode(program("A1")->Node);
  editor_.take();
  page_.ClearProgramTree();
  EXPECT_EQ(tree().topLevelItemCount(), 0);
  EXPECT_TRUE(editor_.take().empty());
  EXPECT_EQ(group->Node, nullptr);
  EXPECT_EQ(program("A1")->Node, nullptr);
  EXPECT_EQ(state_.CurrentProgram, program("A1"));  // the window stores it and sets none
}

TEST_F(PageTest, AddAppendsToTheSelectedGroupWithItsOwnFirstFreeName) {
  TInstallGroup* a = addGroup("A", {"Новая программа 1"}, true);
  TInstallGroup* b = addGroup("B", {"B1", "Новая программа 2"});
  page_.FillProgramsPage();
  tree().selectNode(b->Node);
  const int smallCount = small_.count();
  const int largeCount = large_.count();
  editor_.take();

  click("PrgAddBt");
  ASSERT_EQ(b->Items.size(), 3u);
  TInstallItem* added = b->Items.back().get();
  EXPECT_EQ(text::toUtf8(added->Caption), "Новая программа 1");
  EXPECT_EQ(text::toUtf8(added->Description), "Описание новой программы");
  EXPECT_EQ(added->Owner, b);
  EXPECT_EQ(added->Group, "B");
  EXPECT_TRUE(added->Visible);
  EXPECT_FALSE(added->Default || added->Fixed || added->RebootNeed);
  EXPECT_EQ(added->SmallImage, smallCount);
  EXPECT_EQ(added->LargeImage, largeCount);
  EXPECT_EQ(small_.at(added->SmallImage), small_.at(kDefaultProgramPicture));
  EXPECT_EQ(large_.at(added->LargeImage), large_.at(kDefaultLargeProgramPicture));
  EXPECT_EQ(childTexts(b->Node), captions(b));
  EXPECT_EQ(statePicture(added->Node), 1);
  EXPECT_EQ(tree().currentItem(), added->Node);
  EXPECT_TRUE(b->Node->isExpanded());
  EXPECT_EQ(picture(b->Node), kExpandedGroupPicture);
  EXPECT_EQ(state_.CurrentProgram, added);
  EXPECT_TRUE(panelShown());
  EXPECT_EQ(editor_.take(), (Calls{"show Новая программа 1", "scroll"}));

  // With a program selected: the end of that program's group, the old program stored first.
  tree().selectNode(a->Items[0]->Node);
  editor_.take();
  click("PrgAddBt");
  EXPECT_EQ(captions(a), (Calls{"Новая программа 1", "Новая программа 2"}));
  EXPECT_EQ(childTexts(a->Node), captions(a));
  EXPECT_EQ(editor_.take(), (Calls{"store Новая программа 1", "show Новая программа 2", "scroll"}));
}

TEST_F(PageTest, AddWithNothingSelectedGoesToTheFirstGroupWithTheNextNumber) {
  TInstallGroup* first = addGroup("First", {"F1"});
  TInstallGroup* second = addGroup("Second", {"S1", "S2"});
  first->Items[0]->Number = 0;
  second->Items[0]->Number = 7;
  second->Items[1]->Number = 1;
  page_.FillProgramsPage();
  ASSERT_EQ(tree().currentItem(), nullptr);
  click("PrgAddBt");
  ASSERT_EQ(first->Items.size(), 2u);
  EXPECT_EQ(first->Items[1]->Number, 8);
  EXPECT_TRUE(first->Node->isExpanded());
  EXPECT_EQ(tree().currentItem(), first->Items[1]->Node);
}

// Delete drops the panel's edits (nothing stored), shows the neighbour the tree selects, and
// takes the program's number out of every other program's lists.
TEST_F(PageTest, DeleteSelectsTheNeighbourAndStoresNothing) {
  TInstallGroup* group = addGroup("G", {"A", "B", "C"}, true);
  TInstallGroup* other = addGroup("Other", {"X"}, true);
  page_.FillProgramsPage();

  tree().selectNode(group->Node);
  editor_.take();
  click("PrgDeleteBt");  // a group node: nothing
  EXPECT_EQ(group->Items.size(), 3u);
  EXPECT_TRUE(editor_.take().empty());

  tree().selectNode(program("A")->Node);
  editor_.take();
  click("PrgDeleteBt");
  EXPECT_EQ(captions(group), (Calls{"B", "C"}));
  EXPECT_EQ(childTexts(group->Node), captions(group));
  EXPECT_EQ(tree().currentItem(), program("B")->Node);
  EXPECT_EQ(state_.CurrentProgram, program("B"));
  EXPECT_EQ(editor_.take(), (Calls{"show B", "scroll"}));

  tree().selectNode(program("C")->Node);
  editor_.take();
  click("PrgDeleteBt");
  EXPECT_EQ(tree().currentItem(), program("B")->Node);
  EXPECT_EQ(editor_.take(), (Calls{"show B", "scroll"}));

  click("PrgDeleteBt");  // the only program: the group node, the panel hidden
  EXPECT_TRUE(group->Items.empty());
  EXPECT_EQ(tree().currentItem(), group->Node);
  EXPECT_EQ(state_.CurrentProgram, nullptr);
  EXPECT_FALSE(panelShown());
  EXPECT_EQ(editor_.take(), (Calls{"scroll"}));
  EXPECT_EQ(other->Items.size(), 1u);
}

// A deleted program's number leaves the other programs' lists, so a program that later gets
// the same number is not named by them.
TEST_F(PageTest, DeletedProgramsReferencesGoAndItsNumberIsNotInherited) {
  TInstallGroup* group = addGroup("G", {"Base", "User"}, true);
  TInstallItem* base = program("Base");
  TInstallItem* user = program("User");
  base->Number = 2;
  user->Number = 1;
  SetReferences(project_, *user, &TInstallItem::Depends, {2});
  SetReferences(project_, *user, &TInstallItem::DependsOr, {2, 1});
  SetReferences(project_, *user, &TInstallItem::Exclude, {2});
  page_.FillProgramsPage();
  tree().selectNode(base->Node);
  click("PrgDeleteBt");
  EXPECT_TRUE(user->Depends.empty());
  EXPECT_EQ(user->DependsOr, (std::vector<std::int32_t>{1}));
  EXPECT_TRUE(user->Exclude.empty());

  tree().selectNode(group->Node);
  click("PrgAddBt");
  EXPECT_EQ(group->Items.back()->Number, 2);  // the deleted program's number again
  EXPECT_TRUE(user->Depends.empty());
  EXPECT_EQ(user->DependsOr, (std::vector<std::int32_t>{1}));
}

// Up and Down move within the group only, in the tree and the model alike, and leave the
// selection, the current program and the panel as they were.
TEST_F(PageTest, UpAndDownMoveWithinTheGroupOnly) {
  TInstallGroup* above = addGroup("Above", {"Z"}, true);
  TInstallGroup* group = addGroup("G", {"A", "B", "C"}, true);
  TInstallGroup* below = addGroup("Below", {"Y"}, true);
  page_.FillProgramsPage();
  tree().selectNode(program("B")->Node);
  editor_.take();

  click("PrgUpBt");
  EXPECT_EQ(captions(group), (Calls{"B", "A", "C"}));
  EXPECT_EQ(childTexts(group->Node), captions(group));
  EXPECT_EQ(tree().currentItem(), program("B")->Node);
  EXPECT_TRUE(program("B")->Node->isSelected());
  click("PrgUpBt");  // already first: stays in its group
  EXPECT_EQ(captions(group), (Calls{"B", "A", "C"}));
  EXPECT_EQ(captions(above), (Calls{"Z"}));

  click("PrgDownBt");
  EXPECT_EQ(captions(group), (Calls{"A", "B", "C"}));
  click("PrgDownBt");
  click("PrgDownBt");  // already last
  EXPECT_EQ(captions(group), (Calls{"A", "C", "B"}));
  EXPECT_EQ(childTexts(group->Node), captions(group));
  EXPECT_EQ(captions(below), (Calls{"Y"}));
  EXPECT_EQ(tree().currentItem(), program("B")->Node);
  EXPECT_EQ(state_.CurrentProgram, program("B"));
  EXPECT_TRUE(editor_.take().empty());

  tree().selectNode(group->Node);
  editor_.take();
  click("PrgUpBt");
  click("PrgDownBt");
  EXPECT_EQ(tree().indexOfTopLevelItem(group->Node), 1);
  EXPECT_EQ(captions(group), (Calls{"A", "C", "B"}));
}

TEST_F(PageTest, ArrowButtonsAreToolButtonsWithArrows) {
  EXPECT_EQ(child<QToolButton>(page_, "PrgUpBt")->arrowType(), Qt::UpArrow);
  EXPECT_EQ(child<QToolButton>(page_, "PrgDownBt")->arrowType(), Qt::DownArrow);
  EXPECT_EQ(child<QAbstractButton>(page_, "PrgDeleteBt")->text(), QStringLiteral("Удалить"));
  EXPECT_EQ(child<QAbstractButton>(page_, "PrgAddBt")->text(), QStringLiteral("Добавить"));
}

// The panel's instant edits reach the tree: text, state picture, picture, another group.
TEST_F(PageTest, PanelEditsUpdateTheNodeAtOnce) {
  TInstallGroup* a = addGroup("A", {"A1", "A2"}, true);
  TInstallGroup* b = addGroup("B", {"B1"});
  page_.FillProgramsPage();
  TInstallItem* a1 = program("A1");
  tree().selectNode(a1->Node);
  editor_.take();
  QSignalSpy changed(tree().model(), &QAbstractItemModel::dataChanged);

  a1->Caption = text::fromUtf8("Переименована");
  page_.programRenamed(a1);
  EXPECT_EQ(a1->Node->text(0), QStringLiteral("Переименована"));
  a1->Default = true;
  a1->Visible = false;
  page_.programStateChanged(a1);
  EXPECT_EQ(statePicture(a1->Node), 8);
  a1->SmallImage = small_.appendCopy(small_, kGroupPicture);
  page_.programPictureChanged(a1);
  EXPECT_EQ(picture(a1->Node), a1->SmallImage);
  EXPECT_EQ(changed.count(), 3);

  MoveProgram(project_, *a1, *b, b->Items.size());
  page_.programMovedToGroup(a1);
  EXPECT_EQ(childTexts(a->Node), (Calls{"A2"}));
  EXPECT_EQ(childTexts(b->Node), (Calls{"B1", "Переименована"}));
  EXPECT_TRUE(b->Node->isExpanded());
  EXPECT_EQ(tree().currentItem(), a1->Node);
  EXPECT_TRUE(a1->Node->isSelected());
  EXPECT_EQ(state_.CurrentProgram, a1);
  EXPECT_TRUE(editor_.take().empty());
}

// A panel whose store moves its program to another group (a group chosen in the panel but
// not yet taken) while the selection changes: the node goes to its new group, and the node
// the user selected stays selected and shown.
TEST_F(PageTest, ProgramMovedByTheStoreOfASelectionChange) {
  TInstallGroup* a = addGroup("A", {"A1", "A2"}, true);
  TInstallGroup* b = addGroup("B", {"B1"});
  struct MovingEditor : RecordingEditor {
    void StoreProgram(TInstallItem* program) override {
      RecordingEditor::StoreProgram(program);
      MoveProgram(*project, *program, *target, target->Items.size());
      page->programMovedToGroup(program);
    }
    Project* project = nullptr;
    TInstallGroup* target = nullptr;
    ProgramsPage* page = nullptr;
  } editor;
  editor.project = &project_;
  editor.target = b;
  editor.page = &page_;
  page_.setProgramEditor(&editor);
  page_.FillProgramsPage();
  showPage();
  editor.take();
  click(program("A1")->Node);
  click(program("A2")->Node);
  EXPECT_EQ(editor.take(), (Calls{"show A1", "scroll", "store A1", "show A2", "scroll"}));
  EXPECT_EQ(childTexts(a->Node), (Calls{"A2"}));
  EXPECT_EQ(childTexts(b->Node), (Calls{"B1", "A1"}));
  EXPECT_EQ(childTexts(b->Node), captions(b));
  EXPECT_TRUE(b->Node->isExpanded());
  EXPECT_EQ(tree().currentItem(), program("A2")->Node);
  EXPECT_TRUE(program("A2")->Node->isSelected());
  EXPECT_FALSE(program("A1")->Node->isSelected());
  EXPECT_EQ(state_.CurrentProgram, program("A2"));
  page_.setProgramEditor(&editor_);
}

// A thousand programs in one group: filling, walking, adding, moving and deleting stay quick.
TEST_F(PageTest, ThousandProgramsInOneGroupStayResponsive) {
  TInstallGroup* group = addGroup("Big", {}, true);
  for (int i = 0; i < 1000; ++i) {
    auto item = NewProgram(group);
    item->Caption = "Program " + std::to_string(i);
    item->Number = i;
    AttachProgram(project_, group, std::move(item));
  }
  showPage();
  QElapsedTimer timer;
  timer.start();
  page_.FillProgramsPage();
  QCoreApplication::processEvents();
  tree().selectNode(group->Items.back()->Node);
  for (int i = 0; i < 20; ++i) QTest::keyClick(&tree(), Qt::Key_Up);
  click("PrgAddBt");
  click("PrgUpBt");
  click("PrgDownBt");
  click("PrgDeleteBt");
  QCoreApplication::processEvents();
  EXPECT_LT(timer.elapsed(), 1500);
  EXPECT_EQ(group->Items.size(), 1000u);
  EXPECT_EQ(childTexts(group->Node), captions(group));
}

}  // namespace
}  // namespace sw::testing
