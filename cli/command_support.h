#pragma once
// Pieces shared by the commands: argument checks, usage messages and the conversion of
// command-line paths into model paths.

#include <iosfwd>
#include <set>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "cli/options.h"

namespace sw {
class Status;
}

namespace sw::cli {

// One command's usage line and the options it takes.
struct CommandSyntax {
  std::string_view name;
  std::string_view usage;  // e.g. "dump PROJECT --root DIR [--pictures OUTDIR]"
  std::set<std::string> options;
  std::set<std::string> required;
  std::size_t positionalCount = 0;
  std::set<std::string> switches = {};
};

// Parses and checks the arguments; on a usage error writes the message and the usage line
// to `err` and returns false. A --root option must name an existing folder.
bool parseCommand(const CommandSyntax& syntax, const Arguments& args, ParsedOptions& parsed,
                  std::ostream& err);

// Writes "setwright-cli NAME: message" and a line break to `err`.
void reportError(std::ostream& err, std::string_view command, std::string_view message);
// The same with a failure's text (message and reason).
void reportError(std::ostream& err, std::string_view command, std::string_view context, const Status& status);

// A command-line path (host bytes, relative to the current folder) as an absolute model path
// (1251).
std::string modelPath(const std::string& argument);

}  // namespace sw::cli
