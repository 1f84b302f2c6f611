#include <ostream>

#include "cli/command_support.h"
#include "cli/commands.h"
#include "model/project_document.h"

namespace sw::cli {
namespace {

const CommandSyntax kNewSyntax{"new", "new --root DIR --out FILE", {"root", "out"}, {"root", "out"}, 0};

}  // namespace

int runNew(const Arguments& args, std::ostream&, std::ostream& err) {
  ParsedOptions parsed;
  if (!parseCommand(kNewSyntax, args, parsed, err)) return kExitUsage;

  ProjectDocument document;
  const std::string& target = parsed.values.at("out");
  document.createNew(modelPath(target), modelPath(parsed.values.at("root")));
  if (const Status saved = document.save(modelPath(target), absolutePath(target)); !saved) {
    reportError(err, "new", "", saved);
    return kExitSaveFailed;
  }
  return kExitOk;
}

}  // namespace sw::cli
