#include <ostream>

#include "cli/commands.h"

namespace sw::cli {

int runResave(const Arguments&, std::ostream&, std::ostream& err) {
  err << "setwright-cli: 'resave' is not available in this build\n";
  return kExitUsage;
}

}  // namespace sw::cli
