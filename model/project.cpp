#include "model/project.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "model/project_keys.h"
#include "platform/text.h"

namespace sw {
namespace {

using NumberSet = std::unordered_set<std::int32_t>;

void AddDependant(ProgramIndex& index, TInstallItem* program) {
  // A number may repeat across Depends and DependsOr; the program is listed once per number.
  std::vector<std::int32_t> numbers;
  numbers.reserve(program->Depends.size() + program->DependsOr.size());
  numbers.insert(numbers.end(), program->Depends.begin(), program->Depends.end());
  numbers.insert(numbers.end(), program->DependsOr.begin(), program->DependsOr.end());
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  for (std::int32_t number : numbers) index.dependants[number].push_back(program);
}

void RebuildIndex(const Project& project) {
  ProgramIndex& index = project.Index;
  index.byNumber.clear();
  index.found.clear();
  index.dependants.clear();
  for (const auto& group : project.Groups) {
    for (const auto& item : group->Items) {
      index.byNumber[item->Number].push_back(item.get());
      AddDependant(index, item.get());
    }
  }
  // The answer for a number is the first program holding it within the last group that has one,
  // so walk the groups backwards and keep the first entry per number.
  for (auto group = project.Groups.rbegin(); group != project.Groups.rend(); ++group) {
    for (const auto& item : (*group)->Items) index.found.try_emplace(item->Number, item.get());
  }
  index.valid = true;
}

// Every operation that changes programs, numbers or references calls this.
void InvalidateProgramIndex(const Project& project) {
  ProgramIndex& index = project.Index;
  if (!index.valid) return;
  index.valid = false;
  index.byNumber.clear();
  index.found.clear();
  index.dependants.clear();
}

void DropNumbers(std::vector<std::int32_t>& list, const NumberSet& gone) {
  list.erase(std::remove_if(list.begin(), list.end(), [&](std::int32_t n) { return gone.count(n) != 0; }),
             list.end());
}

// Removes from every remaining program's lists the numbers of deleted programs that no remaining
// program holds; a number still in use keeps its references.
void ForgetDeletedNumbers(Project& project, const std::vector<std::int32_t>& deleted) {
  if (deleted.empty()) return;
  const ProgramIndex& index = ProgramIndexOf(project);
  NumberSet gone;
  for (std::int32_t number : deleted) {
    if (index.byNumber.count(number) == 0) gone.insert(number);
  }
  if (gone.empty()) return;
  bool changed = false;
  for (const auto& group : project.Groups) {
    for (const auto& item : group->Items) {
      for (auto list : kReferenceLists) {
        const std::size_t before = ((*item).*list).size();
        DropNumbers((*item).*list, gone);
        changed = changed || ((*item).*list).size() != before;
      }
    }
  }
  if (changed) InvalidateProgramIndex(project);
}

// The first "<prefix><n>" (n = 1, 2, ...) that is not in `taken`.
std::string FirstFreeName(std::string_view utf8Prefix, const std::unordered_set<std::string>& taken) {
  const std::string prefix = text::fromUtf8(utf8Prefix);
  for (std::size_t n = 1;; ++n) {
    std::string candidate = prefix + std::to_string(n);
    if (taken.count(candidate) == 0) return candidate;
  }
}

}  // namespace

const ProgramIndex& ProgramIndexOf(const Project& project) {
  if (!project.Index.valid) RebuildIndex(project);
  return project.Index;
}

void CreateProjectLists(Project& project) {
  project.Groups.clear();
  project.UserEnvironment.clear();
  InvalidateProgramIndex(project);
}

void ClearGroups(Project& project) {
  project.Groups.clear();
  InvalidateProgramIndex(project);
}

int GroupCount(const Project& project) { return static_cast<int>(project.Groups.size()); }

TInstallGroup* GroupAt(const Project& project, int index) {
  if (index < 0 || index >= GroupCount(project)) return nullptr;
  return project.Groups[static_cast<std::size_t>(index)].get();
}

TInstallGroup* FindGroup(const Project& project, const std::string& name) {
  for (const auto& group : project.Groups) {
    if (group->Name == name) return group.get();
  }
  return nullptr;
}

TInstallGroup* AddGroup(Project& project, const std::string& name, const std::string& description) {
  auto group = std::make_unique<TInstallGroup>();
  group->Name = name;
  group->Description = description;
  project.Groups.push_back(std::move(group));
  InvalidateProgramIndex(project);
  return project.Groups.back().get();
}

void DeleteGroup(Project& project, TInstallGroup* group) {
  if (group == nullptr) return;
  auto found = std::find_if(project.Groups.begin(), project.Groups.end(),
                            [&](const auto& held) { return held.get() == group; });
  if (found == project.Groups.end()) return;
  std::vector<std::int32_t> deleted;
  deleted.reserve(group->Items.size());
  for (const auto& item : group->Items) deleted.push_back(item->Number);
  project.Groups.erase(found);
  InvalidateProgramIndex(project);
  ForgetDeletedNumbers(project, deleted);
}

void MoveGroup(Project& project, int from, int to) {
  const int count = GroupCount(project);
  if (from < 0 || to < 0 || from >= count || to >= count || from == to) return;
  auto& groups = project.Groups;
  std::unique_ptr<TInstallGroup> moving = std::move(groups[static_cast<std::size_t>(from)]);
  groups.erase(groups.begin() + from);
  groups.insert(groups.begin() + to, std::move(moving));
  // Which program a number finds depends on the order of the groups.
  InvalidateProgramIndex(project);
}

std::string NewGroupName(const Project& project) {
  std::unordered_set<std::string> taken;
  for (const auto& group : project.Groups) taken.insert(group->Name);
  return FirstFreeName("Новая группа ", taken);
}

std::unique_ptr<TInstallItem> NewProgram(TInstallGroup* group) {
  auto program = std::make_unique<TInstallItem>();
  program->Owner = group;
  if (group != nullptr) program->Group = group->Name;
  return program;
}

TInstallItem* AttachProgram(Project& project, TInstallGroup* group, std::unique_ptr<TInstallItem> program) {
  if (group == nullptr || program == nullptr) return nullptr;
  program->Owner = group;
  program->Group = group->Name;
  group->Items.push_back(std::move(program));
  InvalidateProgramIndex(project);
  return group->Items.back().get();
}

void MoveProgram(Project& project, TInstallItem& program, TInstallGroup& group, std::size_t position) {
  TInstallGroup* owner = program.Owner;
  if (owner == nullptr) return;
  auto& from = owner->Items;
  auto found =
      std::find_if(from.begin(), from.end(), [&](const auto& held) { return held.get() == &program; });
  if (found == from.end()) return;
  std::unique_ptr<TInstallItem> moving = std::move(*found);
  from.erase(found);
  auto& to = group.Items;
  to.insert(to.begin() + static_cast<std::ptrdiff_t>(std::min(position, to.size())), std::move(moving));
  if (owner != &group) {
    program.Owner = &group;
    program.Group = group.Name;
  }
  InvalidateProgramIndex(project);
}

void SetReferences(Project& project, TInstallItem& program, std::vector<std::int32_t> TInstallItem::*list,
                   std::vector<std::int32_t> numbers) {
  program.*list = std::move(numbers);
  InvalidateProgramIndex(project);
}

void DeleteProgram(Project& project, TInstallItem* program) {
  // A program that is in no group's Items is owned by its caller; there is nothing to free here.
  if (program == nullptr || program->Owner == nullptr) return;
  auto& items = program->Owner->Items;
  auto found =
      std::find_if(items.begin(), items.end(), [&](const auto& held) { return held.get() == program; });
  if (found == items.end()) return;
  const std::int32_t number = program->Number;
  items.erase(found);
  InvalidateProgramIndex(project);
  ForgetDeletedNumbers(project, {number});
}

std::string NewProgramName(const TInstallGroup* group) {
  if (group == nullptr) return {};
  std::unordered_set<std::string> taken;
  for (const auto& item : group->Items) taken.insert(item->Caption);
  return FirstFreeName("Новая программа ", taken);
}

std::int32_t NextProgramNumber(const Project& project) {
  bool any = false;
  std::int32_t highest = 0;
  for (const auto& group : project.Groups) {
    for (const auto& item : group->Items) {
      highest = any ? std::max(highest, item->Number) : item->Number;
      any = true;
    }
  }
  if (!any) return 0;
  // Saturate rather than overflow; no project file can carry a number this large anyway.
  if (highest == std::numeric_limits<std::int32_t>::max()) return highest;
  return highest + 1;
}

int ProgramCount(const Project& project) {
  std::size_t count = 0;
  for (const auto& group : project.Groups) count += group->Items.size();
  return static_cast<int>(count);
}

void RenumberPrograms(Project& project) {
  std::unordered_map<std::int32_t, std::int32_t> newByOld;
  std::int32_t next = 0;
  for (const auto& group : project.Groups) {
    for (const auto& program : group->Items) {
      program->OldNumber = program->Number;
      program->Number = next++;
      newByOld[program->OldNumber] = program->Number;  // the last program with that number wins
    }
  }
  // An entry that no program had as its number is dropped: a reused number must never make it
  // point at some other program.
  auto remap = [&newByOld](std::vector<std::int32_t>& list) {
    std::size_t kept = 0;
    for (std::int32_t entry : list) {
      auto found = newByOld.find(entry);
      if (found != newByOld.end()) list[kept++] = found->second;
    }
    list.resize(kept);
  };
  for (const auto& group : project.Groups) {
    for (const auto& program : group->Items) {
      for (auto list : kReferenceLists) remap((*program).*list);
    }
  }
  InvalidateProgramIndex(project);
}

}  // namespace sw
