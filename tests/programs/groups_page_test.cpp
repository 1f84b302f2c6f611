#include "programs/groups_page.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "model/project.h"
#include "model/project_document.h"
#include "platform/text.h"
#include "programs/editor_state.h"
#include "programs/group_list_box.h"
#include "support/temp_dir.h"
#include "support/tree_copy.h"
#include "support/widget_lookup.h"

namespace sw {
namespace {

using testing::child;

const std::string kDemo = std::string(SETWRIGHT_SOURCE_DIR) + "/examples/demo";

std::string cp(const char* utf8) { return text::fromUtf8(utf8); }

// Regions of a widget that were painted.
class PaintRecorder : public QObject {
 public:
  QRegion painted;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

class GroupsPageTest : public ::testing::Test {
 protected:
  GroupsPageTest() { page_.setProject(project(), state_, doc_.smallPictures()); }

  Project& project() { return doc_.project(); }
  TInstallGroup* group(int index) { return GroupAt(project(), index); }
  TInstallGroup* addGroup(const char* name) { return AddGroup(project(), cp(name), cp("Описание")); }
  TInstallItem* addProgram(TInstallGroup* group, std::int32_t number) {
    auto program = NewProgram(group);
    program->Number = number;
    return AttachProgram(project(), group, std::move(program));
  }

  GroupListBox& list() { return *child<GroupListBox>(page_, "GroupListBox"); }
  QLineEdit& nameEd() { return *child<QLineEdit>(page_, "NameGroupEd"); }
  QPlainTextEdit& descrEd() { return *child<QPlainTextEdit>(page_, "DescrGroupEd"); }
  QRadioButton& kind(const char* name) { return *child<QRadioButton>(page_, name); }
  void click(const char* name) { child<QAbstractButton>(page_, name)->click(); }
  void select(int row) { list().setCurrentRow(row); }  // as the user's click does
  static void type(QWidget& widget, const QString& text) {
    for (const QChar c : text) QTest::sendKeyEvent(QTest::Click, &widget, Qt::Key_unknown, QString(c), {});
  }
  std::vector<std::string> names() {
    std::vector<std::string> all;
    for (const auto& g : project().Groups) all.push_back(text::toUtf8(g->Name));
    return all;
  }
  void show() {
    page_.resize(640, 530);
    page_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page_));
  }
  // Whether every opaque pixel of small picture `picture` is where the row's picture goes.
  bool rowShowsPicture(int row, int picture) {
    const QImage shot = list().viewport()->grab().toImage();
    const QRect r = list().visualItemRect(list().item(row));
    const QImage& expected = doc_.smallPictures().at(picture);
    for (int y = 0; y < expected.height(); ++y)
      for (int x = 0; x < expected.width(); ++x)
        if (qAlpha(expected.pixel(x, y)) == 255 &&
            (shot.pixel(r.left() + 2 + x, r.top() + 1 + y) & 0xFFFFFF) != (expected.pixel(x, y) & 0xFFFFFF))
          return false;
    return true;
  }
  // Whether anything is drawn where the row's name goes.
  bool rowShowsText(int row) {
    const QImage shot = list().viewport()->grab().toImage();
    const QRect r = list().visualItemRect(list().item(row));
    const QRgb background = shot.pixel(r.left() + 19, r.center().y());
    for (int y = r.top() + 2; y < r.bottom() - 2; ++y)
      for (int x = r.left() + 20; x < r.left() + 120; ++x)
        if (shot.pixel(x, y) != background) return true;
    return false;
  }

