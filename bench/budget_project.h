#pragma once
// The project of the performance budget: 1000 programs in 40 groups, each with its own icon from
// a 300-icon library, references between them, a few groups open. Written to a folder with its
// library, for the benchmarks to load as the editor loads it.

#include <string>

#include "model/project.h"
#include "model/project_writer.h"
#include "platform/file_replace.h"
#include "support/icon_fixtures.h"
#include "support/project_generator.h"

namespace sw::bench {

inline constexpr int kBudgetLibraryIcons = 300;
inline constexpr int kBudgetPrograms = 1000;

// Writes setup.ini and icons.dll into `folder` (host path, existing); false when either failed.
inline bool writeBudgetProject(const std::string& folder) {
  files::ReplaceOptions options;
  if (!files::replaceFile(folder + "/icons.dll", testing::makeIconLibraryDll(kBudgetLibraryIcons), options))
    return false;
  Project generated;
  testing::GeneratorOptions generator;
  generator.groups = 40;
  generator.programs = kBudgetPrograms;
  generator.referencesPerProgram = 3;
  generator.iconLibrary = "icons.dll";
  generator.iconCount = kBudgetLibraryIcons;
  testing::GenerateProject(generated, generator);
  generated.Settings.RootInstallDir = "%ROOT%";
  for (int i = 0; i < GroupCount(generated); i += 8) GroupAt(generated, i)->Expanded = true;
  RenumberPrograms(generated);
  const std::string file = folder + "/setup.ini";
  return static_cast<bool>(SaveProject(generated, file, file));
}

}  // namespace sw::bench
