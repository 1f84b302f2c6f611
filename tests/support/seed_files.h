#pragma once
// Writing the seed inputs of a fuzz target into the folder its runner gives.

#include <string>
#include <utility>
#include <vector>

namespace sw::testing {

using SeedFiles = std::vector<std::pair<std::string, std::string>>;  // name, bytes

// The main of a seed writer: `argv[1]` is the folder. Returns the process's exit status.
int writeSeedFiles(int argc, char** argv, const char* program, const SeedFiles& seeds);

}  // namespace sw::testing