  ProjectDocument doc_;
  EditorState state_;
  GroupsPage page_;
};

TEST_F(GroupsPageTest, FillShowsTheDemoGroupsAndWalkingThroughThemChangesNone) {
  ASSERT_TRUE(doc_.open(kDemo + "/setup.ini", kDemo).ok());
  std::vector<std::tuple<std::string, std::string, bool, bool>> before;
  for (const auto& g : project().Groups) before.emplace_back(g->Name, g->Description, g->Expanded, g->Locked);
  page_.FillGroupsPage();
  ASSERT_EQ(list().count(), GroupCount(project()));
  EXPECT_EQ(list().selectedRow(), 0);
  EXPECT_EQ(state_.CurrentGroup, group(0));
  EXPECT_EQ(nameEd().text(), QStringLiteral("Система"));
  // Every row shows its own group with the radio button of its kind ("+" expanded, "#" locked).
  const char* kinds[] = {"ExpandGroupRb", "BlockedGroupRb", "BlockedGroupRb", "NormGroupRb"};
  for (int row = 0; row < list().count(); ++row) {
    select(row);
    EXPECT_EQ(state_.CurrentGroup, group(row));
    EXPECT_EQ(text::fromQString(nameEd().text()), group(row)->Name);
    if (row < 4) {
      EXPECT_TRUE(kind(kinds[row]).isChecked()) << row;
    }
  }
  select(0);
  EXPECT_FALSE(state_.Updating);
  for (int i = 0; i < GroupCount(project()); ++i)
    EXPECT_EQ(before[static_cast<std::size_t>(i)],
              std::make_tuple(group(i)->Name, group(i)->Description, group(i)->Expanded, group(i)->Locked));
}

TEST_F(GroupsPageTest, PanelComesBackByteForByteAndTypedLineBreaksAreKept) {
  TInstallGroup* a = addGroup("А");
  addGroup("Б");
  a->Name = cp("Имя\xC2\xA0с пробелом ") + "\x98";
  a->Description = cp("раз\xC2\xA0два\nтри\r\nчетыре\rпять  ") + "\x98";
  const std::string name = a->Name;
  const std::string description = a->Description;
  page_.FillGroupsPage();
  select(1);
  select(0);
  page_.StoreGroup(a);
  EXPECT_EQ(a->Name, name);
  EXPECT_EQ(a->Description, description);

  // Typed: Enter and Shift+Enter break lines the Windows way, a no-break space stays one.
  descrEd().clear();
  type(descrEd(), QStringLiteral("один"));
  QTest::keyClick(&descrEd(), Qt::Key_Return);
  type(descrEd(), QStringLiteral("два\u00A0три"));
  QTest::keyClick(&descrEd(), Qt::Key_Return, Qt::ShiftModifier);
  type(descrEd(), QStringLiteral("x"));
  EXPECT_EQ(a->Description, description) << "the memo has no change handler";
  page_.StoreGroup(state_.CurrentGroup);  // what leaving the page does
  EXPECT_EQ(a->Description, cp("один\r\nдва\xC2\xA0три\r\nx"));
}

TEST_F(GroupsPageTest, TypedNameRenamesTheGroupAtOnceAndItsProgramsKeepTheirGroupField) {
  TInstallGroup* a = addGroup("Система");
  TInstallItem* program = addProgram(a, 1);
  page_.FillGroupsPage();
  show();
  EXPECT_TRUE(rowShowsText(0));
  nameEd().clear();
  EXPECT_EQ(a->Name, "");
  EXPECT_FALSE(rowShowsText(0)) << "the row draws the group's name, not its own text";
  type(nameEd(), QStringLiteral("Сис"));
  EXPECT_EQ(a->Name, cp("Сис"));
  EXPECT_EQ(program->Group, cp("Система"));
}

TEST_F(GroupsPageTest, KindButtonsSetBothFlagsAndTheRowPictureAtOnce) {
  TInstallGroup* a = addGroup("А");
  page_.FillGroupsPage();
  show();
  EXPECT_TRUE(rowShowsPicture(0, 0));
  PaintRecorder recorder;
  list().viewport()->installEventFilter(&recorder);
  QCoreApplication::processEvents();
  recorder.painted = {};
  click("BlockedGroupRb");
  EXPECT_TRUE(a->Expanded && a->Locked);
  QCoreApplication::processEvents();
  EXPECT_TRUE(recorder.painted.contains(list().visualItemRect(list().item(0))))
      << "repainted without waiting";
  EXPECT_TRUE(rowShowsPicture(0, 2));
  click("ExpandGroupRb");
  EXPECT_TRUE(a->Expanded && !a->Locked);
  EXPECT_TRUE(rowShowsPicture(0, 1));
  click("NormGroupRb");
  EXPECT_TRUE(!a->Expanded && !a->Locked);
  // A group that is locked but not expanded still shows the third kind.
  a->Expanded = false;
  a->Locked = true;
  page_.ShowGroup(a);
  EXPECT_TRUE(kind("BlockedGroupRb").isChecked());
}

TEST_F(GroupsPageTest, AddTakesTheFirstFreeNameAndShowsTheNewGroup) {
  TInstallGroup* first = addGroup("Новая группа 1");
  first->Locked = first->Expanded = true;
  addGroup("Новая группа 3");
  addGroup("новая группа 2");  // names compare with letter case
  page_.FillGroupsPage();
  descrEd().setPlainText(QStringLiteral("набрано"));
  click("GrpAddBt");
  EXPECT_EQ(first->Description, cp("набрано")) << "the panel is stored before the add";
  ASSERT_EQ(GroupCount(project()), 4);
  TInstallGroup* added = group(3);
  EXPECT_EQ(added->Name, cp("Новая группа 2"));
  EXPECT_EQ(added->Description, cp("Описание новой группы"));
  EXPECT_TRUE(!added->Expanded && !added->Locked && added->Items.empty());
  EXPECT_EQ(list().selectedRow(), 3);
  EXPECT_EQ(state_.CurrentGroup, added);
  EXPECT_EQ(nameEd().text(), QStringLiteral("Новая группа 2"));
  EXPECT_TRUE(kind("NormGroupRb").isChecked());
}

TEST_F(GroupsPageTest, DeleteSelectsThePreviousOrFirstRowAndAnEmptyListIgnoresTheButtons) {
  for (const char* name : {"А", "Б", "В"}) addGroup(name);
  page_.FillGroupsPage();
  select(2);
  click("GrpDelBt");
  EXPECT_EQ(names(), (std::vector<std::string>{"А", "Б"}));
  EXPECT_EQ(list().selectedRow(), 1);
  EXPECT_EQ(state_.CurrentGroup, group(1));
  select(0);
  click("GrpDelBt");
  EXPECT_EQ(names(), std::vector<std::string>{"Б"});
  EXPECT_EQ(list().selectedRow(), 0);
  EXPECT_EQ(nameEd().text(), QStringLiteral("Б"));
  click("GrpDelBt");
  EXPECT_EQ(GroupCount(project()), 0);
  EXPECT_EQ(list().count(), 0);
  EXPECT_EQ(state_.CurrentGroup, nullptr);
  EXPECT_EQ(nameEd().text(), QStringLiteral("Б")) << "the panel keeps what it showed";
  type(nameEd(), QStringLiteral("x"));
  for (const char* button : {"GrpUpBt", "GrpDownBt", "GrpDelBt"}) {
    EXPECT_TRUE(child<QAbstractButton>(page_, button)->isEnabled());
    click(button);
  }
  EXPECT_EQ(list().selectedRow(), -1);
  page_.FillGroupsPage();
  EXPECT_EQ(list().selectedRow(), -1);
}

TEST_F(GroupsPageTest, DeletingAGroupDropsItsProgramsNumbersThatNoOtherProgramHas) {
  TInstallGroup* doomed = addGroup("А");
  addProgram(doomed, 1);
  TInstallItem* current = addProgram(doomed, 2);
  TInstallItem* referring = addProgram(addGroup("Б"), 3);
  addProgram(group(1), 2);  // another program with the same number
  SetReferences(project(), *referring, &TInstallItem::Depends, {1, 4});
  SetReferences(project(), *referring, &TInstallItem::DependsOr, {2, 1});
  SetReferences(project(), *referring, &TInstallItem::Exclude, {1});
  state_.CurrentProgram = current;
  page_.FillGroupsPage();
  click("GrpDelBt");
  EXPECT_EQ(referring->Depends, std::vector<std::int32_t>{4});
  EXPECT_EQ(referring->DependsOr, std::vector<std::int32_t>{2});
  EXPECT_TRUE(referring->Exclude.empty());
  EXPECT_EQ(state_.CurrentProgram, nullptr);
}

TEST_F(GroupsPageTest, UpAndDownMoveTheSelectedGroupAndKeepThePanel) {
  TInstallGroup* a = addGroup("А");
  for (const char* name : {"Б", "В"}) addGroup(name);
  page_.FillGroupsPage();
  click("GrpUpBt");
  EXPECT_EQ(names(), (std::vector<std::string>{"А", "Б", "В"}));
  click("GrpDownBt");
  click("GrpDownBt");
  EXPECT_EQ(names(), (std::vector<std::string>{"Б", "В", "А"}));
  EXPECT_EQ(list().groupAt(2), a);
  click("GrpDownBt");
  EXPECT_EQ(names(), (std::vector<std::string>{"Б", "В", "А"}));
  click("GrpUpBt");
  EXPECT_EQ(names(), (std::vector<std::string>{"Б", "А", "В"}));
  EXPECT_EQ(list().selectedRow(), 1);
  EXPECT_EQ(list().groupAt(1), a);
  EXPECT_EQ(state_.CurrentGroup, a);
  EXPECT_EQ(nameEd().text(), QStringLiteral("А"));
  for (const char* button : {"GrpUpBt", "GrpDownBt"})
    EXPECT_TRUE(child<QToolButton>(page_, button)->isEnabled());
}

TEST_F(GroupsPageTest, UpdatingSilencesTheNameAndKindHandlers) {
  TInstallGroup* a = addGroup("А");
  page_.FillGroupsPage();
  EXPECT_FALSE(state_.Updating);
  state_.Updating = true;
  type(nameEd(), QStringLiteral("x"));
  click("BlockedGroupRb");
  EXPECT_EQ(a->Name, cp("А"));
  EXPECT_FALSE(a->Expanded || a->Locked);
  // The operations the window calls leave the flag as they found it.
  page_.StoreGroup(a);
  EXPECT_TRUE(state_.Updating);
  state_.Updating = false;
  type(nameEd(), QStringLiteral("y"));
  EXPECT_EQ(a->Name, cp("Аxy"));
  EXPECT_TRUE(a->Locked);
}

TEST_F(GroupsPageTest, RenamedGroupKeepsItsProgramsInTheSavedFile) {
  testing::TempDir dir;
  ASSERT_TRUE(testing::copyTree(kDemo, dir.file("demo")));
  const std::string file = text::fromUtf8(dir.file("demo/setup.ini"));
  ASSERT_TRUE(doc_.open(file, text::fromUtf8(dir.file("demo"))).ok());
  page_.FillGroupsPage();
  const std::size_t programs = group(0)->Items.size();
  ASSERT_GT(programs, 0u);
  nameEd().setText(QStringLiteral("Базовые"));
  ASSERT_TRUE(doc_.save(file).ok());

  ProjectDocument reread;
  ASSERT_TRUE(reread.open(file, text::fromUtf8(dir.file("demo"))).ok());
  const TInstallGroup* renamed = FindGroup(reread.project(), cp("Базовые"));
  ASSERT_NE(renamed, nullptr);
  EXPECT_EQ(renamed->Items.size(), programs);
  EXPECT_TRUE(renamed->Expanded);
  EXPECT_EQ(FindGroup(reread.project(), cp("Система")), nullptr);
}

TEST_F(GroupsPageTest, LayoutAt640x530ShowsEveryTextWholeAndRowsOf22Pixels) {
  addGroup("Alpha");
  addGroup("Mike");
  page_.FillGroupsPage();
  show();
  for (const QLabel* label : page_.findChildren<QLabel*>())
    EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
  for (const QAbstractButton* button : page_.findChildren<QAbstractButton*>())
    EXPECT_GE(button->width(), button->sizeHint().width()) << button->objectName().toStdString();
  for (const char* arrow : {"GrpUpBt", "GrpDownBt"})
    EXPECT_EQ(child<QToolButton>(page_, arrow)->size(), QSize(25, 25));
  EXPECT_GE(child<QGroupBox>(page_, "GroupPropertiesGroupBox")->width(), 298);
  EXPECT_EQ(descrEd().height(), 72);
  EXPECT_EQ(list().visualItemRect(list().item(1)).height(), 22);
  // Letters typed in the list do not jump to a row.
  list().setFocus();
  QTest::keyClick(&list(), Qt::Key_M);
  EXPECT_EQ(list().selectedRow(), 0);
}

}  // namespace
}  // namespace sw
