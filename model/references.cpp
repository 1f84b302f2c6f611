#include "model/references.h"

#include <algorithm>

#include "model/number_lookup.h"
#include "model/paths.h"
#include "model/project.h"
#include "platform/files.h"

namespace sw {
namespace {

std::string ReferenceText(const Project& project, const std::vector<std::int32_t>& list) {
  std::string text;
  // Not cleared between entries: an unresolved entry shows the caption of the one before it.
  std::string caption;
  std::size_t lineStart = 0;
  for (std::int32_t number : list) {
    if (!text.empty()) text += "  ";
    if (text.size() > DependsLineWidth + lineStart) {
      text += '|';
      lineStart += DependsLineWidth;
    }
    ProgramCaption(project, number, caption);
    text += caption;
  }
  return text;
}

bool IsDefaultAndFixed(const TInstallItem* program) {
  return program != nullptr && program->Default && program->Fixed;
}

}  // namespace

TInstallItem* FindProgram(const Project& project, std::int32_t number) {
  const ProgramIndex& index = ProgramIndexOf(project);
  auto found = index.found.find(number);
  return found == index.found.end() ? nullptr : found->second;
}

void ProgramCaption(const Project& project, std::int32_t number, std::string& caption) {
  if (const TInstallItem* program = FindProgram(project, number)) caption = program->Caption;
}

std::string DependsText(const Project& project, const TInstallItem& program) {
  return ReferenceText(project, program.Depends);
}

std::string DependsOrText(const Project& project, const TInstallItem& program) {
  return ReferenceText(project, program.DependsOr);
}

std::string ExcludeText(const Project& project, const TInstallItem& program) {
  return ReferenceText(project, program.Exclude);
}

GroupSelection GroupState(const TInstallGroup& group) {
  if (group.Items.empty()) return GroupSelection::NoPrograms;
  const auto selected =
      std::count_if(group.Items.begin(), group.Items.end(), [](const auto& item) { return item->Selected; });
  if (selected == 0) return GroupSelection::None;
  if (static_cast<std::size_t>(selected) == group.Items.size()) return GroupSelection::All;
  return GroupSelection::Some;
}

bool ExcludesAny(const TInstallItem& program, const std::vector<std::int32_t>& list) {
  if (program.Exclude.empty() || list.empty()) return false;
  return ExcludesAnyOf(program, NumberLookup(list));
}

std::string ProgramTagPath(const Project& project, const TInstallItem& program) {
  if (program.CheckTagFile.empty()) return {};
  const std::string tag = ExpandVariables(program.CheckTagFile);
  return IsAbsolutePath(tag) ? tag : ProgramFolderPath(project, program.Folder) + tag;
}

void CheckProgramTag(const Project& project, TInstallItem& program) {
  if (program.CheckTagFile.empty()) return;
  if (files::fileExists(ProgramTagPath(project, program))) return;
  program.Default = false;
  program.Selected = false;
  program.Fixed = true;
  program.Visible = false;
}

void ApplyFixedExclusions(Project& project, TInstallItem& program) {
  if (program.Exclude.empty()) return;
  if (program.Default && program.Fixed) {
    for (std::int32_t number : program.Exclude) {
      if (TInstallItem* excluded = FindProgram(project, number)) {
        excluded->Fixed = true;
        excluded->Default = false;
        excluded->Selected = false;
      }
    }
    return;
  }
  const bool blockedByFixed =
      std::any_of(program.Exclude.begin(), program.Exclude.end(),
                  [&](std::int32_t n) { return IsDefaultAndFixed(FindProgram(project, n)); });
  if (blockedByFixed) program.Fixed = true;
}

void ApplyDefaultSelection(Project& project) {
  for (const auto& group : project.Groups) {
    for (const auto& item : group->Items) {
      TInstallItem& program = *item;
      program.Selected = program.Default;
      if (program.Selected) DeselectExcluded(project, program);
      ResolveDependencies(project, program);
    }
  }
  for (const auto& group : project.Groups) group->State = GroupState(*group);
}

void DeselectExcluded(Project& project, TInstallItem& program) {
  for (std::int32_t number : program.Exclude) {
    TInstallItem* excluded = FindProgram(project, number);
    if (excluded == nullptr || !excluded->Selected) continue;
    SetSelected(project, number, false);
    ResolveDependencies(project, *excluded);
  }
}

}  // namespace sw
