#include "platform/icon_directory.h"

#include <algorithm>

namespace sw::icons {

namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kIcoEntrySize = 16;
constexpr std::size_t kGroupEntrySize = 14;

// The image count of a directory header whose type is icon (1), or nothing.
std::optional<int> iconCountOf(const ByteReader& reader) {
  const auto reserved = reader.u16(0);
  const auto type = reader.u16(2);
  const auto count = reader.u16(4);
  if (!reserved || !type || !count || *reserved != 0 || *type != 1) return std::nullopt;
  return *count;
}

IconDirEntry sizeAndDepth(const ByteReader& reader, std::size_t pos) {
  IconDirEntry entry;
  entry.width = *reader.u8(pos);
  entry.height = *reader.u8(pos + 1);
  if (entry.width == 0) entry.width = 256;
  if (entry.height == 0) entry.height = 256;
  entry.bitCount = *reader.u16(pos + 6);
  return entry;
}

}  // namespace

std::optional<std::vector<IconDirEntry>> readIcoDirectory(std::string_view file) {
  const ByteReader reader(file);
  const auto count = iconCountOf(reader);
  if (!count || *count == 0 || *count > kMaxImagesPerGroup) return std::nullopt;
  if (!reader.has(0, kHeaderSize + kIcoEntrySize * static_cast<std::size_t>(*count))) return std::nullopt;
  std::vector<IconDirEntry> entries;
  entries.reserve(static_cast<std::size_t>(*count));
  for (int i = 0; i < *count; ++i) {
    const std::size_t pos = kHeaderSize + kIcoEntrySize * static_cast<std::size_t>(i);
    IconDirEntry entry = sizeAndDepth(reader, pos);
    entry.image = {*reader.u32(pos + 12), *reader.u32(pos + 8)};
    entries.push_back(entry);
  }
  return entries;
}

std::vector<IconDirEntry> readGroupDirectory(std::string_view group) {
  const ByteReader reader(group);
  const auto count = iconCountOf(reader);
  if (!count || *count > kMaxImagesPerGroup) return {};
  if (!reader.has(0, kHeaderSize + kGroupEntrySize * static_cast<std::size_t>(*count))) return {};
  std::vector<IconDirEntry> entries;
  entries.reserve(static_cast<std::size_t>(*count));
  for (int i = 0; i < *count; ++i) {
    const std::size_t pos = kHeaderSize + kGroupEntrySize * static_cast<std::size_t>(i);
    IconDirEntry entry = sizeAndDepth(reader, pos);
    entry.iconId = *reader.u16(pos + 12);
    entries.push_back(entry);
  }
  return entries;
}

void IconResources::finish() {
  std::stable_sort(icons.begin(), icons.end(), [](const Icon& a, const Icon& b) { return a.id < b.id; });
  icons.erase(
      std::unique(icons.begin(), icons.end(), [](const Icon& a, const Icon& b) { return a.id == b.id; }),
      icons.end());
}

std::optional<ByteRange> IconResources::findIcon(std::uint16_t groupEntryId) const {
  const auto id = static_cast<std::uint16_t>(groupEntryId | idFlag);
  const auto found = std::lower_bound(icons.begin(), icons.end(), id,
                                      [](const Icon& icon, std::uint16_t key) { return icon.id < key; });
  if (found == icons.end() || found->id != id) return std::nullopt;
  return found->data;
}

}  // namespace sw::icons
