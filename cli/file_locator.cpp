#include "cli/file_locator.h"

#include "cli/check_report.h"
#include "model/paths.h"
#include "model/project.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sw::cli {
namespace {

// The variables that stand for the disc the runtime runs from: the editor gives them the
// project's root, so paths under them can be looked up here.
constexpr std::string_view kDiscVariables[] = {"ROOT", "SOURCE", "CDROM", "SELF"};

}  // namespace

FileLocator::FileLocator(const Project& project) : userVariables_(UserVariableNames(project)) {
  if (!project.ProjectRootFolder.empty()) projectRoot_ = project.ProjectRootFolder;
  installRoot_ = folder(project.Settings.RootInstallDir, projectRoot_);
}

bool FileLocator::namesThisMachine(std::string_view value) const {
  if (value.empty() || value.front() != '%') return true;
  const std::size_t close = value.find('%', 1);
  if (close == std::string_view::npos) return true;
  const std::string name = text::upperCase(value.substr(1, close - 1));
  for (std::string_view disc : kDiscVariables)
    if (name == disc) return true;
  return userVariables_.contains(name);
}

Place FileLocator::locate(std::string_view value, const Place& base) const {
  if (value.empty() || !namesThisMachine(value)) return std::nullopt;
  const std::string expanded = StripLeadMarker(ExpandVariables(value));
  if (IsAbsolutePath(value)) return expanded;
  if (!base) return std::nullopt;
  return WithTrailingBackslash(*base) + expanded;
}

Place FileLocator::folder(std::string_view value, const Place& base) const {
  if (value.empty()) return base;
  return locate(value, base);
}

bool FileLocator::fileThere(const std::string& path) { return isThere(path, files_, files::fileExists); }

bool FileLocator::folderThere(const std::string& path) {
  return isThere(path, folders_, files::folderExists);
}

bool FileLocator::isThere(const std::string& path, std::unordered_map<std::string, bool>& known,
                          bool (*lookUp)(std::string_view)) {
  if (const auto found = known.find(path); found != known.end()) return found->second;
  // Below a folder known to be missing nothing is there: no lookup needed.
  for (std::size_t cut = path.find_last_of("\\/"); cut != std::string::npos && cut > 0;
       cut = path.find_last_of("\\/", cut - 1)) {
    const auto ancestor = folders_.find(path.substr(0, cut));
    if (ancestor == folders_.end()) continue;
    if (ancestor->second) break;
    known.emplace(path, false);
    return false;
  }
  const bool there = lookUp(path);
  known.emplace(path, there);
  // Its siblings need not be looked up when the folder itself is missing.
  const std::size_t cut = path.find_last_of("\\/");
  if (!there && cut != std::string::npos && cut > 0) {
    std::string parent = path.substr(0, cut);
    if (!folders_.contains(parent)) {
      const bool parentThere = files::folderExists(parent);
      folders_.emplace(std::move(parent), parentThere);
    }
  }
  return there;
}

int FileLocator::iconCount(const std::string& path) {
  const auto [found, added] = iconCounts_.emplace(path, 0);
  if (added) {
    found->second = icons_.get(files::hostPath(path)).count();
    icons_.releaseBytes();
  }
  return found->second;
}

std::optional<std::string> CommandFile(std::string_view command) {
  std::string file = SplitCommand(command).first;
  if (file.size() >= 2 && file.front() == '"') file = file.substr(1);
  if (!file.empty() && file.back() == '"') file.pop_back();
  const std::size_t dot = file.rfind('.');
  if (dot == std::string::npos) return std::nullopt;
  const std::string extension = text::upperCase(std::string_view(file).substr(dot + 1));
  for (std::string_view known : ExecutableExtensions)
    if (extension == known) return file;
  return std::nullopt;
}

}  // namespace sw::cli
