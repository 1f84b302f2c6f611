#include <ostream>

#include "cli/commands.h"

namespace sw::cli {

int runNew(const Arguments&, std::ostream&, std::ostream& err) {
  err << "setwright-cli: 'new' is not available in this build\n";
  return kExitUsage;
}

}  // namespace sw::cli
