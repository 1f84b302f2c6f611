#include <ostream>

#include "cli/commands.h"

namespace sw::cli {

int runIcons(const Arguments&, std::ostream&, std::ostream& err) {
  err << "setwright-cli: 'icons' is not available in this build\n";
  return kExitUsage;
}

}  // namespace sw::cli
