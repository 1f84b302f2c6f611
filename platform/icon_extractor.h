#pragma once
// Counting and extracting the icons of a file by content: ICO files (always one icon),
// 32- and 64-bit PE executables and DLLs (one icon per icon group), and 16-bit NE files such
// as .icl libraries. Our own parser picks the image of a group for a size; Qt's ICO reader
// decodes it. Malformed input gives fewer icons or none, never a crash or a large allocation.
// Large files are mapped into memory, so the cost follows the bytes the parser touches.

#include <QImage>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/status.h"

namespace sw {

inline constexpr int kSmallIconSize = 16;
inline constexpr int kLargeIconSize = 32;

// The parsed icon directory of one file; extraction decodes on demand. Not safe for use from
// several threads at once: a source whose bytes were released reads its file again in `extract`.
class IconSource {
 public:
  IconSource();
  ~IconSource();
  IconSource(IconSource&&) noexcept;
  IconSource& operator=(IconSource&&) noexcept;

  // Bytes in memory; they stay with the source (releaseBytes keeps them).
  static IconSource fromBytes(std::string bytes);
  // A file by host path, read whole when small and mapped otherwise. A file that cannot be
  // read gives the reason (NotFound, NotRegularFile, TooLarge above 4 GiB, System); a readable
  // file without icons gives a source whose count is 0.
  static Result<IconSource> open(const std::string& hostPath);
  // As `open`, with a source without icons for a file that cannot be read.
  static IconSource fromFile(const std::string& hostPath);

  int count() const;
  // Icon `index` at `size` x `size` pixels (ARGB32, straight alpha), or a null image when the
  // index is out of range, the chosen image is broken, or the file cannot be read again after
  // a release.
  QImage extract(int index, int size) const;

  // Drops a file's bytes and keeps its parsed tables; the next `extract` reads or maps the file
  // again, without parsing it, and keeps its bytes until the next release.
  void releaseBytes();
  bool holdsBytes() const;

 private:
  struct Parsed;
  std::unique_ptr<Parsed> parsed_;
};

// Parses each file once per cache: the loader uses one cache for a whole load. The parsed
// tables stay for the life of the cache; the files' bytes go with `releaseBytes`.
class IconSourceCache {
 public:
  const IconSource& get(const std::string& hostPath);
  // Releases the bytes of the sources `get` gave out since the last release, those of the
  // last one only when `get` asks for another file: programs that share one file do not read
  // it again each, and no more than that one file's bytes outlive their use.
  void releaseBytes();
  void clear();

 private:
  struct Entry {
    IconSource source;
    bool inUse = false;  // listed in inUse_
  };
  std::unordered_map<std::string, Entry> sources_;  // nodes stay put: the pointers below stay valid
  std::vector<Entry*> inUse_;
  Entry* lastGiven_ = nullptr;
  Entry* releaseLater_ = nullptr;
};

}  // namespace sw
