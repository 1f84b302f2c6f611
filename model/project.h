#pragma once
// The one project held in memory: settings, stage sets, user buttons, user environment,
// groups with their programs, the runtime values of the editor, and the display picture
// lists. The operations are free functions over a Project; the editor has one instance,
// tests make their own.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/records.h"

namespace sw {

class ImageList;

// Programs by number, built lazily from the groups and dropped by InvalidateProgramIndex.
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

  // Display picture lists, owned by the window (or by the CLI or a test); may be null.
  ImageList* SmallProgramImages = nullptr;
  ImageList* LargeProgramImages = nullptr;
  int BuiltinImageCount = 4;

  mutable ProgramIndex Index;
};

// Call after changing Groups, Items, a Number or a reference list directly (not through the
// operations below), so that lookups by number see the change.
void InvalidateProgramIndex(const Project& project);
// The index, rebuilt if needed (time linear in the number of programs and references).
const ProgramIndex& ProgramIndexOf(const Project& project);

void CreateProjectLists(Project& project);
void ClearGroups(Project& project);
int GroupCount(const Project& project);
TInstallGroup* GroupAt(const Project& project, int index);
TInstallGroup* FindGroup(const Project& project, const std::string& name);
TInstallGroup* AddGroup(Project& project, const std::string& name, const std::string& description);
// Also removes, from every remaining program's lists, the numbers that no remaining program has.
void DeleteGroup(Project& project, TInstallGroup* group);
std::string NewGroupName(const Project& project);
std::unique_ptr<TInstallItem> NewProgram(TInstallGroup* group);
// Takes ownership; returns the group's new program count, or 0 (and drops nothing the
// caller still owns) when either is null.
int AttachProgram(Project& project, TInstallGroup* group, std::unique_ptr<TInstallItem>& program);
// Also removes its number from every remaining program's lists unless another program has it.
void DeleteProgram(Project& project, TInstallItem* program);
std::string NewProgramName(const TInstallGroup* group);
std::int32_t NextProgramNumber(const Project& project);
int ProgramCount(const Project& project);

}  // namespace sw
