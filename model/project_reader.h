#pragma once
// Loading a project file into the model, with every default, load-time rule and picture.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

namespace sw {

struct Project;
struct TInstallItem;
class ProfileFile;
class ImageList;
class IconSourceCache;

// What one load needs besides the model: the library icons and the parsed icon files.
struct LoadContext {
  ImageList* librarySmall = nullptr;
  ImageList* libraryLarge = nullptr;
  IconSourceCache* icons = nullptr;
  // Whether a section exists, by its name in lower case: reference entries repeat, and a
  // section's key list is only worked out once per load.
  std::unordered_map<std::string, bool>* knownSections = nullptr;
};

// `path` is the project file (Windows-style or host, 1251). The caller has cleared the groups.
bool LoadProject(Project& project, const std::string& path);
// The same load from a file already parsed (LoadProject reads the file once and calls this).
bool LoadProjectFromProfile(Project& project, const ProfileFile& file);
std::unique_ptr<TInstallItem> ReadProgram(Project& project, const ProfileFile& file,
                                          const std::string& section, LoadContext& context);
int LoadProgramPictures(Project& project, const std::string& iconFile, const std::string& folder,
                        std::int32_t iconNumber, LoadContext& context);

}  // namespace sw
