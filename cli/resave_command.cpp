#include <ostream>

#include "cli/command_support.h"
#include "cli/commands.h"
#include "model/project_document.h"

namespace sw::cli {
namespace {

const CommandSyntax kResaveSyntax{
    "resave", "resave PROJECT --root DIR --out FILE", {"root", "out"}, {"root", "out"}, 1};

}  // namespace

int runResave(const Arguments& args, std::ostream&, std::ostream& err) {
  ParsedOptions parsed;
  if (!parseCommand(kResaveSyntax, args, parsed, err)) return kExitUsage;

  ProjectDocument document;
  const Status loaded =
      document.open(modelPath(parsed.positional.front()), modelPath(parsed.values.at("root")));
  if (!loaded) {
    reportError(err, "resave", "the project did not load: ", loaded);
    return kExitFailed;
  }
  const std::string& target = parsed.values.at("out");
  if (const Status saved = document.save(modelPath(target), absolutePath(target)); !saved) {
    reportError(err, "resave", "", saved);
    return kExitSaveFailed;
  }
  return kExitOk;
}

}  // namespace sw::cli
