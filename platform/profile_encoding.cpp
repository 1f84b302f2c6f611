#include "platform/profile_encoding.h"

#include <QChar>
#include <QString>
#include <array>

#include "platform/text.h"

namespace sw::profile {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool startsWith(std::string_view raw, std::string_view mark) { return raw.substr(0, mark.size()) == mark; }

void append(DecodedProfile& out, char32_t character) {
  bool exact = false;
  out.text += static_cast<char>(bestFitByte(character, exact));
  out.inexact.push_back(!exact);
}

DecodedProfile decodeUtf8(std::string_view body) {
  DecodedProfile out;
  out.text.reserve(body.size());
  out.inexact.reserve(body.size());
  for (std::size_t pos = 0; pos < body.size();) append(out, text::nextUtf8(body, pos));
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

DecodedProfile decodeProfileBytes(std::string raw) {
  const std::string_view view(raw);
  if (startsWith(view, "\xEF\xBB\xBF")) return decodeUtf8(view.substr(3));
  if (startsWith(view, "\xFF\xFE")) return decodeUtf16(view.substr(2), false);
  if (startsWith(view, "\xFE\xFF")) return decodeUtf16(view.substr(2), true);
  return {std::move(raw), {}};
}

}  // namespace sw::profile
