#pragma once
// Builds realistic projects in memory for tests and benchmarks: Russian (1251) captions and
// descriptions, commands with parameters, and all three kinds of reference between programs.

#include <cstdint>
#include <string>

namespace sw {
struct Project;
}

namespace sw::testing {

struct GeneratorOptions {
  int groups = 4;
  int programs = 20;
  std::uint32_t seed = 1;
  // Depends, DependsOr and Exclude entries together, per program (fewer when the project is
  // too small to offer that many other programs).
  int referencesPerProgram = 3;
  // CommonIconLib value (1251); empty: every program names its own icon file instead.
  std::string iconLibrary;
  // Icons in the library; programs use IconNumber 0 .. iconCount - 1.
  int iconCount = 0;
};

// Replaces the groups of `project` and fills its settings, stage sets, user buttons and user
// environment. Programs are spread over the groups in turn and numbered in a shuffled order
// (unique, 0 .. programs - 1), so renumbering has work to do. The same options always give
// the same project.
void GenerateProject(Project& project, const GeneratorOptions& options);

}  // namespace sw::testing
