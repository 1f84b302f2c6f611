#pragma once
// Loading a project file into the model, with every default, load-time rule and picture.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/status.h"

namespace sw {

struct Project;
struct TInstallItem;
class ProfileFile;
class ImageList;
class IconSourceCache;
class SectionExistence;

// What one load needs besides the model: the library icons, the parsed icon files and the
// sections known to exist.
struct LoadContext {
  ImageList* librarySmall = nullptr;
  ImageList* libraryLarge = nullptr;
  IconSourceCache* icons = nullptr;
  SectionExistence* sections = nullptr;
};

// `path` is the project file (Windows-style or host, 1251). The caller has cleared the groups.
// A file that cannot be read, has no [Common_Info] Ver, or a Ver other than "2.0" does not
// load, and the status says which.
Status LoadProject(Project& project, const std::string& path);
// The same load from a file already parsed; `shownName` (UTF-8) names it in messages.
Status LoadProjectFromProfile(Project& project, const ProfileFile& file, const std::string& shownName);
std::unique_ptr<TInstallItem> ReadProgram(Project& project, const ProfileFile& file,
                                          const std::string& section, LoadContext& context);
int LoadProgramPictures(Project& project, const std::string& iconFile, const std::string& folder,
                        std::int32_t iconNumber, LoadContext& context);

}  // namespace sw
