#include "programs/program_tree.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QTest>
#include <set>

#include "programs/programs_test_fixture.h"

namespace sw::testing {
namespace {

using TreeTest = ProgramsPageTest;

// The eight flag combinations: the hidden ones six slots after their visible forms.
TEST(ProgramStateImageTest, EveryFlagCombinationHasItsOwnSlot) {
  struct Case {
    bool isDefault, fixed, visible;
    int slot;
  };
  for (const Case& c : {Case{false, false, true, 1}, Case{true, false, true, 2}, Case{false, true, true, 4},
                        Case{true, true, true, 5}, Case{false, false, false, 7}, Case{true, false, false, 8},
                        Case{false, true, false, 10}, Case{true, true, false, 11}}) {
    TInstallItem program;
    program.Default = c.isDefault;
    program.Fixed = c.fixed;
    program.Visible = c.visible;
    EXPECT_EQ(ProgramStateImage(program), c.slot) << c.isDefault << c.fixed << c.visible;
  }
}

// 13 cells of 21 x 17: slot 0 empty, the others all different, and each hidden form keeps the
// visible form's marks in the lower right corner but not in the upper left one.
TEST(StatePicturesTest, ThirteenDistinctPicturesWithHiddenFormsMarkedLowerRight) {
  const ImageList& states = SelectTreeStateImg();
  ASSERT_EQ(states.count(), kStatePictureCount);
  EXPECT_EQ(states.width(), kStatePictureWidth);
  EXPECT_EQ(states.height(), kStatePictureHeight);
  const QImage& none = states.at(0);
  for (int y = 0; y < none.height(); ++y) {
    for (int x = 0; x < none.width(); ++x) ASSERT_EQ(qAlpha(none.pixel(x, y)), 0) << x << "," << y;
  }
  std::set<QByteArray> distinct;
  for (int slot = 1; slot < kStatePictureCount; ++slot) {
    const QImage& picture = states.at(slot);
    distinct.insert(QByteArray(reinterpret_cast<const char*>(picture.constBits()), picture.sizeInBytes()));
  }
  EXPECT_EQ(distinct.size(), 12u);
  // The box's inside: the lower right corner and the upper left one.
  const QRect lowerRight(12, 10, 3, 3);
  const QRect upperLeft(6, 4, 3, 3);
  for (int slot = 1; slot <= 6; ++slot) {
    const QImage& shown = states.at(slot);
    const QImage& hidden = states.at(slot + 6);
    EXPECT_EQ(shown.copy(lowerRight), hidden.copy(lowerRight)) << slot;
    EXPECT_NE(shown.copy(upperLeft), hidden.copy(upperLeft)) << slot;
  }
}

TEST(GroupStateImageTest, AllFixedAddsThreeAndNeedsPrograms) {
  TInstallGroup group;
  EXPECT_FALSE(AllProgramsFixed(group));  // no programs
  for (bool fixed : {true, true, false}) {
    group.Items.push_back(std::make_unique<TInstallItem>());
    group.Items.back()->Fixed = fixed;
  }
  EXPECT_FALSE(AllProgramsFixed(group));
  group.Items.back()->Fixed = true;
  EXPECT_TRUE(AllProgramsFixed(group));

  struct Case {
    GroupSelection state;
    bool allFixed;
    int slot;
  };
  for (const Case& c : {Case{GroupSelection::None, false, 1}, Case{GroupSelection::All, false, 2},
                        Case{GroupSelection::Some, false, 3}, Case{GroupSelection::NoPrograms, false, 3},
                        Case{GroupSelection::None, true, 4}, Case{GroupSelection::All, true, 5},
                        Case{GroupSelection::Some, true, 6}}) {
    group.State = c.state;
    group.AllFixed = c.allFixed;
    EXPECT_EQ(GroupStateImage(group), c.slot);
  }
}

// The fill stores AllFixed and shows it in the group's state picture; an empty group is not
// all fixed, and a program's state picture follows its flags whenever it is drawn.
TEST_F(TreeTest, FillShowsGroupAndProgramStatePictures) {
  TInstallGroup* fixed = addGroup("Fixed", {"F1", "F2"});
  TInstallGroup* mixed = addGroup("Mixed", {"M1", "M2"});
  TInstallGroup* empty = addGroup("Empty", {});
  for (const auto& item : fixed->Items) item->Fixed = true;
  mixed->Items[0]->Fixed = true;
  fixed->State = GroupSelection::All;
  mixed->State = GroupSelection::Some;
  empty->State = GroupSelection::NoPrograms;
  page_.FillProgramTree();

  EXPECT_TRUE(fixed->AllFixed);
  EXPECT_FALSE(mixed->AllFixed);
  EXPECT_FALSE(empty->AllFixed);
  EXPECT_EQ(statePicture(fixed->Node), 5);
  EXPECT_EQ(statePicture(mixed->Node), 3);
  EXPECT_EQ(statePicture(empty->Node), 3);

  TInstallItem* m2 = program("M2");
  EXPECT_EQ(statePicture(m2->Node), 1);
  m2->Default = true;
  m2->Visible = false;
  EXPECT_EQ(statePicture(m2->Node), 8);
  m2->SmallImage = 42;
  EXPECT_EQ(picture(m2->Node), 42);
}

TEST_F(TreeTest, NoButtonsLinesEditingOrMenuAndAlwaysVisibleSelection) {
  const SelectProgTree& t = tree();
  EXPECT_EQ(t.objectName(), QStringLiteral("SelectProgTree"));
  EXPECT_EQ(t.indentation(), 19);
  EXPECT_FALSE(t.rootIsDecorated());
  EXPECT_FALSE(t.itemsExpandable());  // Qt's own expanding is off: ours asks first
  EXPECT_TRUE(t.isHeaderHidden());
  EXPECT_EQ(t.editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_EQ(t.selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(t.selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_EQ(t.contextMenuPolicy(), Qt::NoContextMenu);
  EXPECT_GE(t.minimumWidth(), 250);
  EXPECT_EQ(t.palette().color(QPalette::Inactive, QPalette::Highlight),
            t.palette().color(QPalette::Active, QPalette::Highlight));
}

// Group pictures: 0 collapsed, 1 expanded, 2 locked in either state; double-click and the
// keyboard expand and collapse, but not on a state picture and never a locked group.
TEST_F(TreeTest, DoubleClickExpandsAndCollapsesButNotOnTheStatePicture) {
  TInstallGroup* normal = addGroup("Normal", {"N1", "N2"});
  addGroup("Other", {"O1"});
  page_.FillProgramsPage();
  showPage();
  QTreeWidgetItem* node = normal->Node;
  EXPECT_EQ(node->text(0), QStringLiteral("--- Normal ---"));
  EXPECT_FALSE(node->isExpanded());
  EXPECT_EQ(picture(node), kGroupPicture);

  doubleClick(statePoint(node));
  EXPECT_FALSE(node->isExpanded());
  doubleClick(textPoint(node));
  EXPECT_TRUE(node->isExpanded());
  EXPECT_EQ(picture(node), kExpandedGroupPicture);
  doubleClick(statePoint(node));
  EXPECT_TRUE(node->isExpanded());
  doubleClick(textPoint(node));
  EXPECT_FALSE(node->isExpanded());
  EXPECT_EQ(picture(node), kGroupPicture);
}

TEST_F(TreeTest, KeyboardExpandsAndCollapsesUnlessThePointerRestsOnAStatePicture) {
  TInstallGroup* normal = addGroup("Normal", {"N1", "N2"});
  page_.FillProgramsPage();
  showPage();
  QTreeWidgetItem* node = normal->Node;
  tree().selectNode(node);
  QTest::keyClick(&tree(), Qt::Key_Right);
  EXPECT_TRUE(node->isExpanded());
  QTest::keyClick(&tree(), Qt::Key_Left);
  EXPECT_FALSE(node->isExpanded());
  QTest::keyClick(&tree(), Qt::Key_Plus);
  EXPECT_TRUE(node->isExpanded());
  QTest::keyClick(&tree(), Qt::Key_Minus);
  EXPECT_FALSE(node->isExpanded());

  QCursor::setPos(tree().viewport()->mapToGlobal(statePoint(node)));
  QTest::keyClick(&tree(), Qt::Key_Right);
  EXPECT_FALSE(node->isExpanded());
  QCursor::setPos(tree().viewport()->mapToGlobal(textPoint(node)));
  QTest::keyClick(&tree(), Qt::Key_Right);
  EXPECT_TRUE(node->isExpanded());
  // Right again goes to the first program, Left from there back to the group.
  QTest::keyClick(&tree(), Qt::Key_Right);
  EXPECT_EQ(tree().currentItem(), normal->Items[0]->Node);
  QTest::keyClick(&tree(), Qt::Key_Left);
  EXPECT_EQ(tree().currentItem(), node);
  EXPECT_TRUE(node->isExpanded());
}

TEST_F(TreeTest, LockedGroupOpensGreyAndNeverCollapses) {
  TInstallGroup* locked = addGroup("Locked", {"L1"}, true, true);
  page_.FillProgramsPage();
  showPage();
  QTreeWidgetItem* node = locked->Node;
  EXPECT_EQ(node->text(0), QStringLiteral("--- Locked ---"));
  EXPECT_TRUE(node->isExpanded());
  EXPECT_EQ(picture(node), kLockedGroupPicture);
  EXPECT_EQ(tree().currentItem(), node);

  doubleClick(textPoint(node));
  EXPECT_TRUE(node->isExpanded());
  for (Qt::Key key : {Qt::Key_Left, Qt::Key_Minus}) {
    QTest::keyClick(&tree(), key);
    EXPECT_TRUE(node->isExpanded());
    EXPECT_EQ(tree().currentItem(), node);
  }
  EXPECT_EQ(picture(node), kLockedGroupPicture);
}

// A group without programs has nothing to open: double-click and keys leave it as it is.
TEST_F(TreeTest, EmptyGroupNeitherExpandsNorCollapses) {
  TInstallGroup* empty = addGroup("Empty", {});
  page_.FillProgramsPage();
  showPage();
  doubleClick(textPoint(empty->Node));
  QTest::keyClick(&tree(), Qt::Key_Right);
  EXPECT_FALSE(empty->Node->isExpanded());
  EXPECT_EQ(picture(empty->Node), kGroupPicture);
}

// The node selected in place of a removed one: the next of its group, else the previous,
// else the group.
TEST_F(TreeTest, RemovedNodeGivesWayToNextThenPreviousThenGroup) {
  TInstallGroup* group = addGroup("G", {"A", "B", "C"}, true);
  addGroup("Next", {"X"}, true);
  page_.FillProgramTree();
  EXPECT_EQ(tree().removeNode(program("A")->Node), program("B")->Node);
  EXPECT_EQ(tree().removeNode(program("C")->Node), program("B")->Node);
  EXPECT_EQ(tree().removeNode(program("B")->Node), group->Node);
}

}  // namespace
}  // namespace sw::testing
