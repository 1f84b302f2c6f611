#pragma once
// Helpers behind sw::files::hostPath: the file-system path of a UTF-8 host path, and the
// count of folder listings the path cache has made (tests and benchmarks check it).

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace sw::files {

// The std::filesystem path of a host path held as UTF-8 (also right on Windows).
std::filesystem::path fsPath(std::string_view hostUtf8);
// The UTF-8 host text of a std::filesystem path.
std::string hostText(const std::filesystem::path& path);

// How many folders the path cache has listed since the process started.
std::size_t folderListingCount();

}  // namespace sw::files
