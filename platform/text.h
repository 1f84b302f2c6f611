#pragma once
// Code page 1251 text: the byte <-> Unicode table, conversions and letter-case folding.
// Model strings hold 1251 bytes exactly as in the file; conversion happens only at the edges.

#include <QString>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace sw::text {

// The character of one byte. Every byte has exactly one character (0x98 maps to U+0098),
// so a round trip through Unicode never changes a byte.
char32_t toUnicode(unsigned char byte);

// The byte of one character, or '?' when code page 1251 has none.
unsigned char fromUnicode(char32_t character);

std::string toUtf8(std::string_view cp1251);
// Decodes the UTF-8 character at `pos` and moves past it; a bad sequence (also an overlong
// form or a surrogate) gives U+FFFD and skips its first byte only.
char32_t nextUtf8(std::string_view utf8, std::size_t& pos);
// Invalid UTF-8 sequences and characters without a 1251 byte become '?'.
std::string fromUtf8(std::string_view utf8);
// A file name as the host stores it, in 1251: valid UTF-8 decodes as fromUtf8 does, and each
// byte of an invalid sequence is taken as a 1251 byte, so a name copied raw from a Windows
// disc reads as its Cyrillic text.
std::string fromHostName(std::string_view hostBytes);

QString toQString(std::string_view cp1251);
std::string fromQString(const QString& text);

// Letter case of ASCII and of every Cyrillic letter pair of 1251; other bytes are unchanged.
unsigned char toLower(unsigned char byte);
unsigned char toUpper(unsigned char byte);
std::string lowerCase(std::string_view text);
std::string upperCase(std::string_view text);
bool equalsNoCase(std::string_view a, std::string_view b);

// The table behind toLower, for loops that fold many bytes (hashing names without case).
const std::array<unsigned char, 256>& lowerCaseTable();

}  // namespace sw::text
