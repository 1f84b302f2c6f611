#include "platform/profile_encoding.h"

#include <QChar>
#include <QString>
#include <array>

#include "platform/text.h"

namespace sw::profile {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool startsWith(std::string_view raw, std::string_view mark) { return raw.substr(0, mark.size()) == mark; }

// Decodes one UTF-8 character; a bad sequence gives U+FFFD and skips its first byte only, so
// each stray 1251 byte turns into one '?'.
char32_t nextUtf8(std::string_view in, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(in[pos]);
  const int length = lead < 0x80           ? 1
                     : (lead >> 5) == 0x6  ? 2
                     : (lead >> 4) == 0xE  ? 3
                     : (lead >> 3) == 0x1E ? 4
                                           : 0;
  if (length == 0 || pos + length > in.size()) {
    ++pos;
    return kReplacement;
  }
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(in[pos + i]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return kReplacement;
    }
    c = (c << 6) | (next & 0x3F);
  }
  // Overlong forms and surrogate code points are not characters.
  static constexpr std::array<char32_t, 5> kMinimum = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kMinimum[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++pos;
    return kReplacement;
  }
  pos += length;
  return c;
}

void append(DecodedProfile& out, char32_t character) {
  bool exact = false;
  out.text += static_cast<char>(bestFitByte(character, exact));
  out.inexact.push_back(!exact);
}

DecodedProfile decodeUtf8(std::string_view body) {
  DecodedProfile out;
  out.text.reserve(body.size());
  out.inexact.reserve(body.size());
  for (std::size_t pos = 0; pos < body.size();) append(out, nextUtf8(body, pos));
  return out;
}

DecodedProfile decodeUtf16(std::string_view body, bool bigEndian) {
  DecodedProfile out;
  out.text.reserve(body.size() / 2);
  out.inexact.reserve(body.size() / 2);
  auto unit = [&](std::size_t i) -> char16_t {
    const auto a = static_cast<unsigned char>(body[i]);
    const auto b = static_cast<unsigned char>(body[i + 1]);
    return static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
  };
  // An odd last byte is not a character and is dropped.
  const std::size_t units = body.size() / 2;
  for (std::size_t i = 0; i < units; ++i) {
    const char16_t c = unit(i * 2);
    const bool pair = QChar::isHighSurrogate(c) && i + 1 < units && QChar::isLowSurrogate(unit(i * 2 + 2));
    if (pair) ++i;  // a character outside the basic plane: never in 1251
    append(out, pair || QChar::isSurrogate(c) ? kReplacement : c);
  }
  return out;
}

}  // namespace

unsigned char bestFitByte(char32_t character, bool& exact) {
  const unsigned char byte = text::fromUnicode(character);
  // U+0098 stands for 0x98 only in our own table; as a decoded character it has no 1251 byte.
  exact = (byte != '?' || character == '?') && character != 0x98;
  if (exact) return byte;
  if (character > 0xFFFF) return '?';
  // A near letter: the base of a canonical or compatibility decomposition, when 1251 has it.
  const QString decomposed = QChar(static_cast<char16_t>(character)).decomposition();
  if (decomposed.isEmpty() || decomposed.at(0).isSurrogate()) return '?';
  const char32_t base = decomposed.at(0).unicode();
  if (base == character) return '?';
  const unsigned char baseByte = text::fromUnicode(base);
  return baseByte == '?' || base == 0x98 || base < 0x20 ? '?' : baseByte;
}

DecodedProfile decodeProfileBytes(std::string_view raw) {
  if (startsWith(raw, "\xEF\xBB\xBF")) return decodeUtf8(raw.substr(3));
  if (startsWith(raw, "\xFF\xFE")) return decodeUtf16(raw.substr(2), false);
  if (startsWith(raw, "\xFE\xFF")) return decodeUtf16(raw.substr(2), true);
  return {std::string(raw), {}};
}

}  // namespace sw::profile
