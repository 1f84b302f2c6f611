#include "model/values.h"

#include "model/project_keys.h"

namespace sw {

namespace {

// Digits of one base, accumulated with a ceiling; false on any other character or overflow.
bool accumulateDigits(std::string_view digits, unsigned base, std::uint64_t ceiling, std::uint64_t& value) {
  if (digits.empty()) return false;
  value = 0;
  for (char c : digits) {
    const int digit = base == 16 ? HexDigitValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (digit < 0) return false;
    value = value * base + static_cast<unsigned>(digit);
    if (value > ceiling) return false;
  }
  return true;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  std::uint64_t magnitude = 0;
  const bool dollarHex = text.size() > 1 && text.front() == '$';
  const bool prefixHex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  if (dollarHex || prefixHex) {
    // Hexadecimal uses all 32 bits: FFFFFFFF is the bit pattern of -1.
    if (!accumulateDigits(text.substr(dollarHex ? 1 : 2), 16, 0xFFFFFFFFu, magnitude)) return std::nullopt;
    std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
  }
  const std::uint64_t ceiling = negative ? 2147483648u : 2147483647u;
  if (!accumulateDigits(text, 10, ceiling, magnitude)) return std::nullopt;
  const std::int64_t signedValue =
      negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
  return static_cast<std::int32_t>(signedValue);
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::int32_t ReadInteger(std::string_view text, std::int32_t defaultValue) {
  return ParseInteger(text).value_or(defaultValue);
}

bool ReadBoolean(std::string_view text, bool defaultValue) {
  const std::optional<std::int32_t> number = ParseInteger(text);
  return number ? *number != 0 : defaultValue;
}

bool NextReference(std::string_view value, std::size_t& pos, std::string& entry) {
  while (pos < value.size()) {
    const std::size_t separator = value.find(';', pos);
    if (separator == std::string_view::npos) {
      // The text after the last ';' is the last entry, without its surrounding blanks.
      const std::string_view last = trimBlanks(value.substr(pos));
      pos = value.size();
      if (last.empty()) return false;
      entry.assign(last);
      return true;
    }
    const std::string_view piece = value.substr(pos, separator - pos);
    pos = separator + 1;
    if (!piece.empty()) {
      entry.assign(piece);
      return true;
    }
  }
  return false;
}

std::string WriteBoolean(bool value) { return value ? "1" : "0"; }

std::string WriteReferenceList(const std::vector<std::int32_t>& numbers) {
  std::string text;
  text.reserve(numbers.size() * 17);
  for (std::int32_t number : numbers) {
    text += ProgramSectionName(number);
    text += ';';
  }
  return text;
}

}  // namespace sw
