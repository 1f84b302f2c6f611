#include <ostream>

#include "cli/check_output.h"
#include "cli/check_report.h"
#include "cli/command_support.h"
#include "cli/commands.h"
#include "cli/project_lines.h"
#include "model/project_document.h"
#include "platform/file_io.h"
#include "platform/files.h"
#include "platform/profile_encoding.h"
#include "platform/profile_reader.h"

namespace sw::cli {
namespace {

const CommandSyntax kCheckSyntax{
    "check", "check PROJECT --root DIR [--json] [--strict]", {"root"}, {"root"}, 1, {"json", "strict"}};

// Every check of a loaded project; the save check goes last, as it renumbers the programs.
Status RunChecks(ProjectDocument& document, CheckReport& report) {
  Result<std::string> bytes = files::readFile(files::hostPath(document.filePath()));
  if (!bytes) return bytes.status();
  const ProfileFile file = ProfileFile::fromBytes(*bytes);
  const ProjectLines lines(profile::decodeProfileBytes(std::move(*bytes)).text, kProfileValueBufferSize);
  CheckInput input{document.project(), file, lines, ProgramSections(document.project(), file)};
  CheckFileStructure(input, report);
  CheckNamedFiles(input, report);
  CheckDependencies(input, report);
  CheckVariables(input, report);
  CheckSave(input, report);
  report.sortByLine();
  return {};
}

}  // namespace

int runCheck(const Arguments& args, std::ostream& out, std::ostream& err) {
  ParsedOptions parsed;
  if (!parseCommand(kCheckSyntax, args, parsed, err)) return kExitUsage;
  const bool asJson = parsed.switches.contains("json");
  const std::string& shownProject = parsed.positional.front();
  const std::string project = modelPath(shownProject);

  ProjectDocument document;
  Status loaded = document.open(project, modelPath(parsed.values.at("root")));
  CheckReport report;
  if (loaded) loaded = RunChecks(document, report);
  if (asJson) {
    WriteCheckJson(out, project, loaded.ok(), report);
  } else if (loaded) {
    WriteCheckText(out, shownProject, report);
  }
  if (!loaded) {
    reportError(err, "check", "the project did not load: ", loaded);
    return kExitFailed;
  }
  const bool strict = parsed.switches.contains("strict");
  if (report.count(Severity::Error) > 0 || (strict && report.count(Severity::Warning) > 0))
    return kExitFindings;
  return kExitOk;
}

}  // namespace sw::cli
