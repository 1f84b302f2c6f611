#pragma once
// Command-line parsing for setwright-cli: positional arguments, "--name value" options and
// "--name" switches.

#include <map>
#include <set>
#include <string>
#include <vector>

namespace sw::cli {

struct ParsedOptions {
  std::vector<std::string> positional;
  std::map<std::string, std::string> values;  // option name without "--" -> value
  std::set<std::string> switches;             // switches given
  std::string error;                          // set on a usage error
};

// `valued` lists the options that take a value, `switches` those that take none. An unknown
// option, a missing value or an option given twice is a usage error. Arguments keep their bytes
// exactly, whatever their encoding.
ParsedOptions parseOptions(const std::vector<std::string>& args, const std::set<std::string>& valued,
                           const std::set<std::string>& switches = {});

// A path from the command line made absolute against the current folder (host form).
std::string absolutePath(const std::string& argument);

}  // namespace sw::cli
