#pragma once
// The commands of setwright-cli. Each takes the arguments after its name, writes its result
// to `out` and its messages for people to `err`, and returns the process exit status.

#include <iosfwd>
#include <string>
#include <vector>

namespace sw::cli {

using Arguments = std::vector<std::string>;

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
// A save refused or failed, output that could not be written, or memory that ran out.
inline constexpr int kExitSaveFailed = 3;
// A check found an error (or, when strict, a warning).
inline constexpr int kExitFindings = 4;

int runDump(const Arguments& args, std::ostream& out, std::ostream& err);
int runResave(const Arguments& args, std::ostream& out, std::ostream& err);
int runNew(const Arguments& args, std::ostream& out, std::ostream& err);
int runIni(const Arguments& args, std::ostream& out, std::ostream& err);
int runIcons(const Arguments& args, std::ostream& out, std::ostream& err);
int runCheck(const Arguments& args, std::ostream& out, std::ostream& err);

// The whole program: dispatch on the command name, usage and --help.
int runCli(const Arguments& args, std::ostream& out, std::ostream& err);

}  // namespace sw::cli
