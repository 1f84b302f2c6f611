#include "cli/command_support.h"

#include <filesystem>
#include <ostream>

#include "platform/host_path.h"
#include "platform/status.h"
#include "platform/text.h"

namespace sw::cli {

void reportError(std::ostream& err, std::string_view command, std::string_view message) {
  err << "setwright-cli " << command << ": " << message << '\n';
}

void reportError(std::ostream& err, std::string_view command, std::string_view context,
                 const Status& status) {
  err << "setwright-cli " << command << ": " << context << status.text() << '\n';
}

namespace {

bool usageError(const CommandSyntax& syntax, std::ostream& err, const std::string& message) {
  reportError(err, syntax.name, message);
  err << "usage: setwright-cli " << syntax.usage << '\n';
  return false;
}

// A typo in the root folder would load every program with a tag file as hidden and fixed.
bool isFolder(const std::string& argument) {
  std::error_code error;
  return std::filesystem::is_directory(files::fsPath(absolutePath(argument)), error);
}

}  // namespace

bool parseCommand(const CommandSyntax& syntax, const Arguments& args, ParsedOptions& parsed,
                  std::ostream& err) {
  parsed = parseOptions(args, syntax.options, syntax.switches);
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
  const auto root = parsed.values.find("root");
  if (root != parsed.values.end() && !isFolder(root->second)) {
    return usageError(syntax, err, "the root folder does not exist: " + absolutePath(root->second));
  }
  return true;
}

std::string modelPath(const std::string& argument) { return text::fromHostName(absolutePath(argument)); }

}  // namespace sw::cli
