// Paths as the runtime reads them, the runtime variables of the editor's own environment,
// command-line splitting and single-icon extraction.

#include "model/paths.h"

#include <cstdint>

#include "model/project.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/icon_extractor.h"
#include "platform/text.h"

namespace sw {
namespace {

// A byte that continues a word: an ASCII digit or a letter (ASCII or Cyrillic of 1251).
bool isLetterOrDigit(unsigned char byte) {
  return (byte >= '0' && byte <= '9') || text::toLower(byte) != byte || text::toUpper(byte) != byte;
}

// 1-based end of the file part if the line's file part ends at extension `extension`, or 0.
std::size_t endAtExtension(const std::string& upperLine, std::string_view extension) {
  std::string dotted(1, '.');
  dotted += extension;
  for (std::size_t at = upperLine.find(dotted); at != std::string::npos;
       at = upperLine.find(dotted, at + 1)) {
    const std::size_t after = at + dotted.size();
    // "script.vbs" must not end at ".vb", nor "x.exec" at ".exe".
    if (after < upperLine.size() && isLetterOrDigit(static_cast<unsigned char>(upperLine[after]))) continue;
    return after + 1;
  }
  return 0;
}

}  // namespace

std::string ExpandVariables(std::string_view text) { return env::expandVariables(text); }

bool IsAbsolutePath(std::string_view path) {
  const std::string expanded = ExpandVariables(path);
#ifndef _WIN32
  // Host paths on POSIX: the editor's own folders are absolute this way.
  if (!expanded.empty() && expanded[0] == '/') return true;
#endif
  if (expanded.size() < 2) return false;
  return expanded[1] == ':' || expanded[0] == '|' || (expanded[0] == '\\' && expanded[1] == '\\');
}

std::string StripLeadMarker(std::string_view path) {
  if (path.empty()) return {};
  const bool absolute = IsAbsolutePath(path);
  if (absolute && path[0] == '|') return std::string(path.substr(1));
  if (!absolute && path[0] == '\\') return std::string(path.substr(1));
  return std::string(path);
}

std::string WithTrailingBackslash(std::string_view path) {
  std::string result = StripLeadMarker(path);
  if (!result.empty() && result.back() != '\\') result += '\\';
  return result;
}

std::string ProgramFolderPath(const Project& project, std::string_view folder) {
  if (IsAbsolutePath(folder)) return WithTrailingBackslash(ExpandVariables(folder));
  std::string root = WithTrailingBackslash(ExpandVariables(project.Settings.RootInstallDir));
  if (!folder.empty()) root += WithTrailingBackslash(ExpandVariables(folder));
  return root;
}

std::size_t CommandFileEnd(std::string_view line) {
  if (line.empty()) return 0;
  const std::string upperLine = text::upperCase(line);
  std::size_t end = line.size();
  for (std::string_view extension : ExecutableExtensions) {
    const std::size_t candidate = endAtExtension(upperLine, extension);
    if (candidate != 0 && candidate < end) end = candidate;
  }
  return end;
}

std::pair<std::string, std::string> SplitCommand(std::string_view line) {
  const std::size_t end = CommandFileEnd(line);
  if (end >= line.size()) return {std::string(line), std::string()};
  return {std::string(line.substr(0, end - 1)), std::string(line.substr(end - 1))};
}

QImage ExtractOneIcon(const std::string& path, int index, bool small, IconSourceCache* cache) {
  if (!files::fileExists(path)) return QImage();
  const std::string host = files::hostPath(path);
  IconSource uncached;
  if (cache == nullptr) uncached = IconSource::fromFile(host);
  const IconSource& source = cache != nullptr ? cache->get(host) : uncached;
  const int count = source.count();
  if (count <= 0) return QImage();
  // Windows takes the index as an unsigned 16-bit value: -1 becomes 65535, past the last.
  int chosen = static_cast<std::uint16_t>(index);
  if (chosen > count - 1) chosen = 0;
  return source.extract(chosen, small ? kSmallIconSize : kLargeIconSize);
}

void SetSelfVariable(Project& project) {
  project.SelfValue = project.EditorMode ? project.ProjectRootFolder : files::executableFolder();
  env::setVariable("SELF", project.SelfValue);
}

void SetSourceVariables(Project& project) {
  project.SourceValue = files::driveOf(project.ProjectRootFolder);
  env::setVariable("CDROM", project.SourceValue);
  env::setVariable("SOURCE", project.SourceValue);
}

void SetRootVariable(Project& project) {
  project.RootValue = project.ProjectRootFolder;
  env::setVariable("ROOT", project.RootValue);
}

}  // namespace sw
