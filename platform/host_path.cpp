// Host paths: a Windows path (1251) becomes a UTF-8 path with '/' separators; when the exact
// path is missing, each missing component is matched without regard to letter case against
// a cached listing of its folder. The file a save writes is taken literally instead: only a
// name stored raw in 1251 (not UTF-8) stands in for a missing component, by its exact text.
//
// Cache policy: a folder is listed at most once until clearPathCache(), except that a lookup
// which misses in a cached listing re-lists the folder when the folder's modification time
// has changed since it was listed (one stat, so misses stay cheap). Files created after the
// listing are therefore found; on file systems with coarse timestamps a file created within
// the same tick is only seen after clearPathCache(), which the editor calls after it creates
// or removes files itself. A component that exists exactly is always taken without the cache.

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/files.h"
#include "platform/host_path.h"
#include "platform/text.h"

namespace sw::files {
namespace {

namespace fs = std::filesystem;

std::atomic<std::size_t> listingsMade{0};

// The key under which a name is matched: 1251 bytes in lower case. A listed name that is not
// UTF-8 (copied raw from a Windows disc) folds as the 1251 text it is.
std::string foldedName(std::string_view hostName) { return text::lowerCase(text::fromHostName(hostName)); }

struct FolderListing {
  fs::file_time_type modified{};
  // Folded name -> the first actual name (host bytes) in byte order with that folding.
  std::unordered_map<std::string, std::string> byFoldedName;
};

FolderListing listFolder(const fs::path& folder) {
  ++listingsMade;
  FolderListing listing;
  std::error_code error;
  listing.modified = fs::last_write_time(folder, error);
  std::vector<std::string> names;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    names.push_back(hostText(it->path().filename()));
  }
  // Byte order of UTF-8 is code-point order, so the first name kept per folding wins.
  std::sort(names.begin(), names.end());
  for (std::string& name : names) {
    std::string key = foldedName(name);
    listing.byFoldedName.try_emplace(std::move(key), std::move(name));
  }
  return listing;
}

class PathCache {
 public:
  // The actual name in `folder` that equals `folded` without regard to case.
  std::optional<std::string> match(const fs::path& folder, const std::string& folded) {
    std::error_code error;
    const fs::path absolute = fs::absolute(folder, error).lexically_normal();
    const std::string key = hostText(absolute);
    std::lock_guard lock(mutex_);
    auto cached = folders_.find(key);
    if (cached == folders_.end()) {
      cached = folders_.emplace(key, listFolder(absolute)).first;
    } else if (!cached->second.byFoldedName.contains(folded)) {
      const fs::file_time_type modified = fs::last_write_time(absolute, error);
      if (!error && modified != cached->second.modified) cached->second = listFolder(absolute);
    }
    auto found = cached->second.byFoldedName.find(folded);
    if (found == cached->second.byFoldedName.end()) return std::nullopt;
    return found->second;
  }

  void clear() {
    std::lock_guard lock(mutex_);
    folders_.clear();
  }

 private:
  std::mutex mutex_;
  std::unordered_map<std::string, FolderListing> folders_;
};

PathCache& pathCache() {
  static PathCache cache;
  return cache;
}

bool exists(const std::string& hostUtf8) {
  std::error_code error;
  return fs::exists(fsPath(hostUtf8), error);
}

// Exists as a name in its folder, also as a link that leads nowhere.
bool existsAsName(const std::string& hostUtf8) {
  std::error_code error;
  return fs::exists(fs::symlink_status(fsPath(hostUtf8), error));
}

bool isPlainComponent(std::string_view part) { return !part.empty() && part != "." && part != ".."; }

bool isUtf8(std::string_view name) {
  for (std::size_t pos = 0; pos < name.size();) {
    const std::size_t start = pos;
    if (text::nextUtf8(name, pos) == 0xFFFD && pos == start + 1) return false;
  }
  return true;
}

bool hasNonAscii(std::string_view name) {
  return std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

fs::path folderPath(const std::string& resolved) {
  return resolved.empty() ? fs::path(".") : fsPath(resolved);
}

// The name a walk takes for one component below the folder `resolved` ("" for the current one,
// otherwise ending in '/'), or nullopt when nothing matches and the rest stays as written.
using ComponentLookup = std::optional<std::string> (*)(const std::string& resolved, const std::string& part);

// For paths inside a project: the exact name, else one that matches without regard to case.
std::optional<std::string> nameWithoutCase(const std::string& resolved, const std::string& part) {
  if (exists(resolved + part)) return part;
  return pathCache().match(folderPath(resolved), foldedName(part));
}

// For a file a save writes: the exact name, else only a name that is not UTF-8 and reads in
// 1251 exactly as the component does (the first in byte order).
std::optional<std::string> nameInOtherEncoding(const std::string& resolved, const std::string& part) {
  if (existsAsName(resolved + part)) return part;
  // A name that is not UTF-8 decodes to at least one byte above ASCII.
  if (!hasNonAscii(part)) return std::nullopt;
  const std::string wanted = text::fromUtf8(part);
  std::optional<std::string> found;
  std::error_code error;
  for (fs::directory_iterator it(folderPath(resolved), error), end; !error && it != end;
       it.increment(error)) {
    std::string name = hostText(it->path().filename());
    if (isUtf8(name) || text::fromHostName(name) != wanted) continue;
    if (!found || name < *found) found = std::move(name);
  }
  return found;
}

// Walks the components of a '/'-separated path, replacing each by what `lookup` finds; once
// one has no match, the rest stays as written.
std::string resolveComponents(const std::string& path, ComponentLookup lookup) {
  std::string resolved;
  bool lost = false;
  std::size_t start = 0;
  while (true) {
    const std::size_t slash = path.find('/', start);
    std::string part = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    if (!lost && isPlainComponent(part)) {
      if (std::optional<std::string> actual = lookup(resolved, part)) {
        part = std::move(*actual);
      } else {
        lost = true;
      }
    }
    resolved += part;
    if (slash == std::string::npos) break;
    resolved += '/';
    start = slash + 1;
  }
  return resolved;
}

// A Windows path (1251) as a '/'-separated UTF-8 path.
std::string slashedUtf8(std::string_view windowsPath) {
  std::string path = text::toUtf8(windowsPath);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

}  // namespace

std::filesystem::path fsPath(std::string_view hostUtf8) {
  return fs::path(std::u8string(hostUtf8.begin(), hostUtf8.end()));
}

std::string hostText(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

std::size_t folderListingCount() { return listingsMade.load(); }

std::string hostPath(std::string_view windowsPath) {
#ifdef _WIN32
  // Windows file systems ignore letter case themselves.
  return text::toUtf8(windowsPath);
#else
  const std::string path = slashedUtf8(windowsPath);
  if (path.empty() || exists(path)) return path;
  return resolveComponents(path, nameWithoutCase);
#endif
}

std::string targetHostPath(std::string_view windowsPath) {
#ifdef _WIN32
  return text::toUtf8(windowsPath);
#else
  const std::string path = slashedUtf8(windowsPath);
  if (path.empty() || existsAsName(path)) return path;
  return resolveComponents(path, nameInOtherEncoding);
#endif
}

void clearPathCache() { pathCache().clear(); }

}  // namespace sw::files
