#pragma once
// The findings of a project check and where each stands: what `setwright-cli check` reports.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "cli/project_lines.h"

namespace sw {
struct Project;
struct TInstallGroup;
struct TInstallItem;
class ProfileFile;
}  // namespace sw

namespace sw::cli {

enum class Severity : std::uint8_t { Error, Warning, Info };

// All text is 1251, as the model's.
struct Finding {
  Severity severity = Severity::Warning;
  std::string_view code;
  std::string section;
  std::string key;
  int line = 0;
  std::string group;
  std::string program;
  std::string message;
};

// What every check reads: the loaded project, the file as the reader sees it and its lines.
struct CheckInput {
  Project& project;
  const ProfileFile& file;
  const ProjectLines& lines;
  // The section each loaded program was read from.
  std::unordered_map<const TInstallItem*, std::string> sectionOf;
  // Program sections whose group the project does not have, in file order.
  std::vector<std::string> orphanSections;
};

class CheckReport {
 public:
  // A finding about a key of any section; the caller may fill in its group and program.
  Finding& add(Severity severity, std::string_view code, const CheckInput& input, std::string_view section,
               std::string_view key, std::string message);
  // A finding about a key of a program's section.
  void addForProgram(Severity severity, std::string_view code, const CheckInput& input,
                     const TInstallItem& program, std::string_view key, std::string message);
  // A finding about a group's line.
  void addForGroup(Severity severity, std::string_view code, const CheckInput& input,
                   const TInstallGroup& group, std::string message);

  // In the order of their lines, as a reader goes through the file.
  void sortByLine();
  const std::vector<Finding>& findings() const { return findings_; }
  int count(Severity severity) const { return counts_[static_cast<std::size_t>(severity)]; }

 private:
  Finding& push(Finding finding);

  std::vector<Finding> findings_;
  std::array<int, 3> counts_{};
};

// Fills in the section each program was read from and the orphan sections, for a project just
// loaded from the input's file.
void FindProgramSections(CheckInput& input);
// The names of the project's own variables, in upper case.
std::unordered_set<std::string> UserVariableNames(const Project& project);

// Each family of checks adds its findings to the report.
void CheckFileStructure(const CheckInput& input, CheckReport& report);
void CheckNamedFiles(const CheckInput& input, CheckReport& report);
void CheckVariables(const CheckInput& input, CheckReport& report);
void CheckDependencies(const CheckInput& input, CheckReport& report);
// Runs the save check on the project, which renumbers its programs: the last check to run.
void CheckSave(const CheckInput& input, CheckReport& report);

// A caption or name for a message: in quotes, as 1251.
std::string quotedName(std::string_view name);

}  // namespace sw::cli
