#pragma once
// Bounds-checked little-endian reads over the bytes of an icon-bearing file, and the
// location of one resource inside them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace sw::icons {

// Where a piece of data lies in the file; checked against the file before it is read.
struct ByteRange {
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
};

class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  std::size_t size() const { return bytes_.size(); }
  bool has(std::uint64_t offset, std::uint64_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }
  std::optional<std::uint8_t> u8(std::uint64_t offset) const {
    if (!has(offset, 1)) return std::nullopt;
    return static_cast<std::uint8_t>(bytes_[offset]);
  }
  std::optional<std::uint16_t> u16(std::uint64_t offset) const {
    if (!has(offset, 2)) return std::nullopt;
    return static_cast<std::uint16_t>(byteAt(offset) | byteAt(offset + 1) << 8);
  }
  std::optional<std::uint32_t> u32(std::uint64_t offset) const {
    if (!has(offset, 4)) return std::nullopt;
    return static_cast<std::uint32_t>(byteAt(offset) | byteAt(offset + 1) << 8 | byteAt(offset + 2) << 16) |
           static_cast<std::uint32_t>(byteAt(offset + 3)) << 24;
  }
  // The bytes of a range, or nothing when it does not lie wholly inside the file.
  std::optional<std::string_view> slice(ByteRange range) const {
    if (!has(range.offset, range.size)) return std::nullopt;
    return bytes_.substr(range.offset, range.size);
  }

 private:
  std::uint32_t byteAt(std::uint64_t offset) const { return static_cast<unsigned char>(bytes_[offset]); }
  std::string_view bytes_;
};

}  // namespace sw::icons
