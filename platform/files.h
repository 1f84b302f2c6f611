#pragma once
// Files and host paths. Paths in a project are Windows paths in code page 1251; to touch the
// file system they become host paths (UTF-8 on POSIX), with '\' turned into '/' and, when the
// exact path is missing, each component matched without regard to letter case (but never for
// a file a save writes). Writing files is file_replace.h's.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sw::files {

// The host path of a Windows-style path (1251). The exact path is tried first; then each
// component is matched without regard to letter case (a name stored raw in 1251 by its 1251
// text), the first in byte order winning. Folder listings are cached, so resolving many paths
// under one tree lists each folder once.
std::string hostPath(std::string_view windowsPath);
// The host path of a file that a save writes (Windows-style, 1251), taken literally: each
// '\' becomes '/' and letter case is never matched, so "setup.ini" never names "SETUP.INI".
// The one exception is a folder or file whose name on disk is not UTF-8 (1251 bytes copied
// from a Windows disc): a missing component is that name when it reads exactly as the
// component does.
std::string targetHostPath(std::string_view windowsPath);
// Forgets cached folder listings (after the editor itself created or removed files).
void clearPathCache();

// A regular file exists at the (Windows-style) path; a folder of that name is not a file.
bool fileExists(std::string_view windowsPath);
bool folderExists(std::string_view windowsPath);

// Removes a file (never a folder), as deleting a file does on Windows.
bool deleteFile(const std::string& hostPath);

// The drive of a path (1251 in, 1251 out), for CDROM and SOURCE: "D:" for a drive path,
// "\\server\share" for a UNC path, for a POSIX absolute path the mount point of the file
// system holding its nearest existing folder, empty for a relative or empty path.
std::string driveOf(std::string_view windowsPath);

// The folder of this executable's real path, in host form converted to 1251, without a
// trailing separator.
std::string executableFolder();

}  // namespace sw::files
