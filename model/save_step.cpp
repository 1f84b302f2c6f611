// The start page's load and the editor's save step, on the model side.

#include "model/save_step.h"

#include "model/paths.h"
#include "model/project.h"
#include "model/project_reader.h"
#include "model/project_writer.h"
#include "platform/file_replace.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sw {

Status LoadProjectIfExists(Project& project, const std::string& path) {
  if (!files::fileExists(path)) {
    return Status::failed(Failure::NotFound, "Cannot read " + text::toUtf8(path), "no such file");
  }
  return LoadProject(project, path);
}

Status SaveProjectStep(Project& project, const std::string& path, const std::string& hostTarget) {
  const std::string target = hostTarget.empty() ? files::targetHostPath(path) : hostTarget;
  const std::string shownName = text::toUtf8(path);
  // The backup is made like the file itself; a failed backup does not stop the save.
  files::ReplaceOptions backup;
  backup.followLinks = false;
  backup.shownName = shownName + ".bak";
  (void)files::copyFile(target, target + ".bak", backup);
  RenumberPrograms(project);
  return SaveProject(project, target, shownName);
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
