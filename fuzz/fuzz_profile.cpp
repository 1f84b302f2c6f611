// Profile bytes -> index -> every query on every listed name, with names taken from the
// file itself and a few fixed ones.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/profile_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const sw::ProfileFile file = sw::ProfileFile::fromBytes(bytes);
  const sw::ProfileList sections = file.sectionList();
  if (sections.count > sw::kProfileListBufferSize) __builtin_trap();
  for (const auto& section : sections.names) {
    const sw::ProfileList keys = file.keyList(section, "fallback");
    for (const auto& key : keys.names) {
      const auto value = file.value(section, key, std::nullopt);
      if (value.value.size() >= sw::kProfileValueBufferSize) __builtin_trap();
      file.value(section, key, "\"default\" ");
    }
    file.sectionExists(section);
  }
  for (const std::string_view name : {std::string_view(""), std::string_view(" "), std::string_view("S"),
                                      std::string_view("\"\""), std::string_view("\0x", 2)}) {
    file.keyList(name, std::nullopt);
    file.value(name, name, name);
  }
  return 0;
}
