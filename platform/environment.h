#pragma once
// The process environment with Windows rules: names compare without regard to letter case
// (ASCII and the Cyrillic letters of 1251). Names and values are code page 1251 bytes; the
// initial environment is taken from the real one, converted from UTF-8.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sw::env {

// Expansion gives up, and returns the text as written, once its result would grow past this
// length (or the text's own, if longer): chains of variables cannot blow up memory.
inline constexpr std::size_t kMaxExpandedLength = 32767;

// Sets a variable; an existing variable keeps the spelling of its name. An empty name, or
// one containing '=', is never set. Name and value end at a NUL byte, as a C interface sees
// them. The real process environment is updated too (UTF-8 on POSIX).
void setVariable(std::string_view name, std::string_view value);
void unsetVariable(std::string_view name);
std::optional<std::string> variable(std::string_view name);

// Replaces each %NAME% of a defined variable by its value; %NAME% of an undefined variable
// stays as written and scanning goes on after its closing '%'; a lone '%' stays.
std::string expandVariables(std::string_view text);

}  // namespace sw::env
