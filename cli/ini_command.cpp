#include <ostream>

#include "cli/commands.h"

namespace sw::cli {

int runIni(const Arguments&, std::ostream&, std::ostream& err) {
  err << "setwright-cli: 'ini' is not available in this build\n";
  return kExitUsage;
}

}  // namespace sw::cli
