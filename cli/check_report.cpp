#include "cli/check_report.h"

#include <algorithm>
#include <utility>

#include "model/project.h"
#include "model/project_keys.h"
#include "model/records.h"
#include "platform/text.h"

namespace sw::cli {

std::unordered_set<std::string> UserVariableNames(const Project& project) {
  std::unordered_set<std::string> names;
  for (const std::string& line : project.UserEnvironment)
    names.insert(text::upperCase(std::string_view(line).substr(0, line.find('='))));
  return names;
}

std::string quotedName(std::string_view name) {
  std::string quoted = "\"";
  quoted += name;
  quoted += '"';
  return quoted;
}

Finding& CheckReport::push(Finding finding) {
  ++counts_[static_cast<std::size_t>(finding.severity)];
  return findings_.emplace_back(std::move(finding));
}

void CheckReport::sortByLine() {
  std::stable_sort(findings_.begin(), findings_.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
}

Finding& CheckReport::add(Severity severity, std::string_view code, const CheckInput& input,
                          std::string_view section, std::string_view key, std::string message) {
  Finding finding;
  finding.severity = severity;
  finding.code = code;
  finding.section = section;
  finding.key = key;
  finding.line = input.lines.keyLine(section, key);
  finding.message = std::move(message);
  return push(std::move(finding));
}

void CheckReport::addForProgram(Severity severity, std::string_view code, const CheckInput& input,
                                const TInstallItem& program, std::string_view key, std::string message) {
  const auto section = input.sectionOf.find(&program);
  Finding finding;
  finding.severity = severity;
  finding.code = code;
  if (section != input.sectionOf.end()) {
    finding.section = section->second;
    finding.line = input.lines.keyLine(section->second, key);
  }
  finding.key = key;
  if (program.Owner != nullptr) finding.group = program.Owner->Name;
  finding.program = program.Caption;
  finding.message = std::move(message);
  push(std::move(finding));
}

void CheckReport::addForGroup(Severity severity, std::string_view code, const CheckInput& input,
                              const TInstallGroup& group, std::string message) {
  Finding finding;
  finding.severity = severity;
  finding.code = code;
  finding.section = kSoftwareGroupSection;
  finding.key = GroupKey(group);
  finding.line = input.lines.keyLine(kSoftwareGroupSection, finding.key);
  finding.group = group.Name;
  finding.message = std::move(message);
  push(std::move(finding));
}

}  // namespace sw::cli
