#pragma once
// Little-endian byte writing for the binary fixtures (icon, PE and NE files).

#include <cstddef>
#include <cstdint>
#include <string>

namespace sw::testing {

inline void appendU8(std::string& out, int value) { out.push_back(static_cast<char>(value & 0xFF)); }
inline void appendU16(std::string& out, std::uint32_t value) {
  appendU8(out, static_cast<int>(value));
  appendU8(out, static_cast<int>(value >> 8));
}
inline void appendU32(std::string& out, std::uint32_t value) {
  appendU16(out, value & 0xFFFF);
  appendU16(out, value >> 16);
}
inline void padTo(std::string& out, std::size_t alignment) {
  while (out.size() % alignment != 0) out.push_back('\0');
}
// The width or height byte of an icon directory entry: 0 stands for 256.
inline int entryByte(int size) { return size >= 256 ? 0 : size; }

}  // namespace sw::testing
