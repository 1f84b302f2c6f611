#include "platform/icon_ne.h"

#include <algorithm>

namespace sw::icons {

namespace {

constexpr std::uint16_t kIconType = 0x8003;
constexpr std::uint16_t kGroupIconType = 0x800E;
constexpr std::uint16_t kNumberedId = 0x8000;
constexpr std::uint32_t kMaxAlignShift = 24;
constexpr std::size_t kTypeRecordSize = 8;
constexpr std::size_t kResourceRecordSize = 12;

// Lengths count whole alignment units, so the last resource may claim a little past the end of
// the file: its length is cut there. An offset past the end stays past it and reads as broken.
ByteRange resourceRange(const ByteReader& reader, std::uint64_t record, std::uint32_t shift) {
  const std::uint64_t offset = std::uint64_t{*reader.u16(record)} << shift;
  std::uint64_t size = std::uint64_t{*reader.u16(record + 2)} << shift;
  if (offset < reader.size()) size = std::min<std::uint64_t>(size, reader.size() - offset);
  return {offset, size};
}

// Reads the type records from `pos` on into `result`; false when one runs past the end of the
// file or the list is not closed by a type of 0.
bool readTypeRecords(const ByteReader& reader, std::uint64_t pos, std::uint32_t shift, IconResources& result,
                     bool& hasIconType) {
  for (;;) {
    const auto type = reader.u16(pos);
    if (!type) return false;
    if (*type == 0) return true;
    if (!reader.has(pos, kTypeRecordSize)) return false;
    const std::uint16_t count = *reader.u16(pos + 2);
    const std::uint64_t records = pos + kTypeRecordSize;
    if (!reader.has(records, kResourceRecordSize * count)) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint64_t record = records + kResourceRecordSize * i;
      if (*type == kIconType) {
        const std::uint16_t id = *reader.u16(record + 6);
        if ((id & kNumberedId) != 0 && result.icons.size() < kMaxIconResources)
          result.icons.push_back({id, resourceRange(reader, record, shift)});
      } else if (*type == kGroupIconType && result.groups.size() < static_cast<std::size_t>(kMaxGroups)) {
        result.groups.push_back(resourceRange(reader, record, shift));
      }
    }
    if (*type == kIconType) hasIconType = true;
    pos = records + kResourceRecordSize * count;
  }
}

}  // namespace

std::optional<IconResources> readNeIcons(std::string_view file) {
  const ByteReader reader(file);
  const auto neOffset = reader.u32(0x3C);
  if (!neOffset || !reader.has(*neOffset, 0x26) || file.substr(*neOffset, 2) != "NE") return std::nullopt;
  IconResources result;
  result.idFlag = kNumberedId;  // a group entry's nID names the icon resource nID | 0x8000
  const std::uint64_t table = std::uint64_t{*neOffset} + *reader.u16(*neOffset + 0x24);
  const auto shift = reader.u16(table);
  if (!shift || *shift > kMaxAlignShift) return result;
  bool hasIconType = false;
  if (!readTypeRecords(reader, table + 2, *shift, result, hasIconType) || !hasIconType) {
    result.groups.clear();
    result.icons.clear();
  }
  result.finish();
  return result;
}

}  // namespace sw::icons
