#include "platform/text.h"

#include <array>
#include <unordered_map>

namespace sw::text {
namespace {

// Characters of the bytes 0x80..0xFF; 0x98 has none in 1251 and keeps its own code point.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // F8
};

// Upper-case byte -> lower-case byte for the Cyrillic letters outside the А..Я block.
constexpr std::array<std::pair<unsigned char, unsigned char>, 15> kCyrillicPairs = {{
    {0x80, 0x90},  // Ђ ђ
    {0x81, 0x83},  // Ѓ ѓ
    {0x8A, 0x9A},  // Љ љ
    {0x8C, 0x9C},  // Њ њ
    {0x8D, 0x9D},  // Ќ ќ
    {0x8E, 0x9E},  // Ћ ћ
    {0x8F, 0x9F},  // Џ џ
    {0xA1, 0xA2},  // Ў ў
    {0xA3, 0xBC},  // Ј ј
    {0xA5, 0xB4},  // Ґ ґ
    {0xA8, 0xB8},  // Ё ё
    {0xAA, 0xBA},  // Є є
    {0xAF, 0xBF},  // Ї ї
    {0xB2, 0xB3},  // І і
    {0xBD, 0xBE},  // Ѕ ѕ
}};

struct CaseTables {
  std::array<unsigned char, 256> lower{};
  std::array<unsigned char, 256> upper{};
  CaseTables() {
    for (int b = 0; b < 256; ++b) lower[b] = upper[b] = static_cast<unsigned char>(b);
    auto pair = [this](int up, int low) {
      lower[up] = static_cast<unsigned char>(low);
      upper[low] = static_cast<unsigned char>(up);
    };
    for (int b = 'A'; b <= 'Z'; ++b) pair(b, b + 32);
    for (int b = 0xC0; b <= 0xDF; ++b) pair(b, b + 32);
    for (auto [up, low] : kCyrillicPairs) pair(up, low);
  }
};

const CaseTables& caseTables() {
  static const CaseTables tables;
  return tables;
}

const std::unordered_map<char32_t, unsigned char>& reverseHighHalf() {
  static const auto table = [] {
    std::unordered_map<char32_t, unsigned char> map;
    for (int i = 0; i < 128; ++i) map.emplace(kHighHalf[i], static_cast<unsigned char>(0x80 + i));
    return map;
  }();
  return table;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

char32_t nextUtf8(std::string_view in, std::size_t& pos) {
  constexpr char32_t kReplacement = 0xFFFD;
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

char32_t toUnicode(unsigned char byte) { return byte < 0x80 ? byte : kHighHalf[byte - 0x80]; }

unsigned char fromUnicode(char32_t character) {
  if (character < 0x80) return static_cast<unsigned char>(character);
  const auto& table = reverseHighHalf();
  const auto found = table.find(character);
  return found == table.end() ? '?' : found->second;
}

std::string toUtf8(std::string_view cp1251) {
  std::string out;
  out.reserve(cp1251.size() * 2);
  for (char c : cp1251) appendUtf8(out, toUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string fromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) out += static_cast<char>(fromUnicode(nextUtf8(utf8, pos)));
  return out;
}

std::string fromHostName(std::string_view hostBytes) {
  std::string out;
  out.reserve(hostBytes.size());
  for (size_t pos = 0; pos < hostBytes.size();) {
    const size_t start = pos;
    const char32_t character = nextUtf8(hostBytes, pos);
    // Only a bad sequence advances by one byte with a replacement; an encoded U+FFFD takes three.
    const bool invalid = character == 0xFFFD && pos == start + 1;
    out += invalid ? hostBytes[start] : static_cast<char>(fromUnicode(character));
  }
  return out;
}

QString toQString(std::string_view cp1251) {
  QString out;
  out.reserve(static_cast<qsizetype>(cp1251.size()));
  for (char c : cp1251) out += QChar(static_cast<char16_t>(toUnicode(static_cast<unsigned char>(c))));
  return out;
}

std::string fromQString(const QString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    // A surrogate pair is one character outside 1251: one '?'.
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
    out += static_cast<char>(c.isSurrogate() ? '?' : fromUnicode(c.unicode()));
  }
  return out;
}

unsigned char toLower(unsigned char byte) { return caseTables().lower[byte]; }
unsigned char toUpper(unsigned char byte) { return caseTables().upper[byte]; }

std::string lowerCase(std::string_view text) {
  const auto& lower = caseTables().lower;
  std::string out(text);
  for (char& c : out) c = static_cast<char>(lower[static_cast<unsigned char>(c)]);
  return out;
}

std::string upperCase(std::string_view text) {
  const auto& upper = caseTables().upper;
  std::string out(text);
  for (char& c : out) c = static_cast<char>(upper[static_cast<unsigned char>(c)]);
  return out;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto& lower = caseTables().lower;
  for (size_t i = 0; i < a.size(); ++i)
    if (lower[static_cast<unsigned char>(a[i])] != lower[static_cast<unsigned char>(b[i])]) return false;
  return true;
}

const std::array<unsigned char, 256>& lowerCaseTable() { return caseTables().lower; }

}  // namespace sw::text
