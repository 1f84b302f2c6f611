#pragma once
// Value encodings of the project file: integers, booleans and reference entries.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

// Optional sign; decimal (must fit in 32 bits) or hexadecimal after "$" or "0x"/"0X" (all 32
// bits, so FFFFFFFF is -1). Anything else, blanks inside included, is no integer.
std::optional<std::int32_t> ParseInteger(std::string_view text);
std::int32_t ReadInteger(std::string_view text, std::int32_t defaultValue);
bool ReadBoolean(std::string_view text, bool defaultValue);
// The value of one hexadecimal digit, or -1.
int HexDigitValue(char c);

// The next entry of a reference list value starting at `pos`, advancing `pos`; false when the
// value is used up. Empty entries are skipped; the last entry (after the last ';') loses its
// surrounding blanks.
bool NextReference(std::string_view value, std::size_t& pos, std::string& entry);

std::string WriteBoolean(bool value);
std::string WriteReferenceList(const std::vector<std::int32_t>& numbers);

}  // namespace sw
