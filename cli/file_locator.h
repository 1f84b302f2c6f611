#pragma once
// Where the runtime will look for the files a project names, and whether they are there: each
// path is looked up once however many keys name it.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "platform/icon_extractor.h"

namespace sw {
struct Project;
}

namespace sw::cli {

// A folder or file as a model path; none when the path names the target machine or nothing.
using Place = std::optional<std::string>;

class FileLocator {
 public:
  explicit FileLocator(const Project& project);

  // The value taken against `base` (a folder) as the runtime takes it. A value that starts with
  // a variable of the target machine has no place here, nor a relative value without a base.
  Place locate(std::string_view value, const Place& base) const;
  // The folder a folder setting names; an empty setting is the base itself.
  Place folder(std::string_view value, const Place& base) const;

  const Place& projectRoot() const { return projectRoot_; }
  const Place& installRoot() const { return installRoot_; }

  bool fileThere(const std::string& path);
  bool folderThere(const std::string& path);
  // The icons of a file that is there (0 for a file without icons).
  int iconCount(const std::string& path);

 private:
  bool namesThisMachine(std::string_view value) const;
  bool isThere(const std::string& path, std::unordered_map<std::string, bool>& known,
               bool (*lookUp)(std::string_view));

  Place projectRoot_;
  Place installRoot_;
  std::unordered_set<std::string> userVariables_;  // upper case
  std::unordered_map<std::string, bool> files_;
  std::unordered_map<std::string, bool> folders_;
  std::unordered_map<std::string, int> iconCounts_;
  IconSourceCache icons_;
};

// The file part of a command line when it ends in a known extension (quotes around it cut).
std::optional<std::string> CommandFile(std::string_view command);

}  // namespace sw::cli
