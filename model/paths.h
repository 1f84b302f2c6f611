#pragma once
// Paths as the runtime reads them, the runtime variables the editor sets in its own
// environment, command-line splitting and single-icon extraction. All text is 1251.

#include <QImage>
#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace sw {

class IconSourceCache;
struct Project;

inline constexpr std::array<std::string_view, 32> ExecutableExtensions = {
    "EXE", "COM", "BAT", "CMD", "MSI", "REG", "VB",  "VBS", "INF", "ADE", "ADP",
    "BAS", "CHM", "CPL", "CRT", "HLP", "HTA", "INS", "ISP", "LNK", "MDB", "MDE",
    "MSC", "MSP", "MST", "OCX", "PCD", "PIF", "SCR", "SHS", "URL", "WSC"};

std::string ExpandVariables(std::string_view text);
bool IsAbsolutePath(std::string_view path);
std::string StripLeadMarker(std::string_view path);
std::string WithTrailingBackslash(std::string_view path);
// The absolute folder of a program, ending in '\', from its Folder and RootInstallDir.
std::string ProgramFolderPath(const Project& project, std::string_view folder);
// Position just after the file part (1-based); 0 for an empty line. A listed extension
// counts only where the character after it is not a letter or digit.
std::size_t CommandFileEnd(std::string_view line);
// File part and parameter part of a command line.
std::pair<std::string, std::string> SplitCommand(std::string_view line);
// Icon `index` of the file (Windows-style path) as 16 x 16 (small) or 32 x 32; the index is
// taken as unsigned 16-bit and replaced by 0 past the last icon. Null image when none. With a
// cache, a file already parsed in it is not parsed again.
QImage ExtractOneIcon(const std::string& path, int index, bool small, IconSourceCache* cache = nullptr);

void SetSelfVariable(Project& project);
void SetSourceVariables(Project& project);
void SetRootVariable(Project& project);

}  // namespace sw
