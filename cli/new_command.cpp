#include <ostream>

#include "cli/command_support.h"
#include "cli/commands.h"
#include "cli/project_session.h"
#include "model/save_step.h"
#include "platform/text.h"

namespace sw::cli {
namespace {

const CommandSyntax kNewSyntax{"new", "new --root DIR --out FILE", {"root", "out"}, {"root", "out"}, 0};

}  // namespace

int runNew(const Arguments& args, std::ostream&, std::ostream& err) {
  ParsedOptions parsed;
  if (!parseCommand(kNewSyntax, args, parsed, err)) return kExitUsage;

  ProjectSession session(modelPath(parsed.values.at("root")));
  session.createNew();
  const SaveResult saved = SaveProjectStep(session.project(), modelPath(parsed.values.at("out")));
  if (!saved.ok) {
    reportError(err, "new", text::toUtf8(saved.message));
    return kExitSaveFailed;
  }
  return kExitOk;
}

}  // namespace sw::cli
