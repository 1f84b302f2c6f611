#pragma once
// Writes one key of an INI file the way WritePrivateProfileString does: an existing key is
// replaced in place, a new key ends its section, a new section ends the file; every other
// line stays byte for byte. Used for the editor's own settings file.

#include <string>
#include <string_view>

namespace sw {

struct WriteResult {
  bool ok = true;
  std::string error;  // for people, UTF-8; empty when ok
};

// `hostPath` is a host path; names and value are 1251 bytes. Creates the file when missing;
// fails (read-only file or folder, missing folder) without changing anything.
WriteResult writeProfileString(const std::string& hostPath, std::string_view section, std::string_view key,
                               std::string_view value);

}  // namespace sw
