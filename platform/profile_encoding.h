#pragma once
// The byte-order marks a profile file may start with, and the conversion of such a file to
// code page 1251 before it is parsed (files without a mark are 1251 already).

#include <string>
#include <string_view>
#include <vector>

namespace sw::profile {

struct DecodedProfile {
  std::string text;  // 1251 bytes
  // For decoded files: which bytes stand for a character that 1251 does not have. A name
  // holding one can never equal a name asked for in 1251 (empty for files without a mark).
  std::vector<bool> inexact;
};

// The file's text as 1251 bytes: without a byte-order mark the bytes themselves; with a UTF-8
// or UTF-16 (LE/BE) mark the decoded text, each character as its 1251 byte, as a near letter
// (an accented Latin letter as its base letter) or as '?'. Bytes without a mark are moved into
// the result, not copied.
DecodedProfile decodeProfileBytes(std::string raw);

// The 1251 byte for one Unicode character; `exact` tells whether 1251 has that character
// (otherwise the byte is a near letter or '?').
unsigned char bestFitByte(char32_t character, bool& exact);

}  // namespace sw::profile
