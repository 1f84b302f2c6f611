#include <ostream>

#include "cli/command_support.h"
#include "cli/commands.h"
#include "cli/project_session.h"
#include "model/save_step.h"
#include "platform/text.h"

namespace sw::cli {
namespace {

const CommandSyntax kResaveSyntax{
    "resave", "resave PROJECT --root DIR --out FILE", {"root", "out"}, {"root", "out"}, 1};

}  // namespace

int runResave(const Arguments& args, std::ostream&, std::ostream& err) {
  ParsedOptions parsed;
  if (!parseCommand(kResaveSyntax, args, parsed, err)) return kExitUsage;

  ProjectSession session(modelPath(parsed.values.at("root")));
  if (!session.open(modelPath(parsed.positional.front()))) {
    reportError(err, "resave", "the project did not load: " + parsed.positional.front());
    return kExitFailed;
  }
  const SaveResult saved = SaveProjectStep(session.project(), modelPath(parsed.values.at("out")));
  if (!saved.ok) {
    reportError(err, "resave", text::toUtf8(saved.message));
    return kExitSaveFailed;
  }
  return kExitOk;
}

}  // namespace sw::cli
