#pragma once
// Icon directories: the header of an ICO file and the icon-group resource of PE and NE files
// share one layout of entries (size, depth, and either a file offset or an icon resource ID).

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/icon_bytes.h"

namespace sw::icons {

inline constexpr int kMaxImagesPerGroup = 256;
inline constexpr int kMaxGroups = 65535;
// Icon resources kept per file: IDs are 16-bit, so more can only be duplicates.
inline constexpr std::size_t kMaxIconResources = 131072;

struct IconDirEntry {
  int width = 0;  // 0 in the file means 256
  int height = 0;
  int bitCount = 0;
  std::uint16_t iconId = 0;  // group directories: the icon resource holding the image
  ByteRange image;           // ICO files: where the image lies in the file
};

// An ICO file's directory: WORD 0, WORD 1, WORD count, then 16-byte entries. Nothing when the
// bytes are not an icon file, hold no images, claim more than 256 or do not fit.
std::optional<std::vector<IconDirEntry>> readIcoDirectory(std::string_view file);

// A group resource: the same header, then 14-byte entries naming icon resources. A malformed
// group gives no entries.
std::vector<IconDirEntry> readGroupDirectory(std::string_view group);

// The icon resources of a PE or NE file: the group resources in stored order and the icon
// images by ID.
struct IconResources {
  std::vector<std::optional<ByteRange>> groups;  // nothing for a group whose data is unreachable
  struct Icon {
    std::uint16_t id;
    ByteRange data;
  };
  std::vector<Icon> icons;   // sorted by ID by `finish`, the first of equal IDs kept
  std::uint16_t idFlag = 0;  // set in every looked-up ID (NE icons are numbered 0x8000 | n)

  void finish();
  std::optional<ByteRange> findIcon(std::uint16_t groupEntryId) const;
};

}  // namespace sw::icons
