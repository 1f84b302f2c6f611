#include "cli/command_support.h"

#include <ostream>

#include "platform/text.h"

namespace sw::cli {

void reportError(std::ostream& err, std::string_view command, std::string_view message) {
  err << "setwright-cli " << command << ": " << message << '\n';
}

namespace {

bool usageError(const CommandSyntax& syntax, std::ostream& err, const std::string& message) {
  reportError(err, syntax.name, message);
  err << "usage: setwright-cli " << syntax.usage << '\n';
  return false;
}

}  // namespace

bool parseCommand(const CommandSyntax& syntax, const Arguments& args, ParsedOptions& parsed,
                  std::ostream& err) {
  parsed = parseOptions(args, syntax.options);
  if (!parsed.error.empty()) return usageError(syntax, err, parsed.error);
  if (parsed.positional.size() < syntax.positionalCount) {
    return usageError(syntax, err, "missing argument");
  }
  if (parsed.positional.size() > syntax.positionalCount) {
    return usageError(syntax, err, "unexpected argument: " + parsed.positional[syntax.positionalCount]);
  }
  for (const std::string& name : syntax.required) {
    if (!parsed.values.contains(name)) return usageError(syntax, err, "missing option --" + name);
  }
  for (const auto& [name, value] : parsed.values) {
    if (value.empty()) return usageError(syntax, err, "option --" + name + " needs a non-empty value");
  }
  for (const std::string& argument : parsed.positional) {
    if (argument.empty()) return usageError(syntax, err, "empty file name");
  }
  return true;
}

std::string modelPath(const std::string& argument) { return text::fromUtf8(absolutePath(argument)); }

}  // namespace sw::cli
