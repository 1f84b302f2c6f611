#include "platform/icon_pe.h"

#include <algorithm>
#include <vector>

namespace sw::icons {

namespace {

constexpr std::uint32_t kSubdirectoryBit = 0x80000000u;
constexpr std::uint32_t kNameBit = 0x80000000u;
constexpr std::uint32_t kIconType = 3;
constexpr std::uint32_t kGroupIconType = 14;
constexpr std::uint32_t kMaxSections = 96;
constexpr std::size_t kDirectoryHeaderSize = 16;
constexpr std::size_t kEntrySize = 8;

struct Section {
  std::uint32_t virtualAddress;
  std::uint32_t rawSize;
  std::uint32_t rawOffset;
};

struct ResourceEntry {
  std::uint32_t name;
  std::uint32_t target;
};

class PeImage {
 public:
  explicit PeImage(std::string_view file) : file_(file), reader_(file) {}

  bool readHeaders();
  std::optional<IconResources> readResources() const;

 private:
  // The file range of `size` bytes at a relative virtual address, inside one section's raw data.
  std::optional<ByteRange> rangeOfRva(std::uint32_t rva, std::uint32_t size) const;
  // The entries of the directory at `offset` from the resource root; none when it does not fit.
  std::vector<ResourceEntry> directoryAt(std::uint32_t offset) const;
  std::optional<std::uint32_t> subdirectoryOf(const ResourceEntry& entry, std::uint32_t parent) const;
  // The data of the first language of a name entry (level 3 must hold a data entry).
  std::optional<ByteRange> firstLanguageData(const ResourceEntry& nameEntry, std::uint32_t parent) const;

