// Project file bytes in -> load -> save -> load again: no crash, no hang, no runaway memory.

#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/builtin_pictures.h"
#include "model/project.h"
#include "model/project_reader.h"
#include "model/project_writer.h"
#include "platform/environment.h"
#include "platform/image_list.h"
#include "platform/profile_reader.h"

namespace {

const QTemporaryDir& WorkFolder() {
  static const QTemporaryDir folder;
  return folder;
}

struct LoadedProject {
  sw::ImageList small{16, 20};
  sw::ImageList large{32, 32};
  sw::Project project;

  LoadedProject() {
    sw::FillBuiltinPictures(small, large);
    sw::CreateProjectLists(project);
    project.EditorMode = true;
    project.ProjectRootFolder = WorkFolder().path().toStdString();
    project.SmallProgramImages = &small;
    project.LargeProgramImages = &large;
  }

  // The loaded file sets its variables in this process; forget them so that the environment
  // does not grow with every input.
  ~LoadedProject() {
    for (const std::string& line : project.UserEnvironment) {
      const std::size_t equals = line.find('=');
      sw::env::unsetVariable(std::string_view(line).substr(0, equals));
    }
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  LoadedProject first;
  if (!sw::LoadProjectFromProfile(first.project, sw::ProfileFile::fromBytes(bytes))) return 0;

  const std::string saved = WorkFolder().filePath(QStringLiteral("saved.ini")).toStdString();
  if (!sw::SaveProject(first.project, saved).ok) return 0;
  LoadedProject second;
  sw::LoadProject(second.project, saved);
  return 0;
}
