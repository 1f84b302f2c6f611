// Variable expansion and command-line splitting over arbitrary bytes. The input's first
// lines give values to four fixed variables (so the environment cannot grow); the last line
// is expanded and split.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/paths.h"
#include "platform/environment.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  for (int i = 0; i < 4; ++i) {
    const std::size_t newline = input.find('\n');
    if (newline == std::string_view::npos) break;
    sw::env::setVariable("SW_FZ" + std::to_string(i), input.substr(0, newline));
    input.remove_prefix(newline + 1);
  }

  const std::string expanded = sw::env::expandVariables(input);
  check(expanded.size() <= std::max(sw::env::kMaxExpandedLength, input.size()));
  if (input.find('%') == std::string_view::npos) check(expanded == input);

  const std::size_t end = sw::CommandFileEnd(input);
  check(end <= input.size() && (end == 0) == input.empty());
  const auto [file, parameters] = sw::SplitCommand(input);
  check(file + parameters == input);

  const std::string stripped = sw::StripLeadMarker(input);
  check(stripped.size() + 1 >= input.size() && stripped.size() <= input.size());
  const std::string withSlash = sw::WithTrailingBackslash(input);
  check(withSlash.empty() || withSlash.back() == '\\');
  (void)sw::IsAbsolutePath(input);
  return 0;
}
