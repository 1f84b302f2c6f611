// The start page's load and the editor's save step, on the model side.

#include "model/save_step.h"

#include "model/paths.h"
#include "model/project.h"
#include "model/project_reader.h"
#include "platform/file_replace.h"
#include "platform/files.h"

namespace sw {

bool LoadProjectIfExists(Project& project, const std::string& path) {
  if (!files::fileExists(path)) return false;
  return LoadProject(project, path);
}

SaveResult SaveProjectStep(Project& project, const std::string& path) {
  // A failed backup does not stop the save.
  if (files::fileExists(path))
    (void)files::copyFile(files::targetHostPath(path), files::targetHostPath(path + ".bak"),
                          {.followLinks = false});
  files::clearPathCache();
  RenumberPrograms(project);
  return SaveProject(project, path);
}

std::string ResolveProjectFileName(const Project& project, const std::string& typed) {
  const std::string& root = project.ProjectRootFolder;
  if (typed.empty() || root.empty() || IsAbsolutePath(typed)) return typed;
  const char last = root.back();
  if (last == '\\' || last == '/') return root + typed;
  // A root written the POSIX way gets a POSIX separator; otherwise the runtime's.
  const bool posixRoot = root.find('\\') == std::string::npos && root.find('/') != std::string::npos;
  return root + (posixRoot ? "/" : "\\") + typed;
}

}  // namespace sw
