// Findings about the file's structure: groups and programs the load or the next save drops,
// references that name nothing, values the runtime cuts short, captions given twice.

#include <string>
#include <unordered_map>

#include "cli/check_report.h"
#include "model/project.h"
#include "model/project_keys.h"
#include "model/project_writer.h"
#include "model/references.h"
#include "model/save_check.h"
#include "model/values.h"
#include "platform/profile_reader.h"

namespace sw::cli {
namespace {

constexpr std::string_view kReferenceKeys[] = {"Depends", "DependsOr", "Exclude"};

void CheckEmptyGroups(const CheckInput& input, CheckReport& report) {
  for (const auto& group : input.project.Groups) {
    if (!group->Items.empty()) continue;
    report.addForGroup(Severity::Warning, "empty-group", input, *group,
                       "group " + quotedName(group->Name) + " has no programs: the next save drops it");
  }
}

void CheckOrphanPrograms(const CheckInput& input, CheckReport& report) {
  for (const std::string& section : input.orphanSections) {
    const std::string group = input.file.readString(section, kProgramGroupKey, "");
    const std::string caption = input.file.readString(section, "Caption", "");
    Finding& finding =
        report.add(Severity::Warning, "orphan-program", input, section, kProgramGroupKey,
                   "program " + quotedName(caption) + " belongs to group " + quotedName(group) +
                       ", which the project does not have: the load drops it and the next save loses it");
    finding.group = group;
    finding.program = caption;
  }
}

// An entry counts when it names a program section that the load kept.
bool NamesLoadedProgram(const CheckInput& input, const std::string& entry) {
  return IsProgramSection(entry) && input.file.sectionExists(entry) &&
         FindProgram(input.project, ReferenceNumber(entry)) != nullptr;
}

void CheckUnresolvedReferences(const CheckInput& input, CheckReport& report) {
  for (const auto& group : input.project.Groups) {
    for (const auto& program : group->Items) {
      const auto section = input.sectionOf.find(program.get());
      if (section == input.sectionOf.end()) continue;
      for (std::string_view key : kReferenceKeys) {
        const std::string value = input.file.readString(section->second, key, "");
        std::size_t pos = 0;
        std::string entry;
        while (NextReference(value, pos, entry)) {
          if (NamesLoadedProgram(input, entry)) continue;
          report.addForProgram(
              Severity::Warning, "unresolved-reference", input, *program, key,
              std::string(key) + " entry " + quotedName(entry) + " names no program: the load drops it");
        }
      }
    }
  }
}

void CheckLongValues(const CheckInput& input, CheckReport& report) {
  for (const LongValue& value : input.lines.longValues()) {
    std::string message = "the value of " + value.key + " is " + std::to_string(value.size) +
                          " bytes long: the runtime reads only its first " +
                          std::to_string(kProfileValueBufferSize - 1);
    Finding& finding =
        report.add(Severity::Warning, "value-truncated", input, value.section, value.key, std::move(message));
    if (IsProgramSection(value.section)) {
      finding.group = input.file.readString(value.section, kProgramGroupKey, "");
      finding.program = input.file.readString(value.section, "Caption", "");
    }
  }
}

void CheckDuplicateCaptions(const CheckInput& input, CheckReport& report) {
  for (const auto& group : input.project.Groups) {
    std::unordered_map<std::string, const TInstallItem*> first;
    for (const auto& program : group->Items) {
      const auto [found, added] = first.emplace(program->Caption, program.get());
      if (added) continue;
      report.addForProgram(
          Severity::Info, "duplicate-caption", input, *program, "Caption",
          "group " + quotedName(group->Name) + " has two programs called " + quotedName(program->Caption));
    }
  }
}

}  // namespace

void FindProgramSections(CheckInput& input) {
  // The load attaches the program sections in file order, each to the end of its group.
  std::unordered_map<std::string, std::pair<const TInstallGroup*, std::size_t>> next;
  for (const auto& group : input.project.Groups) next.emplace(group->Name, std::make_pair(group.get(), 0));
  for (const std::string& section : input.file.sectionNames()) {
    if (!IsProgramSection(section) || !input.file.sectionExists(section)) continue;
    const auto found = next.find(input.file.readString(section, kProgramGroupKey, ""));
    if (found == next.end()) {
      input.orphanSections.push_back(section);
      continue;
    }
    auto& [group, index] = found->second;
    if (index < group->Items.size()) input.sectionOf.emplace(group->Items[index++].get(), section);
  }
}

void CheckFileStructure(const CheckInput& input, CheckReport& report) {
  CheckEmptyGroups(input, report);
  CheckOrphanPrograms(input, report);
  CheckUnresolvedReferences(input, report);
  CheckLongValues(input, report);
  CheckDuplicateCaptions(input, report);
}

void CheckSave(const CheckInput& input, CheckReport& report) {
  RenumberPrograms(input.project);
  const ProfileFile written = ProfileFile::fromBytes(ProjectFileText(input.project));
  const LostItems lost = FindLostItems(input.project, written);
  for (std::size_t g = 0; g < lost.groups.size(); ++g) {
    std::string message = "the editor would refuse to save: group " + quotedName(lost.groups[g]->Name) +
                          " would not come back from the file";
    if (g < lost.groupReasons.size() && !lost.groupReasons[g].empty()) message += ": " + lost.groupReasons[g];
    report.addForGroup(Severity::Error, "save-refused", input, *lost.groups[g], std::move(message));
  }
  for (std::size_t p = 0; p < lost.programs.size(); ++p) {
    std::string message = "the editor would refuse to save: program " +
                          quotedName(lost.programs[p]->Caption) + " would not come back from the file";
    if (p < lost.programReasons.size() && !lost.programReasons[p].empty())
      message += ": " + lost.programReasons[p];
    report.addForProgram(Severity::Error, "save-refused", input, *lost.programs[p], {}, std::move(message));
  }
  if (lost.groups.empty() && lost.programs.empty() && lost.strays > 0) {
    report.add(Severity::Error, "save-refused", input, kSoftwareGroupSection, {},
               "the editor would refuse to save: the file would hold " + std::to_string(lost.strays) +
                   " groups or programs the project does not have");
  }
}

}  // namespace sw::cli
