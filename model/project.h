#pragma once
// The one project held in memory: settings, stage sets, user buttons, user environment,
// groups with their programs, the runtime values of the editor, and the display picture
// lists. The operations are free functions over a Project; ProjectDocument holds the editor's
// and the command line's instance, tests make their own.
//
// Groups, programs, numbers and reference lists change through the operations below only:
// each keeps the index by number right, so no caller has to remember it.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/picture_slots.h"
#include "model/records.h"

namespace sw {

class ImageList;

// Programs by number, built from the groups on first use after a change.
struct ProgramIndex {
  bool valid = false;
  // Every program with a number, in group order and item order.
  std::unordered_map<std::int32_t, std::vector<TInstallItem*>> byNumber;
  // The program FindProgram answers for a number.
  std::unordered_map<std::int32_t, TInstallItem*> found;
  // Programs whose Depends or DependsOr holds a number, in group and item order, each once.
  std::unordered_map<std::int32_t, std::vector<TInstallItem*>> dependants;
};

struct Project {
  ProjectSettings Settings;
  TStageSet Preinstall;
  TStageSet Postinstall;
  std::array<TUserFuncItem, 3> UserButtons;
  std::vector<std::string> UserEnvironment;  // "NAME=value", unexpanded
  std::vector<std::unique_ptr<TInstallGroup>> Groups;

  // Runtime values of the editor.
  bool EditorMode = false;
  std::string ProjectRootFolder;  // from the start page, 1251
  std::string SelfValue;
  std::string RootValue;
  std::string SourceValue;

  // Display picture lists, owned by the document (or a test); may be null.
  ImageList* SmallProgramImages = nullptr;
  ImageList* LargeProgramImages = nullptr;
  int BuiltinImageCount = kBuiltinSmallPictures;
  // The colour small icons are drawn on, and then transparent in their pictures.
  std::uint32_t IconBackgroundColor = 0xFFFFFFFFu;  // white until the window records its own

  mutable ProgramIndex Index;
};

// The index, rebuilt if an operation changed the programs (time linear in the number of
// programs and references).
const ProgramIndex& ProgramIndexOf(const Project& project);

void CreateProjectLists(Project& project);
void ClearGroups(Project& project);
int GroupCount(const Project& project);
TInstallGroup* GroupAt(const Project& project, int index);
TInstallGroup* FindGroup(const Project& project, const std::string& name);
TInstallGroup* AddGroup(Project& project, const std::string& name, const std::string& description);
// Also removes, from every remaining program's lists, the numbers that no remaining program has.
void DeleteGroup(Project& project, TInstallGroup* group);
// Moves the group at `from` to position `to` of Groups (both below GroupCount).
void MoveGroup(Project& project, int from, int to);
std::string NewGroupName(const Project& project);

std::unique_ptr<TInstallItem> NewProgram(TInstallGroup* group);
// Appends the program to the group's Items, with Owner the group and Group its name; returns
// the attached record, or null (and the program is dropped) when either is null.
TInstallItem* AttachProgram(Project& project, TInstallGroup* group, std::unique_ptr<TInstallItem> program);
// Puts the program at `position` of the group's Items (the end when past it). A program that
// changes group takes the new group's name in Group, as an attached one does.
void MoveProgram(Project& project, TInstallItem& program, TInstallGroup& group, std::size_t position);
// Replaces one of the program's reference lists (Depends, DependsOr or Exclude).
void SetReferences(Project& project, TInstallItem& program, std::vector<std::int32_t> TInstallItem::*list,
                   std::vector<std::int32_t> numbers);
// Also removes its number from every remaining program's lists unless another program has it.
void DeleteProgram(Project& project, TInstallItem* program);
std::string NewProgramName(const TInstallGroup* group);
std::int32_t NextProgramNumber(const Project& project);
int ProgramCount(const Project& project);

// Numbers the programs 0, 1, 2, ... in group and item order and maps every reference list to
// the new numbers; entries that named no program are dropped.
void RenumberPrograms(Project& project);

}  // namespace sw
