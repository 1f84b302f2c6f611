#include "cli/options.h"

#include <filesystem>

namespace sw::cli {

ParsedOptions parseOptions(const std::vector<std::string>& args, const std::set<std::string>& known) {
  ParsedOptions parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      parsed.positional.push_back(arg);
      continue;
    }
    const std::string name = arg.substr(2);
    if (!known.contains(name)) {
      parsed.error = "unknown option: " + arg;
      return parsed;
    }
    if (i + 1 >= args.size()) {
      parsed.error = "option " + arg + " needs a value";
      return parsed;
    }
    if (!parsed.values.emplace(name, args[++i]).second) {
      parsed.error = "option " + arg + " is given twice";
      return parsed;
    }
  }
  return parsed;
}

std::string absolutePath(const std::string& argument) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(argument, error);
  return error ? argument : absolute.lexically_normal().string();
}

}  // namespace sw::cli
