// Host paths: a Windows path (1251) becomes a UTF-8 path with '/' separators; when the exact
// path is missing, each missing component is matched without regard to letter case against
// a cached listing of its folder.
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

bool isPlainComponent(std::string_view part) { return !part.empty() && part != "." && part != ".."; }

// Walks the components of a '/'-separated path, replacing each missing one by the name in
// its folder that matches without regard to case; once one has no match, the rest stays.
std::string resolveComponents(const std::string& path) {
  std::string resolved;
  bool lost = false;
  std::size_t start = 0;
  while (true) {
    const std::size_t slash = path.find('/', start);
    std::string part = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    if (!lost && isPlainComponent(part) && !exists(resolved + part)) {
      const fs::path folder = resolved.empty() ? fs::path(".") : fsPath(resolved);
      if (std::optional<std::string> actual = pathCache().match(folder, foldedName(part))) {
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
  std::string path = text::toUtf8(windowsPath);
#ifdef _WIN32
  // Windows file systems ignore letter case themselves.
  return path;
#else
  std::replace(path.begin(), path.end(), '\\', '/');
  if (path.empty() || exists(path)) return path;
  return resolveComponents(path);
#endif
}

void clearPathCache() { pathCache().clear(); }

}  // namespace sw::files
