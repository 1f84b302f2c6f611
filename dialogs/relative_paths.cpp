#include "dialogs/relative_paths.h"

#include <vector>

#include "model/paths.h"
#include "platform/text.h"

namespace sw {
namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

std::size_t lastSeparator(std::string_view path) { return path.find_last_of("\\/"); }

// "D:" for a drive path, "\\server\share" for a network path, else nothing.
std::string_view drivePart(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
    const std::size_t serverEnd = path.find_first_of("\\/", 2);
    if (serverEnd == std::string_view::npos) return path;
    const std::size_t shareEnd = path.find_first_of("\\/", serverEnd + 1);
    return path.substr(0, shareEnd == std::string_view::npos ? path.size() : shareEnd);
  }
  return {};
}

// The folders of a path's folder part (after its drive), split at the separators.
std::vector<std::string_view> folderComponents(std::string_view path) {
  path.remove_prefix(drivePart(path).size());
  const std::size_t last = lastSeparator(path);
  std::vector<std::string_view> components;
  if (last == std::string_view::npos) return components;
  std::string_view folder = path.substr(0, last);
  for (std::size_t start = 0;;) {
    const std::size_t end = folder.find_first_of("\\/", start);
    components.push_back(folder.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return components;
}

// The separator a folder is written with: the host's '/' for a POSIX path, else the runtime's.
char separatorOf(std::string_view path) {
  return path.find('\\') == std::string_view::npos && path.find('/') != std::string_view::npos ? '/' : '\\';
}

std::string withSeparator(std::string folder, char separator) {
  if (folder.empty() || !isSeparator(folder.back())) folder += separator;
  return folder;
}

}  // namespace

std::string FolderPart(std::string_view path) {
  const std::size_t last = lastSeparator(path);
  if (last == std::string_view::npos) return {};
  // A root keeps its separator: "D:\x" gives "D:\", "/x" gives "/", "\\x" gives "\\".
  const bool root = last == 0 || path[last - 1] == ':' || isSeparator(path[last - 1]);
  return std::string(path.substr(0, root ? last + 1 : last));
}

PickBase PickBaseFolder(std::string_view rootFolder, std::string_view itemFolder, std::string_view value) {
  PickBase base;
  if (IsAbsolutePath(value)) {
    base.relative = false;
    base.folder = withSeparator(FolderPart(value), separatorOf(value));
  } else if (IsAbsolutePath(itemFolder)) {
    base.folder = withSeparator(std::string(itemFolder), '\\');
  } else {
    base.folder = withSeparator(std::string(rootFolder), '\\');
    if (!itemFolder.empty()) base.folder = withSeparator(base.folder + std::string(itemFolder), '\\');
  }
  base.folder = ExpandVariables(base.folder);
  return base;
}

std::string RelativeToFolder(std::string_view base, std::string_view destination) {
  if (!text::equalsNoCase(drivePart(base), drivePart(destination))) return std::string(destination);
  const std::vector<std::string_view> from = folderComponents(base);
  const std::vector<std::string_view> to = folderComponents(destination);
  std::size_t shared = 0;
  while (shared < from.size() && shared < to.size() && text::equalsNoCase(from[shared], to[shared])) ++shared;
  std::string relative;
  for (std::size_t i = shared; i < from.size(); ++i) relative += "..\\";
  for (std::size_t i = shared; i < to.size(); ++i) {
    relative += to[i];
    relative += '\\';
  }
  const std::size_t last = lastSeparator(destination);
  relative += destination.substr(last == std::string_view::npos ? drivePart(destination).size() : last + 1);
  return relative;
}

}  // namespace sw
