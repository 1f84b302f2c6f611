#pragma once
// The JSON of `dump`: the whole model after a load, members in the order of the CLI contract.

#include <ostream>

namespace sw {
struct Project;
}

namespace sw::cli {

// `loaded` is the result of the load; variables are read from the process environment.
void WriteProjectJson(std::ostream& out, const Project& project, bool loaded);

}  // namespace sw::cli
