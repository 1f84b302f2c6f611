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
void RunChecks(const CheckInput& input, CheckReport& report) {
  CheckFileStructure(input, report);
  CheckNamedFiles(input, report);
  CheckDependencies(input, report);
  CheckVariables(input, report);
  CheckSave(input, report);
  report.sortByLine();
}

// The file is read once: its bytes are parsed for the load and scanned for the lines.
Status LoadAndCheck(ProjectDocument& document, const std::string& project, const std::string& root,
                    CheckReport& report) {
  Result<std::string> bytes = files::readFile(files::hostPath(project));
  // A file that cannot be read fails the load with the load's own message.
  if (!bytes) return document.open(project, root);
  const ProfileFile file = ProfileFile::fromBytes(*bytes);
  if (Status loaded = document.open(project, root, file); !loaded) return loaded;
  const ProjectLines lines(profile::decodeProfileBytes(std::move(*bytes)).text, kProfileValueBufferSize);
  CheckInput input{document.project(), file, lines, {}, {}};
  FindProgramSections(input);
  RunChecks(input, report);
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
  CheckReport report;
  const Status loaded = LoadAndCheck(document, project, modelPath(parsed.values.at("root")), report);
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
