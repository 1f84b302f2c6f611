#include "model/project.h"

#include <gtest/gtest.h>

#include "model/references.h"
#include "platform/text.h"

namespace sw {
namespace {

using Numbers = std::vector<std::int32_t>;

TInstallItem* AddProgram(Project& project, TInstallGroup* group, std::int32_t number,
                         const std::string& caption = {}) {
  auto program = NewProgram(group);
  program->Number = number;
  program->Caption = caption;
  return AttachProgram(project, group, std::move(program));
}

std::string GroupName(int n) { return text::fromUtf8("Новая группа " + std::to_string(n)); }
std::string ProgramName(int n) { return text::fromUtf8("Новая программа " + std::to_string(n)); }

TEST(NewNames, TakeTheFirstFreeSuffixComparedExactly) {
  Project project;
  EXPECT_EQ(NewGroupName(project), GroupName(1));
  EXPECT_EQ(static_cast<unsigned char>(NewGroupName(project)[0]), 0xCD);  // 1251 bytes, not UTF-8
  AddGroup(project, GroupName(1), "");
  AddGroup(project, GroupName(3), "");
  EXPECT_EQ(NewGroupName(project), GroupName(2));

  Project lowerCase;
  AddGroup(lowerCase, text::fromUtf8("новая группа 1"), "");
  EXPECT_EQ(NewGroupName(lowerCase), GroupName(1));

  TInstallGroup* first = AddGroup(project, "A", "");
  TInstallGroup* second = AddGroup(project, "B", "");
  AddProgram(project, first, 0, ProgramName(1));
  AddProgram(project, first, 1, ProgramName(2));
  AddProgram(project, second, 2, ProgramName(3));
  EXPECT_EQ(NewProgramName(first), ProgramName(3));
  EXPECT_EQ(NewProgramName(second), ProgramName(1));
  EXPECT_EQ(NewProgramName(nullptr), "");
}

TEST(GroupLookup, FindsExactlyAndRejectsPositionsOutOfRange) {
  Project project;
  EXPECT_EQ(GroupAt(project, 0), nullptr);
  TInstallGroup* first = AddGroup(project, "Tools", "one");
  TInstallGroup* second = AddGroup(project, "Tools", "two");
  AddGroup(project, "Other", "");
  EXPECT_EQ(FindGroup(project, "Tools"), first);
  EXPECT_EQ(FindGroup(project, "tools"), nullptr);
  EXPECT_EQ(FindGroup(project, "Tool"), nullptr);
  EXPECT_EQ(GroupAt(project, 1), second);
  EXPECT_EQ(GroupAt(project, 3), nullptr);
  EXPECT_EQ(GroupAt(project, -1), nullptr);
  EXPECT_EQ(GroupCount(project), 3);
}

TEST(AttachProgram, AppendsAndReturnsTheRecordOnlyWhenBothAreGiven) {
  Project project;
  TInstallGroup* group = AddGroup(project, "Target", "");
  TInstallGroup* other = AddGroup(project, "Other", "");
  auto program = NewProgram(other);
  EXPECT_EQ(program->Group, "Other");
  EXPECT_TRUE(other->Items.empty());  // not attached yet
  EXPECT_EQ(AttachProgram(project, nullptr, NewProgram(other)), nullptr);
  EXPECT_EQ(AttachProgram(project, group, nullptr), nullptr);
  EXPECT_TRUE(group->Items.empty());

  AddProgram(project, group, 4);
  TInstallItem* attached = AttachProgram(project, group, std::move(program));
  ASSERT_NE(attached, nullptr);
  EXPECT_EQ(group->Items.back().get(), attached);
  EXPECT_EQ(attached->Owner, group);
  EXPECT_EQ(attached->Group, "Target");
  EXPECT_EQ(ProgramCount(project), 2);
}

TEST(NextProgramNumber, IsOneAboveTheHighest) {
  Project project;
  EXPECT_EQ(NextProgramNumber(project), 0);
  TInstallGroup* first = AddGroup(project, "A", "");
  TInstallGroup* second = AddGroup(project, "B", "");
  EXPECT_EQ(NextProgramNumber(project), 0);
  AddProgram(project, first, 0);
  AddProgram(project, second, 7);
  AddProgram(project, first, 3);
  EXPECT_EQ(NextProgramNumber(project), 8);
}

TEST(ClearGroups, DropsProgramsButKeepsEverythingElse) {
  Project project;
  project.Settings.Autor = "me";
  project.UserEnvironment = {"A=1"};
  TInstallGroup* group = AddGroup(project, "G", "");
  AddProgram(project, group, 1);
  ASSERT_NE(FindProgram(project, 1), nullptr);
  ClearGroups(project);
  EXPECT_EQ(GroupCount(project), 0);
  EXPECT_EQ(ProgramCount(project), 0);
  EXPECT_EQ(FindProgram(project, 1), nullptr);
  EXPECT_EQ(project.Settings.Autor, "me");
  EXPECT_EQ(project.UserEnvironment.size(), 1u);
}

TEST(DeleteGroup, FreesItsProgramsAndIgnoresUnknownGroups) {
  Project project;
  TInstallGroup* kept = AddGroup(project, "Kept", "");
  TInstallGroup* doomed = AddGroup(project, "Doomed", "");
  AddProgram(project, kept, 0);
  for (std::int32_t n = 1; n <= 3; ++n) AddProgram(project, doomed, n);
  DeleteGroup(project, nullptr);
  TInstallGroup stranger;
  DeleteGroup(project, &stranger);
  EXPECT_EQ(ProgramCount(project), 4);
  DeleteGroup(project, doomed);
  EXPECT_EQ(ProgramCount(project), 1);
  EXPECT_EQ(GroupCount(project), 1);
  EXPECT_EQ(FindProgram(project, 2), nullptr);
}

TEST(DeleteProgram, ForgetsReferencesToNumbersNoProgramHoldsAnyMore) {
  Project project;
  TInstallGroup* group = AddGroup(project, "G", "");
  TInstallGroup* other = AddGroup(project, "H", "");
  TInstallItem* gone = AddProgram(project, group, 1);
  TInstallItem* twinA = AddProgram(project, group, 2);
  AddProgram(project, other, 2);
  TInstallItem* holder = AddProgram(project, group, 3);
  SetReferences(project, *holder, &TInstallItem::Depends, {1, 2, 1});
  SetReferences(project, *holder, &TInstallItem::DependsOr, {2, 1});
  SetReferences(project, *holder, &TInstallItem::Exclude, {1, 9});

  DeleteProgram(project, gone);
  EXPECT_EQ(holder->Depends, (Numbers{2}));
  EXPECT_EQ(holder->DependsOr, (Numbers{2}));
  // An unresolved number that was not deleted now is none of this operation's business.
  EXPECT_EQ(holder->Exclude, (Numbers{9}));

  // Number 2 is still held by the program in the other group.
  DeleteProgram(project, twinA);
  EXPECT_EQ(holder->Depends, (Numbers{2}));
  DeleteGroup(project, other);
  EXPECT_TRUE(holder->Depends.empty());
  EXPECT_TRUE(holder->DependsOr.empty());

  // A reused number starts with no references pointing at it.
  AddProgram(project, group, 1);
  EXPECT_TRUE(ProgramIndexOf(project).dependants.count(1) == 0);
  EXPECT_EQ(ProgramCount(project), 2);

  auto loose = NewProgram(group);
  DeleteProgram(project, loose.get());  // not attached: stays with its owner
  EXPECT_EQ(ProgramCount(project), 2);
}

// The index answers for the project as it is after every operation, with no call to remember.
TEST(ProgramIndex, FollowsEveryOperation) {
  Project project;
  TInstallGroup* first = AddGroup(project, "A", "");
  TInstallGroup* second = AddGroup(project, "B", "");
  TInstallItem* a = AddProgram(project, first, 1);
  TInstallItem* b = AddProgram(project, second, 2);
  EXPECT_EQ(FindProgram(project, 1), a);

  SetReferences(project, *b, &TInstallItem::Depends, {1, 1});
  SetReferences(project, *b, &TInstallItem::DependsOr, {1, 3});
  EXPECT_EQ(ProgramIndexOf(project).dependants.at(1), (std::vector<TInstallItem*>{b}));  // listed once
  EXPECT_EQ(ProgramIndexOf(project).dependants.at(3), (std::vector<TInstallItem*>{b}));

  // The program found for a number is the first of the last group holding it.
  TInstallItem* late = AddProgram(project, second, 1);
  EXPECT_EQ(FindProgram(project, 1), late);
  EXPECT_EQ(ProgramIndexOf(project).byNumber.at(1), (std::vector<TInstallItem*>{a, late}));
  MoveGroup(project, 1, 0);
  EXPECT_EQ(FindProgram(project, 1), a);
  MoveGroup(project, 0, 1);
  EXPECT_EQ(FindProgram(project, 1), late);

  MoveProgram(project, *late, *first, 0);
  EXPECT_EQ(late->Owner, first);
  EXPECT_EQ(late->Group, "A");
  EXPECT_EQ(FindProgram(project, 1), late);  // now first in the last group holding 1
  MoveProgram(project, *late, *first, 5);    // past the end: last
  EXPECT_EQ(first->Items.back().get(), late);
  EXPECT_EQ(FindProgram(project, 1), a);

  DeleteProgram(project, late);
  EXPECT_EQ(FindProgram(project, 1), a);

  RenumberPrograms(project);
  EXPECT_EQ(FindProgram(project, 0), a);
  EXPECT_EQ(FindProgram(project, 1), b);
  EXPECT_EQ(FindProgram(project, 2), nullptr);
  EXPECT_EQ(ProgramIndexOf(project).dependants.at(0), (std::vector<TInstallItem*>{b}));

  DeleteGroup(project, first);
  EXPECT_EQ(FindProgram(project, 0), nullptr);
  EXPECT_TRUE(b->Depends.empty());
  ClearGroups(project);
  EXPECT_EQ(FindProgram(project, 1), nullptr);
}

TEST(MoveProgram, KeepsOrderAndGroupNameRules) {
  Project project;
  TInstallGroup* group = AddGroup(project, "G", "");
  TInstallGroup* other = AddGroup(project, "H", "");
  TInstallItem* a = AddProgram(project, group, 0);
  TInstallItem* b = AddProgram(project, group, 1);
  TInstallItem* c = AddProgram(project, group, 2);
  group->Name = "Renamed";
  MoveProgram(project, *c, *group, 0);
  EXPECT_EQ(group->Items[0].get(), c);
  EXPECT_EQ(group->Items[1].get(), a);
  EXPECT_EQ(c->Group, "G");  // moving inside its group is no new attachment
  MoveProgram(project, *a, *other, 0);
  EXPECT_EQ(a->Group, "H");
  EXPECT_EQ(ProgramCount(project), 3);
  EXPECT_EQ(group->Items.back().get(), b);
}

}  // namespace
}  // namespace sw
