#include <ostream>

#include "cli/commands.h"

namespace sw::cli {

int runDump(const Arguments&, std::ostream&, std::ostream& err) {
  err << "setwright-cli: 'dump' is not available in this build\n";
  return kExitUsage;
}

}  // namespace sw::cli
