#pragma once
// Command-line parsing for setwright-cli: positional arguments and "--name value" options.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace sw::cli {

struct ParsedOptions {
  std::vector<std::string> positional;
  std::map<std::string, std::string> values;  // option name without "--" -> value
  std::string error;                          // set on a usage error
};

// `known` lists the options that take a value. An unknown option, a missing value or an
// option given twice is a usage error.
ParsedOptions parseOptions(const std::vector<std::string>& args, const std::set<std::string>& known);

// A path from the command line made absolute against the current folder (host form).
std::string absolutePath(const std::string& argument);

}  // namespace sw::cli
