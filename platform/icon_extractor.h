#pragma once
// Counting and extracting the icons of a file by content: ICO files (always one icon),
// 32- and 64-bit PE executables and DLLs (one icon per icon group), and 16-bit NE files such
// as .icl libraries. Our own parser picks the image of a group for a size; Qt's ICO reader
// decodes it. Malformed input gives fewer icons or none, never a crash or a large allocation.

#include <QImage>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace sw {

inline constexpr int kSmallIconSize = 16;
inline constexpr int kLargeIconSize = 32;

// The parsed icon directory of one file's bytes; extraction decodes on demand.
class IconSource {
 public:
  IconSource();
  ~IconSource();
  IconSource(IconSource&&) noexcept;
  IconSource& operator=(IconSource&&) noexcept;

  static IconSource fromBytes(std::string bytes);
  // A missing, unreadable or oversized file gives a source without icons.
  static IconSource fromFile(const std::string& hostPath);

  int count() const;
  // Icon `index` at `size` x `size` pixels (ARGB32, straight alpha), or a null image when the
  // index is out of range or the chosen image is broken.
  QImage extract(int index, int size) const;

 private:
  struct Parsed;
  std::unique_ptr<Parsed> parsed_;
};

// Parses each file once per cache: the loader uses one cache for a whole load.
class IconSourceCache {
 public:
  const IconSource& get(const std::string& hostPath);
  void clear();

 private:
  std::unordered_map<std::string, std::unique_ptr<IconSource>> sources_;
};

}  // namespace sw
