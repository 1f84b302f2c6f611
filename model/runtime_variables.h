#pragma once
// The variable names a project author writes in paths and commands for the installer runtime to
// resolve on the target machine: the runtime's own variables first, then the Windows environment
// variables. One table, so that the edit menu offers and a project check accepts the same names.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace sw {

inline constexpr std::size_t kInternalVariableCount = 5;

// Each name as the author writes it, percent signs included, in the letter case shown.
inline constexpr std::array<std::string_view, 21> RuntimeVariableNames = {
    // The installer runtime's own variables.
    "%SELF%", "%SOURCE%", "%CDROM%", "%ROOT%", "%FOLDER%",
    // Windows environment variables.
    "%ALLUSERSPROFILE%", "%APPDATA%", "%ProgramFiles%", "%CommonProgramFiles%", "%SystemDrive%",
    "%SystemRoot%", "%windir%", "%HOMEDRIVE%", "%HOMEPATH%", "%COMPUTERNAME%", "%USERDOMAIN%", "%USERNAME%",
    "%USERPROFILE%", "%TEMP%", "%TMP%", "%ComSpec%"};

inline constexpr std::span<const std::string_view> InternalVariableNames{RuntimeVariableNames.data(),
                                                                         kInternalVariableCount};
inline constexpr std::span<const std::string_view> SystemVariableNames{
    RuntimeVariableNames.data() + kInternalVariableCount,
    RuntimeVariableNames.size() - kInternalVariableCount};

namespace runtime_variables_detail {

constexpr bool isWrittenName(std::string_view name) {
  if (name.size() < 3 || name.front() != '%' || name.back() != '%') return false;
  for (char c : name.substr(1, name.size() - 2)) {
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!letter) return false;
  }
  return true;
}

constexpr char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

constexpr bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (upper(a[i]) != upper(b[i])) return false;
  return true;
}

// Windows compares variable names without regard to case, so two entries differing only in case
// would be one variable offered twice.
constexpr bool tableIsSound() {
  for (std::size_t i = 0; i < RuntimeVariableNames.size(); ++i) {
    if (!isWrittenName(RuntimeVariableNames[i])) return false;
    for (std::size_t j = 0; j < i; ++j)
      if (sameName(RuntimeVariableNames[i], RuntimeVariableNames[j])) return false;
  }
  return true;
}

static_assert(tableIsSound(), "every entry is one %NAME% of letters, no two alike in any letter case");

}  // namespace runtime_variables_detail

}  // namespace sw
