#pragma once
// Runs setwright-cli for tests: as the built binary (a separate process, its own environment)
// or in-process through runCli.

#include <string>
#include <vector>

namespace sw::clitest {

struct CliRun {
  int exitCode = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// The binary at SETWRIGHT_CLI_PATH; `workingFolder` empty keeps the current folder.
CliRun runBinary(const std::vector<std::string>& args, const std::string& workingFolder = {});
CliRun runInProcess(const std::vector<std::string>& args);

// Member names of a JSON text in document order (names only, not string values).
std::vector<std::string> jsonMemberNames(const std::string& json);

// Whole-file read of a host path; empty when missing.
std::string readBytes(const std::string& path);

}  // namespace sw::clitest
