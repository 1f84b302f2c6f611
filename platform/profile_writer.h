#pragma once
// Writes one key of an INI file the way WritePrivateProfileString does: an existing key is
// replaced in place, a new key ends its section, a new section ends the file; every other
// line stays byte for byte. Used for the editor's own settings file.

#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"

namespace sw {

// `hostPath` is a host path; names and value are 1251 bytes. Creates the file when missing;
// a symbolic link is followed and the file keeps its permissions. Changes nothing when it
// refuses (a read-only file, anything that is not a regular file, a UTF-16 file) or fails (a
// missing or read-only folder, a full disk); the status is then "Unable to write to <path>"
// with the reason as detail.
Status writeProfileString(const std::string& hostPath, std::string_view section, std::string_view key,
                          std::string_view value);

struct ProfileEntry {
  std::string_view section;
  std::string_view key;
  std::string_view value;
};

// Writes several keys at once, with the result of writing them one by one in order, in a single
// replacement of the file. `durable` false: the file need not reach the disk before the call
// returns (a file of conveniences, such as the editor's own settings).
Status writeProfileStrings(const std::string& hostPath, const std::vector<ProfileEntry>& entries,
                           bool durable = true);

namespace profile {

// Appends a name or value as one line: each line break (CR LF, CR or LF) becomes one blank, so
// that no text can add lines, keys or sections to a file.
void appendOnOneLine(std::string& out, std::string_view text);

}  // namespace profile

}  // namespace sw