  std::string_view file_;
  ByteReader reader_;
  std::vector<Section> sections_;
  ByteRange resources_;  // from the resource root to the end of its section's raw data
};

bool PeImage::readHeaders() {
  const auto peOffset = reader_.u32(0x3C);
  if (!peOffset || !reader_.has(*peOffset, 24) ||
      file_.substr(*peOffset, 4) != std::string_view("PE\0\0", 4)) {
    return false;
  }
  const std::uint64_t coff = *peOffset + 4ull;
  const std::uint32_t sectionCount = *reader_.u16(coff + 2);
  const std::uint32_t optionalSize = *reader_.u16(coff + 16);
  const std::uint64_t optional = coff + 20;
  const auto magic = reader_.u16(optional);
  if (!magic || (*magic != 0x10B && *magic != 0x20B)) return true;  // a PE file, but nothing to read
  const bool pe32plus = *magic == 0x20B;
  const std::uint32_t directoryCountAt = pe32plus ? 108 : 92;
  const std::uint32_t resourceEntryAt = (pe32plus ? 112 : 96) + 2 * 8;
  const auto directoryCount = reader_.u32(optional + directoryCountAt);
  if (!directoryCount || *directoryCount < 3 || resourceEntryAt + 8 > optionalSize) return true;
  const auto resourceRva = reader_.u32(optional + resourceEntryAt);
  if (!resourceRva || *resourceRva == 0) return true;

  const std::uint64_t table = optional + optionalSize;
  for (std::uint32_t i = 0; i < sectionCount && i < kMaxSections; ++i) {
    const std::uint64_t pos = table + 40ull * i;
    if (!reader_.has(pos, 40)) break;
    sections_.push_back({*reader_.u32(pos + 12), *reader_.u32(pos + 16), *reader_.u32(pos + 20)});
  }
  // The tree's offsets are relative to its root and may reach to the end of that section.
  for (const Section& section : sections_) {
    const std::uint64_t delta = std::uint64_t{*resourceRva} - section.virtualAddress;
    if (*resourceRva < section.virtualAddress || delta >= section.rawSize) continue;
    const std::uint64_t start = section.rawOffset + delta;
    const std::uint64_t end =
        std::min<std::uint64_t>(std::uint64_t{section.rawOffset} + section.rawSize, reader_.size());
    if (start < end) resources_ = {start, end - start};
    break;
  }
  return true;
}

std::optional<ByteRange> PeImage::rangeOfRva(std::uint32_t rva, std::uint32_t size) const {
  for (const Section& section : sections_) {
    if (rva < section.virtualAddress) continue;
    const std::uint64_t delta = std::uint64_t{rva} - section.virtualAddress;
    if (delta >= section.rawSize || size > section.rawSize - delta) continue;
    const ByteRange range{section.rawOffset + delta, size};
    if (reader_.has(range.offset, std::max<std::uint64_t>(range.size, 1))) return range;
  }
  return std::nullopt;
}

std::vector<ResourceEntry> PeImage::directoryAt(std::uint32_t offset) const {
  const std::uint64_t start = resources_.offset + offset;
  if (offset >= resources_.size || !reader_.has(start, kDirectoryHeaderSize)) return {};
  const std::uint64_t count = std::uint64_t{*reader_.u16(start + 12)} + *reader_.u16(start + 14);
  const std::uint64_t needed = kDirectoryHeaderSize + kEntrySize * count;
  if (needed > resources_.size - offset) return {};
  std::vector<ResourceEntry> entries;
  entries.reserve(count);
  for (std::uint64_t i = 0; i < count; ++i) {
    const std::uint64_t pos = start + kDirectoryHeaderSize + kEntrySize * i;
    entries.push_back({*reader_.u32(pos), *reader_.u32(pos + 4)});
  }
  return entries;
}

std::optional<std::uint32_t> PeImage::subdirectoryOf(const ResourceEntry& entry, std::uint32_t parent) const {
  if ((entry.target & kSubdirectoryBit) == 0) return std::nullopt;
  const std::uint32_t offset = entry.target & ~kSubdirectoryBit;
  // A tree that points back to the root or to the directory itself is refused.
  if (offset == 0 || offset == parent) return std::nullopt;
  return offset;
}

std::optional<ByteRange> PeImage::firstLanguageData(const ResourceEntry& nameEntry,
                                                    std::uint32_t parent) const {
  const auto languageDir = subdirectoryOf(nameEntry, parent);
  if (!languageDir) return std::nullopt;
  const std::vector<ResourceEntry> languages = directoryAt(*languageDir);
  if (languages.empty() || (languages.front().target & kSubdirectoryBit) != 0) return std::nullopt;
  const std::uint32_t dataEntry = languages.front().target;
  if (dataEntry >= resources_.size || resources_.size - dataEntry < 16) return std::nullopt;
  const std::uint64_t pos = resources_.offset + dataEntry;
  return rangeOfRva(*reader_.u32(pos), *reader_.u32(pos + 4));
}

std::optional<IconResources> PeImage::readResources() const {
  IconResources result;
  if (resources_.size == 0) return result;
  std::optional<std::uint32_t> iconDir;
  std::optional<std::uint32_t> groupDir;
  for (const ResourceEntry& type : directoryAt(0)) {
    if ((type.name & kNameBit) != 0) continue;
    if (type.name == kIconType && !iconDir) iconDir = subdirectoryOf(type, 0);
    if (type.name == kGroupIconType && !groupDir) groupDir = subdirectoryOf(type, 0);
  }
  if (!groupDir) return result;
  for (const ResourceEntry& group : directoryAt(*groupDir)) {
    if (result.groups.size() >= static_cast<std::size_t>(kMaxGroups)) break;
    result.groups.push_back(firstLanguageData(group, *groupDir));
  }
  if (iconDir) {
    for (const ResourceEntry& icon : directoryAt(*iconDir)) {
      if ((icon.name & kNameBit) != 0 || icon.name > 0xFFFF) continue;
      if (const auto data = firstLanguageData(icon, *iconDir)) {
        result.icons.push_back({static_cast<std::uint16_t>(icon.name), *data});
      }
    }
  }
  result.finish();
  return result;
}

}  // namespace

std::optional<IconResources> readPeIcons(std::string_view file) {
  PeImage image(file);
  if (!image.readHeaders()) return std::nullopt;
  return image.readResources();
}

}  // namespace sw::icons
