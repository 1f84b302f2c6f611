// Findings about %NAME% in paths and commands that no one will give a value: neither the
// runtime, nor the project's own variables, nor Windows.

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "cli/check_report.h"
#include "cli/path_fields.h"
#include "model/project.h"
#include "model/project_keys.h"
#include "model/runtime_variables.h"
#include "platform/text.h"

namespace sw::cli {
namespace {

class KnownVariables {
 public:
  explicit KnownVariables(const Project& project) : names_(UserVariableNames(project)) {
    for (std::string_view written : RuntimeVariableNames)
      names_.insert(text::upperCase(written.substr(1, written.size() - 2)));
  }
  bool contains(std::string_view name) const { return names_.contains(text::upperCase(name)); }

 private:
  std::unordered_set<std::string> names_;
};

// Each %NAME% of the value that is not known, once each.
std::vector<std::string> UnknownNames(std::string_view value, const KnownVariables& known) {
  std::vector<std::string> unknown;
  std::size_t open = value.find('%');
  while (open != std::string_view::npos) {
    const std::size_t close = value.find('%', open + 1);
    if (close == std::string_view::npos) break;
    const std::string_view name = value.substr(open + 1, close - open - 1);
    // "%%" and a blank between two signs are not a variable: the second sign may open one.
    if (name.empty() || name.find_first_of(" \t") != std::string_view::npos) {
      open = close;
      continue;
    }
    if (!known.contains(name) && std::find(unknown.begin(), unknown.end(), name) == unknown.end())
      unknown.emplace_back(name);
    open = value.find('%', close + 1);
  }
  return unknown;
}

std::string UnknownMessage(std::string_view key, const std::string& name) {
  return std::string(key) + " uses %" + name +
         "%, which is neither a runtime variable, a variable of the project nor a system variable";
}

template <typename Record, std::size_t N>
void CheckRecord(const CheckInput& input, CheckReport& report, const KnownVariables& known,
                 const std::array<PathField<Record>, N>& paths, const Record& record,
                 std::string_view section) {
  for (const auto& path : paths) {
    for (const std::string& name : UnknownNames(record.*(path.field), known))
      report.add(Severity::Info, "undefined-variable", input, section, path.key,
                 UnknownMessage(path.key, name));
  }
}

}  // namespace

void CheckVariables(const CheckInput& input, CheckReport& report) {
  const Project& project = input.project;
  const KnownVariables known(project);
  CheckRecord(input, report, known, kSetupPaths, project.Settings, kSetupSection);
  CheckRecord(input, report, known, kStagePaths, project.Preinstall, kPreinstallSection);
  CheckRecord(input, report, known, kStagePaths, project.Postinstall, kPostinstallSection);
  for (std::size_t i = 0; i < project.UserButtons.size(); ++i) {
    const std::string section = std::string(kUserButtonSectionPrefix) + std::to_string(i + 1);
    CheckRecord(input, report, known, kButtonPaths, project.UserButtons[i], section);
  }
  for (const std::string& line : project.UserEnvironment) {
    const std::size_t equals = line.find('=');
    const std::string key = line.substr(0, equals);
    for (const std::string& name : UnknownNames(std::string_view(line).substr(equals + 1), known))
      report.add(Severity::Info, "undefined-variable", input, kUserEnvironmentSection, key,
                 UnknownMessage(key, name));
  }
  for (const auto& group : project.Groups) {
    for (const auto& program : group->Items) {
      for (const auto& path : kProgramPaths) {
        for (const std::string& name : UnknownNames((*program).*(path.field), known))
          report.addForProgram(Severity::Info, "undefined-variable", input, *program, path.key,
                               UnknownMessage(path.key, name));
      }
    }
  }
}

}  // namespace sw::cli
